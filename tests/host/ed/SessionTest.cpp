// The session: reading answer lines, the transcript's line breaks, stopping a run.
#include "host/ed/Session.h"
#include "host/ed/LineListInput.h"

#include <gtest/gtest.h>

using veld::ed::LineListInput;
using veld::host::Session;

namespace {

struct Captured {
    Session session;
    std::string text;
    Captured() {
        session.setOutput([this](std::string_view t) { text.append(t); });
    }
};

} // namespace

TEST(EdSession, CommentsLineEndsAndByteOrderMarkAreDropped) {
    Captured c;
    LineListInput input({"\xEF\xBB\xBFLINE\r", "; a comment", "", "^C"});
    c.session.setInput(&input);
    EXPECT_EQ(c.session.nextLine(), "LINE");
    EXPECT_EQ(c.session.nextLine(), "");
    EXPECT_EQ(c.session.lineNumber(), 3);
    EXPECT_EQ(c.session.nextLine(), "^C");
    EXPECT_EQ(c.session.nextLine(), std::nullopt);
}

TEST(EdSession, TheFirstLineBreakOfATranscriptIsDropped) {
    Captured c;
    c.session.print("\nCommand: LINE");
    c.session.print("\nSpecify first point: ");
    c.session.finishLine();
    EXPECT_EQ(c.text, "Command: LINE\nSpecify first point: \n");
}

TEST(EdSession, AnAnswerTypedAtATerminalEndsTheLineItself) {
    Captured c;
    LineListInput input({"LINE"}, true);
    c.session.setInput(&input);
    c.session.print("\nCommand: ");
    c.session.nextLine();
    c.session.print("\nSpecify first point: ");
    c.session.print("\n\nblank line above");
    EXPECT_EQ(c.text, "Command: Specify first point: \n\nblank line above");
}

TEST(EdSession, AbortStopsReadingAndNamesTheLine) {
    Captured c;
    LineListInput input({"LINE", "ok", "0,0"});
    c.session.setInput(&input);
    c.session.nextLine();
    c.session.nextLine();
    c.session.abort("\"ok\" is a dialog action, but no dialog is open");
    c.session.abort("a second reason is ignored");
    EXPECT_TRUE(c.session.aborted());
    EXPECT_EQ(c.session.abortReason(), "line 2: \"ok\" is a dialog action, but no dialog is open");
    EXPECT_EQ(c.session.nextLine(), std::nullopt);
}

TEST(EdSession, ScopesNestAndRestore) {
    Session outer;
    Session inner;
    {
        Session::Scope a(outer);
        {
            Session::Scope b(inner);
            EXPECT_EQ(&Session::current(), &inner);
        }
        EXPECT_EQ(&Session::current(), &outer);
    }
}
