// Walks model space into a DisplayList: layer states and colour inheritance resolved, block
// contents and dimension pictures turned into shared shapes placed by instances.
#pragma once
#include "host/render/DisplayList.h"
#include "host/render/LinetypeDash.h"
#include "host/render/LinetypeResolver.h"
#include "host/render/PolylineVertexIndex.h"

#include <acge.h>
#include <dbmain.h>
#include <map>
#include <set>
#include <tuple>
#include <unordered_map>
#include <vector>

class AcDbText;
class AcDbAlignedDimension;
class AcDbBlockReference;
class AcDbRawEntity;
struct AcDbStub;

namespace veld::render {

// A colour as it is known while flattening: settled, or taken from the placement later.
struct Paint {
    Inherit inherit = Inherit::None;
    ColorRef color = 7;
    auto operator<=>(const Paint&) const = default;
};

class DisplayListBuilder {
public:
    explicit DisplayListBuilder(const AcDbDatabase& db);
    // The whole of model space.
    DisplayList run();
    // `before` (this builder's previous result) with the chunks that held or now hold the
    // `changed` model-space entities built again. Valid while no layer, block or style this
    // builder has read changed since (usesLayer/usesBlock tell; a new builder otherwise).
    DisplayList update(const DisplayList& before, const std::vector<const AcDbStub*>& changed);
    bool usesLayer(const AcDbStub* record) const;
    bool usesBlock(const AcDbStub* record) const;
    // A layer or block was added: names looked up before may now find it.
    void forgetNames();

private:
    struct LayerInfo {
        std::string name;
        ColorRef color = 7;
        bool off = false, frozen = false, defpoints = false, zero = false;
        AcDbObjectId linetype;
    };
    // What an entity inherits from the references it sits in.
    struct Context {
        AcGeMatrix3d xform;
        Paint byBlock, layer0;
        bool layer0Hidden = false;
        int depth = 0;
        const LinetypeResolver::Linetype* byBlockLinetype = nullptr; // null: continuous
    };
    // Receives flattened geometry, per paint.
    using Sink = std::map<Paint, Geometry>;

    const LayerInfo& layer(AcDbObjectId id);
    const LayerInfo& layerOf(const AcDbEntity& e);
    int colorIndexOf(const AcDbEntity& e);
    bool hidden(const LayerInfo& l, const Context& ctx) const;
    Paint paintOf(const AcDbEntity& e, const Context& ctx);
    void topLevel(const AcDbEntity& e);
    // The chunk a top-level entity goes to, or null when it is not drawn at all.
    const std::string* chunkFor(const AcDbEntity& e);
    DisplayList finish();
    void addBatches(Chunk& chunk, const Sink& sink);
    void reference(const AcDbBlockReference& r, Chunk& chunk);
    void dimensionInstance(const AcDbAlignedDimension& d, Chunk& chunk);
    void geometryBlockInstance(const AcDbRawEntity& dim, Chunk& chunk);
    void rawEntity(const AcDbRawEntity& e, const Context& ctx, Sink& sink, const AcGeMatrix3d& m);
    AcDbObjectId blockNamed(const std::string& name);
    void flattenBlock(AcDbObjectId record, const Context& ctx, Sink& sink);
    void entity(const AcDbEntity& e, const Context& ctx, Sink& sink);
    void attributes(const AcDbBlockReference& r, const Context& ctx, Sink& sink);
    // The dimension's picture; with `frameOut`, in a frame on its dimension line (returned).
    void dimension(const AcDbAlignedDimension& d, const Context& ctx, Geometry& out,
                   AcGeMatrix3d* frameOut, const AcGeMatrix3d& m = AcGeMatrix3d::kIdentity);
    const std::string& shapeOfBlock(AcDbObjectId record, bool hideLayer0);
    std::string addShape(const Sink& sink);
    void addGroup(Chunk& chunk, const std::string& shape, ColorRef byBlock, ColorRef layer0,
                  const Placement& p);

    const AcDbDatabase& db_;
    LinetypeResolver linetypes_;
    DisplayList out_;
    std::map<std::string, Chunk> work_; // chunks being built
    ShapeMap shapeStore_;               // every shape the chunks place
    std::set<std::string> chunkIds_;    // ids handed out (stable nodes for chunkOf_)
    std::unordered_map<const AcDbStub*, const std::string*> chunkOf_; // drawn top-level entities
    std::set<AcDbObjectId> usedBlocks_;
    std::map<AcDbObjectId, LayerInfo> layers_;
    std::map<std::pair<AcDbObjectId, bool>, std::string> blockShapes_;
    std::map<std::string, AcDbObjectId> blockNames_, rawLayers_;
    std::set<AcDbObjectId> open_; // blocks being flattened (a block holding itself stops)
    std::map<std::tuple<std::string, std::string, ColorRef, ColorRef>, std::size_t> groupIndex_;
    std::string chunkId_;
    PolylineVertexIndex polylineVertices_;
};

} // namespace veld::render
