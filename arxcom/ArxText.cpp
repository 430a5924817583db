// Name comparison that folds only basic Latin letters and leaves multibyte characters alone.
#include "arxcom/ArxText.h"

namespace {

char foldAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

bool ArxEqualsNoCase(std::string_view left, std::string_view right) {
    if (left.size() != right.size()) {
        return false;
    }
    for (std::size_t i = 0; i < left.size(); ++i) {
        if (foldAsciiLetter(left[i]) != foldAsciiLetter(right[i])) {
            return false;
        }
    }
    return true;
}
