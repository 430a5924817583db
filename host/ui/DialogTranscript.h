// How dialogs appear on the command-line transcript: the caption and each field's label and
// value when a dialog opens and closes, the fields an action changed, message boxes, and the
// fuller text form a person at a terminal works with.
//
//   Dialog 1021 "四角形基礎配置のプロパティ" opened
//     1057 BASE_SIZE_X 数値入力 / 基礎寸法 X = "1500"
//     1044 LABEL_CHECK 符号 / ﾗﾍﾞﾙ = on
//     1049 SERCH_LAYER レイヤー / 検索レイヤー名 = "" (disabled)
//   Dialog: set BASE_SIZE_X 1600
//     1057 BASE_SIZE_X 数値入力 / 基礎寸法 X = "1600"
//   Dialog 1021 "四角形基礎配置のプロパティ" closed with OK
//     ... every field again ...
//
// Every line starts with "\n", as the command line's messages do.
#pragma once
#include "host/ui/DialogForm.h"

#include <string>
#include <vector>

namespace veld::ui {

// The state of the fields, to report what an action changed.
struct FieldState {
    const VeldWindow* control;
    std::string value;
    bool enabled;
};
std::vector<FieldState> snapshotFields(const DialogForm& form);

// One field line, without the leading "\n": `  1032 BOTTOM 数値入力 / 底　辺 = "1588.68"`.
std::string fieldLine(const DialogForm& form, const VeldWindow& field);
// "on" / "off" / "indeterminate" for a check box, the quoted text otherwise.
std::string fieldValue(const VeldWindow& field);
std::string resultName(int result);

void printOpened(const DialogForm& form);
// The closing line and, with `withFields`, every field's value.
void printClosed(const DialogForm& form, bool withFields = true);
void printChanges(const DialogForm& form, const std::vector<FieldState>& before);
void printNotFound(int dialogId, const std::vector<std::string>& resourceErrors);
void printMessageBox(const std::string& text, unsigned int type);
// The terminal's form: caption, every field with its label, value, state and list entries,
// the buttons, and the actions that can be typed.
void printTerminalForm(const DialogForm& form);
// The terminal's form of a dialog opened again: caption, `changedLines` (field lines that differ
// from when it was last seen) and how to see the whole form.
void printTerminalFormAgain(const DialogForm& form, const std::vector<std::string>& changedLines);

} // namespace veld::ui
