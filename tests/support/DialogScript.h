// Runs a module dialog the way a script does: the session's input lines are the dialog actions,
// the module's resources are current, and the dialog's fields are recorded when it opens and
// when it ends, so a test can look at every control through the real dialog framework.
#pragma once
#include "afxwin.h"

#include <map>
#include <string>
#include <vector>

namespace veld::test {

// One control as the dialog showed it.
struct FieldView {
    std::string text; // an edit's text, a list's selected entry ("" when none)
    bool enabled = true;
    int check = 0;      // a check box's state
    int selection = -1; // a list's selected index (CB_ERR when none)
    std::vector<std::string> entries;
};

struct DialogView {
    std::string caption;
    std::map<int, FieldView> fields; // by control id
    int focus = 0;                   // id of the control with the focus (0: none)

    const FieldView& at(int controlId) const { return fields.at(controlId); }
    const std::string& text(int controlId) const { return at(controlId).text; }
};

class DialogScript {
public:
    explicit DialogScript(std::vector<std::string> lines);
    ~DialogScript();
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    // Shows the dialog modally with the script as its input; returns DoModal's result.
    INT_PTR run(CDialog& dialog);

    const DialogView& opened() const { return opened_; }
    const DialogView& closed() const { return closed_; }
    // Everything the command line showed, dialog lines and module messages alike.
    const std::string& transcript() const { return transcript_; }
    // Why the script was stopped ("" when it ran to its end).
    const std::string& abortReason() const { return abortReason_; }

    // Called by the recording driver.
    void recordOpened(DialogView view) { opened_ = std::move(view); }
    void recordStep(DialogView view) { closed_ = std::move(view); }

private:
    std::vector<std::string> lines_;
    DialogView opened_;
    DialogView closed_;
    std::string transcript_;
    std::string abortReason_;
};

} // namespace veld::test
