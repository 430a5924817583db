// Arcs are cut into pieces of at most 5 degrees, which stays smooth on screen at any zoom that
// shows the whole arc; texts keep the alignment rules of single-line text.
#include "host/render/GeometryEmit.h"

#include "host/db/EntityPlane.h"
#include "host/render/TextCodes.h"

#include <cmath>
#include <dbents.h>

namespace veld::render {

namespace {

constexpr double kArcStep = M_PI / 36.0;

void push(std::vector<double>& v, AcGePoint3d p, const AcGeMatrix3d& m) {
    p.transformBy(m);
    v.push_back(p.x);
    v.push_back(p.y);
}

void arcPoints(Geometry& g, const AcGeMatrix3d& m, const AcGePoint3d& c, double r, double a0,
               double sweep) {
    const int steps = std::max(2, static_cast<int>(std::ceil(std::fabs(sweep) / kArcStep)));
    AcGePoint3d prev(c.x + r * std::cos(a0), c.y + r * std::sin(a0), c.z);
    for (int i = 1; i <= steps; ++i) {
        const double a = a0 + sweep * i / steps;
        const AcGePoint3d next(c.x + r * std::cos(a), c.y + r * std::sin(a), c.z);
        addSegment(g, m, prev, next);
        prev = next;
    }
}

} // namespace

double scaleOf(const AcGeMatrix3d& m) {
    return std::hypot(m.entry[0][0], m.entry[1][0]);
}

double angleOf(const AcGeMatrix3d& m) {
    return std::atan2(m.entry[1][0], m.entry[0][0]);
}

void addSegment(Geometry& g, const AcGeMatrix3d& m, AcGePoint3d a, AcGePoint3d b) {
    push(g.lines, a, m);
    push(g.lines, b, m);
}

void addArc(Geometry& g, const AcGeMatrix3d& m, const AcGePoint3d& centre, double radius, double a0,
            double a1) {
    if (!(radius > 0) || !std::isfinite(radius)) {
        return;
    }
    double sweep = std::fmod(a1 - a0, 2 * M_PI);
    if (sweep <= 1e-12) {
        sweep += 2 * M_PI;
    }
    arcPoints(g, m, centre, radius, a0, sweep);
}

void addBulge(Geometry& g, const AcGeMatrix3d& m, const AcGePoint3d& a, const AcGePoint3d& b,
              double bulge) {
    const double chord = std::hypot(b.x - a.x, b.y - a.y);
    if (std::fabs(bulge) < 1e-12 || chord < 1e-12 || !std::isfinite(bulge)) {
        addSegment(g, m, a, b);
        return;
    }
    const double sweep = 4 * std::atan(bulge); // positive: counter-clockwise
    const double radius = chord * (1 + bulge * bulge) / (4 * std::fabs(bulge));
    // The centre lies on the chord's perpendicular bisector, left of a->b for a positive bulge.
    const double offset = chord * (1 - bulge * bulge) / (4 * bulge);
    const double nx = -(b.y - a.y) / chord, ny = (b.x - a.x) / chord;
    const AcGePoint3d centre((a.x + b.x) / 2 + nx * offset, (a.y + b.y) / 2 + ny * offset, a.z);
    const double a0 = std::atan2(a.y - centre.y, a.x - centre.x);
    arcPoints(g, m, centre, radius, a0, sweep);
}

void addTriangle(Geometry& g, const AcGeMatrix3d& m, AcGePoint3d a, AcGePoint3d b, AcGePoint3d c) {
    push(g.triangles, a, m);
    push(g.triangles, b, m);
    push(g.triangles, c, m);
}

void addPoint(Geometry& g, const AcGeMatrix3d& m, AcGePoint3d p) {
    push(g.points, p, m);
}

TextItem textItemOf(const AcDbText& t, const AcGeMatrix3d& m) {
    TextItem out;
    const auto h = t.horizontalMode();
    const auto v = t.verticalMode();
    // Left, aligned and fit on the baseline anchor at the position; others at the alignment
    // point.
    const bool usePosition =
        (h == AcDb::kTextLeft && v == AcDb::kTextBase) ||
        ((h == AcDb::kTextAlign || h == AcDb::kTextFit) && v == AcDb::kTextBase);
    AcGePoint3d p = veld::db::toPlaneOf(t, usePosition ? t.position() : t.alignmentPoint());
    p.transformBy(m);
    out.x = p.x;
    out.y = p.y;
    out.height = t.height() * scaleOf(m);
    out.rotation = t.rotation() + angleOf(m);
    out.widthFactor = t.widthFactor() > 0 ? t.widthFactor() : 1.0;
    out.anchor = h == AcDb::kTextCenter || h == AcDb::kTextMid ? 1 : h == AcDb::kTextRight ? 2 : 0;
    if (h == AcDb::kTextMid) {
        out.baseline = 2;
    } else if (!usePosition) {
        out.baseline = static_cast<std::uint8_t>(v);
    }
    DecodedText decoded = decodeTextCodes(t.textString());
    out.text = std::move(decoded.text);
    out.underline = decoded.underline;
    out.overline = decoded.overline;
    return out;
}

} // namespace veld::render
