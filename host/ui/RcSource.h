// The text of a resource script as lines of UTF-8: each line decoded from the code page that
// `#pragma code_page(N)` set before it (65001, UTF-8, until a pragma says otherwise).
#pragma once
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace veld::ui {

// A resource script that cannot be read: the line (1-based) and what is wrong there.
class RcError : public std::runtime_error {
public:
    RcError(int line, const std::string& message)
        : std::runtime_error("line " + std::to_string(line) + ": " + message), line_(line) {}
    int line() const { return line_; }

private:
    int line_;
};

struct RcLine {
    int number;
    std::string text; // UTF-8, without the line end; a code-page pragma is left empty
};

// Splits and decodes the script's bytes. Throws RcError for a code page that is not known or
// bytes that are not valid in the code page in force.
std::vector<RcLine> decodeResourceScript(std::string_view bytes);

// Decodes text of a Windows code page (65001 is UTF-8, checked; the others through the host's
// code-page layer, e.g. 932 is Shift-JIS as Windows extends it). False for a code page that is
// not known or bytes that are not valid in it.
bool decodeCodePage(std::string_view bytes, int codePage, std::string& utf8);

} // namespace veld::ui
