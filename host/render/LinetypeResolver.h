// The drawing's linetypes as the picture needs them: each record's dash pattern, whether it
// stands for the layer's or the block's linetype, and the drawing's global scale (LTSCALE).
#pragma once
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
    // A record that cannot be opened (a null id included) stands for the layer's linetype.
    const Linetype& byId(AcDbObjectId id);
    // By name, as entities kept as read name theirs (code 6); unknown names are continuous.
    const Linetype& byName(const std::string& name);
    double globalScale() const { return globalScale_; }

private:
    const AcDbDatabase& db_;
    double globalScale_ = 1.0;
    std::map<AcDbObjectId, Linetype> byId_;
    std::map<std::string, const Linetype*> byName_;
};

} // namespace veld::render
