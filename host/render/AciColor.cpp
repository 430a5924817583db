// The ACI palette: seven named colours, two greys, 240 hue/value/saturation steps, six greys.
// Index 7 is black because pictures have a white background.
#include "host/render/AciColor.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace veld::render {

namespace {

std::string hex(int r, int g, int b) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", r & 255, g & 255, b & 255);
    return buffer;
}

// Indexes 10..249: hue in 15 degree steps, five brightness levels, full or half saturation.
std::string hueStep(int index) {
    static constexpr double kValue[5] = {1.0, 0.8, 0.6, 0.5, 0.3};
    const double hue = (index / 10 - 1) * 15.0;
    const double value = kValue[(index % 10) / 2];
    const double saturation = index % 2 == 0 ? 1.0 : 0.5;
    double rgb[3];
    for (int k = 0; k < 3; ++k) {
        // Standard HSV to RGB with n = 5, 3, 1 for red, green, blue.
        const double n = 5.0 - 2.0 * k;
        const double t = std::fmod(n + hue / 60.0, 6.0);
        const double f = std::max(0.0, std::min({t, 4.0 - t, 1.0}));
        rgb[k] = value * (1.0 - saturation * f);
    }
    return hex(static_cast<int>(std::lround(rgb[0] * 255)),
               static_cast<int>(std::lround(rgb[1] * 255)),
               static_cast<int>(std::lround(rgb[2] * 255)));
}

} // namespace

std::string aciToRgb(int index) {
    switch (index) {
    case 1:
        return "#ff0000";
    case 2:
        return "#ffff00";
    case 3:
        return "#00ff00";
    case 4:
        return "#00ffff";
    case 5:
        return "#0000ff";
    case 6:
        return "#ff00ff";
    case 8:
        return "#808080";
    case 9:
        return "#c0c0c0";
    default:
        break;
    }
    if (index >= 10 && index <= 249) {
        return hueStep(index);
    }
    if (index >= 250 && index <= 255) {
        static constexpr int kGrey[6] = {51, 91, 132, 173, 214, 255};
        const int g = kGrey[index - 250];
        return hex(g, g, g);
    }
    return "#000000";
}

} // namespace veld::render
