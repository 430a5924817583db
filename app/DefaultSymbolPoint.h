// The point a redrawn foundation's symbol goes to when the old foundation had none.
#pragma once
#include "acge.h"

// From `base` `right` along 0 degrees, then `down` along 270 degrees; z is 0.
AcGePoint3d DefaultSymbolPoint(const AcGePoint3d& base, double right, double down);
