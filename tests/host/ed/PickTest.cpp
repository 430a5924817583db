// Clicks from a front end with a pointer: point prompts snap them (typed points never), a
// selection prompt picks within PICKDIST screen pixels and a dragged window never picks; the
// prompt observer is told the kind of each prompt and its base point.
#include "aced.h"
#include "host/ed/CommandProcessor.h"
#include "host/ed/CurrentDrawing.h"
#include "host/ed/HeadlessHost.h"

#include <gtest/gtest.h>

#include <deque>

using veld::ed::CurrentDrawing;
using veld::ed::HeadlessHost;
using Kind = veld::ed::PromptState::Kind;

namespace {

// Answers that are typed lines or clicks.
class PointerInput : public veld::ed::InputSource {
public:
    void type(std::string line) { lines_.push_back({std::move(line), std::nullopt}); }
    void click(double x, double y, double pixel, bool startsWindow = false) {
        lines_.push_back({std::to_string(x) + "," + std::to_string(y),
                          veld::ed::Pick{x, y, pixel, startsWindow}});
    }
    std::optional<std::string> nextLine() override {
        if (lines_.empty()) {
            return std::nullopt;
        }
        auto [text, pick] = lines_.front();
        lines_.pop_front();
        last_ = pick;
        ++number_;
        return text;
    }
    int lineNumber() const override { return number_; }
    bool isInteractive() const override { return true; }
    std::optional<veld::ed::Pick> lastPick() const override { return last_; }

private:
    std::deque<std::pair<std::string, std::optional<veld::ed::Pick>>> lines_;
    std::optional<veld::ed::Pick> last_;
    int number_ = 0;
};

AcDbObjectId addLine(double x1, double y1, double x2, double y2) {
    AcDbObjectId id;
    CurrentDrawing::append(new AcDbLine(AcGePoint3d(x1, y1, 0), AcGePoint3d(x2, y2, 0)), id);
    return id;
}

struct PointerHost {
    HeadlessHost host;
    PointerInput input;
    std::vector<veld::ed::PromptState> prompts;
    PointerHost() {
        host.session().setInput(&input);
        host.session().setPromptObserver(
            [this](const veld::ed::PromptState& state) { prompts.push_back(state); });
        addLine(0.1, -100, 0.1, 100);
        addLine(-100, 0.7, 100, 0.7);
    }
};

} // namespace

TEST(EdPick, AClickSnapsToTheCrossingInReachButTypedPointsStayAsTyped) {
    PointerHost h;
    resbuf osmode{};
    osmode.restype = RTSHORT;
    osmode.resval.rint = 32;
    ASSERT_EQ(acedSetVar("OSMODE", &osmode), RTNORM);
    h.input.click(0.4, 1.0, 0.05);  // aperture 10 pixels = 0.5
    h.input.click(1.45, 1.1, 0.05); // nothing within 0.5
    h.input.type("0.11,0.71");
    ads_point p;
    ASSERT_EQ(acedGetPoint(nullptr, "\nPoint: ", p), RTNORM);
    EXPECT_EQ(p[0], 0.1);
    EXPECT_EQ(p[1], 0.7);
    ads_point base = {5, 6, 0};
    ASSERT_EQ(acedGetCorner(base, "\nCorner: ", p), RTNORM);
    EXPECT_EQ(p[0], 1.45);
    EXPECT_EQ(p[1], 1.1);
    ASSERT_EQ(acedGetPoint(nullptr, "\nPoint: ", p), RTNORM);
    EXPECT_EQ(p[0], 0.11);
    EXPECT_EQ(p[1], 0.71);

    ASSERT_EQ(h.prompts.size(), 3u);
    EXPECT_EQ(h.prompts[0].kind, Kind::Point);
    EXPECT_FALSE(h.prompts[0].hasBase);
    EXPECT_EQ(h.prompts[1].kind, Kind::Corner);
    EXPECT_TRUE(h.prompts[1].hasBase);
    EXPECT_EQ(h.prompts[1].base[1], 6.0);
    EXPECT_EQ(h.prompts[1].text, "\nCorner: ");
}

TEST(EdPick, ASelectionClickReachesPickdistPixelsAndADraggedWindowNeverPicks) {
    PointerHost h;
    AcDbObjectId inside = addLine(20, 20, 30, 30);
    ads_name ss;
    h.input.click(25, 22, 0.5); // 2.5 from the short line: within 5 pixels of 0.5
    ASSERT_EQ(acedSSGet(":S", nullptr, nullptr, nullptr, ss), RTNORM);
    Adesk::Int32 n = 0;
    acedSSLength(ss, &n);
    EXPECT_EQ(n, 1);
    acedSSFree(ss);

    // Starting on the line, the drag still opens a window, which takes the whole line only.
    h.input.click(20, 20, 0.5, true);
    h.input.click(40, 40, 0.5);
    ASSERT_EQ(acedSSGet(":S", nullptr, nullptr, nullptr, ss), RTNORM);
    ads_name first;
    ASSERT_EQ(acedSSName(ss, 0, first), RTNORM);
    AcDbObjectId id;
    acdbGetObjectId(id, first);
    EXPECT_EQ(id, inside);
    acedSSFree(ss);
    EXPECT_EQ(h.prompts.back().kind, Kind::Select);
    EXPECT_TRUE(h.prompts.back().hasBase) << "the opposite corner's window box starts there";
    EXPECT_NE(h.host.transcript().find("Specify opposite corner"), std::string::npos);
}

TEST(EdPick, TheObserverSeesTheCommandPromptAndTheRubberBandOfLine) {
    PointerHost h;
    h.input.type("LINE");
    h.input.click(30, 40, 1.0); // nothing to snap to within 10
    h.input.type("^C");
    veld::ed::CommandProcessor::run();
    ASSERT_GE(h.prompts.size(), 4u);
    EXPECT_EQ(h.prompts[0].kind, Kind::Command);
    EXPECT_EQ(h.prompts[1].kind, Kind::Point);
    EXPECT_FALSE(h.prompts[1].hasBase);
    EXPECT_EQ(h.prompts[2].kind, Kind::Point);
    ASSERT_TRUE(h.prompts[2].hasBase);
    EXPECT_EQ(h.prompts[2].base[0], 30.0);
    EXPECT_EQ(h.prompts[3].kind, Kind::Command);
}

TEST(EdPick, ADialogActionTypedByAPersonWithNoDialogOpenDoesNotEndTheSession) {
    PointerHost h;
    h.input.type("ok");
    h.input.type("LINE");
    h.input.type("cancel");
    h.input.type("^C");
    veld::ed::CommandProcessor::run();
    EXPECT_FALSE(h.host.session().aborted());
    EXPECT_NE(h.host.transcript().find("Unknown command \"OK\""), std::string::npos)
        << "a person who types a dialog word at the command prompt hears of an unknown command";
    EXPECT_NE(h.host.transcript().find("\nInvalid point."), std::string::npos)
        << "the point prompt asks again";
}
