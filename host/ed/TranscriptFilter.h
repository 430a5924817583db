// The console's view of the transcript. The command line starts each new line with "\n"; on a
// console the transcript's very first line break is dropped (it starts with its first line),
// and at a terminal so is the line break right after an answer the person typed (ENTER has
// moved the terminal to the next line already).
#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace veld::ed {

class TranscriptFilter {
public:
    explicit TranscriptFilter(std::function<void(std::string_view)> sink)
        : sink_(std::move(sink)) {}
    void write(std::string_view text);
    // The person pressed ENTER after typing an answer.
    void answerTyped() { dropNextLineBreak_ = true; }

private:
    std::function<void(std::string_view)> sink_;
    bool dropNextLineBreak_ = true;
};

} // namespace veld::ed
