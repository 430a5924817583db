// The modal loop with the script driver: a page over template 1021 with a message map records
// the notifications that script lines send; resource switching; message boxes; the transcript.
#include "UiTestSession.h"

#include <cstdio>

namespace veld::test {
namespace {

std::string half(const std::string& text) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", std::atof(text.c_str()) / 2);
    return buffer;
}

using Events = std::vector<std::string>;

// A page over template 1021 that records what reaches its handlers.
class RecordingPage : public CDialog {
public:
    explicit RecordingPage(std::vector<std::string>& events) : CDialog(1021), events_(events) {}

    int label = 0;
    int bulk = 1;
    bool focusOnOk = true;
    bool refuseCancel = false;
    std::string textsAtOk;
    Events initEvents;
    CEdit sizeX, shiftR1, shiftR2;
    CComboBox look, search;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        SetWindowText("テスト");
        for (const char* layer : {"B", "a", "0"}) {
            look.AddString(layer);
            ::SendMessageA(search.m_hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(layer));
        }
        sizeX.SetWindowText("1500");
        initEvents = events_; // setting an edit's text notifies as typing does
        events_.clear();
        if (focusOnOk) {
            GotoDlgCtrl(GetDlgItem(IDOK));
            return FALSE;
        }
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, 1057, sizeX);
        DDX_Control(pDX, 1035, shiftR1);
        DDX_Control(pDX, 1041, shiftR2);
        DDX_Control(pDX, 1046, look);
        DDX_Control(pDX, 1049, search);
        DDX_Check(pDX, 1044, label);
        DDX_Check(pDX, 1059, bulk);
    }
    void OnOK() override {
        events_.push_back("OnOK");
        std::string x, r1, selected;
        sizeX.GetWindowText(x);
        shiftR1.GetWindowText(r1);
        look.GetWindowText(selected);
        textsAtOk = x + "|" + r1 + "|" + selected;
        CDialog::OnOK();
    }
    void OnCancel() override {
        events_.push_back("OnCancel");
        if (!refuseCancel) {
            CDialog::OnCancel();
        }
    }

    afx_msg void OnSetFocusX() { events_.push_back("setfocus 1057"); }
    afx_msg void OnChangeX() { events_.push_back("change 1057"); }
    afx_msg void OnKillFocusX() {
        events_.push_back("killfocus 1057");
        std::string x;
        sizeX.GetWindowText(x);
        shiftR1.SetWindowText(half(x));
        shiftR2.SetWindowText(half(x));
    }
    afx_msg void OnKillFocusR1() { events_.push_back("killfocus 1035"); }
    afx_msg void OnSelChangeLook() {
        std::string text;
        look.GetLBText(look.GetCurSel(), text);
        events_.push_back("selchange 1046 " + text);
    }
    afx_msg void OnBulk() {
        UpdateData(TRUE);
        search.EnableWindow(bulk);
        events_.push_back("clicked 1059");
    }
    afx_msg void OnLabel() { AfxMessageBox("ラベル"); }

    DECLARE_MESSAGE_MAP()

private:
    std::vector<std::string>& events_;
};

BEGIN_MESSAGE_MAP(RecordingPage, CDialog)
ON_EN_SETFOCUS(1057, &RecordingPage::OnSetFocusX)
ON_EN_CHANGE(1057, &RecordingPage::OnChangeX)
ON_EN_KILLFOCUS(1057, &RecordingPage::OnKillFocusX)
ON_EN_KILLFOCUS(1035, &RecordingPage::OnKillFocusR1)
ON_CBN_SELCHANGE(1046, &RecordingPage::OnSelChangeLook)
ON_BN_CLICKED(1059, &RecordingPage::OnBulk)
ON_BN_CLICKED(1045, &RecordingPage::OnLabel)
END_MESSAGE_MAP()

class DialogScript : public UiTest {
protected:
    INT_PTR run(std::vector<std::string> lines) {
        giveInput(std::move(lines));
        return page.DoModal();
    }
    bool said(const std::string& line) const {
        return transcript.find("\n" + line) != std::string::npos;
    }

    Events events;
    RecordingPage page{events};
};

TEST_F(DialogScript, SetSendsFocusChangeAndFocusLossInOrder) {
    EXPECT_EQ(run({"set BASE_SIZE_X 1600", "ok"}), IDOK);
    EXPECT_EQ(page.initEvents, (Events{"change 1057"}));
    EXPECT_EQ(events, (Events{"setfocus 1057", "change 1057", "killfocus 1057", "OnOK"}));
    EXPECT_EQ(page.textsAtOk, "1600|800.00|");
    EXPECT_EQ(page.sizeX.m_hWnd, nullptr); // the bound controls are released with the dialog
    EXPECT_FALSE(session().aborted());
}

TEST_F(DialogScript, ControlsAreNamedByIdOrKeyInAnyCase) {
    EXPECT_EQ(run({"leave base_size_x", "leave 1035", "Leave Shift_X1", "OK"}), IDOK);
    EXPECT_EQ(events, (Events{"setfocus 1057", "killfocus 1057", "killfocus 1035", "killfocus 1035",
                              "OnOK"}));
}

TEST_F(DialogScript, FocusLeftOnAFieldIsLostWhenAnotherIsClicked) {
    page.focusOnOk = false; // the first tab stop, 1057, has the focus when the dialog opens
    EXPECT_EQ(run({"set SHIFT_X1 5", "cancel"}), IDCANCEL);
    EXPECT_EQ(events, (Events{"setfocus 1057", "killfocus 1057", "killfocus 1035", "OnCancel"}));
}

TEST_F(DialogScript, SelectChoosesTheExactEntry) {
    EXPECT_EQ(run({"select LOOK_LAYER B", "select LOOK_LAYER b", "ok"}), IDOK);
    EXPECT_EQ(events, (Events{"selchange 1046 B", "OnOK"}));
    EXPECT_EQ(page.textsAtOk, "1500||B");
    EXPECT_TRUE(said("Control LOOK_LAYER (1046) has no entry \"b\""));
    EXPECT_FALSE(session().aborted());
}

TEST_F(DialogScript, CheckClicksOnlyWhenTheStateDiffers) {
    EXPECT_EQ(run({"check LABEL_CHECK on", "check LABEL_CHECK ON", "check BULK_CHECK on", "ok"}),
              IDOK);
    EXPECT_EQ(page.label, 1);
    EXPECT_EQ(page.bulk, 1);
    EXPECT_EQ(events, (Events{"OnOK"})); // bulk was on already: no click
    events.clear();
    EXPECT_EQ(run({"check 1044 off", "click 1059", "ok"}), IDOK);
    EXPECT_EQ(page.label, 0);
    EXPECT_EQ(page.bulk, 0);
    EXPECT_EQ(events, (Events{"clicked 1059", "OnOK"}));
}

TEST_F(DialogScript, DisabledControlsRefuseButTheRunGoesOn) {
    EXPECT_EQ(run({"check BULK_CHECK off", "select SERCH_LAYER a", "click 1049", "leave 1049",
                   "check 1059 on", "select SERCH_LAYER a", "ok"}),
              IDOK);
    EXPECT_TRUE(said("Control SERCH_LAYER (1049) is disabled"));
    EXPECT_TRUE(said("  1049 SERCH_LAYER レイヤー / 検索レイヤー名 = \"\" (disabled)"));
    EXPECT_TRUE(said("  1049 SERCH_LAYER レイヤー / 検索レイヤー名 = \"a\""));
    EXPECT_EQ(events, (Events{"clicked 1059", "clicked 1059", "OnOK"}));
    EXPECT_FALSE(session().aborted());
}

TEST_F(DialogScript, UnknownControlStopsTheRunWithItsLine) {
    EXPECT_EQ(run({"set 1057 1", "set NOPE 3", "set 1035 4"}), IDCANCEL);
    EXPECT_TRUE(session().aborted());
    EXPECT_EQ(session().abortReason(), "line 2: no control NOPE");
    EXPECT_EQ(input().consumed(), 2u);
    EXPECT_EQ(events.back(), "OnCancel");
}

TEST_F(DialogScript, LinesThatAreNoActionOrDoNotFitTheControlStopTheRun) {
    const std::pair<const char*, const char*> cases[] = {
        {"bogus 1057", "line 1: not a dialog action: bogus 1057"},
        {"check 1044 maybe", "line 1: not a dialog action: check 1044 maybe"},
        {"set LABEL_CHECK 1",
         "line 1: Control LABEL_CHECK (1044) is a check box: no text can be typed into it"},
        {"select 1057 x", "line 1: Control BASE_SIZE_X (1057) is a edit: it has no list"},
        {"click -1", "line 1: no control -1"},
    };
    for (const auto& [line, reason] : cases) {
        veld::ed::Session fresh;
        veld::ed::Session::Scope scope(fresh);
        LineInput lines({line, "ok"});
        fresh.setInput(&lines);
        Events seen;
        RecordingPage p(seen);
        EXPECT_EQ(p.DoModal(), IDCANCEL) << line;
        EXPECT_EQ(fresh.abortReason(), reason);
    }
}

TEST_F(DialogScript, EndOfInputCancels) {
    EXPECT_EQ(run({"set 1057 2"}), IDCANCEL);
    EXPECT_EQ(events.back(), "OnCancel");
    EXPECT_FALSE(session().aborted());
}

TEST_F(DialogScript, EndOfInputEndsEvenADialogThatRefusesCancel) {
    page.refuseCancel = true;
    EXPECT_EQ(run({"cancel"}), IDCANCEL);
    EXPECT_EQ(events, (Events{"OnCancel", "OnCancel"}));
}

TEST_F(DialogScript, KeysAndCommentsOfTheScript) {
    EXPECT_EQ(run({"; a comment takes no action", "^C"}), IDCANCEL);
    EXPECT_EQ(events, (Events{"OnCancel"}));
    events.clear();
    EXPECT_EQ(run({""}), IDOK); // RETURN presses the default button
    EXPECT_EQ(events, (Events{"OnOK"}));
}

TEST_F(DialogScript, MessageBoxIsShownAndDismissedWithoutALine) {
    EXPECT_EQ(run({"check STRUCTURE_MARK_CHECK on", "ok"}), IDOK);
    EXPECT_TRUE(said("Message box: ラベル [OK]"));
    EXPECT_EQ(input().consumed(), 2u);

    giveInput({"no"});
    EXPECT_EQ(AfxMessageBox("続けますか", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_TRUE(said("Message box: 続けますか [Yes] [No]"));
    giveInput({"later"});
    EXPECT_EQ(AfxMessageBox("続けますか", MB_YESNO), IDNO);
    EXPECT_EQ(session().abortReason(), "line 1: not a button of the message box: later");
}

TEST_F(DialogScript, TranscriptShowsCaptionAndFieldsOnOpenAndClose) {
    EXPECT_EQ(run({"set BASE_SIZE_X 1600", "ok"}), IDOK);
    const std::string opened = "\nDialog 1021 \"テスト\" opened"
                               "\n  1057 BASE_SIZE_X 数値入力 / 基礎寸法 X = \"1500\""
                               "\n  1058 BASE_SIZE_Y 数値入力 / 基礎寸法 Y = \"\"";
    EXPECT_EQ(transcript.rfind(opened, 0), 0u) << transcript;
    EXPECT_TRUE(said("  1044 LABEL_CHECK 符号 / ﾗﾍﾞﾙ = off"));
    EXPECT_TRUE(said("  1059 BULK_CHECK 配置方法 / 一括 = on"));
    const std::string action = "\nDialog: set BASE_SIZE_X 1600"
                               "\n  1057 BASE_SIZE_X 数値入力 / 基礎寸法 X = \"1600\""
                               "\n  1035 SHIFT_X1 数値入力 / 寄りX R1 = \"800.00\""
                               "\n  1041 SHIFT_X2 数値入力 / 寄りX R2 = \"800.00\""
                               "\nDialog: ok"
                               "\nDialog 1021 \"テスト\" closed with OK"
                               "\n  1057 BASE_SIZE_X 数値入力 / 基礎寸法 X = \"1600\"";
    EXPECT_NE(transcript.find(action), std::string::npos) << transcript;
}

TEST_F(DialogScript, DialogsAreFoundOnlyThroughTheCurrentResourceHandle) {
    AfxSetResourceHandle(AfxGetInstanceHandle());
    EXPECT_EQ(run({"ok"}), -1);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(input().consumed(), 0u);
    EXPECT_EQ(transcript, "\nDialog 1021 is not in the current resources");
}

// Win32 calls on the handles a page holds.
class HandlePage : public CDialog {
public:
    HandlePage() : CDialog(1021) {}
    std::vector<LRESULT> results;
    HWND list = nullptr;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        list = ::GetDlgItem(m_hWnd, 1046);
        auto send = [this](HWND h, UINT message, WPARAM w, const char* text) {
            results.push_back(::SendMessageA(h, message, w, reinterpret_cast<LPARAM>(text)));
        };
        send(list, CB_ADDSTRING, 0, "A");
        send(list, CB_ADDSTRING, 0, "0");
        send(list, CB_SELECTSTRING, 0, "0");  // starts after entry 0 and wraps to it
        send(list, CB_SELECTSTRING, 0, "X");  // no match: CB_ERR, selection kept
        send(list, CB_GETCURSEL, 0, nullptr); // still 0
        send(::GetDlgItem(m_hWnd, 1057), CB_ADDSTRING, 0, "A"); // not a combo box
        results.push_back(::EnableWindow(list, FALSE));         // was enabled
        results.push_back(::EnableWindow(list, TRUE));          // was disabled
        CComboBox* combo = static_cast<CComboBox*>(GetDlgItem(1046));
        std::string text;
        combo->GetWindowText(text);
        results.push_back(text == "0");
        char buffer[3];
        results.push_back(::GetWindowTextA(::GetDlgItem(m_hWnd, IDCANCEL), buffer, sizeof buffer));
        return TRUE;
    }
};

TEST_F(DialogScript, WindowsFunctionsOnHandles) {
    HandlePage handles;
    giveInput({"ok"});
    EXPECT_EQ(handles.DoModal(), IDOK);
    EXPECT_EQ(handles.results,
              (std::vector<LRESULT>{0, 0, 0, CB_ERR, 0, CB_ERR, FALSE, TRUE, 1, 2}));
    // The dialog is gone: its handles are dead and calls on them do nothing.
    EXPECT_FALSE(::IsWindow(handles.list));
    EXPECT_EQ(::SendMessageA(handles.list, CB_GETCOUNT, 0, 0), CB_ERR);
    EXPECT_EQ(handles.m_hWnd, nullptr);
}

} // namespace
} // namespace veld::test
