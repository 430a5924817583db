// Intersections of entities (placeholder until the curve geometry lands).
#include "dbents.h"

Acad::ErrorStatus AcDbEntity::intersectWith(const AcDbEntity*, AcDb::Intersect, AcGePoint3dArray&,
                                            int, int) const {
    return Acad::eNotApplicable;
}
