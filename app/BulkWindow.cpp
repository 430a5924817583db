// The window of a bulk placement and its inside test.
#include "app/BulkWindow.h"

#include "arxcom/CArxComGeo.h"

#include <algorithm>
#include <cmath>

BulkWindow::BulkWindow(const AcGePoint3d& first, const AcGePoint3d& opposite) {
    corners_.append(AcGePoint3d(opposite.x, first.y, 0.0));
    corners_.append(opposite);
    corners_.append(AcGePoint3d(first.x, opposite.y, 0.0));
    corners_.append(first);
}

bool BulkWindow::contains(const AcGePoint3d& point) const {
    return CArxComGeo().ClassifyPointInPolygon(point, corners_, kPickTolerance) ==
           CArxComGeo::kInside;
}

AcGePoint3dArray BulkWindow::pointsInside(const AcGePoint3dArray& points) const {
    AcGePoint3dArray inside;
    for (const AcGePoint3d& p : points) {
        if (contains(p)) {
            inside.append(p);
        }
    }
    return inside;
}

// The pick test accepts only points whose winding sum is a full turn, which lie inside the
// corners' box; the box is grown by the pick tolerance and a relative part as a safety margin
// against rounding, so that it is certainly a superset.
bool BulkWindow::searchBox(EntityExtents& box) const {
    box = {corners_[0].x, corners_[0].y, corners_[0].x, corners_[0].y};
    double largest = 0.0;
    for (const AcGePoint3d& c : corners_) {
        if (!std::isfinite(c.x) || !std::isfinite(c.y)) {
            return false;
        }
        box.minX = std::min(box.minX, c.x);
        box.minY = std::min(box.minY, c.y);
        box.maxX = std::max(box.maxX, c.x);
        box.maxY = std::max(box.maxY, c.y);
        largest = std::max({largest, std::fabs(c.x), std::fabs(c.y)});
    }
    const double grow = kPickTolerance + largest * 1e-9;
    box = {box.minX - grow, box.minY - grow, box.maxX + grow, box.maxY + grow};
    return true;
}
