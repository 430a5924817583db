// The picture of the drawing for the page, by revision: brought up to date on the session thread
// whenever the session waits for input (only what changed is rebuilt), a new revision only when
// it changed. The last few revisions are
// kept to answer a tab's "what changed since N"; the snap shapes of the newest are kept for the
// snap marker under the cursor.
#pragma once
#include "host/render/DisplayList.h"
#include "host/render/DisplayUpdater.h"
#include "host/snap/SnapScene.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace veld::web {

class DisplayFeed {
public:
    explicit DisplayFeed(std::function<void(std::uint64_t)> changed)
        : changed_(std::move(changed)) {}

    // Session thread: takes the picture of `db`; tells `changed` when it is new.
    void refresh(AcDbDatabase& db);

    struct Body {
        std::string bytes;
        std::uint64_t revision = 0;
        bool full = true;
    };
    // Any thread: the newest picture in full, or what changed since `since` (in full when that
    // revision is no longer kept).
    Body body(std::optional<std::uint64_t> since) const;
    std::uint64_t revision() const;
    std::shared_ptr<const snap::SnapScene> snapScene() const;
    // The newest picture's bytes, to tell a changed drawing from the saved one.
    std::size_t fingerprint() const;

private:
    struct Kept {
        std::uint64_t revision;
        std::shared_ptr<const render::DisplayList> list;
        std::uint64_t fingerprint;
    };
    static constexpr std::size_t kKeptRevisions = 8;

    std::function<void(std::uint64_t)> changed_;
    render::DisplayUpdater updater_; // session thread only
    mutable std::mutex mutex_;
    // The newest picture in full, made on the first request for it.
    mutable std::string newestBytes_;
    mutable std::uint64_t newestBytesRevision_ = 0;
    std::deque<Kept> kept_;
    std::shared_ptr<const snap::SnapScene> scene_ = std::make_shared<snap::SnapScene>();
};

} // namespace veld::web
