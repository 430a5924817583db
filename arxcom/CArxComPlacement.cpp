// Placement of foundation outlines: rotation about the local origin, then a move to the base
// point (a coordinate system at the base point with the world axes).
#include "arxcom/CArxComPlacement.h"

#include <cmath>

CArxComPlacement::CArxComPlacement(const AcGePoint3d& basePoint, double rotation)
    : basePoint_(basePoint), rotation_(rotation) {
    AcGeMatrix3d toWorld;
    toWorld.setCoordSystem(basePoint_, AcGeVector3d::kXAxis, AcGeVector3d::kYAxis,
                           AcGeVector3d::kZAxis);
    matrix_ = toWorld * AcGeMatrix3d::rotation(rotation_, AcGeVector3d::kZAxis);
}

CArxComPlacement::~CArxComPlacement() = default;

bool CArxComPlacement::IsUsableValue(double value) {
    return std::isfinite(value) && std::fabs(value) <= kLargestValue;
}

bool CArxComPlacement::IsUsable() const {
    return IsUsableValue(basePoint_.x) && IsUsableValue(basePoint_.y) &&
           IsUsableValue(basePoint_.z) && IsUsableValue(rotation_);
}

AcGePoint3d CArxComPlacement::Place(const AcGePoint3d& local) const {
    AcGePoint3d world = local;
    return world.transformBy(matrix_);
}

AcGePoint3dArray CArxComPlacement::Place(const AcGePoint3dArray& local) const {
    AcGePoint3dArray world;
    world.reserve(local.length());
    for (const AcGePoint3d& p : local) {
        world.append(Place(p));
    }
    return world;
}
