// The entries and selection of a combo box, with the Win32 list semantics: sorted insertion,
// prefix search that starts after an index and wraps round, CB_ERR results.
#include "host/ui/ComboList.h"

#include <algorithm>

namespace veld::ui {

namespace {

unsigned char foldAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

} // namespace

int compareNoCase(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char ca = foldAscii(static_cast<unsigned char>(a[i]));
        const unsigned char cb = foldAscii(static_cast<unsigned char>(b[i]));
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           compareNoCase(text.substr(0, prefix.size()), prefix) == 0;
}

const std::string* ComboList::at(int index) const {
    if (index < 0 || index >= count()) {
        return nullptr;
    }
    return &items_[static_cast<std::size_t>(index)];
}

int ComboList::add(std::string text) {
    if (!sorted_) {
        return insert(-1, std::move(text));
    }
    const auto place = std::upper_bound(
        items_.begin(), items_.end(), text,
        [](const std::string& a, const std::string& b) { return compareNoCase(a, b) < 0; });
    return insert(static_cast<int>(place - items_.begin()), std::move(text));
}

int ComboList::insert(int index, std::string text) {
    if (index < -1 || index > count()) {
        return kError;
    }
    if (index == -1) {
        index = count();
    }
    items_.insert(items_.begin() + index, std::move(text));
    if (selection_ != kError && index <= selection_) {
        ++selection_; // the selected entry moved down one place
    }
    return index;
}

int ComboList::remove(int index) {
    if (at(index) == nullptr) {
        return kError;
    }
    items_.erase(items_.begin() + index);
    if (index == selection_) {
        selection_ = kError;
    } else if (selection_ != kError && index < selection_) {
        --selection_;
    }
    return count();
}

void ComboList::clear() {
    items_.clear();
    selection_ = kError;
}

std::string ComboList::selectedText() const {
    const std::string* text = at(selection_);
    return text != nullptr ? *text : std::string();
}

int ComboList::select(int index) {
    if (at(index) == nullptr) {
        selection_ = kError;
        return kError;
    }
    selection_ = index;
    return index;
}

template <typename Match> int ComboList::search(int startAfter, Match match) const {
    const int n = count();
    if (startAfter < 0 || startAfter >= n) {
        startAfter = -1;
    }
    // Entries after startAfter first, then from the top round to startAfter itself.
    for (int step = 1; step <= n; ++step) {
        const int index = (startAfter + step) % n;
        if (match(items_[static_cast<std::size_t>(index)])) {
            return index;
        }
    }
    return kError;
}

int ComboList::findPrefix(int startAfter, std::string_view prefix) const {
    return search(startAfter,
                  [prefix](const std::string& item) { return startsWithNoCase(item, prefix); });
}

int ComboList::findExact(int startAfter, std::string_view text) const {
    return search(startAfter,
                  [text](const std::string& item) { return compareNoCase(item, text) == 0; });
}

int ComboList::selectPrefix(int startAfter, std::string_view prefix) {
    const int found = findPrefix(startAfter, prefix);
    if (found != kError) {
        selection_ = found;
    }
    return found;
}

} // namespace veld::ui
