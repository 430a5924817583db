// The browser's input queue.
#include "host/web/WebInput.h"

#include <cstdio>

namespace veld::web {

void WebInput::postLine(std::string line, bool echoed) {
    std::lock_guard lock(mutex_);
    items_.push_back(Line{std::move(line), echoed, std::nullopt});
    ready_.notify_all();
}

// The line holds the point as text too, with every digit a double needs.
void WebInput::postPick(const ed::Pick& pick) {
    char text[80];
    std::snprintf(text, sizeof text, "%.17g,%.17g", pick.x, pick.y);
    std::lock_guard lock(mutex_);
    items_.push_back(Line{text, false, pick});
    ready_.notify_all();
}

void WebInput::postJob(Job job) {
    std::lock_guard lock(mutex_);
    items_.push_back(std::move(job));
    ready_.notify_all();
}

bool WebInput::runOnSession(Job job) {
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> finished = done->get_future();
    postJob([job = std::move(job), done] {
        job();
        done->set_value();
    });
    while (finished.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready) {
        std::lock_guard lock(mutex_);
        if (ended_) {
            return false;
        }
    }
    return true;
}

void WebInput::close() {
    std::lock_guard lock(mutex_);
    closed_ = true;
    ready_.notify_all();
}

bool WebInput::takeItem(Item& item) {
    std::unique_lock lock(mutex_);
    ready_.wait(lock, [this] { return closed_ || !items_.empty(); });
    if (items_.empty()) {
        ended_ = true;
        return false;
    }
    item = std::move(items_.front());
    items_.pop_front();
    return true;
}

std::optional<std::string> WebInput::nextLine() {
    for (;;) {
        if (idle_) {
            idle_();
        }
        Item item;
        if (!takeItem(item)) {
            lastPick_.reset();
            return std::nullopt;
        }
        if (Job* job = std::get_if<Job>(&item)) {
            (*job)();
            continue;
        }
        Line& line = std::get<Line>(item);
        ++lineNumber_;
        lastPick_ = line.pick;
        if (line.echoed && echo_) {
            echo_(line.text);
        }
        return std::move(line.text);
    }
}

} // namespace veld::web
