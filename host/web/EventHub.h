// The page's event stream: every event of the session (transcript, prompt, picture, dialogs) in
// order, for any number of tabs. A tab that connects later first gets what it needs to show the
// same state: the transcript so far, the current prompt, the open dialog, the drawing's file
// name and whether it has unsaved changes, and the revision.
#pragma once
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veld::web {

class EventHub {
public:
    // One event as a JSON object with a "type"; the last dialog and file events are remembered
    // for new tabs.
    void publish(const std::string& json);
    void transcript(std::string_view text);
    void prompt(const std::string& json);
    void display(std::uint64_t revision);

    // The events a new tab starts with; `next` is set to where it follows on from.
    std::vector<std::string> welcome(std::size_t& next) const;
    // The events after `next` (advancing it), waiting up to `wait` for one; an empty list on
    // timeout, nullopt once the hub is closed.
    std::optional<std::vector<std::string>> follow(std::size_t& next,
                                                   std::chrono::milliseconds wait) const;
    void close();

private:
    void append(std::string json);

    static constexpr std::size_t kKeptEvents = 4096;
    static constexpr std::size_t kKeptTranscript = 1 << 20;

    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::deque<std::string> events_;
    std::size_t firstIndex_ = 0; // the index of events_.front()
    std::string transcript_;
    std::string prompt_;
    std::string dialog_;
    std::string file_;
    std::uint64_t revision_ = 0;
    bool closed_ = false;
};

} // namespace veld::web
