// The boundary is read into plain segments (direction does not matter for the even-odd rule).
// The fill is cut into horizontal slabs at every vertex height; inside a slab the crossing
// edges pair up into trapezoids. Pattern lines are intersected with the same segments and the
// inside stretches dashed from the family's origin. Work is bounded: a hatch whose pattern would
// need more lines than a screen can show is left out rather than stalling the session.
#include "host/render/HatchDisplay.h"

#include "host/render/CurveFlatten.h"
#include "host/render/GeometryEmit.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace veld::render {

namespace {

constexpr std::size_t kMaxFillWork = 20'000'000;    // slabs x edges
constexpr std::size_t kMaxPatternWork = 20'000'000; // lines x edges
constexpr double kDegrees = M_PI / 180.0;

struct Segment {
    AcGePoint3d a, b;
};
using Segments = std::vector<Segment>;

void addPolyline(const Points& points, Segments& out) {
    for (std::size_t i = 1; i < points.size(); ++i) {
        out.push_back({points[i - 1], points[i]});
    }
}

// A bulged piece of a polyline path as points (a straight one when the bulge is 0).
void bulgePoints(const AcGePoint3d& a, const AcGePoint3d& b, double bulge, Points& out) {
    const double chord = a.distanceTo(b);
    if (std::fabs(bulge) < 1e-9 || chord < 1e-12) {
        out.push_back(b);
        return;
    }
    const double angle = 4 * std::atan(bulge);
    const double radius = chord / (2 * std::sin(std::fabs(angle) / 2));
    const double toCentre = radius * std::cos(std::fabs(angle) / 2);
    const AcGeVector3d along = (b - a) * (1.0 / chord);
    const AcGeVector3d left(-along.y, along.x, 0);
    const AcGePoint3d centre = a + (b - a) * 0.5 + left * (bulge > 0 ? toCentre : -toCentre);
    const double start = std::atan2(a.y - centre.y, a.x - centre.x);
    const int steps = std::max(2, static_cast<int>(std::ceil(std::fabs(angle) / (M_PI / 36))));
    for (int i = 1; i <= steps; ++i) {
        const double t = start + angle * i / steps;
        out.push_back({centre.x + radius * std::cos(t), centre.y + radius * std::sin(t), 0});
    }
}

void polylinePath(TagCursor& c, Segments& out) {
    const bool bulges = c.integer(72) != 0;
    c.integer(73); // closed: the last vertex is joined to the first anyway
    const int count = c.integer(93);
    std::vector<std::pair<AcGePoint3d, double>> vertices;
    for (int i = 0; i < count && !c.done(); ++i) {
        const AcGePoint3d p = c.point2d(10);
        vertices.emplace_back(p, bulges ? c.number(42) : 0.0);
    }
    Points points;
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        const auto& [p, bulge] = vertices[i];
        if (points.empty()) {
            points.push_back(p);
        }
        bulgePoints(p, vertices[(i + 1) % vertices.size()].first, bulge, points);
    }
    addPolyline(points, out);
}

// Arcs and elliptic arcs drawn clockwise keep their angles mirrored: the same points run the
// other way round.
void arcEdge(TagCursor& c, bool elliptic, Segments& out) {
    const AcGePoint3d centre = c.point2d(10);
    AcGeVector3d major(c.number(40), 0, 0);
    double ratio = 1.0;
    if (elliptic) {
        major = c.point2d(11).asVector();
        ratio = c.number(40, 1.0);
    }
    double a0 = c.number(50) * kDegrees, a1 = c.number(51) * kDegrees;
    if (c.integer(73, 1) == 0) {
        std::tie(a0, a1) = std::make_pair(-a1, -a0);
    }
    const AcGeVector3d minor = AcGeVector3d(-major.y, major.x, 0) * ratio;
    Points points;
    if (std::fabs(a1 - a0) >= 2 * M_PI - 1e-9) {
        a1 = a0; // a full turn
    }
    ellipsePoints(centre, major, minor, a0, a1, points);
    addPolyline(points, out);
}

void splineEdge(TagCursor& c, Segments& out) {
    const int degree = c.integer(94, 3);
    const bool rational = c.integer(73) != 0;
    c.integer(74);
    const int knotCount = c.integer(95), controlCount = c.integer(96);
    std::vector<double> knots, weights;
    Points controls, fits;
    for (int i = 0; i < knotCount && c.at(40); ++i) {
        knots.push_back(c.number(40));
    }
    for (int i = 0; i < controlCount && c.at(10); ++i) {
        controls.push_back(c.point2d(10));
        if (rational || c.at(42)) {
            weights.push_back(c.number(42, 1.0));
        }
    }
    const int fitCount = c.integer(97);
    for (int i = 0; i < fitCount && c.at(11); ++i) {
        fits.push_back(c.point2d(11));
    }
    Points points;
    if (!splinePoints(degree, knots, controls, weights, points)) {
        points = fits.size() >= 2 ? fits : controls;
    }
    addPolyline(points, out);
}

void edgePath(TagCursor& c, Segments& out) {
    const int count = c.integer(93);
    for (int i = 0; i < count && c.at(72); ++i) {
        switch (c.integer(72)) {
        case 1: {
            const AcGePoint3d a = c.point2d(10);
            out.push_back({a, c.point2d(11)});
            break;
        }
        case 2:
            arcEdge(c, false, out);
            break;
        case 3:
            arcEdge(c, true, out);
            break;
        case 4:
            splineEdge(c, out);
            break;
        default:
            return;
        }
    }
}

Segments boundary(TagCursor& c, int paths) {
    Segments out;
    for (int i = 0; i < paths && c.seek(92); ++i) {
        const int flags = c.integer(92);
        if ((flags & 2) != 0) {
            polylinePath(c, out);
        } else {
            edgePath(c, out);
        }
    }
    return out;
}

void fill(Geometry& g, const AcGeMatrix3d& m, const Segments& edges) {
    std::vector<double> ys;
    for (const Segment& s : edges) {
        ys.push_back(s.a.y);
        ys.push_back(s.b.y);
    }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    if (ys.size() * edges.size() > kMaxFillWork) {
        return;
    }
    std::vector<std::pair<double, double>> crossings; // x at the slab's bottom and top
    for (std::size_t k = 1; k < ys.size(); ++k) {
        const double y0 = ys[k - 1], y1 = ys[k];
        crossings.clear();
        for (const Segment& s : edges) {
            const double lo = std::min(s.a.y, s.b.y), hi = std::max(s.a.y, s.b.y);
            if (lo > y0 || hi < y1 || hi == lo) {
                continue;
            }
            const auto xAt = [&s](double y) {
                return s.a.x + (s.b.x - s.a.x) * (y - s.a.y) / (s.b.y - s.a.y);
            };
            crossings.emplace_back(xAt(y0), xAt(y1));
        }
        std::sort(crossings.begin(), crossings.end(), [](const auto& p, const auto& q) {
            return p.first + p.second < q.first + q.second;
        });
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            const auto& [l0, l1] = crossings[i];
            const auto& [r0, r1] = crossings[i + 1];
            addTriangle(g, m, {l0, y0, 0}, {r0, y0, 0}, {r1, y1, 0});
            addTriangle(g, m, {l0, y0, 0}, {r1, y1, 0}, {l1, y1, 0});
        }
    }
}

struct Family {
    double angle = 0;
    AcGePoint3d base;
    AcGeVector3d offset;
    std::vector<double> dashes;
};

std::vector<Family> families(TagCursor& c) {
    std::vector<Family> out;
    if (!c.seek(78)) {
        return out;
    }
    const int count = c.integer(78);
    for (int i = 0; i < count && c.at(53); ++i) {
        Family f;
        f.angle = c.number(53) * kDegrees;
        f.base.x = c.number(43);
        f.base.y = c.number(44);
        f.offset.x = c.number(45);
        f.offset.y = c.number(46);
        const int dashes = c.integer(79);
        for (int k = 0; k < dashes && c.at(49); ++k) {
            f.dashes.push_back(c.number(49));
        }
        out.push_back(std::move(f));
    }
    return out;
}

// Where a line of the family (origin o, direction d, normal n) runs inside the boundary.
std::vector<double> insideStretches(const Segments& edges, const AcGePoint3d& o,
                                    const AcGeVector3d& d, const AcGeVector3d& n) {
    std::vector<double> ts;
    for (const Segment& s : edges) {
        const double da = (s.a - o).dotProduct(n), db = (s.b - o).dotProduct(n);
        if ((da > 0) != (db > 0)) {
            const AcGePoint3d hit = s.a + (s.b - s.a) * (da / (da - db));
            ts.push_back((hit - o).dotProduct(d));
        }
    }
    std::sort(ts.begin(), ts.end());
    return ts;
}

void dashed(Geometry& g, const AcGeMatrix3d& m, const Family& f, const AcGePoint3d& o,
            const AcGeVector3d& d, double t0, double t1) {
    const auto at = [&](double t) { return o + d * t; };
    double period = 0;
    for (double dash : f.dashes) {
        period += std::fabs(dash);
    }
    if (f.dashes.empty() || period < 1e-12 || (t1 - t0) / period > 10000) {
        addSegment(g, m, at(t0), at(t1));
        return;
    }
    for (double start = std::floor(t0 / period) * period; start < t1;) {
        for (double dash : f.dashes) {
            const double end = start + std::fabs(dash);
            if (dash > 0 && end > t0 && start < t1) {
                addSegment(g, m, at(std::max(start, t0)), at(std::min(end, t1)));
            } else if (dash == 0 && start >= t0 && start <= t1) {
                addPoint(g, m, at(start));
            }
            start = end;
        }
    }
}

void pattern(Geometry& g, const AcGeMatrix3d& m, const Segments& edges,
             const std::vector<Family>& list) {
    for (const Family& f : list) {
        const AcGeVector3d d(std::cos(f.angle), std::sin(f.angle), 0), n(-d.y, d.x, 0);
        const double spacing = f.offset.dotProduct(n);
        if (std::fabs(spacing) < 1e-9) {
            continue;
        }
        double lo = 1e300, hi = -1e300;
        for (const Segment& s : edges) {
            for (const AcGePoint3d& p : {s.a, s.b}) {
                const double k = (p - f.base).dotProduct(n) / spacing;
                lo = std::min(lo, k);
                hi = std::max(hi, k);
            }
        }
        if ((hi - lo) * static_cast<double>(edges.size()) > kMaxPatternWork) {
            return;
        }
        for (long long k = static_cast<long long>(std::ceil(lo)); k <= std::floor(hi); ++k) {
            const AcGePoint3d o = f.base + f.offset * static_cast<double>(k);
            const std::vector<double> ts = insideStretches(edges, o, d, n);
            for (std::size_t i = 0; i + 1 < ts.size(); i += 2) {
                dashed(g, m, f, o, d, ts[i], ts[i + 1]);
            }
        }
    }
}

} // namespace

void addHatch(Geometry& g, const AcGeMatrix3d& m, const veld::db::Tags& tags) {
    TagCursor c(tags);
    if (!c.seek(70)) {
        return;
    }
    const bool solid = c.integer(70) != 0;
    if (!c.seek(91)) {
        return;
    }
    const Segments edges = boundary(c, c.integer(91));
    if (edges.empty()) {
        return;
    }
    if (solid) {
        fill(g, m, edges);
    } else {
        pattern(g, m, edges, families(c));
    }
}

} // namespace veld::render
