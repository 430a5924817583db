// Bulk placement through the real veld: foundations at the crossings of the search layer's lines
// inside a picked window, the window's edge, crossings of several lines, the layer prefix, a
// declined symbol in a window, and the same foundations as single placement gives.
#include "FoundationRun.h"
#include "support/EzdxfAudit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace veld::test;

namespace {

struct Segment {
    double x1, y1, x2, y2;
};

std::string point(double x, double y) {
    char text[64];
    std::snprintf(text, sizeof text, "%.17g,%.17g", x, y);
    return text;
}

// Lines drawn on `layer` (made when missing, and current afterwards).
std::vector<std::string> linesOn(const std::string& layer, const std::vector<Segment>& segments) {
    std::vector<std::string> lines{"-LAYER", "Make", layer, ""};
    for (const Segment& s : segments) {
        lines = join({lines, {"LINE", point(s.x1, s.y1), point(s.x2, s.y2), ""}});
    }
    return lines;
}

// Three lines each way through x0, x0 + 1000, x0 + 2000 and 0, 1000, 2000, overshooting by 500:
// nine crossings, far from the sample grid.
constexpr double kX0 = 100000.0;
std::vector<std::string> testGrid() {
    std::vector<Segment> segments;
    for (int k = 0; k < 3; ++k) {
        segments.push_back({kX0 + 1000.0 * k, -500, kX0 + 1000.0 * k, 2500});
        segments.push_back({kX0 - 500, 1000.0 * k, kX0 + 2500, 1000.0 * k});
    }
    return linesOn("TESTGRID", segments);
}

// FNDD with bulk placement on the search layer, no symbol, then the windows' lines.
std::vector<std::string> bulkDelta(const std::string& layer,
                                   const std::vector<std::string>& windows) {
    return join(
        {{"FNDD"},
         pageOk({"check LABEL_CHECK off", "check BULK_CHECK on", "select SERCH_LAYER " + layer}),
         windows,
         {"", "cancel"}});
}

std::multiset<std::string> basePoints(const FoundationRun& run) {
    std::multiset<std::string> points;
    for (const auto& group : run.dump.groups) {
        points.insert(basePointOf(group));
    }
    return points;
}

std::string ezdxfPoint(double x, double y) {
    char text[64];
    std::snprintf(text, sizeof text, "%.1f,%.1f,0.0", x, y);
    return text;
}

} // namespace

TEST(E2eBulkPlacement, AThreeByThreeGridInsideTheWindowGetsNineFoundations) {
    FoundationBench bench;
    const FoundationRun run = bench.run(
        "grid", join({testGrid(),
                      bulkDelta("TESTGRID", {point(kX0 - 1000, -1000), point(kX0 + 3000, 3000)})}));
    ASSERT_EQ(run.result.exitCode, 0) << run.result.err;
    ASSERT_TRUE(run.dump.loaded) << run.dump.error;
    std::multiset<std::string> expected;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            expected.insert(ezdxfPoint(kX0 + 1000.0 * i, 1000.0 * j));
        }
    }
    EXPECT_EQ(basePoints(run), expected);
    EXPECT_EZDXF_CLEAN(run.saved.string());
}

TEST(E2eBulkPlacement, CrossingsOnTheWindowsEdgeGetNone) {
    FoundationBench bench;
    // The right edge runs through the crossings at x0 + 2000; the window is picked from its
    // top-right corner to its bottom-left.
    const FoundationRun run = bench.run(
        "edge", join({testGrid(),
                      bulkDelta("TESTGRID", {point(kX0 + 2000, 2500), point(kX0 - 500, -500)})}));
    ASSERT_EQ(run.result.exitCode, 0) << run.result.err;
    const auto points = basePoints(run);
    EXPECT_EQ(points.size(), 6u);
    EXPECT_EQ(points.count(ezdxfPoint(kX0 + 2000, 1000)), 0u);
}

TEST(E2eBulkPlacement, ThreeLinesThroughOnePointGiveThreeFoundationsThere) {
    FoundationBench bench;
    const FoundationRun run = bench.run(
        "three", join({linesOn("TESTGRID", {{-1000, 50000, 1000, 50000},
                                            {0, 49000, 0, 51000},
                                            {-1000, 49000, 1000, 51000}}),
                       bulkDelta("TESTGRID", {point(-2000, 48000), point(2000, 52000)})}));
    ASSERT_EQ(run.result.exitCode, 0) << run.result.err;
    EXPECT_EQ(basePoints(run),
              (std::multiset<std::string>{ezdxfPoint(0, 50000), ezdxfPoint(0, 50000),
                                          ezdxfPoint(0, 50000)}));
}

// The search layer is a case-sensitive prefix of the layer names: X finds X1 and X-GRID, not AX,
// and not x1 (a drawing cannot hold both X1 and x1: layer names are one without regard to case).
TEST(E2eBulkPlacement, TheSearchLayerIsACaseSensitivePrefix) {
    FoundationBench bench;
    const std::vector<std::string> layers =
        join({linesOn("X", {}), linesOn("X-GRID", {{-1000, 60000, 5000, 60000}}),
              linesOn("AX", {{1000, 59000, 1000, 61000}})});
    const std::vector<std::string> window{point(-2000, 58000), point(6000, 62000)};
    const FoundationRun upper = bench.run(
        "upper", join({layers, linesOn("X1", {{0, 59000, 0, 61000}}), bulkDelta("X", window)}));
    ASSERT_EQ(upper.result.exitCode, 0) << upper.result.err;
    EXPECT_EQ(basePoints(upper), std::multiset<std::string>{ezdxfPoint(0, 60000)});

    const FoundationRun lower = bench.run(
        "lower", join({layers, linesOn("x1", {{0, 59000, 0, 61000}}), bulkDelta("X", window)}));
    ASSERT_EQ(lower.result.exitCode, 0) << lower.result.err;
    EXPECT_TRUE(basePoints(lower).empty());
}

// A declined symbol ends its window; the pass goes on, and a later placement that succeeds keeps
// the pass. When the last placement tried is the declined one, the pass is taken back.
TEST(E2eBulkPlacement, ADeclinedSymbolEndsTheWindowAndOnlyALastDeclineWithdrawsThePass) {
    FoundationBench bench;
    const std::vector<std::string> firstWindow{point(kX0 - 1000, -1000), point(kX0 + 3000, 3000),
                                               "0,-90000", "0,-91000", ""};
    const std::vector<std::string> lastWindow{point(kX0 + 1500, 1500), point(kX0 + 2500, 2500),
                                              "0,-92000"};
    const auto page =
        pageOk({"check LABEL_CHECK on", "check BULK_CHECK on", "select SERCH_LAYER TESTGRID"});
    const FoundationRun kept = bench.run(
        "kept", join({testGrid(), {"FNDD"}, page, firstWindow, lastWindow, {"", "cancel"}}));
    ASSERT_EQ(kept.result.exitCode, 0) << kept.result.err;
    EXPECT_EQ(kept.dump.groups.size(), 4u) << "two and the declined one, then the last";
    EXPECT_EQ(insertsOf(kept.saved).size(), 3u);

    const FoundationRun withdrawn = bench.run(
        "withdrawn", join({testGrid(), {"FNDD"}, page, lastWindow, firstWindow, {"", "cancel"}}));
    ASSERT_EQ(withdrawn.result.exitCode, 0) << withdrawn.result.err;
    EXPECT_TRUE(withdrawn.dump.groups.empty()) << withdrawn.result.out;
    EXPECT_TRUE(insertsOf(withdrawn.saved).empty());
}

// Bulk placement and single placement at the same points, in the same order, give the same
// members with the same records; only handles differ, and the placement mode (BULK_CHECK, item
// 17 of the dialog record) each was made with.
TEST(E2eBulkPlacement, BulkAndSinglePlacementAtTheSamePointsGiveTheSameFoundations) {
    FoundationBench bench;
    const FoundationRun bulk = bench.run(
        "bulk", join({testGrid(),
                      bulkDelta("TESTGRID", {point(kX0 - 1000, -1000), point(kX0 + 3000, 3000)})}));
    ASSERT_EQ(bulk.dump.groups.size(), 9u) << bulk.result.out;
    std::vector<std::string> single{"FNDD"};
    single = join({single, pageOk({"check LABEL_CHECK off", "check BULK_CHECK off"})});
    for (const auto& group : bulk.dump.groups) {
        std::string base = basePointOf(group);
        single.push_back(base.substr(0, base.rfind(',')));
    }
    single = join({single, {"", "cancel"}});
    const FoundationRun one = bench.run("single", join({testGrid(), single}));
    ASSERT_EQ(one.dump.groups.size(), 9u) << one.result.out;

    // Handles: GROUP_TYPE item 0 and the shape record's item 0.
    auto withoutHandles = [](const veld::test::EzdxfMember& member) {
        auto items = member.xdata;
        for (std::size_t i = 0; i + 2 < items.size(); ++i) {
            if (items[i].first == 1001 &&
                (items[i].second == "GROUP_TYPE" || items[i].second.ends_with("SHAPE"))) {
                items[i + 2].second = "(handle)";
            }
            if (items[i].first == 1070 && items[i].second == "17") {
                items[i + 1].second = "(mode)";
            }
        }
        return items;
    };
    for (std::size_t g = 0; g < 9; ++g) {
        const auto& a = bulk.dump.groups[g].members;
        const auto& b = one.dump.groups[g].members;
        ASSERT_EQ(a.size(), b.size()) << "group " << g;
        for (std::size_t m = 0; m < a.size(); ++m) {
            EXPECT_EQ(a[m].type, b[m].type) << "group " << g << " member " << m;
            EXPECT_EQ(a[m].layer, b[m].layer);
            ASSERT_EQ(a[m].points.size(), b[m].points.size());
            for (std::size_t p = 0; p < a[m].points.size(); ++p) {
                EXPECT_EQ(a[m].points[p].x, b[m].points[p].x);
                EXPECT_EQ(a[m].points[p].y, b[m].points[p].y);
            }
            EXPECT_EQ(withoutHandles(a[m]), withoutHandles(b[m]))
                << "group " << g << " member " << m;
        }
    }
}
