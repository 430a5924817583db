// Arcs are cut into pieces of at most 5 degrees, which stays smooth on screen at any zoom that
// shows the whole arc; texts keep the alignment rules of single-line text.
#include "host/render/GeometryEmit.h"

#include "host/db/EntityPlane.h"
#include "host/render/TextCodes.h"

#include <cmath>
#include <dbents.h>
#include <optional>

namespace veld::render {

namespace {

constexpr double kArcStep = M_PI / 36.0;

void push(std::vector<double>& v, AcGePoint3d p, const AcGeMatrix3d& m) {
    p.transformBy(m);
    v.push_back(p.x);
    v.push_back(p.y);
}

int arcSteps(double sweep) {
    return std::max(2, static_cast<int>(std::ceil(std::fabs(sweep) / kArcStep)));
}

void arcPoints(Geometry& g, const AcGeMatrix3d& m, const AcGePoint3d& c, double r, double a0,
               double sweep) {
    const int steps = arcSteps(sweep);
    AcGePoint3d prev(c.x + r * std::cos(a0), c.y + r * std::sin(a0), c.z);
    for (int i = 1; i <= steps; ++i) {
        const double a = a0 + sweep * i / steps;
        const AcGePoint3d next(c.x + r * std::cos(a), c.y + r * std::sin(a), c.z);
        addSegment(g, m, prev, next);
        prev = next;
    }
}

// The arc a polyline piece from a to b follows when bowed by `bulge`; none when it is straight.
struct BulgeArc {
    AcGePoint3d centre;
    double radius, a0, sweep;
};

std::optional<BulgeArc> bulgeArc(const AcGePoint3d& a, const AcGePoint3d& b, double bulge) {
    const double chord = std::hypot(b.x - a.x, b.y - a.y);
    if (std::fabs(bulge) < 1e-12 || chord < 1e-12 || !std::isfinite(bulge)) {
        return std::nullopt;
    }
    const double sweep = 4 * std::atan(bulge); // positive: counter-clockwise
    const double radius = chord * (1 + bulge * bulge) / (4 * std::fabs(bulge));
    // The centre lies on the chord's perpendicular bisector, left of a->b for a positive bulge.
    const double offset = chord * (1 - bulge * bulge) / (4 * bulge);
    const double nx = -(b.y - a.y) / chord, ny = (b.x - a.x) / chord;
    const AcGePoint3d centre((a.x + b.x) / 2 + nx * offset, (a.y + b.y) / 2 + ny * offset, a.z);
    return BulgeArc{centre, radius, std::atan2(a.y - centre.y, a.x - centre.x), sweep};
}

// The quadrilateral from the edge a0-a1 to the edge b0-b1, as two triangles.
void band(Geometry& g, const AcGeMatrix3d& m, const AcGePoint3d& a0, const AcGePoint3d& a1,
          const AcGePoint3d& b0, const AcGePoint3d& b1) {
    addTriangle(g, m, a0, a1, b1);
    addTriangle(g, m, a0, b1, b0);
}

// A band along the arc, its width running from w0 to w1, cut as the arc's own line is.
void wideArc(Geometry& g, const AcGeMatrix3d& m, const BulgeArc& arc, double w0, double w1) {
    const int steps = arcSteps(arc.sweep);
    const auto edge = [&](int i, double side) {
        const double angle = arc.a0 + arc.sweep * i / steps;
        const double width = w0 + (w1 - w0) * i / steps;
        const double r = std::max(0.0, arc.radius + side * width / 2);
        return AcGePoint3d(arc.centre.x + r * std::cos(angle), arc.centre.y + r * std::sin(angle),
                           arc.centre.z);
    };
    for (int i = 0; i < steps; ++i) {
        band(g, m, edge(i, -1), edge(i, 1), edge(i + 1, -1), edge(i + 1, 1));
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
    const std::optional<BulgeArc> arc = bulgeArc(a, b, bulge);
    if (!arc) {
        addSegment(g, m, a, b);
        return;
    }
    arcPoints(g, m, arc->centre, arc->radius, arc->a0, arc->sweep);
}

void addWidePiece(Geometry& g, const AcGeMatrix3d& m, const AcGePoint3d& a, const AcGePoint3d& b,
                  double bulge, double startWidth, double endWidth) {
    if (!(startWidth > 0 || endWidth > 0) || !std::isfinite(startWidth + endWidth)) {
        return;
    }
    const std::optional<BulgeArc> arc = bulgeArc(a, b, bulge);
    if (arc) {
        wideArc(g, m, *arc, startWidth, endWidth);
        return;
    }
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    if (length < 1e-12) {
        return;
    }
    const AcGeVector3d across(-(b.y - a.y) / length, (b.x - a.x) / length, 0);
    band(g, m, a - across * (startWidth / 2), a + across * (startWidth / 2),
         b - across * (endWidth / 2), b + across * (endWidth / 2));
}

void addArrowhead(Geometry& g, const AcGeMatrix3d& m, const AcGePoint3d& tip,
                  const AcGePoint3d& from, double size) {
    const double length = tip.distanceTo(from);
    if (!(size > 0) || !std::isfinite(size) || length < 1e-12) {
        return;
    }
    const AcGeVector3d back = (from - tip) * (1.0 / length);
    const AcGeVector3d across = AcGeVector3d(-back.y, back.x, 0) * (size / 6);
    const AcGePoint3d base = tip + back * size;
    addTriangle(g, m, tip, base + across, base - across);
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
