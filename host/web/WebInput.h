// The session's input when it is driven from a browser: lines, clicks and jobs posted by the
// server's threads wait in a queue until the session thread asks for its next answer. Jobs
// (building the picture, saving a copy, opening a drawing) run on the session thread there,
// while the session stands at a prompt and nothing else touches the drawing.
#pragma once
#include "host/ed/Session.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <variant>

namespace veld::web {

class WebInput : public ed::InputSource {
public:
    using Job = std::function<void()>;

    // `echo` shows a typed answer in the transcript (the browser has no terminal echo);
    // `idle` runs on the session thread each time it is about to wait for input.
    WebInput(std::function<void(const std::string&)> echo, Job idle)
        : echo_(std::move(echo)), idle_(std::move(idle)) {}

    void postLine(std::string line, bool echoed = true);
    void postPick(const ed::Pick& pick);
    void postJob(Job job);
    // Runs `job` on the session thread and waits for it; false when the input has ended
    // before the job could run.
    bool runOnSession(Job job);
    // The end of the input: the running command unwinds as on ESC and the command loop ends.
    void close();

    std::optional<std::string> nextLine() override;
    int lineNumber() const override { return lineNumber_; }
    bool isInteractive() const override { return true; }
    std::optional<ed::Pick> lastPick() const override { return lastPick_; }

private:
    struct Line {
        std::string text;
        bool echoed = true;
        std::optional<ed::Pick> pick;
    };
    using Item = std::variant<Line, Job>;
    bool takeItem(Item& item);

    std::function<void(const std::string&)> echo_;
    Job idle_;
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<Item> items_;
    bool closed_ = false;
    bool ended_ = false; // the session found the input ended: no job runs any more
    int lineNumber_ = 0;
    std::optional<ed::Pick> lastPick_;
};

} // namespace veld::web
