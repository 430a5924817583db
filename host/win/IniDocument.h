// One private-profile (INI) file held as its Shift-JIS lines, with the original platform's
// reading rules and edits that touch only the line they change: every other line (comments,
// blank lines, unknown text, other sections) and every line end stays byte for byte.
//
// Reading rules: a line is trimmed of blanks; an empty line is blank; a line starting with ';' is
// a comment; "[name]" starts a section (the last ']' closes it); "key = value" is an entry, with
// the key and the value trimmed. Section and key names compare without regard to ASCII case
// (only at character starts, so a Shift-JIS trail byte is never folded). Only the first of
// several sections of one name is used, and in it only the first of several equal keys. Lines
// before the first section belong to no section.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veld::win {

class IniDocument {
public:
    // `bytes` is the file as on disk (Shift-JIS; CR LF or LF line ends). All names and values
    // passed in and out below are Shift-JIS too.
    explicit IniDocument(std::string_view bytes);

    // The file's bytes after the edits.
    std::string bytes() const;

    // The value of `key` in `section`: trimmed, one pair of matching quotes (' or ") around it
    // removed. nullopt when the section or the key is missing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    // Names of all sections in file order, and of the keys of the first section of that name.
    std::vector<std::string> sectionNames() const;
    std::vector<std::string> keyNames(std::string_view section) const;

    // Replaces the key's line in place by "key=value" (keeping the file's spelling of the key and
    // the line's end), or adds "key=value" CR LF after the last non-blank line of the section, or
    // adds "[section]" and the key at the end of the file.
    void setValue(std::string_view section, std::string_view key, std::string_view value);
    // Removes the key's line; false when there was none.
    bool removeKey(std::string_view section, std::string_view key);
    // Removes the section's header and every line up to the next section; false when missing.
    bool removeSection(std::string_view section);

private:
    enum class Kind { Blank, Comment, Section, Entry, Other };
    struct Line {
        std::string text;   // without the line end
        std::string ending; // "\r\n", "\n" or "" (last line without a line end)
        Kind kind = Kind::Other;
        std::string name;  // trimmed section or key name
        std::string value; // trimmed value of an entry
    };

    static Line parseLine(std::string text, std::string ending);
    // Index of the first section header of that name, or npos.
    std::size_t findSection(std::string_view section) const;
    // One past the last line of the section that starts at `header`.
    std::size_t sectionEnd(std::size_t header) const;
    std::size_t findKey(std::size_t header, std::string_view key) const;
    // Gives the last line a CR LF end when it has none, so that lines can follow it.
    void terminateLastLine();

    std::vector<Line> lines_;
};

// Comparison and trimming rules shared with the profile functions.
bool sjisEqualsIgnoreCase(std::string_view a, std::string_view b);
std::string_view trimBlanks(std::string_view text);

} // namespace veld::win
