// RGB values of the 256 indexed colours (ACI), and how a colour shows on a dark screen or on a
// light background (paper, the light theme) where white turns black and light colours darken.
#pragma once
#include "host/render/DisplayList.h"

#include <cstdint>
#include <string>

namespace veld::render {

// 0xRRGGBB of an ACI index 1..255 as on a dark screen (7 is white); other values give white.
std::uint32_t aciRgb(int index);

// The colour as drawn on a light background: 7 is black, and colours too light to read on
// white (yellow, light greys, ...) are darkened to the same hue.
std::uint32_t colorOnLight(ColorRef color);

// "#rrggbb".
std::string cssColor(std::uint32_t rgb);

} // namespace veld::render
