// The placement of a foundation in the drawing: points of its local frame are turned about the
// local origin around Z by the rotation, then moved by the base point.
#pragma once
#include "acge.h"

class CArxComPlacement {
public:
    // Magnitude beyond which a size, shift or coordinate is not taken as a drawing value: the
    // outlines refuse it, so nothing built from it can overflow.
    static constexpr double kLargestValue = 1.0e12;

    CArxComPlacement(const AcGePoint3d& basePoint, double rotation);
    virtual ~CArxComPlacement();

    // Finite and not larger than kLargestValue in magnitude.
    static bool IsUsableValue(double value);
    // The base point and the rotation are usable values.
    bool IsUsable() const;

    AcGePoint3d Place(const AcGePoint3d& local) const;
    // Every point placed, in order, into a new array.
    AcGePoint3dArray Place(const AcGePoint3dArray& local) const;

private:
    AcGePoint3d basePoint_;
    double rotation_;
    AcGeMatrix3d matrix_;
};
