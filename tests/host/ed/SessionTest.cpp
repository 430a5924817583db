// The session: reading answer lines, the transcript's line breaks, stopping a run.
#include "host/ed/Session.h"
#include "host/ed/LineListInput.h"
#include "host/ed/TerminalInput.h"
#include "host/ed/TranscriptFilter.h"

#include <gtest/gtest.h>

#include <sstream>

using veld::ed::LineListInput;
using veld::ed::Session;
using veld::ed::TerminalInput;
using veld::ed::TranscriptFilter;

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

TEST(EdSession, TheTranscriptIsWrittenAsPrintedAndFinishedWithALineEnd) {
    Captured c;
    c.session.print("\nCommand: LINE");
    c.session.print("\nSpecify first point: ");
    c.session.finishLine();
    c.session.finishLine();
    EXPECT_EQ(c.text, "\nCommand: LINE\nSpecify first point: \n");
}

TEST(EdTranscriptFilter, TheConsoleDropsTheFirstLineBreak) {
    std::string shown;
    TranscriptFilter console([&](std::string_view t) { shown.append(t); });
    console.write("\nCommand: LINE");
    console.write("\nSpecify first point: ");
    EXPECT_EQ(shown, "Command: LINE\nSpecify first point: ");
}

TEST(EdTranscriptFilter, AnAnswerTypedAtATerminalEndsTheLineItself) {
    std::string shown;
    TranscriptFilter console([&](std::string_view t) { shown.append(t); });
    std::istringstream typed("LINE\n");
    TerminalInput terminal(typed, [&] { console.answerTyped(); });
    Session session;
    Session::Scope scope(session);
    session.setOutput([&](std::string_view t) { console.write(t); });
    session.setInput(&terminal);
    session.print("\nCommand: ");
    EXPECT_EQ(session.nextLine(), "LINE");
    session.print("\nSpecify first point: ");
    session.print("\n\nblank line above");
    EXPECT_EQ(shown, "Command: Specify first point: \n\nblank line above");
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

namespace {

// A person's input whose second read is ended by ESC from elsewhere (a key the terminal maps,
// a call from another front end): it calls the session's cancel and hands back no line.
class CancelledRead : public veld::ed::InputSource {
public:
    explicit CancelledRead(Session& session) : session_(session) {}
    std::optional<std::string> nextLine() override {
        if (++reads_ == 2) {
            session_.cancel();
            return std::nullopt;
        }
        return "1,1";
    }
    int lineNumber() const override { return reads_; }
    bool isInteractive() const override { return true; }
    int reads_ = 0;

private:
    Session& session_;
};

} // namespace

// ESC is the session's own: a read it ends, or the read after it when it came between reads,
// answers as ESC, and the input goes on afterwards (it is not the end of the input).
TEST(EdSession, CancelAnswersTheReadInProgressOrTheNextOneAsEscape) {
    Captured c;
    CancelledRead input(c.session);
    c.session.setInput(&input);
    EXPECT_EQ(c.session.nextLine(), "1,1");
    EXPECT_EQ(c.session.nextLine(), Session::kCancelLine);
    EXPECT_EQ(c.session.nextLine(), "1,1");
    c.session.cancel();
    EXPECT_EQ(c.session.nextLine(), Session::kCancelLine);
    EXPECT_EQ(input.reads_, 3) << "a cancel that came between reads reads nothing";
    EXPECT_EQ(c.session.nextLine(), "1,1");
}
