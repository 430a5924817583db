// What a resource script describes: dialog templates with their controls (kind, id, text,
// position in dialog units, styles), user data blocks such as control keys, and file references.
#pragma once
#include "windef.h"

#include <map>
#include <string>
#include <vector>

namespace veld::ui {

enum class ControlKind {
    Text,        // LTEXT, RTEXT, CTEXT, "Static"
    Picture,     // "Static" with SS_BITMAP or SS_ICON
    GroupBox,    // GROUPBOX, "Button" with BS_GROUPBOX
    Edit,        // EDITTEXT, "Edit"
    ComboBox,    // COMBOBOX, "ComboBox"
    PushButton,  // PUSHBUTTON, DEFPUSHBUTTON, "Button" with BS_(DEF)PUSHBUTTON
    CheckBox,    // CHECKBOX, AUTOCHECKBOX, STATE3, AUTO3STATE, "Button" with those styles
    RadioButton, // RADIOBUTTON, AUTORADIOBUTTON
    Other,       // any other class: kept, shown, never a field
};

const char* controlKindName(ControlKind kind);

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct ControlTemplate {
    ControlKind kind = ControlKind::Other;
    std::string statement; // the resource statement: "EDITTEXT", "CONTROL", ...
    std::string className; // "Edit", "ComboBox", "Button", "Static", ...
    int id = -1;
    std::string text;
    int textOrdinal = -1; // a numeric text (the resource id of a picture), -1 when none
    Rect rect;
    DWORD style = 0;
    DWORD exStyle = 0;
};

struct DialogTemplate {
    int id = 0;
    Rect rect;
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string caption;
    int fontSize = 0;
    std::string fontFace;
    std::vector<ControlTemplate> controls;

    const ControlTemplate* control(int controlId) const;
};

// Everything one resource script declares.
struct ResourceScript {
    std::map<int, DialogTemplate> dialogs;
    // User-defined resources with inline data, by type (upper case) and id: their strings.
    std::map<std::string, std::map<int, std::vector<std::string>>> data;
    // Resources kept in files ("BITMAP", "ICON", ...), by type and id: the file name.
    std::map<std::string, std::map<int, std::string>> files;
};

} // namespace veld::ui
