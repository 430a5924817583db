// The terminal driver (a person at `veld shell`) and the labels the forms show, found from the
// positions of texts and group boxes in the real templates.
#include "UiTestSession.h"
#include "host/ui/DialogForm.h"
#include "host/ui/ResourceDirectory.h"

#include <fstream>
#include <iterator>

namespace veld::test {
namespace {

using veld::ui::DialogForm;
using veld::ui::ResourceDirectory;

class TerminalDialog : public UiTest {
protected:
    bool said(const std::string& text) const { return transcript.find(text) != std::string::npos; }
    std::size_t count(const std::string& text) const {
        std::size_t n = 0;
        for (auto at = transcript.find(text); at != std::string::npos;
             at = transcript.find(text, at + 1)) {
            ++n;
        }
        return n;
    }
};

TEST_F(TerminalDialog, ShowsTheFormAndForgivesMistypedLines) {
    giveInput({"nonsense", "set NOPE 1", "set 1029 5", "select PILE_NUM 9", "show", "help",
               "set bottom 12", ""},
              true);
    CDialog page(1020);
    EXPECT_EQ(page.DoModal(), IDOK); // RETURN pressed the default button
    EXPECT_FALSE(session().aborted());
    EXPECT_EQ(input().consumed(), 8u);
    EXPECT_EQ(count("\n=== "), 2u); // on opening and for "show"
    EXPECT_TRUE(said("\nNot a dialog action (type help)."));
    EXPECT_TRUE(said("\nno control NOPE"));
    EXPECT_TRUE(said("\nControl 1029 is read-only"));
    EXPECT_TRUE(said("\nControl PILE_NUM (1025) has no entry \"9\""));
    EXPECT_TRUE(said("\n  1029 補助計算 / 底　辺 = \"\" (read-only)"));
    EXPECT_TRUE(said("\n  1025 PILE_NUM 杭本数 = \"\"  entries: (none)"));
    EXPECT_TRUE(said("\n  buttons: 1 \"OK\" 2 \"ｷｬﾝｾﾙ\""));
    EXPECT_TRUE(said("\nset CONTROL TEXT"));
    EXPECT_TRUE(said("\nDialog: \n  1032 BOTTOM 数値入力 / 底　辺 = \"12\""));
    EXPECT_TRUE(said("closed with OK"));
}

TEST_F(TerminalDialog, EndOfInputAndEscapeCancelAndMessageBoxesWaitForReturn) {
    giveInput({}, true);
    CDialog page(1021);
    EXPECT_EQ(page.DoModal(), IDCANCEL);

    giveInput({"", "maybe", "cancel"}, true);
    EXPECT_EQ(AfxMessageBox("基礎が選択されていません"), IDOK);
    EXPECT_EQ(input().consumed(), 1u);
    EXPECT_TRUE(said("\nMessage box: 基礎が選択されていません [OK]\nPress RETURN: "));
    EXPECT_EQ(AfxMessageBox("保存しますか", MB_OKCANCEL), IDCANCEL); // "maybe" is asked again
    EXPECT_EQ(input().consumed(), 3u);

    giveInput({"^C", "ok"}, true); // ESC is the box's own answer, not a mistyped button
    EXPECT_EQ(AfxMessageBox("保存しますか", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(input().consumed(), 1u);
}

// A person at a terminal cannot see the picture: its file is named. Closing shows no fields, and
// the same dialog opened again shows only the fields that differ from when it closed.
TEST_F(TerminalDialog, AFormOpenedAgainShowsOnlyWhatChangedAndNamesThePictureFile) {
    giveInput({"set bottom 12", "ok"}, true);
    CDialog first(1020);
    EXPECT_EQ(first.DoModal(), IDOK);
    const std::size_t at = transcript.find("\n  picture: ");
    ASSERT_NE(at, std::string::npos) << transcript;
    const std::string path = transcript.substr(at + 12, transcript.find('\n', at + 1) - at - 12);
    std::ifstream picture(path);
    const std::string content((std::istreambuf_iterator<char>(picture)), {});
    EXPECT_NE(content.find("<svg"), std::string::npos) << path;
    EXPECT_EQ(transcript.substr(transcript.find("closed with OK")), "closed with OK");

    transcript.clear();
    giveInput({"ok"}, true);
    CDialog again(1020);
    EXPECT_EQ(again.DoModal(), IDOK);
    EXPECT_EQ(count("\n  10"), 1u) << transcript;
    EXPECT_TRUE(said("\n  1032 BOTTOM 数値入力 / 底　辺 = \"\""));
    EXPECT_TRUE(said("type show to see them all"));
}

TEST(ControlLabels, ComeFromTheTextsAndGroupsAroundEachControl) {
    const ResourceDirectory resources(veldModuleResourceTable());
    const DialogForm delta(*resources.dialog(1020), resources.controlKeys(1020), nullptr);
    const std::pair<int, const char*> deltaLabels[] = {
        {1025, "杭本数"},
        {1028, "かぶり"},
        {1029, "補助計算 / 底　辺"},
        {1032, "数値入力 / 底　辺"},
        {1035, "数値入力 / 寄りX R1"},
        {1041, "数値入力 / R2"},
        {1037, "数値入力 / 上端勾配(ΔH)"},
        {1055, "ふかし / F6"},
        {1043, "符号 / 基礎符号"},
        {1044, "符号 / ﾗﾍﾞﾙ"},
        {1058, "配置方法 / 一括"},
        {1047, "レイヤー / 外周線レイヤー名"},
        {1049, "レイヤー / 検索レイヤー名"},
    };
    for (const auto& [id, label] : deltaLabels) {
        EXPECT_EQ(delta.labelOf(*delta.control(id)), label) << id;
    }
    const DialogForm square(*resources.dialog(1021), resources.controlKeys(1021), nullptr);
    EXPECT_EQ(square.labelOf(*square.control(1058)), "数値入力 / 基礎寸法 Y");
    EXPECT_EQ(square.labelOf(*square.control(1042)), "数値入力 / 寄りY R4");
    EXPECT_EQ(square.labelOf(*square.control(1053)), "ふかし / F4");
    EXPECT_EQ(square.find("serch_layer"), square.control(1049));
    EXPECT_EQ(square.keyOf(*square.control(1059)), "BULK_CHECK");
}

} // namespace
} // namespace veld::test
