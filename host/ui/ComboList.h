// The entries and selection of a combo box, with the Win32 list semantics: sorted insertion,
// prefix search that starts after an index and wraps round, CB_ERR results.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace veld::ui {

// Compares UTF-8 texts byte by byte with ASCII letters folded to lower case (<0, 0, >0).
// Windows compares locale-aware; for Japanese texts this gives code-point order instead.
int compareNoCase(std::string_view a, std::string_view b);
bool startsWithNoCase(std::string_view text, std::string_view prefix);

class ComboList {
public:
    static constexpr int kError = -1; // CB_ERR

    explicit ComboList(bool sorted = false) : sorted_(sorted) {}

    bool sorted() const { return sorted_; }
    int count() const { return static_cast<int>(items_.size()); }
    const std::vector<std::string>& items() const { return items_; }
    // The entry at `index`, or null outside the list.
    const std::string* at(int index) const;

    // CB_ADDSTRING: a sorted list inserts after the entries that compare less or equal,
    // an unsorted one appends. Returns the new entry's index.
    int add(std::string text);
    // CB_INSERTSTRING: at `index` (-1: the end) even in a sorted list; CB_ERR past the end.
    int insert(int index, std::string text);
    // CB_DELETESTRING: returns the number of entries left, or CB_ERR.
    int remove(int index);
    // CB_RESETCONTENT.
    void clear();

    int selection() const { return selection_; }
    std::string selectedText() const;
    // CB_SETCURSEL: selects `index`; -1 or an index outside the list clears the selection and
    // returns CB_ERR.
    int select(int index);
    // CB_FINDSTRING: the first entry after `startAfter` that begins with `prefix` (case folded),
    // wrapping round to `startAfter` itself; -1 (or any index outside the list) searches the
    // whole list from the start.
    int findPrefix(int startAfter, std::string_view prefix) const;
    // CB_FINDSTRINGEXACT: as findPrefix with whole-text comparison (case folded).
    int findExact(int startAfter, std::string_view text) const;
    // CB_SELECTSTRING: findPrefix, then select what was found; CB_ERR keeps the selection.
    int selectPrefix(int startAfter, std::string_view prefix);

private:
    template <typename Match> int search(int startAfter, Match match) const;

    bool sorted_;
    std::vector<std::string> items_;
    int selection_ = kError;
};

} // namespace veld::ui
