// POLYLINE flags (70): 1 closed (in M for a mesh), 8 3D polyline, 16 polygon mesh, 32 mesh
// closed in N, 64 polyface mesh, 128 linetype generation. VERTEX flags: 16 a spline frame's control
// point (not on the curve), 64 a mesh vertex, 128 with 64 a polyface's vertex, 128 alone one of its
// faces.
#include "host/render/OldPolylineDisplay.h"

#include "host/render/CurveFlatten.h"
#include "host/render/GeometryEmit.h"

#include <cstdlib>

namespace veld::render {

namespace {

constexpr int kClosed = 1, kPolyline3d = 8, kMesh = 16, kMeshClosedN = 32, kPolyface = 64,
              kLinetypeGeneration = 128;
constexpr int kFrameControlPoint = 16, kFaceVertex = 128;

// M rows of N vertices, each row and each column drawn as a line.
void mesh(Geometry& g, const AcGeMatrix3d& m, const veld::db::Tags& tags,
          const std::vector<PolylineVertex>& vertices, int flags) {
    int rows = static_cast<int>(firstNumber(tags, 71)),
        columns = static_cast<int>(firstNumber(tags, 72));
    const int smoothRows = static_cast<int>(firstNumber(tags, 73));
    const int smoothColumns = static_cast<int>(firstNumber(tags, 74));
    if (static_cast<std::size_t>(rows) * columns != vertices.size() && smoothRows > 0 &&
        static_cast<std::size_t>(smoothRows) * smoothColumns == vertices.size()) {
        rows = smoothRows; // a smoothed surface holds the smoothed vertices
        columns = smoothColumns;
    }
    if (rows <= 0 || columns <= 0 || static_cast<std::size_t>(rows) * columns > vertices.size()) {
        return;
    }
    auto at = [&](int r, int c) { return vertices[static_cast<std::size_t>(r) * columns + c].at; };
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            if (c + 1 < columns || ((flags & kMeshClosedN) && columns > 2)) {
                addSegment(g, m, at(r, c), at(r, (c + 1) % columns));
            }
            if (r + 1 < rows || ((flags & kClosed) && rows > 2)) {
                addSegment(g, m, at(r, c), at((r + 1) % rows, c));
            }
        }
    }
}

// Each face's visible edges between the vertices it names.
void polyface(Geometry& g, const AcGeMatrix3d& m, const std::vector<PolylineVertex>& vertices) {
    std::vector<AcGePoint3d> positions;
    for (const PolylineVertex& v : vertices) {
        if (v.flags & kPolyface) {
            positions.push_back(v.at);
        }
    }
    auto position = [&](int number, AcGePoint3d& out) {
        const std::size_t index = static_cast<std::size_t>(std::abs(number));
        if (index == 0 || index > positions.size()) {
            return false;
        }
        out = positions[index - 1];
        return true;
    };
    for (const PolylineVertex& face : vertices) {
        if ((face.flags & (kFaceVertex | kPolyface)) != kFaceVertex) {
            continue;
        }
        int count = 0;
        while (count < 4 && face.corners[count] != 0) {
            ++count;
        }
        for (int i = 0; i < count && count > 1; ++i) {
            AcGePoint3d a, b;
            if (face.corners[i] > 0 && position(face.corners[i], a) &&
                position(face.corners[(i + 1) % count], b)) {
                addSegment(g, m, a, b);
            }
        }
    }
}

} // namespace

PolylinePath polylinePath(int flags, double elevation, const std::vector<PolylineVertex>& vertices,
                          std::pair<double, double> defaultWidths) {
    PolylinePath path;
    if (flags & (kMesh | kPolyface)) {
        return path;
    }
    const bool flat = !(flags & kPolyline3d);
    for (const PolylineVertex& v : vertices) {
        if (!(v.flags & kFrameControlPoint)) {
            path.points.emplace_back(v.at.x, v.at.y, flat ? elevation : v.at.z);
            path.bulges.push_back(flat ? v.bulge : 0.0);
            path.widths.emplace_back(
                flat ? (v.startWidth >= 0 ? v.startWidth : defaultWidths.first) : 0.0,
                flat ? (v.endWidth >= 0 ? v.endWidth : defaultWidths.second) : 0.0);
        }
    }
    path.closed = flags & kClosed;
    return path;
}

PolylineVertex polylineVertexOf(const veld::db::Tags& tags) {
    PolylineVertex v;
    v.at = {firstNumber(tags, 10), firstNumber(tags, 20), firstNumber(tags, 30)};
    v.bulge = firstNumber(tags, 42);
    v.startWidth = firstNumber(tags, 40, -1.0);
    v.endWidth = firstNumber(tags, 41, -1.0);
    v.flags = static_cast<int>(firstNumber(tags, 70));
    for (int i = 0; i < 4; ++i) {
        v.corners[i] = static_cast<int>(firstNumber(tags, 71 + i));
    }
    return v;
}

void addOldPolyline(Geometry& g, const AcGeMatrix3d& m, const veld::db::Tags& tags,
                    const std::vector<PolylineVertex>& vertices, const DashPattern* dashes) {
    const int flags = static_cast<int>(firstNumber(tags, 70));
    Geometry drawn;
    Geometry& out = dashes ? drawn : g;
    if (flags & kPolyface) {
        polyface(out, m, vertices);
    } else if (flags & kMesh) {
        mesh(out, m, tags, vertices, flags);
    } else {
        const PolylinePath path = polylinePath(flags, firstNumber(tags, 30), vertices,
                                               {firstNumber(tags, 40), firstNumber(tags, 41)});
        const bool restartAtVertices = dashes && !(flags & kLinetypeGeneration);
        const std::size_t n = path.points.size();
        for (std::size_t i = 0; i + 1 < n || (path.closed && n > 2 && i < n); ++i) {
            const AcGePoint3d& a = path.points[i];
            const AcGePoint3d& b = path.points[(i + 1) % n];
            addBulge(out, m, a, b, path.bulges[i]);
            addWidePiece(out, m, a, b, path.bulges[i], path.widths[i].first, path.widths[i].second);
            if (restartAtVertices) {
                addDashedGeometry(g, drawn, *dashes);
                drawn = Geometry();
            }
        }
    }
    if (dashes) {
        addDashedGeometry(g, drawn, *dashes);
    }
}

} // namespace veld::render
