// Dialog units to pixels with the base units of the template's font.
//
// A dialog manager measures the dialog font once: the average width of "A".."Z" "a".."z"
// (the extent of the 52 letters divided by 26, plus one, halved: a rounded average) and the
// character height (tmHeight). One horizontal dialog unit is a quarter of the width, one
// vertical unit an eighth of the height; each edge of a rectangle is scaled with MulDiv, which
// rounds half away from zero.
//
// Our templates ask for 9 pt "ＭＳ Ｐゴシック". At 96 pixels per inch 9 pt is a 12-pixel em.
// That family's ascent and descent add up to exactly one em (no internal leading), so the
// character height is 12. Its Latin letters are proportional around half an em: the 52 letters
// measure between 286 and 337 pixels at this size for every plausible set of widths, and that
// whole range gives an average of 6. Base units 6 x 12: one dialog unit is 1.5 pixels each way.
// Other faces get the same rule (half an em wide, one em high); our resources use no other.
#include "host/ui/DialogLayout.h"

#include <algorithm>

namespace veld::ui {

namespace {

// MulDiv for the non-negative and negative values of a template: a*b/c rounded half away
// from zero.
int mulDiv(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : -((-product + half) / c));
}

constexpr int kDefaultPointSize = 8; // a template without DS_SETFONT: the system font's size

} // namespace

int DialogLayout::fontPixels(int pointSize) {
    return mulDiv(pointSize > 0 ? pointSize : kDefaultPointSize, kPixelsPerInch, 72);
}

BaseUnits DialogLayout::baseUnitsOf(int pointSize, const std::string& /*face*/) {
    const int em = fontPixels(pointSize);
    const int lettersExtent = 52 * em / 2; // 52 letters of half an em on average
    return {(lettersExtent / 26 + 1) / 2, em};
}

DialogLayout::DialogLayout(const DialogTemplate& dialog)
    : base_(baseUnitsOf(dialog.fontSize, dialog.fontFace)),
      fontPixels_(fontPixels(dialog.fontSize)) {
    client_ = toPixels({0, 0, dialog.rect.width, dialog.rect.height});
}

Rect DialogLayout::toPixels(const Rect& r) const {
    const int left = mulDiv(r.x, base_.x, 4);
    const int top = mulDiv(r.y, base_.y, 8);
    const int right = mulDiv(r.x + r.width, base_.x, 4);
    const int bottom = mulDiv(r.y + r.height, base_.y, 8);
    return {left, top, right - left, bottom - top};
}

Rect DialogLayout::client() const {
    return client_;
}

Rect DialogLayout::controlRect(ControlKind kind, const Rect& dialogUnits) const {
    Rect r = toPixels(dialogUnits);
    if (kind == ControlKind::ComboBox) {
        r.height = std::min(r.height, closedComboHeight());
    }
    return r;
}

int DialogLayout::closedComboHeight() const {
    return fontPixels_ + 8; // the line, a 3-pixel 3D border and a pixel of padding each side
}

} // namespace veld::ui
