// The triangle's default symbol point.
#include "app/DeltaKind.h"

#include "app/DefaultSymbolPoint.h"
#include "crt.h"

AcGePoint3d DeltaKind::defaultSymbolPoint(const AcGePoint3d& base,
                                          const FoundationSettings& settings) const {
    const double d = veldAtof(settings.GetHeight().c_str()) * 0.5 + 500.0;
    return DefaultSymbolPoint(base, d, d);
}
