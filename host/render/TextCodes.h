// The %% control codes of single-line texts: %%d degree, %%p plus-minus, %%c diameter,
// %%u and %%o underline and overline switches, %%% a percent sign, %%nnn a character code.
#pragma once
#include <string>

namespace veld::render {

struct DecodedText {
    std::string text;                         // UTF-8 as shown
    bool underline = false, overline = false; // switched on anywhere in the text
};

DecodedText decodeTextCodes(const std::string& raw);

} // namespace veld::render
