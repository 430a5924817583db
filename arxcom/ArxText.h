// Name comparison of the drawing's symbol and dictionary names: letters of the basic Latin
// alphabet match regardless of case, every other byte (all of a multibyte character) must match
// exactly, so a comparison never splits or folds a multibyte character.
#pragma once
#include <string_view>

bool ArxEqualsNoCase(std::string_view left, std::string_view right);
