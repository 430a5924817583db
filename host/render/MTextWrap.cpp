// Narrow characters are counted at 0.55 of the height, about the mean advance of a sans-serif
// font over running text; wide ones at the full height.
#include "host/render/MTextWrap.h"

#include "host/geom/DimensionGeometry.h"

namespace veld::render {

namespace {

constexpr double kNarrowShare = 0.55;

std::size_t utf8Length(unsigned char lead) {
    return lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}

// Pieces a line may break between: a word with the spaces before it, or one wide character.
std::vector<std::string> breakPieces(const std::string& text) {
    std::vector<std::string> pieces;
    std::string current;
    bool inWord = false;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = std::min(utf8Length(text[i]), text.size() - i);
        const std::string character = text.substr(i, length);
        i += length;
        const bool wide = length >= 3;
        const bool space = character == " ";
        if (wide || (inWord && space)) {
            if (!current.empty()) {
                pieces.push_back(current);
            }
            current.clear();
        }
        current += character;
        inWord = !space && !wide;
        if (wide) {
            pieces.push_back(current);
            current.clear();
        }
    }
    if (!current.empty()) {
        pieces.push_back(current);
    }
    return pieces;
}

std::string withoutLeadingSpaces(const std::string& text) {
    const std::size_t start = text.find_first_not_of(' ');
    return start == std::string::npos ? std::string() : text.substr(start);
}

std::string withoutTrailingSpaces(const std::string& text) {
    return text.substr(0, text.find_last_not_of(' ') + 1);
}

} // namespace

std::vector<std::string> wrapParagraph(const std::string& paragraph, double height, double width) {
    if (!(width > 0) || !(height > 0)) {
        return {paragraph};
    }
    std::vector<std::string> lines;
    std::string line;
    for (const std::string& piece : breakPieces(paragraph)) {
        const std::string longer = line + piece;
        if (!line.empty() && geom::estimateTextWidth(longer, height, kNarrowShare) > width) {
            lines.push_back(withoutTrailingSpaces(line)); // the space at a break is not shown
            line = withoutLeadingSpaces(piece);
        } else {
            line = longer;
        }
    }
    lines.push_back(line);
    return lines;
}

} // namespace veld::render
