// Answers typed by a person at a terminal: the prompt is on the screen before the line is read.
#pragma once
#include "host/ed/Session.h"
#include "host/ed/TerminalSignals.h"

#include <functional>
#include <istream>
#include <memory>
#include <string>

namespace veld::ed {

class TerminalInput : public ed::InputSource {
public:
    // `typed` is told each time the person pressed ENTER (the console's transcript needs it).
    // With `interactive` false (the input is a pipe, not a person) the answers are echoed as
    // in a script.
    explicit TerminalInput(std::istream& in, std::function<void()> typed = {},
                           bool interactive = true)
        : in_(in), typed_(std::move(typed)), interactive_(interactive) {}

    // Lines arrive in Shift-JIS and are converted; otherwise they must be UTF-8. A line that
    // is not valid text is refused: a person is told and types it again; input from a pipe
    // ends there, with the reason in failure().
    void readShiftJis(bool on) { shiftJis_ = on; }
    const std::string& failure() const { return failure_; }
    // Ctrl-C calls `cancel` (the session's ESC) instead of ending the process, while this
    // input lives. `in` must then read the process's standard input.
    void catchInterrupts(std::function<void()> cancel);

    std::optional<std::string> nextLine() override;
    int lineNumber() const override { return lineNumber_; }
    bool isInteractive() const override { return interactive_; }

private:
    bool interruptedRead();

    std::istream& in_;
    std::function<void()> typed_;
    std::function<void()> cancel_;
    std::unique_ptr<TerminalSignals::InterruptCatcher> interrupts_;
    bool interactive_;
    bool shiftJis_ = false;
    std::string failure_;
    int lineNumber_ = 0;
};

} // namespace veld::ed
