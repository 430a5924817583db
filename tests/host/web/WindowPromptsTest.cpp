// Which point prompts the page may treat as a window's first corner: only those whose answer
// was followed by a corner prompt, learned per prompt text.
#include "host/web/WindowPrompts.h"

#include <gtest/gtest.h>

using veld::host::PromptState;
using veld::web::WindowPrompts;

namespace {

PromptState prompt(PromptState::Kind kind, const char* text, bool hasBase = false) {
    PromptState state;
    state.kind = kind;
    state.text = text;
    state.hasBase = hasBase;
    return state;
}

} // namespace

TEST(WindowPrompts, APlainPointPromptOpensAWindowOnceACornerFollowedItsAnswer) {
    using Kind = PromptState::Kind;
    const PromptState first = prompt(Kind::Point, "\n1点目を指示(RETURN=終了):");
    const PromptState corner = prompt(Kind::Corner, "\n2点目を指示:", true);
    const PromptState insertion = prompt(Kind::Point, "\n挿入基点を指示(RETURN=終了):");
    WindowPrompts prompts;
    EXPECT_FALSE(prompts.opensWindow(first)) << "nothing is known before the first window";
    EXPECT_FALSE(prompts.opensWindow(corner));
    EXPECT_TRUE(prompts.opensWindow(first));
    EXPECT_FALSE(prompts.opensWindow(insertion)) << "another text is another prompt";
    EXPECT_FALSE(prompts.opensWindow(prompt(Kind::Command, "Command: ")));
    EXPECT_TRUE(prompts.opensWindow(first)) << "kept for the rest of the session";

    // A corner after a prompt with a base point (LINE's next point) or after another kind of
    // prompt teaches nothing.
    WindowPrompts other;
    const PromptState next = prompt(Kind::Point, "Specify next point: ", true);
    other.opensWindow(next);
    other.opensWindow(corner);
    EXPECT_FALSE(other.opensWindow(prompt(Kind::Point, "Specify next point: ")));
    other.opensWindow(prompt(Kind::Select, "Select objects: "));
    other.opensWindow(corner);
    EXPECT_FALSE(other.opensWindow(prompt(Kind::Point, "Select objects: ")));
}
