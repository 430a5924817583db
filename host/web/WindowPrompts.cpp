// Which plain point prompts open a window, learned as the session asks them.
#include "host/web/WindowPrompts.h"

namespace veld::web {

bool WindowPrompts::isPlainPoint(const host::PromptState& state) {
    return state.kind == host::PromptState::Kind::Point && !state.hasBase;
}

bool WindowPrompts::opensWindow(const host::PromptState& state) {
    // A corner asked right after a plain point: that point was the window's first corner.
    if (state.kind == host::PromptState::Kind::Corner && state.hasBase && isPlainPoint(previous_)) {
        openers_.insert(previous_.text);
    }
    previous_ = state;
    return isPlainPoint(state) && openers_.count(state.text) != 0;
}

} // namespace veld::web
