// The square foundation in the commands: SquarePage (dialog 1021), SquareShape, the label
// prompt and the square's default label point.
#pragma once
#include "app/FoundationKind.h"
#include "square/SquarePage.h"
#include "square/SquareShape.h"

class SquareKind : public FoundationKindOf<SquareShape, SquarePage> {
public:
    const char* startTrace() const override { return "四角基礎配置 Start...\n"; }
    const char* endTrace() const override { return "四角基礎配置 End...\n"; }
    const char* positionPrompt() const override { return "\nラベルの位置を指示(RETURN=終了):"; }
    // 500 beyond the body's right face (SHIFT_X2) and 500 below its bottom face (SHIFT_Y1),
    // as the body lies before rotation.
    AcGePoint3d defaultSymbolPoint(const AcGePoint3d& base,
                                   const FoundationSettings& settings) const override;
};
