// Answers typed by a person at a terminal: the prompt is on the screen before the line is read.
#pragma once
#include "host/ed/Session.h"

#include <functional>
#include <istream>

namespace veld::ed {

class TerminalInput : public host::InputSource {
public:
    // `typed` is told each time the person pressed ENTER (the console's transcript needs it).
    explicit TerminalInput(std::istream& in, std::function<void()> typed = {})
        : in_(in), typed_(std::move(typed)) {}

    std::optional<std::string> nextLine() override;
    int lineNumber() const override { return lineNumber_; }
    bool isInteractive() const override { return true; }

private:
    std::istream& in_;
    std::function<void()> typed_;
    int lineNumber_ = 0;
};

} // namespace veld::ed
