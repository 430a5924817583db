// The style is found by name (code 3, STANDARD when absent); its overrides are read from the
// leader's own extended data.
#include "host/render/LeaderStyle.h"

#include "host/db/RawObjects.h"
#include "host/render/CurveFlatten.h"

#include <dbsymtb.h>

namespace veld::render {

// DIMASZ times DIMSCALE of the leader's dimension style (3), each as the leader's own DSTYLE
// overrides (extended data of ACAD: 1070 41 and 1070 40) may set it.
double leaderArrowSize(const AcDbDatabase& db, const AcDbRawEntity& leader) {
    double size = 0.18, scale = 1.0;
    AcDbDimStyleTable* table = nullptr;
    if (acdbOpenObject(table, db.dimStyleTableId(), AcDb::kForRead) == Acad::eOk) {
        AcDbDimStyleTableRecord* style = nullptr;
        const std::string name = firstText(leader.tags(), 3, "STANDARD");
        if (table->getAt(name.c_str(), style, AcDb::kForRead) == Acad::eOk) {
            size = style->dimasz();
            scale = style->dimscale();
            style->close();
        }
        table->close();
    }
    // The overrides come in pairs after "{": the variable's code (1070), then its value.
    resbuf* xdata = leader.xData("ACAD");
    const resbuf* rb = xdata;
    while (rb && !(rb->restype == 1002 && rb->resval.rstring && *rb->resval.rstring == '{')) {
        rb = rb->rbnext;
    }
    for (rb = rb ? rb->rbnext : nullptr; rb && rb->rbnext && rb->restype == 1070;
         rb = rb->rbnext->rbnext) {
        const resbuf* value = rb->rbnext;
        if (value->restype == 1040 && (rb->resval.rint == 40 || rb->resval.rint == 41)) {
            (rb->resval.rint == 41 ? size : scale) = value->resval.rreal;
        }
    }
    acutRelRb(xdata);
    return size * (scale > 0 ? scale : 1.0);
}

} // namespace veld::render
