// The drawing's entities as the bulk intersection search sees them: their XY extents, computed
// from their geometry, and their crossings, asked of the host with intersectWith.
#pragma once
#include "app/EntityGeometry.h"
#include "dbmain.h"

#include <vector>

// Holds the entities of an id list that the host can intersect (lines, arcs, circles and
// lightweight polylines: the curves), in list order. Every other entity meets nothing, and an
// entity that cannot be opened is skipped by every pair, so leaving both out changes no result.
class HostEntityGeometry : public EntityGeometry {
public:
    explicit HostEntityGeometry(const AcDbObjectIdArray& ids);
    ~HostEntityGeometry() override;

    int count() const override;
    bool sameEntity(int i, int j) const override;
    bool extents(int i, EntityExtents& out) const override;
    // Opens both for read and asks the first for its crossings with the second, points on both.
    void intersect(int i, int j, AcGePoint3dArray& points) const override;

    // The plain search the bulk placement is defined by: for i from 0, for j from i on, every
    // pair of different ids is opened and intersected (a pair with an entity that cannot be
    // opened is skipped) and the points are appended in the order the host gives them.
    static void collectAllPairs(const AcDbObjectIdArray& ids, AcGePoint3dArray& points);

private:
    struct Item {
        AcDbObjectId id;
        EntityExtents box;
        bool boxKnown = false;
    };
    std::vector<Item> items_;
};
