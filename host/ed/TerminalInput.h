// Answers typed by a person at a terminal: the prompt is on the screen before the line is read.
#pragma once
#include "host/ed/Session.h"

#include <istream>

namespace veld::ed {

class TerminalInput : public host::InputSource {
public:
    explicit TerminalInput(std::istream& in) : in_(in) {}

    std::optional<std::string> nextLine() override;
    int lineNumber() const override { return lineNumber_; }
    bool isInteractive() const override { return true; }

private:
    std::istream& in_;
    int lineNumber_ = 0;
};

} // namespace veld::ed
