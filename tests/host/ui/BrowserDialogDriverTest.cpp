// The browser dialog driver: templates 1020 and 1021 laid out in pixels without overlaps, the
// state JSON a page draws from, the same notifications and transcript as the script driver for
// the same action lines, and message boxes that wait for a person.
#include "host/ui/BrowserDialogDriver.h"
#include "UiTestSession.h"
#include "host/ui/DialogLayout.h"
#include "host/ui/ResourceDirectory.h"

#include <nlohmann/json.hpp>

namespace veld::test {
namespace {

namespace ui = veld::ui;
using nlohmann::json;
using Events = std::vector<std::string>;

const ui::DialogTemplate& templateOf(int id) {
    static const ui::ResourceDirectory resources(veldModuleResourceTable());
    const ui::DialogTemplate* dialog = resources.dialog(id);
    EXPECT_NE(dialog, nullptr) << id;
    return *dialog;
}

bool overlap(const ui::Rect& a, const ui::Rect& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
}

bool inside(const ui::Rect& outer, const ui::Rect& inner) {
    return inner.x >= outer.x && inner.y >= outer.y &&
           inner.x + inner.width <= outer.x + outer.width &&
           inner.y + inner.height <= outer.y + outer.height;
}

TEST(DialogLayout, NinePointGothicGivesBaseUnitsSixByTwelveAndEdgesRoundHalfUp) {
    const ui::BaseUnits base = ui::DialogLayout::baseUnitsOf(9, "ＭＳ Ｐゴシック");
    EXPECT_EQ(base.x, 6);
    EXPECT_EQ(base.y, 12);
    const ui::DialogLayout layout(templateOf(1020));
    EXPECT_EQ(layout.fontPixels(), 12);
    // 314 x 297 units: 471 x 445.5, rounded half away from zero.
    EXPECT_EQ(layout.client().width, 471);
    EXPECT_EQ(layout.client().height, 446);
    // Edit 1033 at 268,27 36x12: top 40.5 -> 41, bottom 58.5 -> 59.
    const ui::Rect r = layout.toPixels(templateOf(1020).control(1033)->rect);
    EXPECT_EQ(r.x, 402);
    EXPECT_EQ(r.y, 41);
    EXPECT_EQ(r.width, 54);
    EXPECT_EQ(r.height, 18);
}

// Group boxes frame other controls by design; every other pair must be apart, and everything
// inside the client area: a page that draws these rectangles shows no control over another.
// The layer rows of 1020 were widened for their nine-letter labels after this caught them.
TEST(DialogLayout, ControlsOfBothPagesNeitherOverlapNorLeaveTheDialog) {
    for (const int id : {1020, 1021}) {
        const ui::DialogTemplate& dialog = templateOf(id);
        const ui::DialogLayout layout(dialog);
        std::vector<std::pair<const ui::ControlTemplate*, ui::Rect>> drawn;
        for (const auto& c : dialog.controls) {
            const ui::Rect r = layout.controlRect(c.kind, c.rect);
            EXPECT_TRUE(inside(layout.client(), r)) << id << " control " << c.id << " " << c.text;
            if (c.kind != ui::ControlKind::GroupBox) {
                drawn.emplace_back(&c, r);
            }
        }
        for (std::size_t i = 0; i < drawn.size(); ++i) {
            for (std::size_t j = i + 1; j < drawn.size(); ++j) {
                // Template 1021 as given lets the ﾗﾍﾞﾙ box reach one unit into 構造符号's; its
                // four half-width letters end far before (the browser test measures them).
                const bool givenOverlap =
                    id == 1021 && drawn[i].first->id == 1044 && drawn[j].first->id == 1045;
                EXPECT_EQ(overlap(drawn[i].second, drawn[j].second), givenOverlap)
                    << id << ": \"" << drawn[i].first->text << "\" " << drawn[i].first->id
                    << " and \"" << drawn[j].first->text << "\" " << drawn[j].first->id;
            }
        }
    }
}

// A page over template 1021 that records what reaches its handlers, as a property page does:
// leaving the size field fills both shifts, the bulk box enables the search-layer list.
class RecordingPage : public CDialog {
public:
    explicit RecordingPage(Events& events) : CDialog(1021), events_(events) {}
    int bulk = 0;
    CEdit sizeX, shiftR1;
    CComboBox look, search;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        SetWindowText("テスト");
        for (const char* layer : {"B", "a", "0"}) {
            look.AddString(layer);
            search.AddString(layer);
        }
        look.SetCurSel(0);
        sizeX.SetWindowText("1500");
        search.EnableWindow(FALSE);
        events_.clear();
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, 1057, sizeX);
        DDX_Control(pDX, 1035, shiftR1);
        DDX_Control(pDX, 1046, look);
        DDX_Control(pDX, 1049, search);
        DDX_Check(pDX, 1059, bulk);
    }
    void OnOK() override {
        events_.push_back("OnOK");
        CDialog::OnOK();
    }
    void OnCancel() override {
        events_.push_back("OnCancel");
        CDialog::OnCancel();
    }
    afx_msg void OnSetFocusX() { events_.push_back("setfocus 1057"); }
    afx_msg void OnChangeX() { events_.push_back("change 1057"); }
    afx_msg void OnKillFocusX() {
        events_.push_back("killfocus 1057");
        std::string x;
        sizeX.GetWindowText(x);
        shiftR1.SetWindowText(x + "/2");
    }
    afx_msg void OnSelChangeLook() { events_.push_back("selchange 1046"); }
    afx_msg void OnBulk() {
        UpdateData(TRUE);
        search.EnableWindow(bulk);
        events_.push_back("clicked 1059");
    }
    afx_msg void OnLabel() { AfxMessageBox("ラベル", MB_OKCANCEL | MB_ICONWARNING); }
    DECLARE_MESSAGE_MAP()

private:
    Events& events_;
};

BEGIN_MESSAGE_MAP(RecordingPage, CDialog)
ON_EN_SETFOCUS(1057, &RecordingPage::OnSetFocusX)
ON_EN_CHANGE(1057, &RecordingPage::OnChangeX)
ON_EN_KILLFOCUS(1057, &RecordingPage::OnKillFocusX)
ON_CBN_SELCHANGE(1046, &RecordingPage::OnSelChangeLook)
ON_BN_CLICKED(1059, &RecordingPage::OnBulk)
ON_BN_CLICKED(1045, &RecordingPage::OnLabel)
END_MESSAGE_MAP()

class BrowserDriver : public UiTest {
protected:
    void TearDown() override {
        ui::setDialogDriverFactory(nullptr);
        UiTest::TearDown();
    }
    void useBrowser() {
        ui::setDialogDriverFactory([this] {
            return ui::makeBrowserDialogDriver(
                [this](const std::string& text) { published.push_back(json::parse(text)); });
        });
    }
    INT_PTR run(std::vector<std::string> lines) {
        giveInput(std::move(lines));
        RecordingPage page(events);
        return page.DoModal();
    }
    const json& lastDialog() const {
        for (auto it = published.rbegin(); it != published.rend(); ++it) {
            if ((*it)["type"] == "dialog") {
                return *it;
            }
        }
        static const json none;
        return none;
    }
    static const json& control(const json& state, int id) {
        for (const auto& c : state["controls"]) {
            if (c["id"] == id) {
                return c;
            }
        }
        static const json none;
        return none;
    }

    Events events;
    std::vector<json> published;
};

TEST_F(BrowserDriver, SameActionLinesGiveTheScriptDriversNotificationsAndTranscript) {
    const std::vector<std::string> lines = {
        "set 1057 1600", "leave BASE_SIZE_X", "select LOOK_LAYER a", "check BULK_CHECK on",
        "select 1049 B", "click 1058",        "set 1035 7",          "ok"};
    EXPECT_EQ(run(lines), IDOK);
    const Events scriptEvents = events;
    const std::string scriptTranscript = transcript;
    ASSERT_NE(scriptEvents.size(), 0u);

    transcript.clear();
    useBrowser();
    EXPECT_EQ(run(lines), IDOK);
    EXPECT_EQ(events, scriptEvents);
    EXPECT_EQ(transcript, scriptTranscript);
    // One state before each line, then the close.
    ASSERT_EQ(published.size(), lines.size() + 1);
    EXPECT_EQ(published.back(), json::parse(R"({"type":"dialog-closed","what":"dialog"})"));
}

TEST_F(BrowserDriver, StateCarriesPixelRectanglesValuesAndThePicture) {
    useBrowser();
    EXPECT_EQ(run({"set 1057 1600", "check 1059 on", "cancel"}), IDCANCEL);
    ASSERT_EQ(published.size(), 4u);
    const json& opened = published[0];
    EXPECT_EQ(opened["id"], 1021);
    EXPECT_EQ(opened["caption"], "テスト") << "as the page set it";
    EXPECT_EQ(opened["baseUnits"], json::parse(R"({"x":6,"y":12})"));
    EXPECT_EQ(opened["client"]["width"], 353); // 235 units
    EXPECT_EQ(control(opened, 1057)["text"], "1500");
    EXPECT_EQ(control(opened, 1049)["enabled"], false);
    EXPECT_EQ(control(opened, 1046)["items"], json::parse(R"(["0","a","B"])"))
        << "sorted, case folded";
    EXPECT_EQ(control(opened, 1046)["selected"], 0);
    EXPECT_EQ(control(opened, 1046)["rect"]["height"], 20) << "a closed list";
    EXPECT_GT(control(opened, 1046)["listHeight"], 100);
    EXPECT_EQ(control(opened, IDOK)["default"], true);
    EXPECT_EQ(control(opened, IDCANCEL)["text"], "ｷｬﾝｾﾙ");

    const json& picture = opened["controls"][0];
    EXPECT_EQ(picture["kind"], "picture");
    EXPECT_EQ(picture["picture"], 1027);
    EXPECT_NE(picture["svg"].get<std::string>().find("<svg"), std::string::npos);

    // After the actions: the handler's value and the enabled list are what the page is shown.
    const json& later = published[2];
    EXPECT_EQ(control(later, 1057)["text"], "1600");
    EXPECT_EQ(control(later, 1035)["text"], "1600/2");
    EXPECT_EQ(control(later, 1059)["check"], "on");
    EXPECT_EQ(control(later, 1049)["enabled"], true);
    EXPECT_EQ(control(later, 1057)["align"], "right");
    EXPECT_EQ(control(later, 1057)["label"], "数値入力 / 基礎寸法 X");
}

// A person may type on the command line while a dialog is open: the line is reported and the
// dialog stays, where a script would stop its run.
TEST_F(BrowserDriver, ALineThatIsNoActionLeavesTheDialogOpen) {
    useBrowser();
    EXPECT_EQ(run({"FNDD", "set 9999 1", "check 1057 on", "ok"}), IDOK);
    EXPECT_EQ(session().abortReason(), "");
    EXPECT_NE(transcript.find("\nNot a dialog action: FNDD"), std::string::npos);
    EXPECT_NE(transcript.find("\nno control 9999"), std::string::npos);
    EXPECT_EQ(events.back(), "OnOK");
}

TEST_F(BrowserDriver, MessageBoxWaitsForOneOfItsButtonsAndHandsTheDialogBack) {
    useBrowser();
    EXPECT_EQ(run({"check 1045 on", "maybe", "cancel", "ok"}), IDOK);
    std::vector<std::string> types;
    for (const auto& e : published) {
        types.push_back(e["type"]);
    }
    EXPECT_EQ(types, (std::vector<std::string>{"dialog", "messagebox", "messagebox", "dialog",
                                               "dialog", "dialog-closed"}));
    const json& box = published[1];
    EXPECT_EQ(box["text"], "ラベル");
    EXPECT_EQ(box["icon"], "warning");
    EXPECT_EQ(box["buttons"][1], json::parse(R"({"word":"cancel","label":"キャンセル"})"));
    EXPECT_EQ(box["default"], "ok");
    EXPECT_NE(transcript.find("\nButton: maybe\nNot a button of the message box: maybe"),
              std::string::npos);
}

TEST_F(BrowserDriver, OkOnlyBoxOutsideADialogWaitsForItsButtonAndThenCloses) {
    useBrowser();
    giveInput({"cancel", "ok"});
    EXPECT_EQ(AfxMessageBox("複数の変更はできません"), IDOK);
    EXPECT_EQ(input().consumed(), 2u) << "an OK box has no Cancel";
    ASSERT_EQ(published.size(), 3u);
    EXPECT_EQ(published[2], json::parse(R"({"type":"dialog-closed","what":"messagebox"})"));
    EXPECT_NE(transcript.find("\nButton: ok"), std::string::npos);

    giveInput({"^C"});
    EXPECT_EQ(AfxMessageBox("?", MB_YESNO), IDNO) << "Esc";
}

// The browser's input echoes each line it hands over, as a terminal does: the transcript must
// still read as the script's, each line once after "Dialog: ".
class EchoingInput : public veld::ed::InputSource {
public:
    explicit EchoingInput(std::vector<std::string> lines) : lines_(std::move(lines)) {}
    std::optional<std::string> nextLine() override {
        if (next_ >= lines_.size()) {
            return std::nullopt;
        }
        veld::ed::Session::current().print(lines_[next_]);
        return lines_[next_++];
    }
    int lineNumber() const override { return static_cast<int>(next_); }
    bool isInteractive() const override { return true; }

private:
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
};

TEST_F(BrowserDriver, AnEchoingInputGivesTheScriptsTranscript) {
    const std::vector<std::string> lines = {"set 1057 1600", "check 1059 on", "ok"};
    EXPECT_EQ(run(lines), IDOK);
    const std::string scriptTranscript = transcript;

    transcript.clear();
    useBrowser();
    EchoingInput echoing(lines);
    session().setInput(&echoing);
    RecordingPage page(events);
    EXPECT_EQ(page.DoModal(), IDOK);
    EXPECT_EQ(transcript, scriptTranscript);
}

} // namespace
} // namespace veld::test
