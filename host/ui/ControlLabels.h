// The label a person reads for each control of a dialog template, found from the positions of
// the static texts and group boxes around it: "group / row title own-label".
#pragma once
#include "host/ui/DialogTemplate.h"

#include <string>
#include <vector>

namespace veld::ui {

// One label per control of `dialog`, in template order (empty for texts, groups, pictures).
// A check box or button is labelled by its own text; an edit or list by the nearest text to
// its left on the same row, after the row's leading texts (e.g. "基礎寸法 X" and "基礎寸法 Y"),
// prefixed with the title of the smallest group box around it ("数値入力 / 基礎寸法 X").
std::vector<std::string> controlLabels(const DialogTemplate& dialog);

} // namespace veld::ui
