// The shape of an entity as selection sees it, in the XY plane: segments (curves as short
// chords) and single points. Picks measure the distance to it; windows test whether it lies
// fully inside, crossings whether any of it is inside.
#pragma once
#include "dbmain.h"

#include <utility>
#include <vector>

namespace veld::ed {

struct Outline {
    std::vector<std::pair<AcGePoint2d, AcGePoint2d>> segments;
    std::vector<AcGePoint2d> points;
    bool empty() const { return segments.empty() && points.empty(); }
};

// An axis-parallel rectangle from two corners in any order.
struct Rectangle {
    AcGePoint2d min, max;
    Rectangle(const AcGePoint2d& a, const AcGePoint2d& b);
    bool contains(const AcGePoint2d& p) const;
};

class EntityGeometry {
public:
    // The outline of an entity (opened for read and closed again); empty when the entity
    // cannot be opened or has no shape selection knows.
    static Outline outline(AcDbObjectId id);
    static double distance(const Outline& outline, const AcGePoint2d& p);
    static bool inside(const Outline& outline, const Rectangle& window);
    static bool touches(const Outline& outline, const Rectangle& crossing);

private:
    static void addEntity(const AcDbEntity* entity, const AcGeMatrix3d& toWorld, int depth,
                          Outline& out);
    static void addBlock(AcDbObjectId blockId, const AcGeMatrix3d& toWorld, int depth,
                         Outline& out);
};

} // namespace veld::ed
