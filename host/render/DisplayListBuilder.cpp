// Model space to display list. Each top-level entity lands in the chunk of its layer and handle
// range; block references and dimensions become placements of shared shapes, so that thousands
// of equal foundations or dimensions cost one shape and one matrix each.
#include "host/render/DisplayListBuilder.h"

#include "host/db/EntityPlane.h"
#include "host/db/RawObjects.h"
#include "host/dxf/DbAccess.h"
#include "host/dxf/SavePlan.h"
#include "host/geom/DimensionGeometry.h"
#include "host/render/CurveFlatten.h"
#include "host/render/GeometryEmit.h"
#include "host/render/GeometryOps.h"
#include "host/render/LeaderStyle.h"
#include "host/render/RawEntityDisplay.h"
#include "host/render/TextCodes.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <dbdim.h>
#include <dbents.h>
#include <dbsymtb.h>

namespace veld::render {

namespace {

// Entities whose handles share the bits above this many low bits change together.
constexpr int kBucketBits = 16;
constexpr int kMaxDepth = 16;

std::string chunkIdOf(std::uint64_t handle, const std::string& layer) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%llx/",
                  static_cast<unsigned long long>(handle >> kBucketBits));
    return buffer + layer;
}

// A true colour (code 420) kept with an object as read, or 0. The database models colour
// indexes only; the file keeps 420 beside 62, and CAD programs show the true colour.
template <class TagList> ColorRef trueColorIn(const TagList& tags) {
    for (const auto& [code, value] : tags) {
        if (code == 420) {
            const std::string text(value);
            return kTrueColor |
                   (static_cast<ColorRef>(std::strtoul(text.c_str(), nullptr, 10)) & 0xFFFFFF);
        }
    }
    return 0;
}

ColorRef trueColorOf(const AcDbObject& object) {
    if (const auto* raw = AcDbRawEntity::cast(&object)) {
        return trueColorIn(raw->tags());
    }
    return trueColorIn(veld::dxf::dbaccess::keptRecord(object));
}

Placement placementOf(const AcGeMatrix3d& m) {
    Placement p;
    p.m[0] = m.entry[0][0];
    p.m[1] = m.entry[1][0];
    p.m[2] = m.entry[0][1];
    p.m[3] = m.entry[1][1];
    p.m[4] = m.entry[0][3];
    p.m[5] = m.entry[1][3];
    return p;
}

// The matrix that takes an entity's own coordinates to its container's: circles, arcs,
// polylines, texts, solids and traces lie in the plane of their normal.
AcGeMatrix3d entityFrame(const AcDbEntity& e, const AcGeMatrix3d& container) {
    return container * veld::db::planeToWorldOf(e);
}

// A vertex in the polyline's own plane, at its elevation.
AcGePoint3d planePoint(const AcDbPolyline& pl, unsigned int index) {
    AcGePoint2d p;
    pl.getPointAt(index, p);
    return {p.x, p.y, pl.elevation()};
}

// Each piece along its bulge, and as a filled band where it has a width.
template <typename PieceFn> void forEachPiece(const AcDbPolyline& p, PieceFn piece) {
    const unsigned n = p.numVerts();
    for (unsigned i = 0; i + 1 < n || (p.isClosed() && n > 1 && i < n); ++i) {
        double bulge = 0.0, startWidth = 0.0, endWidth = 0.0;
        p.getBulgeAt(i, bulge);
        p.getWidthsAt(i, startWidth, endWidth);
        if (startWidth == 0.0 && endWidth == 0.0) { // as read, 43 leaves vertices at zero
            startWidth = endWidth = p.constantWidth();
        }
        piece(planePoint(p, i), planePoint(p, (i + 1) % n), bulge, startWidth, endWidth);
    }
}

void addLwPolyline(Geometry& g, const AcGeMatrix3d& m, const AcDbPolyline& p) {
    forEachPiece(
        p, [&](const AcGePoint3d& a, const AcGePoint3d& b, double bulge, double w0, double w1) {
            addBulge(g, m, a, b, bulge);
            addWidePiece(g, m, a, b, bulge, w0, w1);
        });
}

// Without linetype generation the pattern starts afresh at each vertex.
void addLwPolylineDashedByPiece(Geometry& g, const AcGeMatrix3d& m, const AcDbPolyline& p,
                                const DashPattern& dashes) {
    forEachPiece(
        p, [&](const AcGePoint3d& a, const AcGePoint3d& b, double bulge, double w0, double w1) {
            Geometry piece;
            addBulge(piece, m, a, b, bulge);
            addWidePiece(piece, m, a, b, bulge, w0, w1);
            addDashedGeometry(g, piece, dashes);
        });
}

} // namespace

DisplayListBuilder::DisplayListBuilder(const AcDbDatabase& db) : db_(db), linetypes_(db) {}

DisplayList DisplayListBuilder::run() {
    out_ = DisplayList();
    polylineVertices_.clear();
    chunkOf_.clear();
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, db_.modelSpaceId(), AcDb::kForRead) != Acad::eOk) {
        return finish();
    }
    const AcDbObjectIdArray ids = space->entityIds();
    space->close();
    for (const AcDbObjectId& id : ids) {
        AcDbEntity* e = nullptr;
        if (acdbOpenAcDbEntity(e, id, AcDb::kForRead) == Acad::eOk) {
            topLevel(*e);
            e->close();
        }
    }
    return finish();
}

DisplayList DisplayListBuilder::update(const DisplayList& before,
                                       const std::vector<const AcDbStub*>& changed) {
    out_ = DisplayList();
    out_.chunks_ = before.chunks_;
    polylineVertices_.clear();
    std::set<std::string> dirty;
    std::unordered_map<const AcDbStub*, bool> isChanged;
    for (const AcDbStub* stub : changed) {
        isChanged[stub] = true;
        if (const auto old = chunkOf_.find(stub); old != chunkOf_.end()) {
            dirty.insert(*old->second);
            chunkOf_.erase(old);
        }
        AcDbEntity* e = nullptr;
        if (acdbOpenAcDbEntity(e, AcDbObjectId(const_cast<AcDbStub*>(stub)), AcDb::kForRead) ==
            Acad::eOk) {
            if (const std::string* id = chunkFor(*e)) {
                dirty.insert(*id);
            }
            e->close();
        }
    }
    for (const std::string& id : dirty) {
        out_.chunks_.erase(id);
    }
    AcDbBlockTableRecord* space = nullptr;
    if (dirty.empty() || acdbOpenObject(space, db_.modelSpaceId(), AcDb::kForRead) != Acad::eOk) {
        return finish();
    }
    const AcDbObjectIdArray ids = space->entityIds();
    space->close();
    // Model-space order, so that each rebuilt chunk comes out as a whole build makes it.
    for (const AcDbObjectId& id : ids) {
        if (isChanged.count(id.stub()) == 0) {
            const auto at = chunkOf_.find(id.stub());
            if (at == chunkOf_.end() || dirty.count(*at->second) == 0) {
                continue;
            }
        }
        AcDbEntity* e = nullptr;
        if (acdbOpenAcDbEntity(e, id, AcDb::kForRead) == Acad::eOk) {
            topLevel(*e);
            e->close();
        }
    }
    return finish();
}

// Seals the chunks built into the list, and keeps of the shapes those the list places.
DisplayList DisplayListBuilder::finish() {
    for (auto& [id, chunk] : work_) {
        if (chunk.batches.empty() && chunk.instances.empty()) {
            continue;
        }
        DisplayList::seal(chunk, shapeStore_);
        out_.chunks_[id] = std::make_shared<const Chunk>(std::move(chunk));
    }
    work_.clear();
    groupIndex_.clear();
    for (const auto& [id, chunk] : out_.chunks_) {
        for (const InstanceGroup& group : chunk->instances) {
            if (out_.shapes_.count(group.shape) == 0) {
                out_.shapes_.emplace(group.shape, shapeStore_.at(group.shape));
            }
        }
    }
    shapeStore_ = out_.shapes_;
    for (auto it = blockShapes_.begin(); it != blockShapes_.end();) {
        const bool kept = it->second.empty() || shapeStore_.count(it->second) != 0;
        it = kept ? std::next(it) : blockShapes_.erase(it);
    }
    return std::move(out_);
}

bool DisplayListBuilder::usesLayer(const AcDbStub* record) const {
    return layers_.count(AcDbObjectId(const_cast<AcDbStub*>(record))) != 0;
}

bool DisplayListBuilder::usesBlock(const AcDbStub* record) const {
    return usedBlocks_.count(AcDbObjectId(const_cast<AcDbStub*>(record))) != 0;
}

void DisplayListBuilder::forgetNames() {
    blockNames_.clear();
    rawLayers_.clear();
}

const DisplayListBuilder::LayerInfo& DisplayListBuilder::layer(AcDbObjectId id) {
    auto found = layers_.find(id);
    if (found != layers_.end()) {
        return found->second;
    }
    LayerInfo info;
    info.name = std::string(1, '0');
    AcDbLayerTableRecord* record = nullptr;
    if (acdbOpenObject(record, id, AcDb::kForRead) == Acad::eOk) {
        info.name = record->name();
        const int index = record->color().colorIndex();
        info.color = index >= 1 && index <= 255 ? static_cast<ColorRef>(index) : 7;
        if (const ColorRef rgb = trueColorOf(*record)) {
            info.color = rgb;
        }
        info.off = record->isOff();
        info.frozen = record->isFrozen();
        info.linetype = record->linetypeObjectId();
        record->close();
    }
    info.zero = info.name == "0";
    std::string upper = info.name;
    for (char& c : upper) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    info.defpoints = upper == "DEFPOINTS";
    return layers_.emplace(id, info).first->second;
}

// Entities kept as read carry their layer and colour only in their tags.
const DisplayListBuilder::LayerInfo& DisplayListBuilder::layerOf(const AcDbEntity& e) {
    const auto* raw = AcDbRawEntity::cast(&e);
    if (raw == nullptr) {
        return layer(e.layerId());
    }
    const std::string name = firstText(raw->tags(), 8, "0");
    auto found = rawLayers_.find(name);
    if (found == rawLayers_.end()) {
        AcDbObjectId id = e.layerId();
        AcDbLayerTable* table = nullptr;
        if (acdbOpenObject(table, db_.layerTableId(), AcDb::kForRead) == Acad::eOk) {
            table->getAt(name.c_str(), id);
            table->close();
        }
        found = rawLayers_.emplace(name, id).first;
    }
    return layer(found->second);
}

int DisplayListBuilder::colorIndexOf(const AcDbEntity& e) {
    const auto* raw = AcDbRawEntity::cast(&e);
    if (raw == nullptr) {
        return e.colorIndex();
    }
    for (const auto& [code, value] : raw->tags()) {
        if (code == 62) {
            return std::atoi(value.c_str());
        }
    }
    return 256;
}

bool DisplayListBuilder::hidden(const LayerInfo& l, const Context& ctx) const {
    if (l.zero && ctx.depth > 0) {
        return ctx.layer0Hidden; // block contents on "0" follow the reference's layer
    }
    return l.off || l.frozen;
}

Paint DisplayListBuilder::paintOf(const AcDbEntity& e, const Context& ctx) {
    if (const ColorRef rgb = trueColorOf(e)) {
        return {Inherit::None, rgb}; // a true colour wins over the index written beside it
    }
    const int index = colorIndexOf(e);
    if (index >= 1 && index <= 255) {
        return {Inherit::None, static_cast<ColorRef>(index)};
    }
    if (index == 0) {
        return ctx.byBlock;
    }
    const LayerInfo& l = layerOf(e);
    if (l.zero && ctx.depth > 0) {
        return ctx.layer0;
    }
    return {Inherit::None, l.color};
}

const std::string* DisplayListBuilder::chunkFor(const AcDbEntity& e) {
    const LayerInfo& l = layerOf(e);
    if (l.frozen || (l.off && AcDbBlockReference::cast(&e) == nullptr)) {
        return nullptr; // a reference on an off layer still shows its contents on other layers
    }
    AcDbHandle handle;
    e.getAcDbHandle(handle);
    return &*chunkIds_.insert(chunkIdOf(handle.value(), l.name)).first;
}

void DisplayListBuilder::topLevel(const AcDbEntity& e) {
    const std::string* id = chunkFor(e);
    if (id == nullptr) {
        return;
    }
    chunkOf_[e.objectId().stub()] = id;
    chunkId_ = *id;
    Chunk& chunk = work_[chunkId_];
    chunk.layer = layerOf(e).name;
    if (auto* ref = AcDbBlockReference::cast(&e)) {
        reference(*ref, chunk);
        return;
    }
    if (auto* dim = AcDbAlignedDimension::cast(&e)) {
        dimensionInstance(*dim, chunk);
        return;
    }
    if (auto* raw = AcDbRawEntity::cast(&e); raw != nullptr && !dimensionBlockName(*raw).empty()) {
        geometryBlockInstance(*raw, chunk);
        return;
    }
    Context ctx;
    ctx.byBlock = {Inherit::None, 7};
    Sink sink;
    entity(e, ctx, sink);
    addBatches(chunk, sink);
}

void DisplayListBuilder::addBatches(Chunk& chunk, const Sink& sink) {
    for (const auto& [paint, geometry] : sink) {
        if (!geometry.empty()) {
            append(chunk.batches[paint.color], geometry);
        }
    }
}

void DisplayListBuilder::reference(const AcDbBlockReference& r, Chunk& chunk) {
    const LayerInfo& l = layerOf(r);
    Context ctx;
    ctx.byBlock = {Inherit::None, 7};
    const Paint own = paintOf(r, ctx);
    const bool layerHidden = l.off || l.frozen;
    const std::string& shape = shapeOfBlock(r.blockTableRecord(), layerHidden);
    if (!shape.empty()) {
        addGroup(chunk, shape, own.color, l.color,
                 placementOf(entityFrame(r, AcGeMatrix3d::kIdentity) * r.blockTransform()));
    }
    if (layerHidden) {
        return;
    }
    ctx.byBlock = own;
    ctx.layer0 = {Inherit::None, l.color};
    ctx.depth = 1;
    Sink sink;
    attributes(r, ctx, sink);
    addBatches(chunk, sink);
}

void DisplayListBuilder::dimensionInstance(const AcDbAlignedDimension& d, Chunk& chunk) {
    Context ctx;
    ctx.byBlock = {Inherit::None, 7};
    const Paint own = paintOf(d, ctx);
    // The picture is made in a frame on the dimension line, so that equal dimensions anywhere
    // share one shape.
    Geometry world;
    AcGeMatrix3d frame;
    dimension(d, ctx, world, &frame);
    Sink sink;
    sink[{Inherit::ByBlock, 7}] = std::move(world);
    const std::string key = addShape(sink);
    if (!key.empty()) {
        addGroup(chunk, key, own.color, own.color, placementOf(frame));
    }
}

void DisplayListBuilder::geometryBlockInstance(const AcDbRawEntity& dim, Chunk& chunk) {
    const AcDbObjectId record = blockNamed(dimensionBlockName(dim));
    const LayerInfo& l = layerOf(dim);
    Context ctx;
    ctx.byBlock = {Inherit::None, 7};
    const Paint own = paintOf(dim, ctx);
    ctx.byBlock = {Inherit::ByBlock, 7};
    ctx.layer0 = {Inherit::Layer0, 7};
    ctx.depth = 1;
    Sink sink;
    flattenBlock(record, ctx, sink);
    // Each dimension has a block of its own, in drawing coordinates: moved to a corner of its
    // own, equal dimensions become one shape.
    double box[4] = {0, 0, 0, 0};
    bool empty = true;
    for (const auto& [paint, g] : sink) {
        growBounds(box, empty, g);
    }
    if (empty) {
        return;
    }
    Placement at;
    at.m[4] = box[0];
    at.m[5] = box[1];
    for (auto& [paint, g] : sink) {
        translate(g, -box[0], -box[1]);
    }
    const std::string key = addShape(sink);
    if (!key.empty()) {
        addGroup(chunk, key, own.color, l.color, at);
    }
}

void DisplayListBuilder::rawEntity(const AcDbRawEntity& e, const Context& ctx, Sink& sink,
                                   const AcGeMatrix3d& m) {
    if (e.dxfType() == "POLYLINE") {
        DashPattern dashes;
        if (!linetypes_.dashes(e, layerOf(e).linetype, ctx.byBlockLinetype, dashes)) {
            addOldPolyline(sink[paintOf(e, ctx)], m, e.tags(), polylineVertices_.verticesOf(e));
        } else {
            addOldPolyline(sink[paintOf(e, ctx)], m, e.tags(), polylineVertices_.verticesOf(e),
                           &dashes);
        }
        return;
    }
    const std::string block = dimensionBlockName(e);
    if (block.empty()) {
        DashPattern dashes;
        if (LinetypeResolver::takesLinetype(e) &&
            linetypes_.dashes(e, layerOf(e).linetype, ctx.byBlockLinetype, dashes)) {
            Geometry drawn;
            addRawEntity(drawn, m, e);
            addDashedGeometry(sink[paintOf(e, ctx)], drawn, dashes);
            return;
        }
        addRawEntity(sink[paintOf(e, ctx)], m, e,
                     e.dxfType() == "LEADER" ? leaderArrowSize(db_, e) : 0.0);
        return;
    }
    Context inner = ctx;
    inner.xform = m;
    inner.byBlock = paintOf(e, ctx);
    const LayerInfo& l = layerOf(e);
    inner.layer0 = l.zero && ctx.depth > 0 ? ctx.layer0 : Paint{Inherit::None, l.color};
    inner.depth = ctx.depth + 1;
    flattenBlock(blockNamed(block), inner, sink);
}

AcDbObjectId DisplayListBuilder::blockNamed(const std::string& name) {
    const auto found = blockNames_.find(name);
    if (found != blockNames_.end()) {
        return found->second;
    }
    AcDbObjectId id;
    AcDbBlockTable* table = nullptr;
    if (acdbOpenObject(table, db_.blockTableId(), AcDb::kForRead) == Acad::eOk) {
        table->getAt(name.c_str(), id);
        table->close();
    }
    return blockNames_.emplace(name, id).first->second;
}

void DisplayListBuilder::flattenBlock(AcDbObjectId record, const Context& ctx, Sink& sink) {
    if (record.isNull() || ctx.depth > kMaxDepth || open_.count(record) != 0) {
        return;
    }
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, record, AcDb::kForRead) != Acad::eOk) {
        return;
    }
    const AcDbObjectIdArray ids = block->entityIds();
    block->close();
    open_.insert(record);
    usedBlocks_.insert(record);
    for (const AcDbObjectId& id : ids) {
        AcDbEntity* e = nullptr;
        if (acdbOpenAcDbEntity(e, id, AcDb::kForRead) == Acad::eOk) {
            entity(*e, ctx, sink);
            e->close();
        }
    }
    open_.erase(record);
}

void DisplayListBuilder::entity(const AcDbEntity& e, const Context& ctx, Sink& sink) {
    const LayerInfo& l = layerOf(e);
    auto* ref = AcDbBlockReference::cast(&e);
    if (l.frozen && !(l.zero && ctx.depth > 0)) {
        return;
    }
    if (ref == nullptr && hidden(l, ctx)) {
        return;
    }
    const Paint paint = paintOf(e, ctx);
    const AcGeMatrix3d m = entityFrame(e, ctx.xform);
    if (ref != nullptr) {
        Context inner;
        inner.xform = m * ref->blockTransform();
        inner.byBlock = paint;
        inner.layer0 = l.zero && ctx.depth > 0 ? ctx.layer0 : Paint{Inherit::None, l.color};
        inner.layer0Hidden = hidden(l, ctx);
        inner.depth = ctx.depth + 1;
        double scale = 1.0;
        inner.byBlockLinetype = linetypes_.effective(*ref, l.linetype, ctx.byBlockLinetype, scale);
        flattenBlock(ref->blockTableRecord(), inner, sink);
        if (!hidden(l, ctx)) {
            Context own = inner;
            own.xform = m;
            attributes(*ref, own, sink);
        }
        return;
    }
    DashPattern dashes;
    const bool dashed = LinetypeResolver::takesLinetype(e) &&
                        linetypes_.dashes(e, l.linetype, ctx.byBlockLinetype, dashes);
    Geometry drawn;
    Geometry& g = dashed ? drawn : sink[paint];
    if (auto* line = AcDbLine::cast(&e)) {
        addSegment(g, m, line->startPoint(), line->endPoint());
    } else if (auto* arc = AcDbArc::cast(&e)) {
        addArc(g, m, veld::db::toPlaneOf(e, arc->center()), arc->radius(), arc->startAngle(),
               arc->endAngle());
    } else if (auto* circle = AcDbCircle::cast(&e)) {
        addArc(g, m, veld::db::toPlaneOf(e, circle->center()), circle->radius(), 0, 0);
    } else if (auto* p = AcDbPolyline::cast(&e)) {
        if (dashed && !p->hasPlinegen()) {
            addLwPolylineDashedByPiece(sink[paint], m, *p, dashes);
            return;
        }
        addLwPolyline(g, m, *p);
    } else if (auto* point = AcDbPoint::cast(&e)) {
        if (!l.defpoints) { // marker points on Defpoints are not shown
            addPoint(g, m, point->position());
        }
    } else if (auto* dim = AcDbAlignedDimension::cast(&e)) {
        dimension(*dim, ctx, g, nullptr, m);
    } else if (auto* raw = AcDbRawEntity::cast(&e)) {
        rawEntity(*raw, ctx, sink, m);
    } else if (AcDbAttributeDefinition::cast(&e) != nullptr) {
        // definitions show only in the block editor; references show their attributes
    } else if (auto* t = AcDbText::cast(&e)) {
        g.texts.push_back(textItemOf(*t, m));
    }
    if (dashed) {
        addDashedGeometry(sink[paint], drawn, dashes);
    }
}

void DisplayListBuilder::attributes(const AcDbBlockReference& r, const Context& ctx, Sink& sink) {
    for (const AcDbObjectId& id : r.attributeIds()) {
        AcDbAttribute* a = nullptr;
        if (acdbOpenObject(a, id, AcDb::kForRead) != Acad::eOk) {
            continue;
        }
        const LayerInfo& l = layerOf(*a);
        if (!a->isInvisible() && !a->textString().empty() && !hidden(l, ctx)) {
            // Attributes are stored where they stand, in the reference's own container.
            sink[paintOf(*a, ctx)].texts.push_back(textItemOf(*a, entityFrame(*a, ctx.xform)));
        }
        a->close();
    }
}

void DisplayListBuilder::dimension(const AcDbAlignedDimension& d, const Context&, Geometry& out,
                                   AcGeMatrix3d* frameOut, const AcGeMatrix3d& m) {
    geom::AlignedDimensionInput in;
    in.xLine1 = d.xLine1Point();
    in.xLine2 = d.xLine2Point();
    in.dimLine = d.dimLinePoint();
    in.text = d.dimensionText();
    in.userTextPosition = !d.isUsingDefaultTextPosition();
    in.textPosition = d.textPosition();
    const AcDbObjectId style = d.dimensionStyle().isNull() ? db_.dimstyle() : d.dimensionStyle();
    const geom::DimensionGeometry g =
        geom::computeAlignedDimension(in, veld::dxf::styleValuesOf(style));
    AcGeMatrix3d local = m;
    if (frameOut != nullptr) {
        // Shape coordinates: origin at the dimension line's start, x along it.
        const double dx = g.dimLineEnd.x - g.dimLineStart.x, dy = g.dimLineEnd.y - g.dimLineStart.y;
        const double len = std::hypot(dx, dy);
        const double c = len > 1e-12 ? dx / len : 1.0, s = len > 1e-12 ? dy / len : 0.0;
        *frameOut = AcGeMatrix3d();
        frameOut->entry[0][0] = c;
        frameOut->entry[0][1] = -s;
        frameOut->entry[1][0] = s;
        frameOut->entry[1][1] = c;
        frameOut->entry[0][3] = g.dimLineStart.x;
        frameOut->entry[1][3] = g.dimLineStart.y;
        *frameOut = entityFrame(d, AcGeMatrix3d::kIdentity) * *frameOut;
        local = AcGeMatrix3d();
        local.entry[0][0] = c;
        local.entry[0][1] = s;
        local.entry[1][0] = -s;
        local.entry[1][1] = c;
        local.entry[0][3] = -(c * g.dimLineStart.x + s * g.dimLineStart.y);
        local.entry[1][3] = s * g.dimLineStart.x - c * g.dimLineStart.y;
    }
    for (const auto& seg : g.lines) {
        addSegment(out, local, seg.start, seg.end);
    }
    for (const auto& solid : g.solids) {
        addTriangle(out, local, solid.corners[0], solid.corners[1], solid.corners[2]);
    }
    if (!g.text.text.empty()) {
        TextItem t;
        AcGePoint3d p = g.text.position;
        p.transformBy(local);
        t.x = p.x;
        t.y = p.y;
        t.height = g.text.height * scaleOf(local);
        t.rotation = g.text.rotation + angleOf(local);
        t.anchor = 1;
        t.baseline = 2;
        DecodedText decoded = decodeTextCodes(g.text.text);
        t.text = std::move(decoded.text);
        t.underline = decoded.underline;
        t.overline = decoded.overline;
        out.texts.push_back(std::move(t));
    }
}

const std::string& DisplayListBuilder::shapeOfBlock(AcDbObjectId record, bool hideLayer0) {
    const auto key = std::make_pair(record, hideLayer0);
    auto found = blockShapes_.find(key);
    if (found != blockShapes_.end()) {
        return found->second;
    }
    Context ctx;
    ctx.byBlock = {Inherit::ByBlock, 7};
    ctx.layer0 = {Inherit::Layer0, 7};
    ctx.layer0Hidden = hideLayer0;
    ctx.depth = 1;
    Sink sink;
    flattenBlock(record, ctx, sink);
    return blockShapes_.emplace(key, addShape(sink)).first->second;
}

std::string DisplayListBuilder::addShape(const Sink& sink) {
    Shape shape;
    for (const auto& [paint, geometry] : sink) {
        if (!geometry.empty()) {
            shape.parts.push_back({paint.color, paint.inherit, geometry});
        }
    }
    if (shape.parts.empty()) {
        return {};
    }
    snapToKeyGrid(shape);
    std::string key = shapeKey(shape);
    if (shapeStore_.count(key) == 0) {
        shapeBounds(shape);
        shapeStore_.emplace(key, std::make_shared<const Shape>(std::move(shape)));
    }
    return key;
}

void DisplayListBuilder::addGroup(Chunk& chunk, const std::string& shape, ColorRef byBlock,
                                  ColorRef layer0, const Placement& p) {
    const auto key = std::make_tuple(chunkId_, shape, byBlock, layer0);
    auto found = groupIndex_.find(key);
    if (found == groupIndex_.end()) {
        found = groupIndex_.emplace(key, chunk.instances.size()).first;
        chunk.instances.push_back({shape, byBlock, layer0, {}});
    }
    chunk.instances[found->second].placements.push_back(p);
}

} // namespace veld::render
