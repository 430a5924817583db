// Which plain point prompts open a window: learned from the session, where a corner prompt
// follows the point just given to such a prompt, and kept in the profile for later sessions.
// The page then lets a drag there draw the window.
#pragma once
#include "host/ed/Session.h"

#include <set>
#include <string>

namespace veld::web {

class WindowPrompts {
public:
    // `file` keeps what was learned (a JSON list of prompt texts); empty: kept in memory only.
    explicit WindowPrompts(std::string file = {});

    // Session thread: the prompt the session asks now. True when it is a point prompt without
    // a base point whose answer has opened a window before.
    bool opensWindow(const ed::PromptState& state);

private:
    static bool isPlainPoint(const ed::PromptState& state);
    void load();
    void save() const;

    std::string file_;
    std::set<std::string> openers_;
    ed::PromptState previous_;
};

} // namespace veld::web
