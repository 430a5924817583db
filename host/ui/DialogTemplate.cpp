// What a resource script describes: dialog templates with their controls, user data blocks and
// file references.
#include "host/ui/DialogTemplate.h"

namespace veld::ui {

const char* controlKindName(ControlKind kind) {
    switch (kind) {
    case ControlKind::Text:
        return "text";
    case ControlKind::Picture:
        return "picture";
    case ControlKind::GroupBox:
        return "group box";
    case ControlKind::Edit:
        return "edit";
    case ControlKind::ComboBox:
        return "combo box";
    case ControlKind::PushButton:
        return "push button";
    case ControlKind::CheckBox:
        return "check box";
    case ControlKind::RadioButton:
        return "radio button";
    case ControlKind::Other:
        break;
    }
    return "control";
}

const ControlTemplate* DialogTemplate::control(int controlId) const {
    for (const auto& c : controls) {
        if (c.id == controlId) {
            return &c;
        }
    }
    return nullptr;
}

} // namespace veld::ui
