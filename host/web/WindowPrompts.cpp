// Which plain point prompts open a window, learned as the session asks them and kept in a file.
#include "host/web/WindowPrompts.h"

#include "host/files/FileRead.h"
#include "host/files/SafeReplace.h"

#include <nlohmann/json.hpp>

#include <fstream>

namespace veld::web {

WindowPrompts::WindowPrompts(std::string file) : file_(std::move(file)) {
    load();
}

bool WindowPrompts::isPlainPoint(const ed::PromptState& state) {
    return state.kind == ed::PromptState::Kind::Point && !state.hasBase;
}

bool WindowPrompts::opensWindow(const ed::PromptState& state) {
    // A corner asked right after a plain point: that point was the window's first corner.
    if (state.kind == ed::PromptState::Kind::Corner && state.hasBase && isPlainPoint(previous_) &&
        openers_.insert(previous_.text).second) {
        save();
    }
    previous_ = state;
    return isPlainPoint(state) && openers_.count(state.text) != 0;
}

// A file that is missing, unreadable or not a list of texts teaches nothing.
void WindowPrompts::load() {
    std::string why;
    if (file_.empty() || !files::checkReadableFile(file_, why)) {
        return;
    }
    std::ifstream in(file_, std::ios::binary);
    const nlohmann::json texts = nlohmann::json::parse(in, nullptr, false);
    if (!texts.is_array()) {
        return;
    }
    for (const nlohmann::json& text : texts) {
        if (text.is_string()) {
            openers_.insert(text.get<std::string>());
        }
    }
}

// Best effort: without the file a later session learns again.
void WindowPrompts::save() const {
    if (file_.empty()) {
        return;
    }
    std::string error;
    files::replaceFile(
        file_,
        nlohmann::json(openers_).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace),
        files::ReplaceOptions{}, error);
}

} // namespace veld::web
