// Where a dialog and its controls sit on screen, in pixels: dialog units converted with the base
// units of the template's font, as a dialog manager does for a DS_SETFONT template.
#pragma once
#include "host/ui/DialogTemplate.h"

#include <string>

namespace veld::ui {

// The average character width and the character height of a dialog font, in pixels.
struct BaseUnits {
    int x = 0;
    int y = 0;
};

class DialogLayout {
public:
    // Screen resolution the conversion assumes: the standard 96 pixels per inch.
    static constexpr int kPixelsPerInch = 96;

    explicit DialogLayout(const DialogTemplate& dialog);

    // The base units of a font given by its point size and face name (see the .cpp for where
    // the numbers come from).
    static BaseUnits baseUnitsOf(int pointSize, const std::string& face);
    // The character height of the font in pixels (its em size at 96 pixels per inch).
    static int fontPixels(int pointSize);

    BaseUnits base() const { return base_; }
    int fontPixels() const { return fontPixels_; }
    // A rectangle in dialog units to pixels: each edge converted on its own and rounded, so
    // controls that touch in dialog units still touch in pixels.
    Rect toPixels(const Rect& dialogUnits) const;
    // The dialog's client area (the caption bar and frame are outside it).
    Rect client() const;
    // Where a control is drawn. A combo box's template height includes its dropped list; the
    // closed box is one line high.
    Rect controlRect(ControlKind kind, const Rect& dialogUnits) const;
    // The height of a closed combo box: a line of the font plus the selection field's border.
    int closedComboHeight() const;

private:
    Rect client_;
    BaseUnits base_;
    int fontPixels_;
};

} // namespace veld::ui
