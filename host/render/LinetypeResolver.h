// The drawing's linetypes as the picture needs them: each record's dash pattern, whether it
// stands for the layer's or the block's linetype, and the drawing's global scale (LTSCALE).
#pragma once
#include "host/render/LinetypeDash.h"

#include <dbmain.h>
#include <map>
#include <string>
#include <vector>

namespace veld::render {

class LinetypeResolver {
public:
    enum class Kind { Own, ByLayer, ByBlock };
    struct Linetype {
        Kind kind = Kind::Own;
        std::vector<double> dashes; // empty: continuous
    };

    explicit LinetypeResolver(const AcDbDatabase& db);
    // Kinds whose lines follow their linetype: curves and outlines, not texts, fills or
    // dimensions (whose pictures carry their own).
    static bool takesLinetype(const AcDbEntity& e);
    // A record that cannot be opened (a null id included) stands for the layer's linetype.
    const Linetype& byId(AcDbObjectId id);
    // By name, as entities kept as read name theirs (code 6); unknown names are continuous.
    const Linetype& byName(const std::string& name);
    double globalScale() const { return globalScale_; }
    // The linetype `e` is drawn with, ByLayer and ByBlock resolved (null: continuous), and the
    // entity's own scale of it (48).
    const Linetype* effective(const AcDbEntity& e, AcDbObjectId layerLinetype,
                              const Linetype* byBlock, double& scale);
    // The pattern `e`'s lines are dashed with, at LTSCALE times its own scale; false when they
    // are drawn whole.
    bool dashes(const AcDbEntity& e, AcDbObjectId layerLinetype, const Linetype* byBlock,
                DashPattern& out);

private:
    const AcDbDatabase& db_;
    double globalScale_ = 1.0;
    std::map<AcDbObjectId, Linetype> byId_;
    std::map<std::string, const Linetype*> byName_;
};

} // namespace veld::render
