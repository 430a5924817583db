// Answers typed at a terminal. The transcript goes to standard output, which is flushed before
// each read so that the person sees the prompt.
#include "host/ed/TerminalInput.h"

#include "host/ed/TypedText.h"

#include <cstdio>
#include <iostream>
#include <string>

namespace veld::ed {

void TerminalInput::catchInterrupts(std::function<void()> cancel) {
    cancel_ = std::move(cancel);
    interrupts_ = std::make_unique<TerminalSignals::InterruptCatcher>();
}

// A Ctrl-C ends the read in progress (or came while a command worked): the stream is made
// readable again and the session hears ESC.
bool TerminalInput::interruptedRead() {
    if (!interrupts_ || TerminalSignals::hungUp() || !TerminalSignals::takeInterrupt()) {
        return false;
    }
    in_.clear();
    std::clearerr(stdin);
    cancel_();
    return true;
}

std::optional<std::string> TerminalInput::nextLine() {
    while (failure_.empty()) {
        std::fflush(stdout);
        std::cout.flush();
        if (std::ferror(stdout) != 0 || !std::cout) {
            TerminalSignals::noteOutputLost(); // no one sees the prompts any more
        }
        if (TerminalSignals::hungUp() || interruptedRead()) {
            return std::nullopt;
        }
        std::string line;
        if (!std::getline(in_, line)) {
            interruptedRead();
            return std::nullopt;
        }
        ++lineNumber_;
        if (typed_ && interactive_) {
            typed_();
        }
        if (std::optional<std::string> text = typedTextAsUtf8(line, shiftJis_)) {
            return text;
        }
        const char* what = shiftJis_ ? "Not Shift-JIS text" : "Not UTF-8 text";
        if (!interactive_) {
            // Lines from a pipe follow each other blindly: the input stops as a script does.
            failure_ = "line " + std::to_string(lineNumber_) +
                       (shiftJis_ ? ": not Shift-JIS text" : ": not UTF-8 text");
            return std::nullopt;
        }
        // Never kept as raw bytes: the person types it again.
        std::printf("%s; the line was ignored. Type it again.\n", what);
    }
    return std::nullopt;
}

} // namespace veld::ed
