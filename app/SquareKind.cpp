// The square's default label point.
#include "app/SquareKind.h"

#include "app/DefaultSymbolPoint.h"
#include "crt.h"

AcGePoint3d SquareKind::defaultSymbolPoint(const AcGePoint3d& base,
                                           const FoundationSettings& settings) const {
    const double dx = veldAtof(settings.GetShiftX2().c_str()) + 500.0;
    const double dy = veldAtof(settings.GetShiftY1().c_str()) + 500.0;
    return DefaultSymbolPoint(base, dx, dy);
}
