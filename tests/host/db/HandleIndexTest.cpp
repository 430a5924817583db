// The handle index: dense handles in a table, far ones in a map until the table reaches them;
// every stub is found under its handle whichever side holds it and whatever order they came in.
#include "host/db/HandleIndex.h"

#include <deque>
#include <gtest/gtest.h>

namespace veld::test {
namespace {

using veld::db::HandleIndex;

TEST(HandleIndex, FindsEveryStubWhereverItIsHeldAndInAnyOrder) {
    std::deque<AcDbStub> stubs(5);
    HandleIndex index;
    index.set(0x10, &stubs[0]);
    index.set(0xFFFFFFFFFFull, &stubs[1]); // far past the others: the map
    index.set(0x3000, &stubs[2]);          // ahead of the table, within its slack
    EXPECT_EQ(index.find(0x10), &stubs[0]);
    EXPECT_EQ(index.find(0xFFFFFFFFFFull), &stubs[1]);
    EXPECT_EQ(index.find(0x3000), &stubs[2]);
    EXPECT_EQ(index.find(0x11), nullptr);
    EXPECT_EQ(index.find(0), nullptr);
    EXPECT_FALSE(index.contains(0xFFFFFFFFFEull));
    index.set(0x10, &stubs[3]); // in place of the one there
    EXPECT_EQ(index.find(0x10), &stubs[3]);
    EXPECT_EQ(index.size(), 3u);

    // A handle first too far for the table moves into it once enough handles are in.
    std::deque<AcDbStub> many(20000);
    HandleIndex grown;
    grown.set(30000, &many[0]);
    for (std::uint64_t h = 1; h < many.size(); ++h) {
        grown.set(h, &many[h]);
    }
    grown.set(100000, &many[0]); // the table now reaches past 30000
    EXPECT_EQ(grown.find(30000), &many[0]);
    EXPECT_EQ(grown.find(19999), &many[19999]);
    EXPECT_EQ(grown.find(100000), &many[0]);
    EXPECT_EQ(grown.find(20000), nullptr);
    EXPECT_EQ(grown.size(), many.size() + 1);
}

// A file's handles come out of order (a block's entities before the model space's).
TEST(HandleIndex, HandlesOutOfOrderAreFoundWithOrWithoutAnExpectedCount) {
    for (const std::size_t expected : {std::size_t{0}, std::size_t{5000}}) {
        std::deque<AcDbStub> stubs(1000);
        HandleIndex index;
        index.reserve(expected);
        for (std::uint64_t i = 0; i < stubs.size(); ++i) {
            index.set(10 * (stubs.size() - i), &stubs[i]); // descending, every tenth
        }
        for (std::uint64_t i = 0; i < stubs.size(); ++i) {
            EXPECT_EQ(index.find(10 * (stubs.size() - i)), &stubs[i]) << expected;
            EXPECT_EQ(index.find(10 * (stubs.size() - i) + 1), nullptr);
        }
        EXPECT_EQ(index.size(), stubs.size());
    }
}

} // namespace
} // namespace veld::test
