// The browser's input queue and event stream: lines, clicks and jobs reach the session thread in
// order; the end of the input; what a tab that connects later is given.
#include "host/web/WebInput.h"
#include "host/web/EventHub.h"

#include <gtest/gtest.h>

#include <thread>

using veld::web::EventHub;
using veld::web::WebInput;

TEST(WebInput, LinesClicksAndJobsArriveInOrderOnTheReadingThread) {
    std::vector<std::string> echoed;
    int idle = 0;
    WebInput input([&](const std::string& line) { echoed.push_back(line); }, [&] { ++idle; });
    std::thread::id jobThread;
    input.postLine("LINE");
    input.postPick({0.1, 1e-17, 2.0, false});
    input.postJob([&] { jobThread = std::this_thread::get_id(); });
    input.postLine("^C", false);

    EXPECT_EQ(input.nextLine(), "LINE");
    EXPECT_FALSE(input.lastPick());
    EXPECT_EQ(input.nextLine(), "0.10000000000000001,1.0000000000000001e-17");
    ASSERT_TRUE(input.lastPick());
    EXPECT_EQ(input.lastPick()->x, 0.1);
    EXPECT_EQ(input.lastPick()->pixel, 2.0);
    EXPECT_EQ(input.nextLine(), "^C");
    EXPECT_EQ(jobThread, std::this_thread::get_id());
    EXPECT_EQ(echoed, std::vector<std::string>{"LINE"}) << "clicks and ESC are not echoed";
    EXPECT_EQ(input.lineNumber(), 3);
    EXPECT_GE(idle, 4);
}

TEST(WebInput, AJobWaitsForTheSessionAndFailsOnceTheInputHasEnded) {
    WebInput input({}, {});
    std::thread session([&] {
        while (input.nextLine()) {
        }
    });
    int ran = 0;
    EXPECT_TRUE(input.runOnSession([&] { ++ran; }));
    EXPECT_EQ(ran, 1);
    input.close();
    session.join();
    EXPECT_FALSE(input.runOnSession([&] { ++ran; })) << "nobody reads any more";
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(input.nextLine(), std::nullopt);
}

TEST(EventHub, ALateTabGetsTheTranscriptPromptAndOpenDialogThenFollows) {
    EventHub hub;
    hub.transcript("Command: ");
    hub.prompt(R"({"type":"prompt","kind":"point"})");
    hub.publish(R"({"type":"dialog","id":1})");
    hub.display(7);
    std::size_t next = 0;
    std::vector<std::string> first = hub.welcome(next);
    ASSERT_EQ(first.size(), 4u);
    EXPECT_EQ(first[0], R"({"replay":true,"text":"Command: ","type":"transcript"})");
    EXPECT_EQ(first[1], R"({"revision":7,"type":"display"})");
    EXPECT_EQ(first[3], R"({"type":"dialog","id":1})");

    hub.publish(R"({"type":"dialog-closed"})");
    auto more = hub.follow(next, std::chrono::milliseconds(0));
    ASSERT_TRUE(more);
    EXPECT_EQ(*more, std::vector<std::string>{R"({"type":"dialog-closed"})"});
    std::size_t late = 0;
    EXPECT_EQ(hub.welcome(late).size(), 3u) << "a closed dialog is not shown again";
    EXPECT_TRUE(hub.follow(next, std::chrono::milliseconds(0))->empty());
    hub.close();
    EXPECT_FALSE(hub.follow(next, std::chrono::milliseconds(1000)));
}

TEST(EventHub, TextThatIsNotUtf8DoesNotBreakTheStream) {
    EventHub hub;
    hub.transcript("\x83\x65\x83\x58\x83\x67"); // Shift_JIS bytes
    std::size_t next = 0;
    EXPECT_NE(hub.welcome(next)[0].find("\"type\":\"transcript\""), std::string::npos);
}
