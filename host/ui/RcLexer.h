// The tokens of a resource script: names, numbers, strings and punctuation, with comments and
// preprocessor lines (#define, #undef, #include) dealt with and defined names expanded.
#pragma once
#include "host/ui/RcSource.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace veld::ui {

struct RcToken {
    enum class Type { Name, Number, String, Punct, End };
    Type type = Type::End;
    std::string text;       // a name, a string's decoded contents, a punctuation character
    std::int64_t value = 0; // a number's value
    int line = 0;

    bool is(Type t, std::string_view s) const { return type == t && text == s; }
    bool isPunct(char c) const { return type == Type::Punct && text.size() == 1 && text[0] == c; }
};

// Tokenises the decoded lines; the last token is End. Throws RcError for an unterminated
// string or comment, a character that starts no token, or an unsupported directive.
// `#include` lines are skipped: ids come from `#define` lines and the standard names.
std::vector<RcToken> tokenizeResourceScript(const std::vector<RcLine>& lines);

} // namespace veld::ui
