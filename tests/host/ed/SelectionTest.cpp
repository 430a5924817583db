// Object selection: ":S" picks and windows and crossings, automatic mode, selection sets and
// their limit, filters, and what cannot be selected.
#include "aced.h"
#include "dbsymtb.h"
#include "host/ed/CurrentDrawing.h"
#include "host/ed/HeadlessHost.h"

#include <gtest/gtest.h>

#include <array>

using veld::ed::CurrentDrawing;
using veld::ed::HeadlessHost;

namespace {

AcDbObjectId addLine(double x1, double y1, double x2, double y2) {
    AcDbObjectId id;
    EXPECT_EQ(
        CurrentDrawing::append(new AcDbLine(AcGePoint3d(x1, y1, 0), AcGePoint3d(x2, y2, 0)), id),
        Acad::eOk);
    return id;
}

// The ids of a selection set, freed afterwards.
std::vector<AcDbObjectId> takeSet(ads_name ss) {
    Adesk::Int32 n = 0;
    EXPECT_EQ(acedSSLength(ss, &n), RTNORM);
    std::vector<AcDbObjectId> ids;
    for (Adesk::Int32 i = 0; i < n; ++i) {
        ads_name e;
        EXPECT_EQ(acedSSName(ss, i, e), RTNORM);
        AcDbObjectId id;
        EXPECT_EQ(acdbGetObjectId(id, e), Acad::eOk);
        ids.push_back(id);
    }
    EXPECT_EQ(acedSSFree(ss), RTNORM);
    return ids;
}

struct Grid {
    AcDbObjectId left, right, across;
    Grid()
        : left(addLine(0, 0, 0, 100)), right(addLine(100, 0, 100, 100)),
          across(addLine(-10, 50, 110, 50)) {}
};

} // namespace

TEST(EdSelection, APickTakesTheNearestEntityWithinThePickDistance) {
    HeadlessHost host({"3,20"});
    Grid grid;
    ads_name ss;
    ASSERT_EQ(acedSSGet(":S", nullptr, nullptr, nullptr, ss), RTNORM);
    EXPECT_EQ(takeSet(ss), std::vector<AcDbObjectId>{grid.left});
    EXPECT_EQ(host.transcript(), "\nSelect objects: 3,20\n1 found");
    host.answer({"2,52"});
    ASSERT_EQ(acedSSGet(":S", nullptr, nullptr, nullptr, ss), RTNORM);
    EXPECT_EQ(takeSet(ss), std::vector<AcDbObjectId>{grid.across}) << "the nearer of two";
}

TEST(EdSelection, APointWithNothingNearStartsAWindowOrACrossing) {
    HeadlessHost host({"-20,-20", "50,120"});
    Grid grid;
    ads_name ss;
    ASSERT_EQ(acedSSGet(":S", nullptr, nullptr, nullptr, ss), RTNORM);
    EXPECT_EQ(takeSet(ss), std::vector<AcDbObjectId>{grid.left}) << "left to right: inside only";
    EXPECT_EQ(host.transcript(),
              "\nSelect objects: -20,-20\nSpecify opposite corner: 50,120\n1 found");
    host.answer({"50,120", "-20,-20"});
    ASSERT_EQ(acedSSGet(":S", nullptr, nullptr, nullptr, ss), RTNORM);
    EXPECT_EQ(takeSet(ss), (std::vector<AcDbObjectId>{grid.left, grid.across}))
        << "right to left: touching";
}

TEST(EdSelection, NothingSelectedMakesNoSet) {
    HeadlessHost host({"", "-50,-50", "-40,-40", "^C"});
    Grid grid;
    ads_name ss;
    EXPECT_EQ(acedSSGet(":S", nullptr, nullptr, nullptr, ss), RTERROR);
    EXPECT_EQ(acedSSGet(":S", nullptr, nullptr, nullptr, ss), RTERROR);
    EXPECT_NE(host.transcript().find("0 found"), std::string::npos);
    EXPECT_EQ(acedSSGet(":S", nullptr, nullptr, nullptr, ss), RTCAN);
    EXPECT_EQ(host.commandLine().selectionSets().count(), 0u);
}

TEST(EdSelection, AutomaticModeCollectsUntilReturn) {
    HeadlessHost host({"0,10", "100,10", "0,20", ""});
    Grid grid;
    ads_name ss;
    ASSERT_EQ(acedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTNORM);
    EXPECT_EQ(takeSet(ss), (std::vector<AcDbObjectId>{grid.left, grid.right}));
}

TEST(EdSelection, EntitiesOnLayersThatAreOffOrFrozenCannotBeSelected) {
    HeadlessHost host;
    host.runCommands({"-LAYER", "New", "HIDDEN", "", "SETVAR", "CLAYER", "HIDDEN", "LINE", "0,0",
                      "10,0", "", "-LAYER", "Set", "0", "OFF", "HIDDEN", ""});
    ads_name ss;
    host.answer({"5,0", "", "-1,-1", "20,20"});
    EXPECT_EQ(acedSSGet(":S", nullptr, nullptr, nullptr, ss), RTERROR);
    EXPECT_EQ(acedSSGet(":S", nullptr, nullptr, nullptr, ss), RTERROR);
}

TEST(EdSelection, SetsAreLimitedAndNamesChecked) {
    HeadlessHost host;
    Grid grid;
    std::vector<std::array<std::int64_t, 2>> sets;
    ads_name ss;
    const ads_point a{-1, -1, 0};
    const ads_point b{200, 200, 0};
    for (int i = 0; i < 128; ++i) {
        ASSERT_EQ(acedSSGet("W", a, b, nullptr, ss), RTNORM) << i;
        sets.push_back({ss[0], ss[1]});
    }
    EXPECT_EQ(acedSSGet("W", a, b, nullptr, ss), RTERROR);
    Adesk::Int32 n = 0;
    ads_name first{sets[0][0], sets[0][1]};
    EXPECT_EQ(acedSSLength(first, &n), RTNORM);
    EXPECT_EQ(n, 2) << "the line across reaches out of the window";
    ads_name e;
    EXPECT_EQ(acedSSName(first, 3, e), RTERROR);
    EXPECT_EQ(acedSSName(first, -1, e), RTERROR);
    for (auto& s : sets) {
        ads_name name{s[0], s[1]};
        EXPECT_EQ(acedSSFree(name), RTNORM);
    }
    EXPECT_EQ(acedSSFree(first), RTERROR) << "freed twice";
    EXPECT_EQ(acedSSLength(first, &n), RTERROR);
}

TEST(EdSelection, AFilterKeepsMatchingTypesAndLayers) {
    HeadlessHost host;
    host.runCommands({"-LAYER", "Make", "X-GRID", "", "LINE", "0,0", "10,0", ""});
    Grid onZero;
    (void)onZero;
    resbuf* filter = acutBuildList(8, "x*", 0);
    ads_name ss;
    ASSERT_EQ(acedSSGet("X", nullptr, nullptr, filter, ss), RTNORM);
    EXPECT_EQ(takeSet(ss).size(), 4u) << "every entity was drawn on X-GRID";
    acutRelRb(filter);
    filter = acutBuildList(8, "0", 0);
    EXPECT_EQ(acedSSGet("X", nullptr, nullptr, filter, ss), RTERROR);
    acutRelRb(filter);
    filter = acutNewRb(62);
    filter->resval.rint = 1;
    EXPECT_EQ(acedSSGet("X", nullptr, nullptr, filter, ss), RTERROR) << "unsupported code";
    acutRelRb(filter);
}
