// Answers from a list of lines held in memory: what tests feed to the command line.
#pragma once
#include "host/ed/Session.h"

#include <cstddef>
#include <string>
#include <vector>

namespace veld::ed {

class LineListInput : public ed::InputSource {
public:
    explicit LineListInput(std::vector<std::string> lines, bool interactive = false)
        : lines_(std::move(lines)), interactive_(interactive) {}

    std::optional<std::string> nextLine() override;
    int lineNumber() const override { return static_cast<int>(next_); }
    bool isInteractive() const override { return interactive_; }
    // Lines not read yet (tests check that a run used exactly its answers).
    std::size_t remaining() const { return lines_.size() - next_; }

private:
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
    bool interactive_;
};

} // namespace veld::ed
