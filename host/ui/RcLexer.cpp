// The tokens of a resource script: comments and preprocessor lines dealt with, defined names
// expanded.
#include "host/ui/RcLexer.h"

#include <cctype>

namespace veld::ui {

namespace {

bool isNameStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0 || c == '_';
}
bool isNameChar(char c) {
    return isNameStart(c) || std::isdigit(static_cast<unsigned char>(c)) != 0;
}

class Lexer {
public:
    std::vector<RcToken> run(const std::vector<RcLine>& lines) {
        for (const auto& line : lines) {
            line_ = line.number;
            if (!inComment_ && isDirective(line.text)) {
                directive(line.text);
            } else {
                scanLine(line.text);
            }
        }
        if (inComment_) {
            throw RcError(line_, "unterminated comment");
        }
        RcToken end;
        end.line = line_;
        tokens_.push_back(end);
        return std::move(tokens_);
    }

private:
    static bool isDirective(std::string_view text) {
        const auto first = text.find_first_not_of(" \t");
        return first != std::string_view::npos && text[first] == '#';
    }

    void directive(std::string_view text) {
        text.remove_prefix(text.find('#') + 1);
        std::vector<RcToken> words = scanToTokens(text);
        if (words.empty() || words[0].type != RcToken::Type::Name) {
            throw RcError(line_, "malformed directive");
        }
        const std::string& name = words[0].text;
        if (name == "include" || name == "pragma") {
            return; // code pages are handled while decoding; other pragmas mean nothing here
        }
        if (name == "define" && words.size() >= 2 && words[1].type == RcToken::Type::Name) {
            defines_[words[1].text] = std::vector<RcToken>(words.begin() + 2, words.end());
            return;
        }
        if (name == "undef" && words.size() == 2) {
            defines_.erase(words[1].text);
            return;
        }
        throw RcError(line_, "unsupported directive #" + name);
    }

    // Scans a directive's rest into its own token list (no expansion).
    std::vector<RcToken> scanToTokens(std::string_view text) {
        std::vector<RcToken> saved = std::move(tokens_);
        tokens_.clear();
        expand_ = false;
        scanLine(text);
        expand_ = true;
        std::vector<RcToken> words = std::move(tokens_);
        tokens_ = std::move(saved);
        return words;
    }

    void scanLine(std::string_view text) {
        std::size_t i = 0;
        while (i < text.size()) {
            if (inComment_) {
                const auto end = text.find("*/", i);
                if (end == std::string_view::npos) {
                    return;
                }
                inComment_ = false;
                i = end + 2;
                continue;
            }
            const char c = text[i];
            if (c == ' ' || c == '\t' || c == '\f' || c == '\v') {
                ++i;
            } else if (text.substr(i, 2) == "//") {
                return;
            } else if (text.substr(i, 2) == "/*") {
                inComment_ = true;
                i += 2;
            } else if (c == '"' || (c == 'L' && i + 1 < text.size() && text[i + 1] == '"')) {
                i = scanString(text, c == 'L' ? i + 1 : i);
            } else if (std::isdigit(static_cast<unsigned char>(c)) != 0) {
                i = scanNumber(text, i);
            } else if (isNameStart(c)) {
                i = scanName(text, i);
            } else if (std::string_view(",|{}()-+~").find(c) != std::string_view::npos) {
                push(RcToken::Type::Punct, std::string(1, c));
                ++i;
            } else {
                throw RcError(line_, std::string("unexpected character '") + c + "'");
            }
        }
    }

    std::size_t scanString(std::string_view text, std::size_t i) {
        std::string value;
        ++i; // opening quote
        while (true) {
            if (i >= text.size()) {
                throw RcError(line_, "unterminated string");
            }
            const char c = text[i];
            if (c == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    value += '"'; // "" stands for one quote
                    i += 2;
                    continue;
                }
                ++i;
                break;
            }
            if (c == '\\' && i + 1 < text.size()) {
                value += escaped(text[i + 1]);
                i += 2;
                continue;
            }
            value += c;
            ++i;
        }
        push(RcToken::Type::String, std::move(value));
        return i;
    }

    static std::string escaped(char c) {
        switch (c) {
        case 'n':
            return "\n";
        case 't':
            return "\t";
        case 'r':
            return "\r";
        case 'a':
            return "\a";
        default:
            return std::string(1, c); // \\ and \" and anything else: the character itself
        }
    }

    std::size_t scanNumber(std::string_view text, std::size_t i) {
        const std::size_t start = i;
        int base = 10;
        if (text.substr(i, 2) == "0x" || text.substr(i, 2) == "0X") {
            base = 16;
            i += 2;
        }
        std::int64_t value = 0;
        bool digits = false;
        while (i < text.size() && std::isxdigit(static_cast<unsigned char>(text[i])) != 0) {
            const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
            const int digit = c <= '9' ? c - '0' : c - 'a' + 10;
            if (digit >= base) {
                break;
            }
            value = value * base + digit;
            if (value > 0xFFFFFFFFLL) {
                throw RcError(line_, "number too large");
            }
            digits = true;
            ++i;
        }
        while (i < text.size() &&
               (text[i] == 'L' || text[i] == 'l' || text[i] == 'U' || text[i] == 'u')) {
            ++i;
        }
        if (!digits || (i < text.size() && isNameChar(text[i]))) {
            throw RcError(line_,
                          "malformed number " + std::string(text.substr(start, i + 1 - start)));
        }
        RcToken token;
        token.type = RcToken::Type::Number;
        token.text = std::string(text.substr(start, i - start));
        token.value = value;
        token.line = line_;
        tokens_.push_back(std::move(token));
        return i;
    }

    std::size_t scanName(std::string_view text, std::size_t i) {
        const std::size_t start = i;
        while (i < text.size() && isNameChar(text[i])) {
            ++i;
        }
        std::string name(text.substr(start, i - start));
        expandOrPush(name, 0);
        return i;
    }

    void expandOrPush(const std::string& name, int depth) {
        const auto found = expand_ ? defines_.find(name) : defines_.end();
        if (found == defines_.end()) {
            push(RcToken::Type::Name, name);
            return;
        }
        if (depth > 16) {
            throw RcError(line_, "#define of " + name + " refers to itself");
        }
        for (RcToken token : found->second) {
            if (token.type == RcToken::Type::Name) {
                expandOrPush(token.text, depth + 1);
            } else {
                token.line = line_;
                tokens_.push_back(std::move(token));
            }
        }
    }

    void push(RcToken::Type type, std::string text) {
        RcToken token;
        token.type = type;
        token.text = std::move(text);
        token.line = line_;
        tokens_.push_back(std::move(token));
    }

    std::vector<RcToken> tokens_;
    std::map<std::string, std::vector<RcToken>> defines_;
    bool inComment_ = false;
    bool expand_ = true;
    int line_ = 0;
};

} // namespace

std::vector<RcToken> tokenizeResourceScript(const std::vector<RcLine>& lines) {
    return Lexer().run(lines);
}

} // namespace veld::ui
