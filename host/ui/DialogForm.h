// An open dialog: the window records built from its template, the parameter key and label of
// each control, and the things a person does to it (click into a field, type, choose an entry,
// click a button, press Enter or Esc), each sending the notifications a real dialog sends.
#pragma once
#include "host/ui/DialogTemplate.h"
#include "host/ui/Window.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace veld::ui {

class DialogForm {
public:
    // Creates the dialog's windows (not yet bound to `owner`'s m_hWnd: DoModal does that).
    DialogForm(const DialogTemplate& dialog, const std::map<std::string, int>& controlKeys,
               CDialog* owner);
    ~DialogForm();
    DialogForm(const DialogForm&) = delete;
    DialogForm& operator=(const DialogForm&) = delete;

    VeldWindow& window() const { return *root_; }
    int id() const { return id_; }
    const std::string& caption() const { return root_->text; }
    bool ended() const { return root_->ended; }
    int result() const { return root_->result; }
    // Ends the dialog without running any handler (input exhausted and Cancel refused).
    void forceEnd(int result);

    VeldWindow* control(int controlId) const { return root_->child(controlId); }
    // The control named by its id ("1032") or its parameter key ("BOTTOM", any case).
    VeldWindow* find(std::string_view name) const;
    std::string keyOf(const VeldWindow& control) const;
    std::string labelOf(const VeldWindow& control) const;
    // The controls that hold values (edits, combo boxes, check boxes, radio buttons), in
    // template order.
    std::vector<VeldWindow*> fields() const;
    std::vector<VeldWindow*> buttons() const;

    // A person's actions. The caller checks that the control is enabled and of the right kind.
    void clickInto(VeldWindow& control);
    void leaveFocus();
    void type(VeldWindow& edit, const std::string& text);
    void choose(VeldWindow& combo, int index);
    void click(VeldWindow& button);
    void pressEnter();
    void pressEscape();
    // The first enabled control that takes the focus with the Tab key (WS_TABSTOP).
    VeldWindow* firstTabStop() const;

private:
    int defaultCommand() const;

    int id_;
    std::unique_ptr<VeldWindow> root_;
    std::map<int, std::string> keysById_;
    std::map<std::string, int> idsByKey_; // upper-case keys
    std::vector<std::string> labels_;     // parallel to root_->children
};

} // namespace veld::ui
