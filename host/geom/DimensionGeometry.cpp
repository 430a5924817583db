// Geometry of aligned dimensions.
// Lines, arrowheads or ticks and the text, all scaled by the style's overall scale.
#include "host/geom/DimensionGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace veld::geom {

namespace {

struct Frame {
    AcGeVector3d along;  // from xLine1 towards xLine2
    AcGeVector3d normal; // along turned by 90 degrees
};

Frame frameOf(const AcGePoint3d& a, const AcGePoint3d& b) {
    AcGeVector3d along(b.x - a.x, b.y - a.y, 0.0);
    const double length = along.length();
    along = length > 1e-12 ? along * (1.0 / length) : AcGeVector3d(1.0, 0.0, 0.0);
    return {along, AcGeVector3d(-along.y, along.x, 0.0)};
}

// Text direction that reads left to right, or bottom to top for vertical dimensions.
double readableAngle(const AcGeVector3d& along) {
    double angle = std::atan2(along.y, along.x);
    const double eps = 1e-9;
    if (angle > M_PI / 2 + eps || angle <= -M_PI / 2 + eps) {
        angle += angle > 0 ? -M_PI : M_PI;
    }
    return angle;
}

void addArrowheads(DimensionGeometry& g, const Frame& f, double size) {
    const double half = size / 6.0;
    const AcGePoint3d ends[2] = {g.dimLineStart, g.dimLineEnd};
    const double inward[2] = {1.0, -1.0};
    for (int i = 0; i < 2; ++i) {
        const AcGePoint3d base = ends[i] + f.along * (inward[i] * size);
        GeoSolid s;
        s.corners[0] = ends[i];
        s.corners[1] = base + f.normal * half;
        s.corners[2] = base - f.normal * half;
        s.corners[3] = s.corners[2];
        g.solids.push_back(s);
    }
}

void addTicks(DimensionGeometry& g, const Frame& f, double size) {
    const AcGeVector3d slant = (f.along + f.normal) * (size / 2.0);
    for (const AcGePoint3d& end : {g.dimLineStart, g.dimLineEnd}) {
        g.lines.push_back({end - slant, end + slant});
    }
}

// The dimension line, broken around the text when the text sits on it.
void addDimensionLine(DimensionGeometry& g, const Frame& f, double textWidth, bool textOnLine) {
    if (!textOnLine) {
        g.lines.push_back({g.dimLineStart, g.dimLineEnd});
        return;
    }
    const AcGeVector3d toText = g.text.position - g.dimLineStart;
    const double centre = toText.dotProduct(f.along);
    const double half = textWidth / 2.0;
    g.lines.push_back({g.dimLineStart, g.dimLineStart + f.along * (centre - half)});
    g.lines.push_back({g.dimLineStart + f.along * (centre + half), g.dimLineEnd});
}

} // namespace

std::string formatMeasurement(double value, int decimals) {
    decimals = std::clamp(decimals, 0, 8);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string text(buffer);
    if (text.find_first_not_of("-0.") == std::string::npos && text.front() == '-') {
        text.erase(0, 1); // "-0.00" reads as "0.00"
    }
    return text;
}

std::string dimensionText(const std::string& override, double value, int decimals) {
    const std::string measured = formatMeasurement(value, decimals);
    if (override.empty()) {
        return measured;
    }
    std::string text = override;
    const auto at = text.find("<>");
    if (at != std::string::npos) {
        text.replace(at, 2, measured);
    }
    return text;
}

double estimateTextWidth(const std::string& utf8, double height, double narrowShare) {
    double width = 0.0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        // Half-width katakana (U+FF61..U+FF9F, EF BD A1 .. EF BE 9F) are narrow.
        const bool halfWidthKana = length == 3 && c == 0xEF && i + 1 < utf8.size() &&
                                   (static_cast<unsigned char>(utf8[i + 1]) == 0xBD ||
                                    static_cast<unsigned char>(utf8[i + 1]) == 0xBE);
        width += (length >= 3 && !halfWidthKana) ? height : narrowShare * height;
        i += length;
    }
    return width;
}

DimensionGeometry computeAlignedDimension(const AlignedDimensionInput& in,
                                          const DimStyleValues& style) {
    const double scale = style.scale > 0.0 ? style.scale : 1.0;
    const Frame f = frameOf(in.xLine1, in.xLine2);
    DimensionGeometry g;
    g.measurement = std::hypot(in.xLine2.x - in.xLine1.x, in.xLine2.y - in.xLine1.y);
    const double offset = (in.dimLine - in.xLine1).dotProduct(f.normal);
    const AcGeVector3d shift = f.normal * offset;
    g.dimLineStart = AcGePoint3d(in.xLine1.x, in.xLine1.y, in.dimLine.z) + shift;
    g.dimLineEnd = AcGePoint3d(in.xLine2.x, in.xLine2.y, in.dimLine.z) + shift;

    // Extension lines: from just off the measured points to a little beyond the dimension line.
    const AcGeVector3d side = f.normal * (offset < 0.0 ? -1.0 : 1.0);
    const double exo = style.extensionOffset * scale, exe = style.extensionBeyond * scale;
    if (std::fabs(offset) > exo) {
        g.lines.push_back({in.xLine1 + side * exo, g.dimLineStart + side * exe});
        g.lines.push_back({in.xLine2 + side * exo, g.dimLineEnd + side * exe});
    }

    g.text.height = style.textHeight * scale;
    g.text.text = dimensionText(in.text, g.measurement, style.decimals);
    g.text.rotation = readableAngle(f.along);
    const double textWidth =
        estimateTextWidth(g.text.text, g.text.height) + 2.0 * style.textGap * scale;
    const double arrow = (style.tickSize > 0.0 ? style.tickSize : style.arrowSize) * scale;
    const bool fits = g.measurement >= textWidth + 2.0 * arrow;
    const bool textOnLine = !in.userTextPosition && !style.textAbove && fits;
    const AcGePoint3d middle = g.dimLineStart + (g.dimLineEnd - g.dimLineStart) * 0.5;
    if (in.userTextPosition) {
        g.text.position = in.textPosition;
    } else if (textOnLine) {
        g.text.position = middle;
    } else {
        // Above the line, on the side "up" is for the reader of the text.
        const AcGeVector3d up(-std::sin(g.text.rotation), std::cos(g.text.rotation), 0.0);
        g.text.position = middle + up * (style.textGap * scale + g.text.height / 2.0);
    }
    addDimensionLine(g, f, textWidth, textOnLine);
    if (style.tickSize > 0.0) {
        addTicks(g, f, style.tickSize * scale);
    } else {
        addArrowheads(g, f, style.arrowSize * scale);
    }
    return g;
}

} // namespace veld::geom
