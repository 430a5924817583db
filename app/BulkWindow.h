// The window of a bulk placement: its four corners as the command builds them from the two
// picked points, and the test that decides which crossings inside it get a foundation.
#pragma once
#include "acge.h"
#include "app/EntityGeometry.h"

class BulkWindow {
public:
    // Points within this distance of a corner, or of an edge, are not inside.
    static constexpr double kPickTolerance = 1.0;

    // Corners in this order: (P2.x, P1.y, 0), P2, (P1.x, P2.y, 0), P1.
    BulkWindow(const AcGePoint3d& first, const AcGePoint3d& opposite);

    const AcGePoint3dArray& corners() const { return corners_; }

    // Whether a foundation goes at `point`: the pick test against the corners reports inside.
    bool contains(const AcGePoint3d& point) const;
    // The points that contains() accepts, in their order, duplicates kept.
    AcGePoint3dArray pointsInside(const AcGePoint3dArray& points) const;

    // An XY box holding every point that contains() can accept, with room to spare; false when
    // no point can be accepted (a window with a coordinate that is not finite).
    bool searchBox(EntityExtents& box) const;

private:
    AcGePoint3dArray corners_;
};
