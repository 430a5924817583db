// Square foundations drawn into a real drawing: which dimensions appear for which thickenings
// and what they measure, the outline lines, the member order and input that gives no drawable
// outline. The main case is checked in the saved file as ezdxf reads it.
#include "square/SquareShape.h"

#include "arxcom/CArxComGeo.h"
#include "dbdim.h"
#include "support/EzdxfGroupDump.h"
#include "support/FoundationDrawingFixture.h"

#include <cmath>
#include <utility>

namespace {

using veld::test::EzdxfMember;
using veld::test::FoundationDrawingFixture;

// One expected dimension: extension-line points (x1, y1) -> (x2, y2) and its tier distance.
struct ExpectedDimension {
    int row;
    double x1, y1, x2, y2;
    double offset;
};

class SquareShapeDrawing : public FoundationDrawingFixture {
protected:
    SquareShapeDrawing() {
        // Tiers 500, 1000, 1500 (USERR1 0 counts as 100).
        setIniValue("SYSTEM", "DIM_INTERVAL_F", "5,5,5");
    }

    AcDbObjectId draw(const FoundationSettings& settings, double degrees = 0.0) {
        SquareShape shape;
        shape.rotation = CArxComGeo().DegToRad(degrees);
        return shape.draw(settings);
    }

    // The dimensions of the group, in member order, against the expected rows.
    void expectDimensions(AcDbObjectId group, const std::vector<ExpectedDimension>& expected) {
        std::vector<AcDbAlignedDimension*> dims;
        for (const AcDbObjectId& id : groupMembers(group)) {
            AcDbAlignedDimension* dim = nullptr;
            if (acdbOpenObject(dim, id, AcDb::kForRead) == Acad::eOk) {
                dims.push_back(dim);
            }
        }
        EXPECT_EQ(dims.size(), expected.size());
        for (std::size_t i = 0; i < std::min(dims.size(), expected.size()); ++i) {
            const ExpectedDimension& e = expected[i];
            const AcDbAlignedDimension* dim = dims[i];
            EXPECT_NEAR(dim->xLine1Point().x, e.x1, 1e-6) << "row " << e.row;
            EXPECT_NEAR(dim->xLine1Point().y, e.y1, 1e-6) << "row " << e.row;
            EXPECT_NEAR(dim->xLine2Point().x, e.x2, 1e-6) << "row " << e.row;
            EXPECT_NEAR(dim->xLine2Point().y, e.y2, 1e-6) << "row " << e.row;
            // Right side rows lie right of x = 1500 + F2, bottom rows below y = -300 - F4.
            const AcGePoint3d p = dim->dimLinePoint();
            const double outside = e.x1 == e.x2 ? p.x - e.x1 : e.y1 - p.y;
            EXPECT_NEAR(outside, e.offset, 1e-6) << "row " << e.row;
        }
        for (AcDbAlignedDimension* dim : dims) {
            dim->close();
        }
    }
};

// Body x from -500 to 1500, y from -300 to 700; base point at the origin.
TEST_F(SquareShapeDrawing, WithoutThickeningsSixDimensionsAndCoincidingOutlines) {
    const AcDbObjectId group = draw(squareSettings());
    expectDimensions(group, {{1, 1500, 700, 1500, -300, 1500},
                             {3, 1500, 700, 1500, 0, 1000},
                             {4, 1500, 0, 1500, -300, 1000},
                             {7, 1500, -300, -500, -300, 1500},
                             {9, 1500, -300, 0, -300, 1000},
                             {10, 0, -300, -500, -300, 1000}});

    const auto dump = veld::test::dumpGroupsWithEzdxf(saveChecked("square.dxf"));
    ASSERT_TRUE(dump.loaded) << dump.error;
    ASSERT_EQ(dump.groups.size(), 1u);
    const std::vector<EzdxfMember>& members = dump.groups[0].members;
    ASSERT_EQ(members.size(), 6u + 4u + 8u + 1u);
    for (std::size_t i = 0; i < members.size(); ++i) {
        const char* type = i < 6 ? "DIMENSION" : i < 18 ? "LINE" : "POINT";
        const char* layer = i < 6    ? kDimLayer
                            : i < 10 ? kLookLayer
                            : i < 18 ? kOuterLayer
                                     : "DefPoints";
        EXPECT_EQ(members[i].type, type) << "member " << i;
        EXPECT_EQ(members[i].layer, layer) << "member " << i;
    }
    // The first look line runs from the top-right to the bottom-right body corner.
    const EzdxfMember& firstLook = members[6];
    EXPECT_DOUBLE_EQ(firstLook.points[0].x, 1500.0);
    EXPECT_DOUBLE_EQ(firstLook.points[0].y, 700.0);
    EXPECT_DOUBLE_EQ(firstLook.points[1].x, 1500.0);
    EXPECT_DOUBLE_EQ(firstLook.points[1].y, -300.0);
    // Outer lines: each side in two halves, starting at the top middle, clockwise; they lie on
    // the body's sides.
    const double outer[8][2] = {{500, 700},  {1500, 700},  {1500, 200}, {1500, -300},
                                {500, -300}, {-500, -300}, {-500, 200}, {-500, 700}};
    for (int k = 0; k < 8; ++k) {
        const EzdxfMember& line = members[10 + static_cast<std::size_t>(k)];
        EXPECT_DOUBLE_EQ(line.points[0].x, outer[k][0]) << "outer " << k;
        EXPECT_DOUBLE_EQ(line.points[0].y, outer[k][1]) << "outer " << k;
        EXPECT_DOUBLE_EQ(line.points[1].x, outer[(k + 1) % 8][0]) << "outer " << k;
        EXPECT_DOUBLE_EQ(line.points[1].y, outer[(k + 1) % 8][1]) << "outer " << k;
    }
}

// F3 200: the outer top at y 900; rows 2 (Y, the body depth) and 5 (F3) appear.
TEST_F(SquareShapeDrawing, TopThickeningAddsTheBodyDepthAndItsOwnDimension) {
    FoundationSettings settings = squareSettings();
    settings.SetSlot(FoundationSlot::Fukashi3, "200");
    expectDimensions(draw(settings), {{1, 1500, 900, 1500, -300, 1500},
                                      {2, 1500, 700, 1500, -300, 500},
                                      {3, 1500, 700, 1500, 0, 1000},
                                      {4, 1500, 0, 1500, -300, 1000},
                                      {5, 1500, 900, 1500, 700, 500},
                                      {7, 1500, -300, -500, -300, 1500},
                                      {9, 1500, -300, 0, -300, 1000},
                                      {10, 0, -300, -500, -300, 1000}});
}

// F1 -50: the outer line moves inside the body on the left; the body width (row 8) is shown,
// the thickening itself (row 12) is not.
TEST_F(SquareShapeDrawing, NegativeLeftThickeningShowsTheBodyWidthOnly) {
    FoundationSettings settings = squareSettings();
    settings.SetSlot(FoundationSlot::Fukashi1, "-50");
    expectDimensions(draw(settings), {{1, 1500, 700, 1500, -300, 1500},
                                      {3, 1500, 700, 1500, 0, 1000},
                                      {4, 1500, 0, 1500, -300, 1000},
                                      {7, 1500, -300, -450, -300, 1500},
                                      {8, 1500, -300, -500, -300, 500},
                                      {9, 1500, -300, 0, -300, 1000},
                                      {10, 0, -300, -500, -300, 1000}});
}

// A thickening whose whole part is 0 moves the outline but adds no dimension.
TEST_F(SquareShapeDrawing, FractionalThickeningMovesTheOutlineButAddsNoDimension) {
    FoundationSettings settings = squareSettings();
    settings.SetSlot(FoundationSlot::Fukashi3, "0.5");
    const AcDbObjectId group = draw(settings);
    expectDimensions(group, {{1, 1500, 700.5, 1500, -300, 1500},
                             {3, 1500, 700, 1500, 0, 1000},
                             {4, 1500, 0, 1500, -300, 1000},
                             {7, 1500, -300, -500, -300, 1500},
                             {9, 1500, -300, 0, -300, 1000},
                             {10, 0, -300, -500, -300, 1000}});
    const AcDbObjectIdArray members = groupMembers(group);
    ASSERT_EQ(members.length(), 19);
    AcDbLine* firstOuter = nullptr;
    ASSERT_EQ(acdbOpenObject(firstOuter, members[10], AcDb::kForRead), Acad::eOk);
    EXPECT_DOUBLE_EQ(firstOuter->startPoint().y, 700.5);
    firstOuter->close();
}

TEST_F(SquareShapeDrawing, SizesWithoutADrawableOutlineDrawNothingAndSaySo) {
    const std::vector<std::pair<FoundationSlot, const char*>> refused = {
        {FoundationSlot::BaseSizeX, ""},      {FoundationSlot::BaseSizeX, "abc"},
        {FoundationSlot::BaseSizeY, "-1000"}, {FoundationSlot::BaseSizeY, "1e300"},
        {FoundationSlot::Fukashi1, "-2000"},  {FoundationSlot::Fukashi4, "-1000"},
        {FoundationSlot::ShiftY1, "1e13"}};
    for (const auto& [slot, text] : refused) {
        FoundationSettings settings = squareSettings();
        settings.SetSlot(slot, text);
        clearPrinted();
        EXPECT_TRUE(draw(settings).isNull()) << text;
        EXPECT_EQ(printed(), "\n基礎の寸法が不正なため作図できません") << text;
    }
    EXPECT_EQ(modelSpaceEntities().length(), 0);
    EXPECT_EQ(groupCount(), 0);

    // Odd values that still give a body draw with finite coordinates.
    FoundationSettings odd = squareSettings();
    odd.SetSlot(FoundationSlot::ShiftX1, "nan");
    odd.SetSlot(FoundationSlot::Fukashi2, "1e9");
    odd.SetSlot(FoundationSlot::Fukashi3, "-999.5");
    EXPECT_FALSE(draw(odd, 45.0).isNull());
    EXPECT_TRUE(allCoordinatesFinite());
    saveChecked("odd.dxf");
}

} // namespace
