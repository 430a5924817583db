// RGB values of the 256 indexed colours (ACI) for pictures on a white background.
// Used for layer and entity colours in the SVG picture.
#pragma once
#include <string>

namespace veld::render {

// "#rrggbb" for an ACI index 1..255; 7 (white on black screens) is black on paper. Other
// values (0 by block, 256 by layer) give black.
std::string aciToRgb(int index);

} // namespace veld::render
