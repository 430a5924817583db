// The VERTEX entities that follow each POLYLINE in its block, found in one pass over the block
// the first time one of its polylines is drawn, and kept until the drawing may have changed.
#pragma once
#include "host/render/OldPolylineDisplay.h"

#include <dbmain.h>
#include <set>
#include <unordered_map>
#include <vector>

class AcDbRawEntity;

namespace veld::render {

class PolylineVertexIndex {
public:
    // The polyline's vertices in order; empty when it has none.
    const std::vector<PolylineVertex>& verticesOf(const AcDbRawEntity& polyline);
    void clear();

private:
    void indexBlock(AcDbObjectId block);

    std::set<AcDbObjectId> indexed_;
    std::unordered_map<const AcDbStub*, std::vector<PolylineVertex>> vertices_;
};

} // namespace veld::render
