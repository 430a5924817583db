// Word wrapping of an MTEXT paragraph at the width of its reference rectangle, from estimated
// character widths: Latin text breaks at spaces, Japanese and other wide text between any two
// characters.
#pragma once
#include <string>
#include <vector>

namespace veld::render {

// The lines `paragraph` (UTF-8, codes already decoded) takes at `height` in a rectangle
// `width` wide; one line when the width is zero (no wrapping). A word wider than the
// rectangle keeps a line of its own.
std::vector<std::string> wrapParagraph(const std::string& paragraph, double height, double width);

} // namespace veld::render
