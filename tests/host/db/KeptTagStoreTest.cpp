// The packed store of tag lists kept from files: lists come back as given, whatever their size,
// and stay valid while more are added.
#include "host/db/KeptTagStore.h"

#include <gtest/gtest.h>

using veld::db::KeptTag;
using veld::db::KeptTagStore;
using veld::db::Tags;

TEST(KeptTagStore, ListsComeBackAsGivenAndStayValidAsMoreAreAdded) {
    KeptTagStore store;
    const Tags first = {{0, "LINE"}, {8, ""}, {10, "1.5"}, {1000, std::string("a\0b", 3)}};
    const std::uint32_t one = store.add(first);
    const std::string big(3u << 22, 'x'); // larger than a block of the store
    const std::uint32_t two = store.add(std::vector<KeptTag>{{0, "MTEXT"}, {1, big}});
    const std::uint32_t empty = store.add(Tags());
    std::vector<std::uint32_t> many;
    for (int i = 0; i < 100000; ++i) { // fills several blocks
        many.push_back(store.add(Tags{{0, "POINT"}, {10, std::to_string(i)}}));
    }
    EXPECT_EQ(store.get(one).toTags(), first);
    EXPECT_EQ(store.get(one).toTags(2), Tags(first.begin() + 2, first.end()));
    EXPECT_EQ(store.get(one)[3].second.size(), 3u) << "values may hold any byte";
    ASSERT_EQ(store.get(two).size(), 2u);
    EXPECT_EQ(store.get(two)[1].second, big);
    EXPECT_TRUE(store.get(empty).empty());
    for (int i = 0; i < 100000; i += 9999) {
        EXPECT_EQ(store.get(many[i])[1], KeptTag(10, std::to_string(i)));
    }
    std::size_t seen = 0;
    for (const auto [code, value] : store.get(one)) {
        EXPECT_EQ(code, first[seen].first);
        EXPECT_EQ(value, first[seen++].second);
    }
    EXPECT_EQ(seen, first.size());
    EXPECT_TRUE(store.get(0).empty()) << "0 stands for no list";
    EXPECT_TRUE(store.get(many.back() + 1).empty());
}

// Small lists are packed with 16-bit codes and value ends; a list whose text passes 64 KB or
// whose codes do not fit 16 bits falls back to 32-bit ones and must come back just the same.
TEST(KeptTagStore, ListsAtTheLimitsOfTheCompactFormComeBackAsGiven) {
    KeptTagStore store;
    const std::string half(32768, 'h');
    const Tags atLimit = {{-5, "a"}, {1071, std::string(65534, 'y')}};
    const Tags pastLimit = {{1, half}, {3, half}};
    const Tags oddCodes = {{-40000, "x"}, {70000, "y"}, {0, ""}};
    const std::uint32_t a = store.add(atLimit);
    const std::uint32_t b = store.add(pastLimit);
    const std::uint32_t c = store.add(oddCodes);
    const std::uint32_t d = store.add(Tags{{8, "0"}, {10, "1.0"}});
    EXPECT_EQ(store.get(a).toTags(), atLimit);
    EXPECT_EQ(store.get(b).toTags(), pastLimit);
    EXPECT_EQ(store.get(c).toTags(), oddCodes);
    EXPECT_EQ(store.get(d)[1], KeptTag(10, "1.0"));
    EXPECT_EQ(store.get(b)[1].second.size(), half.size());
}
