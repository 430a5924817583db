// Parsing and line-preserving editing of private-profile files (rules in IniDocument.h).
#include "host/win/IniDocument.h"

#include "host/win/CodePage.h"

namespace veld::win {

namespace {

constexpr std::size_t npos = std::string::npos;
constexpr std::string_view kNewLine = "\r\n";

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

char foldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Position of the last `wanted` byte that starts a Shift-JIS character, or npos.
std::size_t lastCharacter(std::string_view text, char wanted) {
    std::size_t found = npos;
    for (std::size_t i = 0; i < text.size();
         i += static_cast<std::size_t>(sjisCharLength(static_cast<unsigned char>(text[i])))) {
        if (text[i] == wanted) {
            found = i;
        }
    }
    return found;
}

std::string unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

} // namespace

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool sjisEqualsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    std::size_t i = 0;
    while (i < a.size()) {
        if (sjisCharLength(static_cast<unsigned char>(a[i])) == 2) {
            if (a.substr(i, 2) != b.substr(i, 2)) {
                return false;
            }
            i += 2;
        } else {
            if (foldAscii(a[i]) != foldAscii(b[i])) {
                return false;
            }
            ++i;
        }
    }
    return true;
}

IniDocument::IniDocument(std::string_view bytes) {
    while (!bytes.empty()) {
        const std::size_t newline = bytes.find('\n');
        std::string_view text = newline == npos ? bytes : bytes.substr(0, newline);
        std::string ending;
        if (newline != npos) {
            ending = "\n";
            if (!text.empty() && text.back() == '\r') {
                text.remove_suffix(1);
                ending = "\r\n";
            }
        }
        lines_.push_back(parseLine(std::string(text), std::move(ending)));
        bytes.remove_prefix(newline == npos ? bytes.size() : newline + 1);
    }
}

IniDocument::Line IniDocument::parseLine(std::string text, std::string ending) {
    Line line{std::move(text), std::move(ending), Kind::Other, {}, {}};
    const std::string_view trimmed = trimBlanks(line.text);
    if (trimmed.empty()) {
        line.kind = Kind::Blank;
    } else if (trimmed.front() == ';') {
        line.kind = Kind::Comment;
    } else if (trimmed.front() == '[' && lastCharacter(trimmed, ']') != npos &&
               lastCharacter(trimmed, ']') > 0) {
        line.kind = Kind::Section;
        line.name = trimBlanks(trimmed.substr(1, lastCharacter(trimmed, ']') - 1));
    } else if (const std::size_t equals = trimmed.find('='); equals != npos) {
        // '=' is below the Shift-JIS trail-byte range, so a plain search is safe.
        line.kind = Kind::Entry;
        line.name = trimBlanks(trimmed.substr(0, equals));
        line.value = trimBlanks(trimmed.substr(equals + 1));
    }
    return line;
}

std::string IniDocument::bytes() const {
    std::string out;
    for (const Line& line : lines_) {
        out += line.text;
        out += line.ending;
    }
    return out;
}

std::size_t IniDocument::findSection(std::string_view section) const {
    const std::string_view wanted = trimBlanks(section);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == Kind::Section && sjisEqualsIgnoreCase(lines_[i].name, wanted)) {
            return i;
        }
    }
    return npos;
}

std::size_t IniDocument::sectionEnd(std::size_t header) const {
    std::size_t end = header + 1;
    while (end < lines_.size() && lines_[end].kind != Kind::Section) {
        ++end;
    }
    return end;
}

std::size_t IniDocument::findKey(std::size_t header, std::string_view key) const {
    const std::string_view wanted = trimBlanks(key);
    if (wanted.empty()) {
        return npos;
    }
    const std::size_t end = sectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        if (lines_[i].kind == Kind::Entry && sjisEqualsIgnoreCase(lines_[i].name, wanted)) {
            return i;
        }
    }
    return npos;
}

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
    const std::size_t header = findSection(section);
    if (header == npos) {
        return std::nullopt;
    }
    const std::size_t line = findKey(header, key);
    if (line == npos) {
        return std::nullopt;
    }
    return unquote(lines_[line].value);
}

std::vector<std::string> IniDocument::sectionNames() const {
    std::vector<std::string> names;
    for (const Line& line : lines_) {
        if (line.kind == Kind::Section) {
            names.push_back(line.name);
        }
    }
    return names;
}

std::vector<std::string> IniDocument::keyNames(std::string_view section) const {
    std::vector<std::string> names;
    const std::size_t header = findSection(section);
    if (header == npos) {
        return names;
    }
    const std::size_t end = sectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        if (lines_[i].kind == Kind::Entry && !lines_[i].name.empty()) {
            names.push_back(lines_[i].name);
        }
    }
    return names;
}

void IniDocument::terminateLastLine() {
    if (!lines_.empty() && lines_.back().ending.empty()) {
        lines_.back().ending = kNewLine;
    }
}

void IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value) {
    const std::string keyName(trimBlanks(key));
    std::size_t header = findSection(section);
    if (header == npos) {
        terminateLastLine();
        lines_.push_back(
            parseLine("[" + std::string(trimBlanks(section)) + "]", std::string(kNewLine)));
        header = lines_.size() - 1;
    }
    if (const std::size_t line = findKey(header, keyName); line != npos) {
        Line& existing = lines_[line];
        existing = parseLine(existing.name + "=" + std::string(value), existing.ending);
        return;
    }
    std::size_t last = header;
    const std::size_t end = sectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        if (lines_[i].kind != Kind::Blank) {
            last = i;
        }
    }
    if (lines_[last].ending.empty()) {
        lines_[last].ending = kNewLine;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(last) + 1,
                  parseLine(keyName + "=" + std::string(value), std::string(kNewLine)));
}

bool IniDocument::removeKey(std::string_view section, std::string_view key) {
    const std::size_t header = findSection(section);
    const std::size_t line = header == npos ? npos : findKey(header, key);
    if (line == npos) {
        return false;
    }
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(line));
    return true;
}

bool IniDocument::removeSection(std::string_view section) {
    const std::size_t header = findSection(section);
    if (header == npos) {
        return false;
    }
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(sectionEnd(header)));
    return true;
}

} // namespace veld::win
