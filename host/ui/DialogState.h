// What a browser page needs to show an open dialog, as one JSON event: the caption, the font,
// the client size and every control with its pixel rectangle, label, value and state, and the
// pictures inlined. The page draws exactly this and does no layout or value arithmetic.
#pragma once
#include "host/ui/DialogForm.h"
#include "host/ui/DialogLayout.h"
#include "host/ui/DialogTemplate.h"

#include <map>
#include <string>

namespace veld::ui {

class ResourceDirectory;

class DialogState {
public:
    // Reads the template's pictures (their SVG text) from `resources`.
    DialogState(const DialogTemplate& dialog, const ResourceDirectory& resources);

    const DialogLayout& layout() const { return layout_; }
    // {"type":"dialog", ...} for the form as it is now.
    std::string json(const DialogForm& form) const;

private:
    DialogTemplate dialog_;
    DialogLayout layout_;
    std::map<int, std::string> pictures_; // SVG text by picture resource id
};

// {"type":"messagebox", ...}: the text, the icon, the buttons (the words a page sends back,
// with their Japanese labels) and the default button.
std::string messageBoxJson(const std::string& text, unsigned int type);
// {"type":"dialog-closed","what":"dialog"|"messagebox"}.
std::string dialogClosedJson(const char* what);

} // namespace veld::ui
