// The console's view of the transcript.
#include "host/ed/TranscriptFilter.h"

namespace veld::ed {

void TranscriptFilter::write(std::string_view text) {
    if (text.empty()) {
        return;
    }
    if (dropNextLineBreak_ && text.front() == '\n') {
        text.remove_prefix(1);
    }
    dropNextLineBreak_ = false;
    if (!text.empty()) {
        sink_(text);
    }
}

} // namespace veld::ed
