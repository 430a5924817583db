// Combo-box list semantics: sorted insertion, the CB_SELECTSTRING search (prefix, case folded,
// starting after an index and wrapping round), CB_ERR results that keep the selection.
#include "host/ui/ComboList.h"

#include <gtest/gtest.h>

namespace veld::test {
namespace {

using veld::ui::ComboList;
constexpr int kErr = ComboList::kError;

std::vector<std::string> entries(const ComboList& list) {
    return list.items();
}

TEST(ComboList, SortedListInsertsInCaseFoldedOrder) {
    ComboList list(true);
    EXPECT_EQ(list.add("beta"), 0);
    EXPECT_EQ(list.add("Alpha"), 0);
    EXPECT_EQ(list.add("alpha2"), 1);
    EXPECT_EQ(list.add("0"), 0);
    EXPECT_EQ(list.add("基礎"), 4); // multi-byte text after ASCII (code-point order)
    EXPECT_EQ(list.add("BETA"), 4); // after its equal, before what follows
    EXPECT_EQ(entries(list),
              (std::vector<std::string>{"0", "Alpha", "alpha2", "beta", "BETA", "基礎"}));
}

TEST(ComboList, UnsortedListKeepsOrderAndInsertStringIgnoresSorting) {
    ComboList unsorted;
    unsorted.add("8");
    unsorted.add("4");
    EXPECT_EQ(entries(unsorted), (std::vector<std::string>{"8", "4"}));

    ComboList sorted(true);
    sorted.add("b");
    EXPECT_EQ(sorted.insert(0, "z"), 0);
    EXPECT_EQ(sorted.insert(-1, "a"), 2);
    EXPECT_EQ(sorted.insert(4, "x"), kErr);
    EXPECT_EQ(entries(sorted), (std::vector<std::string>{"z", "b", "a"}));
}

TEST(ComboList, SelectionFollowsItsEntry) {
    ComboList list(true);
    list.add("m");
    list.select(0);
    list.add("a"); // goes before the selected entry
    EXPECT_EQ(list.selection(), 1);
    EXPECT_EQ(list.selectedText(), "m");
    EXPECT_EQ(list.remove(0), 1);
    EXPECT_EQ(list.selection(), 0);
    EXPECT_EQ(list.remove(0), 0);
    EXPECT_EQ(list.selection(), kErr);
    EXPECT_EQ(list.remove(0), kErr);
}

TEST(ComboList, SetCurSelOutsideTheListClearsTheSelection) {
    ComboList list;
    list.add("a");
    EXPECT_EQ(list.select(0), 0);
    EXPECT_EQ(list.select(5), kErr);
    EXPECT_EQ(list.selection(), kErr);
    list.select(0);
    EXPECT_EQ(list.select(-1), kErr);
    EXPECT_EQ(list.selection(), kErr);
}

TEST(ComboList, SelectStringIsACaseFoldedPrefixSearchAfterTheStart) {
    ComboList list;
    for (const char* s : {"Layer", "layer-2", "OTHER", "lay"}) {
        list.add(s);
    }
    EXPECT_EQ(list.selectPrefix(-1, "LAY"), 0);  // whole list from the top
    EXPECT_EQ(list.selectPrefix(0, "lay"), 1);   // starts after index 0
    EXPECT_EQ(list.selectPrefix(1, "lay"), 3);   // skips what does not begin with it
    EXPECT_EQ(list.selectPrefix(3, "lay"), 0);   // wraps round to the top
    EXPECT_EQ(list.selectPrefix(2, "other"), 2); // and back to the start itself last
    EXPECT_EQ(list.selectPrefix(99, "lay"), 0);  // a start outside the list searches all
    EXPECT_EQ(list.selectPrefix(0, ""), 1);      // an empty text begins every entry
    EXPECT_EQ(list.selection(), 1);
}

TEST(ComboList, NoMatchReturnsErrorAndKeepsTheSelection) {
    ComboList list;
    list.add("0");
    list.add("A");
    list.select(1);
    EXPECT_EQ(list.selectPrefix(0, "B"), kErr);
    EXPECT_EQ(list.selection(), 1);
    EXPECT_EQ(list.selectPrefix(-1, "A-longer"), kErr);
    EXPECT_EQ(list.selectedText(), "A");
    ComboList empty;
    EXPECT_EQ(empty.selectPrefix(-1, ""), kErr);
}

TEST(ComboList, FindExactComparesWholeTextsCaseFolded) {
    ComboList list;
    list.add("abc");
    list.add("ab");
    EXPECT_EQ(list.findExact(-1, "AB"), 1);
    EXPECT_EQ(list.findPrefix(-1, "AB"), 0);
    EXPECT_EQ(list.findExact(-1, "a"), kErr);
    EXPECT_EQ(list.selection(), kErr); // finding selects nothing
}

} // namespace
} // namespace veld::test
