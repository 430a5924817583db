// Text placement from the alignment modes: horizontal left/center/right/middle move the start
// back from the alignment point by the width, vertical bottom/middle/top by the height.
#include "host/geom/TextLayout.h"

#include <algorithm>
#include <cmath>
#include <dbents.h>

namespace veld::geom {

namespace {

std::size_t characterCount(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

double boxHeight(const AcDbText& t) {
    return t.height() > 0.0 ? t.height() : 1.0;
}

AcGePoint3d inPlane(const AcDbText& t, const AcGePoint3d& world) {
    AcGePoint3d p = world;
    return t.normal() == AcGeVector3d::kZAxis
               ? p
               : p.transformBy(AcGeMatrix3d::worldToPlane(t.normal()));
}

double horizontalShare(AcDb::TextHorzMode mode) {
    switch (mode) {
    case AcDb::kTextCenter:
    case AcDb::kTextMid:
        return 0.5;
    case AcDb::kTextRight:
        return 1.0;
    default:
        return 0.0;
    }
}

double verticalShare(const AcDbText& t) {
    if (t.horizontalMode() == AcDb::kTextMid) {
        return 0.5;
    }
    switch (t.verticalMode()) {
    case AcDb::kTextVertMid:
        return 0.5;
    case AcDb::kTextTop:
        return 1.0;
    default:
        return 0.0; // baseline, and bottom (the font's descent is not known)
    }
}

bool stretched(const AcDbText& t) {
    return t.horizontalMode() == AcDb::kTextAlign || t.horizontalMode() == AcDb::kTextFit;
}

// Aligned and fit texts run from the position to the alignment point.
void stretch(const AcDbText& t, TextLayout& out) {
    const AcGeVector3d span = inPlane(t, t.alignmentPoint()) - out.start;
    const double length = std::hypot(span.x, span.y);
    if (length <= 0.0) {
        return;
    }
    out.along = AcGeVector3d(span.x / length, span.y / length, 0.0);
    out.up = AcGeVector3d(-out.along.y, out.along.x, 0.0);
    if (t.horizontalMode() == AcDb::kTextAlign) {
        out.height *= length / out.width; // aligned keeps the proportions
    }
    out.width = length;
}

} // namespace

std::array<AcGePoint3d, 4> TextLayout::corners() const {
    return {start, start + along * width, start + along * width + up * height, start + up * height};
}

double estimatedWidth(const AcDbText& t) {
    const double characters =
        static_cast<double>(std::max<std::size_t>(1, characterCount(t.textString())));
    return boxHeight(t) * kCharacterWidth * t.widthFactor() * characters;
}

bool placedByAlignmentPoint(const AcDbText& t) {
    const bool leftOnBaseline =
        t.horizontalMode() == AcDb::kTextLeft && t.verticalMode() == AcDb::kTextBase;
    return !leftOnBaseline && !stretched(t);
}

TextLayout textLayoutOf(const AcDbText& t) {
    TextLayout out;
    out.along = AcGeVector3d(std::cos(t.rotation()), std::sin(t.rotation()), 0.0);
    out.up = AcGeVector3d(-out.along.y, out.along.x, 0.0);
    out.width = estimatedWidth(t);
    out.height = boxHeight(t);
    if (!placedByAlignmentPoint(t)) {
        out.start = inPlane(t, t.position());
        if (stretched(t)) {
            stretch(t, out);
        }
        return out;
    }
    out.start = inPlane(t, t.alignmentPoint()) -
                out.along * (out.width * horizontalShare(t.horizontalMode())) -
                out.up * (out.height * verticalShare(t));
    return out;
}

} // namespace veld::geom
