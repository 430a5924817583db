// Keeps the display list of one drawing up to date as it changes: nothing is done while the
// drawing is unchanged, and after a change only the chunks holding changed entities are built.
#pragma once
#include "host/render/DisplayList.h"
#include "host/render/DisplayListBuilder.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace veld::render {

class DisplayUpdater {
public:
    // Brings the list up to `db` (another database than last time: built anew). True when
    // the picture changed.
    bool update(const AcDbDatabase& db);
    // Null before the first update.
    const std::shared_ptr<const DisplayList>& list() const { return list_; }

private:
    // Sorts the objects changed since the last look: model-space entities to rebuild, or
    // false when a layer, block or style the picture depends on changed.
    bool changedEntities(const AcDbDatabase& db, std::vector<const AcDbStub*>& entities);
    void rebuildAll(const AcDbDatabase& db);

    std::unique_ptr<DisplayListBuilder> builder_;
    std::shared_ptr<const DisplayList> list_;
    std::uint64_t database_ = 0, serial_ = 0;
    AcDbObjectId dimstyle_;
};

} // namespace veld::render
