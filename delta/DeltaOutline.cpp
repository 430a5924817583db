// Geometry of a triangular foundation: both hexagons around a centre, their placement at the
// insertion point, and the feet and shift points its dimension rows measure between.
#include "delta/DeltaOutline.h"

#include "arxcom/CArxComGeo.h"

#include <algorithm>
#include <cmath>

namespace {

// Distance and angle tolerance of the construction geometry.
constexpr double kConstructionTolerance = 1e-5;

// One edge of the hexagon: the look vertices it runs between, its direction from the first to
// the second (used when the two coincide), and the direction its thickening moves it.
struct EdgeLine {
    int from;
    int to;
    double directionDeg;
    double outwardDeg;
};

// Indexed by thickening: F1 bottom, F2 lower-left face, F3 left side, F4 top face, F5 right
// side, F6 lower-right face.
constexpr EdgeLine kEdges[6] = {{0, 5, 0.0, 270.0}, {0, 1, 120.0, 210.0}, {1, 2, 60.0, 150.0},
                                {2, 3, 0.0, 90.0},  {3, 4, 300.0, 30.0},  {4, 5, 240.0, 330.0}};

AcGePoint2d flat(const AcGePoint3d& p) {
    return {p.x, p.y};
}

AcGePoint3d polarDeg(const CArxComGeo& geo, const AcGePoint3d& from, double degrees,
                     double distance) {
    AcGePoint3d to = from;
    geo.GetPolarPoint(from, geo.DegToRad(degrees), distance, to);
    return to;
}

AcGePoint3dArray translated(const AcGePoint3dArray& points, double dx, double dy) {
    AcGePoint3dArray moved;
    for (const AcGePoint3d& p : points) {
        moved.append(AcGePoint3d(p.x + dx, p.y + dy, p.z));
    }
    return moved;
}

// Foot of the perpendicular from `p` on `line`, with Z = 0.
AcGePoint3d footOn(const CArxComGeo& geo, const CArxComLineCoefficients& line,
                   const AcGePoint3d& p) {
    AcGePoint2d foot;
    double distance = 0.0;
    geo.GetPerpendicularFoot(flat(p), line, foot, distance);
    return {foot.x, foot.y, 0.0};
}

bool isFinite(const AcGePoint3d& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

bool allFiniteIn(const AcGePoint3dArray& points) {
    return std::all_of(points.begin(), points.end(), isFinite);
}

} // namespace

DeltaOutline::DeltaOutline(const DeltaSizes& sizes, const AcGePoint3d& basePoint, double rotation)
    : sizes_(sizes), placement_(basePoint, rotation) {
    sizes_.surface = std::max(sizes_.surface, 0.0);
    drawable_ = inputUsable(sizes) && build() && allFinite();
    if (!drawable_) {
        heightOfOuter_ = 0.0;
        look_.removeAll();
        outer_.removeAll();
    }
}

bool DeltaOutline::inputUsable(const DeltaSizes& sizes) const {
    const double values[] = {sizes.bottom, sizes.surface, sizes.height, sizes.shiftX1,
                             sizes.shiftY1};
    const auto usable = [](double v) { return CArxComPlacement::IsUsableValue(v); };
    return placement_.IsUsable() && std::all_of(std::begin(values), std::end(values), usable) &&
           std::all_of(sizes.thickening.begin(), sizes.thickening.end(), usable) &&
           sizes.bottom >= kMinimumBottom;
}

AcGePoint3dArray DeltaOutline::lookAround(const AcGePoint3d& centre) const {
    if (!drawable_) {
        return {};
    }
    return computeLook(centre);
}

AcGePoint3dArray DeltaOutline::computeLook(const AcGePoint3d& centre) const {
    CArxComGeo geo;
    const double b = sizes_.bottom;
    const double f = sizes_.surface;
    const double bottomY = centre.y - sizes_.height / 2.0;
    AcGePoint3dArray o;
    o.append(AcGePoint3d(centre.x - b / 2.0, bottomY, 0.0));
    o.append(polarDeg(geo, o[0], 120.0, f));
    o.append(polarDeg(geo, o[1], 60.0, b));
    o.append(polarDeg(geo, o[2], 0.0, f));
    o.append(polarDeg(geo, o[3], 300.0, b));
    o.append(AcGePoint3d(centre.x + b / 2.0, bottomY, 0.0));
    return o;
}

AcGePoint3dArray DeltaOutline::outerAround(const AcGePoint3d& centre) const {
    AcGePoint3dArray v;
    if (drawable_) {
        computeOuter(centre, v);
    }
    return v;
}

bool DeltaOutline::computeOuter(const AcGePoint3d& centre, AcGePoint3dArray& v) const {
    CArxComGeo geo;
    const AcGePoint3dArray o = computeLook(centre);
    AcGePoint2d first[6];
    AcGePoint2d second[6];
    for (int k = 0; k < 6; ++k) {
        const EdgeLine& edge = kEdges[k];
        AcGePoint3d p = o[edge.from];
        AcGePoint3d q = o[edge.to];
        // A face of length 0 still has its direction: take a second point along it.
        if (geo.GetDistance(p, q) < kConstructionTolerance) {
            q = polarDeg(geo, p, edge.directionDeg, sizes_.bottom);
        }
        const double thickening = sizes_.thickening[static_cast<size_t>(k)];
        if (thickening > 0.0) {
            p = polarDeg(geo, p, edge.outwardDeg, thickening);
            q = polarDeg(geo, q, edge.outwardDeg, thickening);
        }
        first[k] = flat(p);
        second[k] = flat(q);
    }
    v.removeAll();
    for (int k = 0; k < 6; ++k) {
        const int n = (k + 1) % 6;
        AcGePoint2d corner;
        if (geo.IntersectSegments(first[k], second[k], first[n], second[n], kConstructionTolerance,
                                  kConstructionTolerance, corner) != CArxComGeo::kCrossing) {
            return false;
        }
        v.append(AcGePoint3d(corner.x, corner.y, 0.0));
    }
    return true;
}

bool DeltaOutline::build() {
    const AcGePoint3dArray lookLocal = computeLook(AcGePoint3d::kOrigin);
    AcGePoint3dArray outerLocal;
    if (!computeOuter(AcGePoint3d::kOrigin, outerLocal)) {
        return false;
    }
    const double dx = sizes_.bottom / 2.0 - sizes_.shiftX1;
    const double dy = sizes_.height / 2.0 - sizes_.shiftY1;
    look_ = placement_.Place(translated(lookLocal, dx, dy));
    return placeOuter(outerLocal, lookLocal) && prepareDimensions();
}

// Positions the outer outline as if its bottom edge were centred on the local origin and V0 lay
// left of the foot G of O0 on that edge.
bool DeltaOutline::placeOuter(const AcGePoint3dArray& v, const AcGePoint3dArray& o) {
    CArxComGeo geo;
    const double width = geo.GetDistance(v[0], v[5]);
    CArxComLineCoefficients bottom;
    if (geo.GetLineCoefficients(flat(v[0]), flat(v[5]), kConstructionTolerance, bottom) != 0) {
        return false;
    }
    AcGePoint2d foot;
    if (geo.GetPerpendicularFoot(flat(v[3]), bottom, foot, heightOfOuter_) != 0) {
        return false;
    }
    double unused = 0.0;
    AcGePoint2d g;
    if (geo.GetPerpendicularFoot(flat(o[0]), bottom, g, unused) != 0) {
        return false;
    }
    const double d2 = geo.GetDistance(flat(v[0]), g);
    const double dx = width / 2.0 - (d2 + sizes_.shiftX1);
    const double dy = heightOfOuter_ / 2.0 - (sizes_.thickening[0] + sizes_.shiftY1);
    outer_ = placement_.Place(translated(v, dx, dy));
    return true;
}

bool DeltaOutline::prepareDimensions() {
    CArxComGeo geo;
    const AcGePoint3dArray& t = outer_;
    const AcGePoint3dArray& p = look_;
    const double theta = geo.GetDirectionAngle(t[0], t[5]);
    const double up = theta + geo.DegToRad(90.0);
    CArxComLineCoefficients bottom;
    if (geo.GetLineCoefficients(flat(t[0]), flat(t[5]), kConstructionTolerance, bottom) != 0) {
        return false;
    }
    dims_.a = footOn(geo, bottom, p[0]);
    dims_.c = footOn(geo, bottom, p[5]);
    AcGePoint3d rightTop = t[5];
    geo.GetPolarPoint(t[5], up, heightOfOuter_, rightTop);
    CArxComLineCoefficients right;
    if (geo.GetLineCoefficients(flat(t[5]), flat(rightTop), kConstructionTolerance, right) != 0) {
        return false;
    }
    dims_.aRight = footOn(geo, right, p[5]);
    dims_.cRight = footOn(geo, right, p[3]);
    dims_.e = footOn(geo, right, t[3]);
    dims_.r = dims_.a;
    geo.GetPolarPoint(dims_.a, theta, sizes_.shiftX1, dims_.r);
    dims_.rRight = t[5];
    geo.GetPolarPoint(t[5], up, sizes_.shiftY1, dims_.rRight);
    return true;
}

bool DeltaOutline::allFinite() const {
    const AcGePoint3d points[] = {dims_.a, dims_.c, dims_.aRight, dims_.cRight,
                                  dims_.e, dims_.r, dims_.rRight};
    return std::isfinite(heightOfOuter_) && allFiniteIn(look_) && allFiniteIn(outer_) &&
           std::all_of(std::begin(points), std::end(points), isFinite);
}

std::vector<CArxComDimensionRow>
DeltaOutline::dimensionRows(const CArxComDimensionTiers& tiers) const {
    std::vector<CArxComDimensionRow> rows;
    if (!drawable_) {
        return rows;
    }
    const auto add = [&](int number, const AcGePoint3d& first, const AcGePoint3d& second,
                         int tier) {
        rows.push_back({number, first, second, tiers.GetOffset(tier)});
    };
    const auto& f = sizes_.thickening;
    const AcGePoint3d& t0 = outer_[0];
    const AcGePoint3d& t5 = outer_[5];
    const DimensionPoints& d = dims_;

    const bool bottomThickened = f[0] > 0.0 || f[1] > 0.0 || f[5] > 0.0;
    if (bottomThickened && f[1] == 0.0) {
        add(1, t0, d.a, 1);
    } else if (bottomThickened && f[1] > 0.0) {
        add(1, d.a, t0, 1);
    }
    if (bottomThickened) {
        add(2, d.c, d.a, 1);
    }
    if (bottomThickened && f[5] == 0.0) {
        add(3, d.c, t5, 1);
    } else if (bottomThickened && f[5] > 0.0) {
        add(3, t5, d.c, 1);
    }
    add(4, d.r, d.a, 2);
    add(5, d.c, d.r, 2);
    add(6, t5, t0, 3);

    if (f[0] > 0.0) {
        add(7, d.aRight, t5, 1);
    }
    if (f[0] > 0.0 || f[3] > 0.0) {
        add(8, d.cRight, d.aRight, 1);
    }
    if (f[3] > 0.0) {
        add(9, d.e, d.cRight, 1);
    }
    add(10, d.rRight, t5, 2);
    add(11, d.e, d.rRight, 2);
    add(12, d.e, t5, 3);
    return rows;
}
