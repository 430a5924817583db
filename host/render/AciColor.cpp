// The ACI palette: seven named colours, two greys, 240 hue/value/saturation steps, six greys.
// The darkening for light backgrounds is mirrored in the page's view (view-colors.js).
#include "host/render/AciColor.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace veld::render {

namespace {

// Brightest a colour may be on white and still read well (weighted luminance, 0..1).
constexpr double kMaxLuminanceOnLight = 0.5;

std::uint32_t hex(int r, int g, int b) {
    return static_cast<std::uint32_t>((r & 255) << 16 | (g & 255) << 8 | (b & 255));
}

// Indexes 10..249: hue in 15 degree steps, five brightness levels, full or half saturation.
std::uint32_t hueStep(int index) {
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

std::uint32_t aciRgb(int index) {
    switch (index) {
    case 1:
        return 0xFF0000;
    case 2:
        return 0xFFFF00;
    case 3:
        return 0x00FF00;
    case 4:
        return 0x00FFFF;
    case 5:
        return 0x0000FF;
    case 6:
        return 0xFF00FF;
    case 8:
        return 0x808080;
    case 9:
        return 0xC0C0C0;
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
    return 0xFFFFFF;
}

std::uint32_t colorOnLight(ColorRef color) {
    if (color == 7) {
        return 0x000000;
    }
    const std::uint32_t rgb =
        (color & kTrueColor) != 0 ? color & 0xFFFFFF : aciRgb(static_cast<int>(color));
    const double r = (rgb >> 16 & 255) / 255.0, g = (rgb >> 8 & 255) / 255.0;
    const double b = (rgb & 255) / 255.0;
    const double luminance = 0.2126 * r + 0.7152 * g + 0.0722 * b;
    if (luminance <= kMaxLuminanceOnLight) {
        return rgb;
    }
    const double k = kMaxLuminanceOnLight / luminance;
    const auto channel = [k](double v) { return static_cast<int>(std::lround(v * k * 255)); };
    return hex(channel(r), channel(g), channel(b));
}

std::string cssColor(std::uint32_t rgb) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%06x", static_cast<unsigned>(rgb & 0xFFFFFF));
    return buffer;
}

} // namespace veld::render
