// A block's entities are walked in their order: a POLYLINE starts a list, each VERTEX joins the
// open one, and anything else (SEQEND included) ends it.
#include "host/render/PolylineVertexIndex.h"

#include "host/db/RawObjects.h"

#include <dbsymtb.h>

namespace veld::render {

const std::vector<PolylineVertex>& PolylineVertexIndex::verticesOf(const AcDbRawEntity& polyline) {
    static const std::vector<PolylineVertex> kNone;
    if (indexed_.insert(polyline.ownerId()).second) {
        indexBlock(polyline.ownerId());
    }
    const auto found = vertices_.find(polyline.objectId().stub());
    return found == vertices_.end() ? kNone : found->second;
}

void PolylineVertexIndex::clear() {
    indexed_.clear();
    vertices_.clear();
}

void PolylineVertexIndex::indexBlock(AcDbObjectId block) {
    AcDbBlockTableRecord* record = nullptr;
    if (acdbOpenObject(record, block, AcDb::kForRead) != Acad::eOk) {
        return;
    }
    const AcDbObjectIdArray ids = record->entityIds();
    record->close();
    std::vector<PolylineVertex>* open = nullptr;
    for (const AcDbObjectId& id : ids) {
        const AcRxClass* kind = id.objectClass();
        AcDbRawEntity* raw = nullptr;
        if (kind == nullptr || !kind->isDerivedFrom(AcDbRawEntity::desc()) ||
            acdbOpenObject(raw, id, AcDb::kForRead) != Acad::eOk) {
            open = nullptr;
            continue;
        }
        if (raw->dxfType() == "POLYLINE") {
            open = &vertices_[id.stub()];
        } else if (raw->dxfType() == "VERTEX" && open != nullptr) {
            open->push_back(polylineVertexOf(raw->tags()));
        } else {
            open = nullptr;
        }
        raw->close();
    }
}

} // namespace veld::render
