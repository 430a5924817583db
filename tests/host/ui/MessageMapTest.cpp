// Message maps through class chains, dialogs opened from a handler, ending a dialog while it
// initialises, text exchange, and the window text of drop-down lists.
#include "UiTestSession.h"

namespace veld::test {
namespace {

using Events = std::vector<std::string>;

class BasePage : public CDialog {
public:
    explicit BasePage(Events& events, UINT id = 1021) : CDialog(id), events_(events) {}

protected:
    afx_msg void OnBaseX() { events_.push_back("base killfocus 1057"); }
    afx_msg void OnBaseY() { events_.push_back("base killfocus 1058"); }
    DECLARE_MESSAGE_MAP()
    Events& events_;
};

BEGIN_MESSAGE_MAP(BasePage, CDialog)
ON_EN_KILLFOCUS(1057, &BasePage::OnBaseX)
ON_EN_KILLFOCUS(1058, &BasePage::OnBaseY)
END_MESSAGE_MAP()

// Replaces one handler of its base and OK itself; a click on 1044 opens another dialog.
class DerivedPage : public BasePage {
public:
    using BasePage::BasePage;
    INT_PTR innerResult = 0;

protected:
    afx_msg void OnDerivedX() { events_.push_back("derived killfocus 1057"); }
    afx_msg void OnAccept() {
        events_.push_back("accept");
        EndDialog(IDOK);
    }
    afx_msg void OnNested() {
        BasePage inner(events_, 1020);
        innerResult = inner.DoModal();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedPage, BasePage)
ON_EN_KILLFOCUS(1057, &DerivedPage::OnDerivedX)
ON_BN_CLICKED(IDOK, &DerivedPage::OnAccept)
ON_BN_CLICKED(1044, &DerivedPage::OnNested)
END_MESSAGE_MAP()

class MessageMaps : public UiTest {
protected:
    Events events;
};

TEST_F(MessageMaps, MostDerivedHandlerRunsAndBaseEntriesStillApply) {
    DerivedPage page(events);
    giveInput({"leave 1057", "leave 1058", "ok"});
    EXPECT_EQ(page.DoModal(), IDOK);
    EXPECT_EQ(events, (Events{"derived killfocus 1057", "base killfocus 1058", "accept"}));
}

TEST_F(MessageMaps, DialogOpenedFromAHandlerTakesTheNextLines) {
    DerivedPage page(events);
    giveInput({"check 1044 on", "set BOTTOM 5", "cancel", "ok"});
    EXPECT_EQ(page.DoModal(), IDOK);
    EXPECT_EQ(page.innerResult, IDCANCEL);
    // 1057 had the focus from the opening (first tab stop) and lost it to the click.
    EXPECT_EQ(events, (Events{"derived killfocus 1057", "accept"}));
    const auto inner = transcript.find("\nDialog 1020 \"\" opened");
    const auto innerClosed = transcript.find("\nDialog 1020 \"\" closed with Cancel");
    const auto outerClosed = transcript.find("\nDialog 1021 \"\" closed with OK");
    EXPECT_LT(inner, innerClosed);
    EXPECT_LT(innerClosed, outerClosed);
    EXPECT_NE(outerClosed, std::string::npos);
}

// Exchanges texts with DDX_Text and may end itself while initialising.
class TextPage : public CDialog {
public:
    TextPage() : CDialog(1021) {}
    std::string mark = "F-1";
    std::string look;
    bool endAtOnce = false;
    int listResults[2] = {0, 0};

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        CComboBox* list = static_cast<CComboBox*>(GetDlgItem(1046));
        list->AddString("GL");
        list->AddString("FL");
        listResults[0] =
            static_cast<int>(::SetWindowTextA(list->m_hWnd, "gl")); // an entry: selects it
        listResults[1] = static_cast<int>(::SetWindowTextA(list->m_hWnd, "XX")); // none: keeps it
        if (endAtOnce) {
            EndDialog(IDCANCEL);
        }
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, 1043, mark);
        if (pDX->m_bSaveAndValidate) {
            GetDlgItemText(1046, look);
        }
    }
};

TEST_F(MessageMaps, TextExchangeAndDropDownListText) {
    TextPage page;
    giveInput({"set MARK F-2", "ok"});
    EXPECT_EQ(page.DoModal(), IDOK);
    EXPECT_EQ(page.mark, "F-2");
    EXPECT_EQ(page.look, "GL");
    EXPECT_EQ(page.listResults[0], TRUE);
    EXPECT_EQ(page.listResults[1], FALSE);
    EXPECT_NE(transcript.find("\n  1043 MARK 符号 / 基礎符号 = \"F-1\""), std::string::npos);
}

TEST_F(MessageMaps, DialogEndedWhileInitialisingTakesNoLine) {
    TextPage page;
    page.endAtOnce = true;
    giveInput({"ok"});
    EXPECT_EQ(page.DoModal(), IDCANCEL);
    EXPECT_EQ(input().consumed(), 0u);
    EXPECT_NE(transcript.find("closed with Cancel"), std::string::npos);
}

TEST_F(MessageMaps, ReturnPressesTheFocusedButton) {
    BasePage page(events);
    giveInput({"click 2", ""}); // the click on Cancel ends the dialog before RETURN
    EXPECT_EQ(page.DoModal(), IDCANCEL);
    EXPECT_EQ(input().consumed(), 1u);
}

} // namespace
} // namespace veld::test
