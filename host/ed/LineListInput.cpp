// Answers from a list of lines held in memory.
#include "host/ed/LineListInput.h"

namespace veld::ed {

std::optional<std::string> LineListInput::nextLine() {
    if (next_ >= lines_.size()) {
        return std::nullopt;
    }
    return lines_[next_++];
}

} // namespace veld::ed
