// Geometry of a square foundation: both rectangles from the rectangle reference points, moved
// to their centres and placed, and the rows of its dimensions along the right side and bottom.
#include "square/SquareOutline.h"

#include "arxcom/CArxComBlock.h"
#include "arxcom/CArxComGeo.h"

#include <algorithm>
#include <cmath>

namespace {

bool isFinite(const AcGePoint3d& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

// A thickening counts for the dimensions by its integer part, truncated toward zero.
bool integerPartNonZero(double value) {
    return std::trunc(value) != 0.0;
}

bool integerPartPositive(double value) {
    return std::trunc(value) > 0.0;
}

} // namespace

SquareOutline::SquareOutline(const SquareSizes& sizes, const AcGePoint3d& basePoint,
                             double rotation)
    : sizes_(sizes), placement_(basePoint, rotation) {
    computeLocalFrame();
    if (inputUsable()) {
        body_ = placedRectangle(sizes_.sizeX, sizes_.sizeY, bodyCentre_);
        outer_ = placedRectangle(outerWidth_, outerDepth_, outerCentre_);
        drawable_ = allFinite();
    }
    if (!drawable_) {
        bodyCentre_ = outerCentre_ = AcGePoint3d::kOrigin;
        outerWidth_ = outerDepth_ = 0.0;
        body_.removeAll();
        outer_.removeAll();
    }
}

bool SquareOutline::inputUsable() const {
    const double values[] = {sizes_.sizeX, sizes_.sizeY, sizes_.shiftX1, sizes_.shiftY1};
    const auto usable = [](double v) { return CArxComPlacement::IsUsableValue(v); };
    return placement_.IsUsable() && std::all_of(std::begin(values), std::end(values), usable) &&
           std::all_of(sizes_.thickening.begin(), sizes_.thickening.end(), usable) &&
           sizes_.sizeX >= kMinimumSize && sizes_.sizeY >= kMinimumSize &&
           outerWidth_ >= kMinimumSize && outerDepth_ >= kMinimumSize;
}

// Body centre (X/2 - R1, Y/2 - R3); the outer rectangle is the body with F1 added on the left,
// F2 on the right, F3 on the top and F4 on the bottom.
void SquareOutline::computeLocalFrame() {
    const auto& f = sizes_.thickening;
    bodyCentre_.set(sizes_.sizeX / 2.0 - sizes_.shiftX1, sizes_.sizeY / 2.0 - sizes_.shiftY1, 0.0);
    outerCentre_.set(sizes_.sizeX / 2.0 - (f[0] / 2.0 - f[1] / 2.0 + sizes_.shiftX1),
                     sizes_.sizeY / 2.0 - (f[3] / 2.0 - f[2] / 2.0 + sizes_.shiftY1), 0.0);
    outerWidth_ = sizes_.sizeX + f[0] + f[1];
    outerDepth_ = sizes_.sizeY + f[2] + f[3];
}

AcGePoint3dArray SquareOutline::placedRectangle(double width, double depth,
                                                const AcGePoint3d& centre) const {
    AcGePoint3dArray points;
    CArxComBlock().GetRectanglePoints(width, depth, points);
    for (AcGePoint3d& p : points) {
        p.x += centre.x;
        p.y += centre.y;
    }
    return placement_.Place(points);
}

bool SquareOutline::allFinite() const {
    return std::all_of(body_.begin(), body_.end(), isFinite) &&
           std::all_of(outer_.begin(), outer_.end(), isFinite);
}

AcGePoint3dArray SquareOutline::lookCorners() const {
    AcGePoint3dArray corners;
    if (drawable_) {
        for (int k : {1, 3, 5, 7}) {
            corners.append(body_[k]);
        }
    }
    return corners;
}

std::vector<CArxComDimensionRow>
SquareOutline::dimensionRows(const CArxComDimensionTiers& tiers) const {
    std::vector<CArxComDimensionRow> rows;
    if (!drawable_) {
        return rows;
    }
    CArxComGeo geo;
    const AcGePoint3dArray& l = outer_;
    const double u = geo.GetDirectionAngle(l[1], l[3]); // right side, downward
    const double v = geo.GetDirectionAngle(l[3], l[5]); // bottom side, leftward
    const auto moved = [&geo](const AcGePoint3d& p, double angle, double distance) {
        AcGePoint3d q = p;
        geo.GetPolarPoint(p, angle, distance, q);
        return q;
    };
    const auto add = [&](int number, const AcGePoint3d& first, const AcGePoint3d& second,
                         int tier) {
        rows.push_back({number, first, second, tiers.GetOffset(tier)});
    };
    const auto& f = sizes_.thickening;
    const AcGePoint3d& centre = outerCentre_;

    const AcGePoint3d bodyTop = moved(l[1], u, f[2]);
    const AcGePoint3d bodyBottom = moved(l[3], u, -f[3]);
    const AcGePoint3d baseLevel = moved(l[2], u, centre.y);
    add(1, l[1], l[3], 3);
    if (integerPartNonZero(f[2]) || integerPartNonZero(f[3])) {
        add(2, bodyTop, bodyBottom, 1);
    }
    add(3, bodyTop, baseLevel, 2);
    add(4, baseLevel, bodyBottom, 2);
    if (integerPartPositive(f[2])) {
        add(5, l[1], bodyTop, 1);
    }
    if (integerPartPositive(f[3])) {
        add(6, bodyBottom, l[3], 1);
    }

    const AcGePoint3d bodyRight = moved(l[3], v, f[1]);
    const AcGePoint3d bodyLeft = moved(l[5], v, -f[0]);
    const AcGePoint3d baseColumn = moved(l[4], v, centre.x);
    add(7, l[3], l[5], 3);
    if (integerPartNonZero(f[0]) || integerPartNonZero(f[1])) {
        add(8, bodyRight, bodyLeft, 1);
    }
    add(9, bodyRight, baseColumn, 2);
    add(10, baseColumn, bodyLeft, 2);
    if (integerPartPositive(f[1])) {
        add(11, l[3], bodyRight, 1);
    }
    if (integerPartPositive(f[0])) {
        add(12, bodyLeft, l[5], 1);
    }
    return rows;
}
