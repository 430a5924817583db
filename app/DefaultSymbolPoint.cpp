// The default symbol point of a redrawn foundation, walked with the toolkit's polar points.
#include "app/DefaultSymbolPoint.h"

#include "arxcom/CArxComGeo.h"

AcGePoint3d DefaultSymbolPoint(const AcGePoint3d& base, double right, double down) {
    constexpr double kDownward = 4.71238898038469; // 3 pi / 2
    const CArxComGeo geo;
    AcGePoint3d beside;
    geo.GetPolarPoint(base, 0.0, right, beside);
    AcGePoint3d position;
    geo.GetPolarPoint(beside, kDownward, down, position);
    return position;
}
