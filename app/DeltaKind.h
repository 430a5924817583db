// The triangular foundation in the commands: DeltaPage (dialog 1020), DeltaShape, the symbol
// prompt and the triangle's default symbol point.
#pragma once
#include "app/FoundationKind.h"
#include "delta/DeltaPage.h"
#include "delta/DeltaShape.h"

class DeltaKind : public FoundationKindOf<DeltaShape, DeltaPage> {
public:
    const char* startTrace() const override { return "三角基礎配置 Start...\n"; }
    const char* endTrace() const override { return "三角基礎配置 End...\n"; }
    const char* positionPrompt() const override { return "\n符号の位置を指示(RETURN=終了):"; }
    // HEIGHT / 2 + 500 to the right of and below the base point, whatever the rotation.
    AcGePoint3d defaultSymbolPoint(const AcGePoint3d& base,
                                   const FoundationSettings& settings) const override;
};
