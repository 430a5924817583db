// The page's picture by revision.
#include "host/web/DisplayFeed.h"

namespace veld::web {

void DisplayFeed::refresh(AcDbDatabase& db) {
    if (!updater_.update(db) && !kept_.empty()) {
        return;
    }
    std::shared_ptr<const render::DisplayList> list = updater_.list();
    const std::uint64_t fingerprint = list->fingerprint();
    std::uint64_t revision = 0;
    {
        std::lock_guard lock(mutex_);
        if (!kept_.empty() && kept_.back().fingerprint == fingerprint) {
            return;
        }
        revision = kept_.empty() ? 1 : kept_.back().revision + 1;
        kept_.push_back(Kept{revision, std::move(list), fingerprint});
        if (kept_.size() > kKeptRevisions) {
            kept_.pop_front();
        }
    }
    auto scene = std::make_shared<const snap::SnapScene>(snap::SnapScene::build(&db));
    {
        std::lock_guard lock(mutex_);
        scene_ = std::move(scene);
    }
    changed_(revision);
}

DisplayFeed::Body DisplayFeed::body(std::optional<std::uint64_t> since) const {
    std::lock_guard lock(mutex_);
    Body out;
    if (kept_.empty()) {
        return out;
    }
    const Kept& newest = kept_.back();
    out.revision = newest.revision;
    for (const Kept& k : kept_) {
        if (since && k.revision == *since) {
            out.bytes = newest.list->serializeDelta(*k.list);
            out.full = false;
            return out;
        }
    }
    if (newestBytesRevision_ != newest.revision) {
        newestBytes_ = newest.list->serialize();
        newestBytesRevision_ = newest.revision;
    }
    out.bytes = newestBytes_;
    return out;
}

std::uint64_t DisplayFeed::revision() const {
    std::lock_guard lock(mutex_);
    return kept_.empty() ? 0 : kept_.back().revision;
}

std::shared_ptr<const snap::SnapScene> DisplayFeed::snapScene() const {
    std::lock_guard lock(mutex_);
    return scene_;
}

std::size_t DisplayFeed::fingerprint() const {
    std::lock_guard lock(mutex_);
    return kept_.empty() ? 0 : static_cast<std::size_t>(kept_.back().fingerprint);
}

} // namespace veld::web
