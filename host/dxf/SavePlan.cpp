// Planning a save: geometry blocks of aligned dimensions and handles of file-only parts.
// New handles come from the seed in a fixed order: blocks, dimensions, tables, viewport, layouts.
#include "host/dxf/SavePlan.h"

#include "host/dxf/DbAccess.h"

#include <dbdim.h>
#include <dbsymtb.h>
#include <memory>
#include <set>

namespace veld::dxf {

namespace {

template <class T> struct Closer {
    void operator()(T* o) const { o->close(); }
};
template <class T> using Opened = std::unique_ptr<T, Closer<T>>;

template <class T> Opened<T> openForRead(AcDbObjectId id) {
    T* object = nullptr;
    if (acdbOpenObject(object, id, AcDb::kForRead) != Acad::eOk) {
        return nullptr;
    }
    return Opened<T>(object);
}

std::string nameOf(AcDbObjectId id) {
    auto record = openForRead<AcDbSymbolTableRecord>(id);
    return record ? record->name() : std::string();
}

// n of "*D<n>", 0 for any other name.
int dimensionBlockNumber(const std::string& name) {
    if (name.size() < 3 || name[0] != '*' || (name[1] != 'D' && name[1] != 'd')) {
        return 0;
    }
    int n = 0;
    for (std::size_t i = 2; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9' || n > 100000000) {
            return 0;
        }
        n = n * 10 + (name[i] - '0');
    }
    return n;
}

} // namespace

AcDbObjectId rawTableNamed(const AcDbDatabase& db, const std::string& name) {
    for (const AcDbObjectId& id : dbaccess::rawTables(db)) {
        AcDbObject* table = nullptr;
        if (acdbOpenAcDbObject(table, id, AcDb::kForRead) != Acad::eOk) {
            continue;
        }
        std::string type;
        const dbaccess::Tags* tags = nullptr;
        const bool match = dbaccess::rawContent(*table, type, tags) && type == name;
        table->close();
        if (match) {
            return id;
        }
    }
    return {};
}

geom::DimStyleValues styleValuesOf(AcDbObjectId dimStyle) {
    geom::DimStyleValues v;
    auto style = openForRead<AcDbDimStyleTableRecord>(dimStyle);
    if (!style) {
        return v;
    }
    v.arrowSize = style->dimasz();
    v.extensionBeyond = style->dimexe();
    v.extensionOffset = style->dimexo();
    v.textGap = style->dimgap();
    v.textHeight = style->dimtxt();
    v.scale = style->dimscale();
    v.tickSize = style->dimtsz();
    v.decimals = style->dimdec();
    v.textAbove = style->dimtad();
    return v;
}

SavePlan::SavePlan(const AcDbDatabase& db) : db_(db) {
    // Block markers are given out by the database (and kept) before the seed is read.
    for (const AcDbObjectId& id : blockRecords(db)) {
        beginEnd_[id] = dbaccess::blockMarkers(db, id);
    }
    dropBlocksOfErasedDimensions(db);
    next_ = std::max<std::uint64_t>(dbaccess::handseed(db), 1);
    const std::uint64_t firstNew = next_;
    paperSpace_ = db.paperSpaceId().isNull() ? 0 : db.paperSpaceId().handle().value();
    planBlocks(db);
    for (const char* table : {"VPORT", "VIEW", "UCS"}) {
        const AcDbObjectId raw = rawTableNamed(db, table);
        extras_[table] = raw.isNull() ? take() : raw.handle().value();
    }
    planViewport(db);
    layouts_ = std::make_unique<LayoutPlan>(
        db, [this] { return take(); }, firstNew);
}

std::uint64_t SavePlan::take() {
    next_ = dbaccess::freeHandleFrom(db_, next_);
    return next_++;
}

void SavePlan::planViewport(const AcDbDatabase& db) {
    AcDbSymbolTable* table = nullptr;
    const AcDbObjectId vports = rawTableNamed(db, "VPORT");
    if (!vports.isNull() && acdbOpenObject(table, vports, AcDb::kForRead) == Acad::eOk) {
        const bool hasRecords = !table->recordIds().isEmpty();
        table->close();
        if (hasRecords) {
            return;
        }
    }
    activeViewport_ = take();
    bool any = false;
    auto include = [&](const AcGePoint3d& p) {
        if (!any) {
            extentsMin = extentsMax = p;
            any = true;
            return;
        }
        for (int i = 0; i < 3; ++i) {
            extentsMin[i] = std::min(extentsMin[i], p[i]);
            extentsMax[i] = std::max(extentsMax[i], p[i]);
        }
    };
    auto space = openForRead<AcDbBlockTableRecord>(db.modelSpaceId());
    for (const AcDbObjectId& id : space ? space->entityIds() : AcDbObjectIdArray()) {
        auto e = openForRead<AcDbEntity>(id);
        if (auto* line = AcDbLine::cast(e.get())) {
            include(line->startPoint());
            include(line->endPoint());
        } else if (auto* point = AcDbPoint::cast(e.get())) {
            include(point->position());
        } else if (auto* circle = AcDbCircle::cast(e.get())) {
            include(circle->center());
        } else if (auto* arc = AcDbArc::cast(e.get())) {
            include(arc->center());
        } else if (auto* text = AcDbText::cast(e.get())) {
            include(text->position());
        } else if (auto* ref = AcDbBlockReference::cast(e.get())) {
            include(ref->position());
        } else if (auto* polyline = AcDbPolyline::cast(e.get())) {
            for (unsigned int i = 0; i < polyline->numVerts(); ++i) {
                AcGePoint3d vertex; // in world coordinates
                polyline->getPointAt(i, vertex);
                include(vertex);
            }
        } else if (auto* dim = AcDbAlignedDimension::cast(e.get())) {
            include(dim->xLine1Point());
            include(dim->xLine2Point());
            include(dim->dimLinePoint());
        }
    }
}

AcDbObjectIdArray SavePlan::blockRecords(const AcDbDatabase& db) {
    auto& mutableDb = const_cast<AcDbDatabase&>(db); // the table getters are not const
    AcDbBlockTable* table = nullptr;
    if (mutableDb.getBlockTable(table, AcDb::kForRead) != Acad::eOk) {
        return {};
    }
    AcDbObjectIdArray records = table->recordIds();
    table->close();
    return records;
}

// Erasing a dimension leaves its "*D" block behind; saved again and again, a drawing edited by
// redrawing its dimensions would pile them up. A block still referenced by a live dimension or
// block reference stays, and so do blocks that were unreferenced when read.
void SavePlan::dropBlocksOfErasedDimensions(const AcDbDatabase& db) {
    std::set<AcDbObjectId> live, erased;
    for (const AcDbObjectId& id : blockRecords(db)) {
        auto record = openForRead<AcDbBlockTableRecord>(id);
        for (const AcDbObjectId& entityId :
             record ? record->entityIds(false) : AcDbObjectIdArray()) {
            AcDbEntity* entity = nullptr;
            if (acdbOpenObject(entity, entityId, AcDb::kForRead, true) != Acad::eOk) {
                continue;
            }
            auto& into = entity->isErased() ? erased : live;
            if (const auto* dim = AcDbDimension::cast(entity)) {
                into.insert(dim->dimBlockId());
            } else if (const auto* ref = AcDbBlockReference::cast(entity)) {
                into.insert(ref->blockTableRecord());
            }
            entity->close();
        }
    }
    for (const AcDbObjectId& id : blockRecords(db)) {
        if (!erased.count(id) || live.count(id) || dimensionBlockNumber(nameOf(id)) == 0) {
            written_.push_back(id);
        }
    }
}

void SavePlan::planBlocks(const AcDbDatabase& db) {
    std::vector<AcDbObjectId> dimensions;
    for (const AcDbObjectId& id : blockRecords(db)) {
        auto record = openForRead<AcDbBlockTableRecord>(id);
        if (!record) {
            continue;
        }
        nextDimNumber_ = std::max(nextDimNumber_, dimensionBlockNumber(record->name()) + 1);
        for (const AcDbObjectId& entityId : record->entityIds()) {
            const AcRxClass* cls = entityId.objectClass();
            if (cls != nullptr && cls->isDerivedFrom(AcDbBlockReference::desc())) {
                auto ref = openForRead<AcDbBlockReference>(entityId);
                if (ref && !ref->attributeIds().isEmpty()) {
                    const auto stored = dbaccess::sequenceEnd(db, entityId.handle().value());
                    sequenceEnds_[entityId] = stored != 0 ? stored : take();
                }
            } else if (cls != nullptr && cls->isDerivedFrom(AcDbAlignedDimension::desc())) {
                dimensions.push_back(entityId);
            }
        }
    }
    for (const AcDbObjectId& id : dimensions) {
        auto dim = openForRead<AcDbAlignedDimension>(id);
        // A dimension read with its block and not changed since keeps that block as read.
        const bool asRead = dim && !dbaccess::keptRecord(*dim).empty() &&
                            !dbaccess::changedSinceRead(*dim) && !dim->dimBlockId().isNull();
        if (dim && !asRead) {
            planDimension(db, *dim);
        }
    }
}

void SavePlan::planDimension(const AcDbDatabase& db, const AcDbAlignedDimension& dim) {
    DimensionBlock block;
    geom::AlignedDimensionInput in;
    in.xLine1 = dim.xLine1Point();
    in.xLine2 = dim.xLine2Point();
    in.dimLine = dim.dimLinePoint();
    in.text = dim.dimensionText();
    in.userTextPosition = !dim.isUsingDefaultTextPosition();
    in.textPosition = dim.textPosition();
    const AcDbObjectId styleId =
        dim.dimensionStyle().isNull() ? db.dimstyle() : dim.dimensionStyle();
    block.geometry = geom::computeAlignedDimension(in, styleValuesOf(styleId));
    {
        auto style = openForRead<AcDbDimStyleTableRecord>(styleId);
        const AcDbObjectId textStyle =
            style && !style->dimtxsty().isNull() ? style->dimtxsty() : db.textstyle();
        block.textStyle = nameOf(textStyle);
        if (block.textStyle.empty()) {
            block.textStyle = "STANDARD";
        }
    }
    const std::size_t count = block.geometry.lines.size() + block.geometry.solids.size() + 1;
    const AcDbObjectId recordId = dim.dimBlockId();
    auto record = recordId.isNull() ? nullptr : openForRead<AcDbBlockTableRecord>(recordId);
    if (record && !recordToExisting_.count(recordId)) {
        block.recordId = recordId;
        block.name = record->name();
        block.record = recordId.handle().value();
        block.begin = beginEnd_[recordId].first;
        block.end = beginEnd_[recordId].second;
        for (const AcDbObjectId& e : record->entityIds()) {
            if (block.entityHandles.size() < count) {
                block.entityHandles.push_back(e.handle().value());
            }
        }
        while (block.entityHandles.size() < count) {
            block.entityHandles.push_back(take());
        }
        recordToExisting_[recordId] = existingBlocks_.size();
        dimToExisting_[dim.objectId()] = existingBlocks_.size();
        existingBlocks_.push_back(std::move(block));
        return;
    }
    block.name = "*D" + std::to_string(nextDimNumber_++);
    block.record = take();
    block.begin = take();
    block.end = take();
    for (std::size_t i = 0; i < count; ++i) {
        block.entityHandles.push_back(take());
    }
    dimToNew_[dim.objectId()] = newBlocks_.size();
    newBlocks_.push_back(std::move(block));
}

std::uint64_t SavePlan::blockBegin(AcDbObjectId record) const {
    const auto it = beginEnd_.find(record);
    return it == beginEnd_.end() ? 0 : it->second.first;
}

std::uint64_t SavePlan::blockEnd(AcDbObjectId record) const {
    const auto it = beginEnd_.find(record);
    return it == beginEnd_.end() ? 0 : it->second.second;
}

std::uint64_t SavePlan::sequenceEnd(AcDbObjectId insert) const {
    const auto it = sequenceEnds_.find(insert);
    return it == sequenceEnds_.end() ? 0 : it->second;
}

std::uint64_t SavePlan::extraHandle(const std::string& key) const {
    const auto it = extras_.find(key);
    return it == extras_.end() ? 0 : it->second;
}

const DimensionBlock* SavePlan::dimensionOf(AcDbObjectId dimension) const {
    if (const auto it = dimToExisting_.find(dimension); it != dimToExisting_.end()) {
        return &existingBlocks_[it->second];
    }
    if (const auto it = dimToNew_.find(dimension); it != dimToNew_.end()) {
        return &newBlocks_[it->second];
    }
    return nullptr;
}

const DimensionBlock* SavePlan::blockOfRecord(AcDbObjectId record) const {
    const auto it = recordToExisting_.find(record);
    return it == recordToExisting_.end() ? nullptr : &existingBlocks_[it->second];
}

} // namespace veld::dxf
