// The page's event stream.
#include "host/web/EventHub.h"

#include <nlohmann/json.hpp>

namespace veld::web {

namespace {

std::string typeOf(const std::string& json) {
    nlohmann::json event = nlohmann::json::parse(json, nullptr, false);
    return event.is_object() && event.contains("type") && event["type"].is_string()
               ? event["type"].get<std::string>()
               : std::string();
}

// Keeps the last `limit` bytes, starting at a line when one starts there.
void keepTail(std::string& text, std::size_t limit) {
    if (text.size() <= limit) {
        return;
    }
    std::size_t from = text.find('\n', text.size() - limit);
    text.erase(0, from == std::string::npos ? text.size() - limit : from + 1);
}

} // namespace

void EventHub::append(std::string json) {
    events_.push_back(std::move(json));
    if (events_.size() > kKeptEvents) {
        events_.pop_front();
        ++firstIndex_;
    }
    changed_.notify_all();
}

void EventHub::publish(const std::string& json) {
    std::string type = typeOf(json);
    std::lock_guard lock(mutex_);
    if (type == "dialog" || type == "messagebox") {
        dialog_ = json;
    } else if (type == "dialog-closed") {
        dialog_.clear();
    } else if (type == "file") {
        file_ = json;
    }
    append(json);
}

void EventHub::transcript(std::string_view text) {
    // Invalid UTF-8 (a module's raw bytes) is shown replaced rather than breaking the stream.
    std::string json = nlohmann::json{{"type", "transcript"}, {"text", std::string(text)}}.dump(
        -1, ' ', false, nlohmann::json::error_handler_t::replace);
    std::lock_guard lock(mutex_);
    transcript_ += text;
    keepTail(transcript_, kKeptTranscript);
    append(std::move(json));
}

void EventHub::prompt(const std::string& json) {
    std::lock_guard lock(mutex_);
    prompt_ = json;
    append(json);
}

void EventHub::display(std::uint64_t revision) {
    std::string json = nlohmann::json{{"type", "display"}, {"revision", revision}}.dump();
    std::lock_guard lock(mutex_);
    revision_ = revision;
    append(std::move(json));
}

std::vector<std::string> EventHub::welcome(std::size_t& next) const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> out;
    out.push_back(
        nlohmann::json{{"type", "transcript"}, {"text", transcript_}, {"replay", true}}.dump(
            -1, ' ', false, nlohmann::json::error_handler_t::replace));
    out.push_back(nlohmann::json{{"type", "display"}, {"revision", revision_}}.dump());
    for (const std::string* kept : {&file_, &prompt_, &dialog_}) {
        if (!kept->empty()) {
            out.push_back(*kept);
        }
    }
    next = firstIndex_ + events_.size();
    return out;
}

std::optional<std::vector<std::string>> EventHub::follow(std::size_t& next,
                                                         std::chrono::milliseconds wait) const {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, wait, [&] { return closed_ || next < firstIndex_ + events_.size(); });
    if (closed_) {
        return std::nullopt;
    }
    std::vector<std::string> out;
    for (std::size_t i = std::max(next, firstIndex_); i < firstIndex_ + events_.size(); ++i) {
        out.push_back(events_[i - firstIndex_]);
    }
    next = firstIndex_ + events_.size();
    return out;
}

void EventHub::close() {
    std::lock_guard lock(mutex_);
    closed_ = true;
    changed_.notify_all();
}

} // namespace veld::web
