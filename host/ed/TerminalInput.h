// Answers typed by a person at a terminal: the prompt is on the screen before the line is read.
#pragma once
#include "host/ed/Session.h"

#include <functional>
#include <istream>

namespace veld::ed {

class TerminalInput : public host::InputSource {
public:
    // `typed` is told each time the person pressed ENTER (the console's transcript needs it).
    // With `interactive` false (the input is a pipe, not a person) the answers are echoed as
    // in a script.
    explicit TerminalInput(std::istream& in, std::function<void()> typed = {},
                           bool interactive = true)
        : in_(in), typed_(std::move(typed)), interactive_(interactive) {}

    std::optional<std::string> nextLine() override;
    int lineNumber() const override { return lineNumber_; }
    bool isInteractive() const override { return interactive_; }

private:
    std::istream& in_;
    std::function<void()> typed_;
    bool interactive_;
    int lineNumber_ = 0;
};

} // namespace veld::ed
