// Answers typed at a terminal. The transcript goes to standard output, which is flushed before
// each read so that the person sees the prompt.
#include "host/ed/TerminalInput.h"

#include <cstdio>
#include <iostream>
#include <string>

namespace veld::ed {

std::optional<std::string> TerminalInput::nextLine() {
    std::fflush(stdout);
    std::cout.flush();
    std::string line;
    if (!std::getline(in_, line)) {
        return std::nullopt;
    }
    ++lineNumber_;
    if (typed_ && interactive_) {
        typed_();
    }
    return line;
}

} // namespace veld::ed
