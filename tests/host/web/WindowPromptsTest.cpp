// Which point prompts the page may treat as a window's first corner: only those whose answer
// was followed by a corner prompt, learned per prompt text and kept for later sessions.
#include "host/web/WindowPrompts.h"
#include "host/win/WinTestFiles.h"

#include <gtest/gtest.h>

#include <fstream>

using veld::ed::PromptState;
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

TEST(WindowPrompts, WhatWasLearnedIsKnownToTheNextSessionAndABrokenFileTeachesNothing) {
    using Kind = PromptState::Kind;
    veld::test::TempFolder folder;
    const std::string file = folder.file("window-prompts.json");
    const PromptState first = prompt(Kind::Point, "\n1点目を指示(RETURN=終了):");
    {
        WindowPrompts session(file);
        EXPECT_FALSE(session.opensWindow(first));
        session.opensWindow(prompt(Kind::Corner, "\n2点目を指示:", true));
    }
    WindowPrompts later(file);
    EXPECT_TRUE(later.opensWindow(first));
    EXPECT_FALSE(later.opensWindow(prompt(Kind::Point, "\n挿入基点を指示(RETURN=終了):")));

    for (const char* broken : {"{\"a\":1}", "[1, null, ", "\xff\xfe"}) {
        std::ofstream(file, std::ios::binary | std::ios::trunc) << broken;
        EXPECT_FALSE(WindowPrompts(file).opensWindow(first)) << broken;
    }
}
