// Answers from a script file, read line by line as the prompts ask for them.
#include "host/ed/ScriptFileInput.h"

namespace veld::ed {

ScriptFileInput::ScriptFileInput(const std::string& path) : stream_(path, std::ios::binary) {}

std::optional<std::string> ScriptFileInput::nextLine() {
    std::string line;
    if (!stream_.is_open() || !std::getline(stream_, line)) {
        return std::nullopt;
    }
    ++lineNumber_;
    return line;
}

} // namespace veld::ed
