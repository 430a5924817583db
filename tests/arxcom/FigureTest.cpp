// Entity creation: property application, texts, aligned dimensions, definition points, the
// entity search across every block, erasure from model space.
#include "ToolkitFixture.h"
#include "arxcom/CArxComDimension.h"
#include "arxcom/CArxComFigure.h"
#include "dbdim.h"

#include <cmath>
#include <numbers>

namespace {

class FigureTest : public ToolkitTest {
protected:
    AcDbObjectId newBlock(const char* name) {
        return veld::test::TestDrawing(*db()).defineBlock(name);
    }
    AcDbObjectId standardDimStyle() {
        AcDbDimStyleTable* table = nullptr;
        EXPECT_EQ(db()->getDimStyleTable(table, AcDb::kForRead), Acad::eOk);
        AcDbObjectId id;
        EXPECT_EQ(table->getAt("STANDARD", id), Acad::eOk);
        table->close();
        return id;
    }
};

// A point comes back only when the user gave one; RETURN and ESC leave the out point alone.
TEST_F(FigureTest, PromptsAnswerTrueOnlyForAPoint) {
    answer({"3,4", "", "^C", "5,6,2"});
    CArxComFigure figure;
    AcGePoint3d point(9, 9, 9);
    EXPECT_TRUE(figure.GetPoint("\nPoint: ", point));
    EXPECT_EQ(point, AcGePoint3d(3, 4, 0));
    point.set(9, 9, 9);
    EXPECT_FALSE(figure.GetPoint("\nPoint: ", point));
    EXPECT_FALSE(figure.GetCorner({0, 0, 0}, "\nCorner: ", point));
    EXPECT_EQ(point, AcGePoint3d(9, 9, 9));
    EXPECT_TRUE(figure.GetCorner({0, 0, 0}, "\nCorner: ", point));
    EXPECT_EQ(point, AcGePoint3d(5, 6, 2));
}

// The linetype id is applied after the name, so it wins; scale 0.0 and colour 255 keep the
// entity's own values.
TEST_F(FigureTest, PropertiesApplyInOrderAndTheKeepValuesKeep) {
    CArxComFigure figure;
    figure.linetypeName = "Continuous";
    figure.linetypeId = db()->byBlockLinetype();
    figure.linetypeScale = 0.0;
    figure.colorIndex = 255;
    auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    line->setLinetypeScale(2.5);
    line->setColorIndex(5);
    ASSERT_EQ(figure.ApplyPropertiesAndAppend(line), Acad::eOk);
    const AcDbObjectId id = line->objectId();
    line->close();
    EXPECT_EQ(figure.lastId, id);

    Opened<AcDbLine> stored(id);
    EXPECT_EQ(stored->linetypeId(), db()->byBlockLinetype());
    EXPECT_DOUBLE_EQ(stored->linetypeScale(), 2.5);
    EXPECT_EQ(stored->colorIndex(), 5);
    EXPECT_EQ(stored->ownerId(), db()->currentSpaceId());
}

TEST_F(FigureTest, DefaultPropertiesGiveByLayerColourAndScaleOne) {
    CArxComFigure figure;
    auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    line->setLinetypeScale(2.5);
    line->setColorIndex(5);
    ASSERT_EQ(figure.ApplyPropertiesAndAppend(line), Acad::eOk);
    line->close();
    Opened<AcDbLine> stored(figure.lastId);
    EXPECT_DOUBLE_EQ(stored->linetypeScale(), 1.0);
    EXPECT_EQ(stored->colorIndex(), 256);
}

TEST_F(FigureTest, AppendWithoutADatabaseGivesThreeAndKeepsLastId) {
    CArxComFigure figure;
    auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    EXPECT_EQ(figure.AppendToCurrentSpace(line, nullptr), Acad::eInvalidInput);
    EXPECT_TRUE(figure.lastId.isNull());
    EXPECT_TRUE(line->objectId().isNull());
    line->close(); // not in a database: deleted
}

TEST_F(FigureTest, TextColourSurvivesOnlyWhenTheFigureKeepsColours) {
    CArxComFigure byLayer;
    AcDbObjectId first;
    byLayer.AddText(first, {1, 2, 0}, "A", 2.5, 0.0, 0.0, AcDb::kTextLeft, AcDb::kTextBase,
                    AcDbObjectId::kNull, 3);
    CArxComFigure keeping;
    keeping.colorIndex = 255;
    AcDbObjectId second;
    keeping.AddText(second, {1, 2, 0}, "B", 2.5, 0.0, 0.0, AcDb::kTextLeft, AcDb::kTextBase,
                    AcDbObjectId::kNull, 3);
    EXPECT_EQ(Opened<AcDbText>(first)->colorIndex(), 256);
    EXPECT_EQ(Opened<AcDbText>(second)->colorIndex(), 3);
}

TEST_F(FigureTest, TextTakesEveryArgumentAndAnEmptyLayerBecomesZero) {
    ensureLayer("TXT");
    CArxComFigure figure;
    figure.layer = "";
    AcDbObjectId id;
    const AcDbObjectId style = db()->textstyle();
    figure.AddText(id, {10, 20, 0}, "基礎", 3.0, 90.0, 0.25, AcDb::kTextRight, AcDb::kTextBottom,
                   style, 256);
    ASSERT_FALSE(id.isNull());
    EXPECT_EQ(id, figure.lastId);
    EXPECT_EQ(figure.layer, "0");
    Opened<AcDbText> text(id);
    EXPECT_EQ(text->layer(), "0");
    EXPECT_EQ(text->textString(), "基礎");
    EXPECT_EQ(text->position(), AcGePoint3d(10, 20, 0));
    EXPECT_EQ(text->alignmentPoint(), AcGePoint3d(10, 20, 0));
    EXPECT_DOUBLE_EQ(text->rotation(), std::numbers::pi / 2);
    EXPECT_DOUBLE_EQ(text->oblique(), 0.25);
    EXPECT_DOUBLE_EQ(text->height(), 3.0);
    EXPECT_EQ(text->horizontalMode(), AcDb::kTextRight);
    EXPECT_EQ(text->verticalMode(), AcDb::kTextBottom);
    EXPECT_EQ(text->textStyle(), style);

    figure.layer = "TXT";
    AcDbObjectId onLayer;
    figure.AddText(onLayer, {0, 0, 0}, "x", 1.0, 0.0, 0.0, AcDb::kTextLeft, AcDb::kTextBase,
                   AcDbObjectId::kNull, 256);
    EXPECT_EQ(Opened<AcDbText>(onLayer)->layer(), "TXT");
}

TEST_F(FigureTest, DimensionGetsStyleLayerSpacingFactorAndText) {
    ensureLayer("DIM");
    CArxComDimension dimension("standard");
    dimension.layer = "DIM";
    AcDbObjectId measured, labelled;
    dimension.AddAlignedDimension(measured, {5, -3, 0}, {0, 0, 0}, {10, 0, 0}, "");
    dimension.AddAlignedDimension(labelled, {5, -3, 0}, {0, 0, 0}, {10, 0, 0}, "<>m");
    ASSERT_FALSE(measured.isNull());
    EXPECT_EQ(labelled, dimension.lastId);
    Opened<AcDbAlignedDimension> first(measured);
    EXPECT_EQ(first->dimensionStyle(), standardDimStyle());
    EXPECT_EQ(first->layer(), "DIM");
    EXPECT_DOUBLE_EQ(first->textLineSpacingFactor(), 300.0);
    EXPECT_EQ(first->dimensionText(), "");
    EXPECT_EQ(first->dimLinePoint(), AcGePoint3d(5, -3, 0));
    EXPECT_EQ(first->xLine1Point(), AcGePoint3d(0, 0, 0));
    EXPECT_EQ(first->xLine2Point(), AcGePoint3d(10, 0, 0));
    EXPECT_EQ(Opened<AcDbAlignedDimension>(labelled)->dimensionText(), "<>m");
}

TEST_F(FigureTest, DimensionStyleFallsBackToStandardOrNull) {
    EXPECT_EQ(CArxComDimension("").GetDimStyleName(), "STANDARD");
    EXPECT_EQ(CArxComDimension(nullptr).GetDimStyleName(), "STANDARD");

    CArxComDimension unnamed("");
    AcDbObjectId id;
    unnamed.AddAlignedDimension(id, {0, 1, 0}, {0, 0, 0}, {1, 0, 0}, "");
    EXPECT_EQ(Opened<AcDbAlignedDimension>(id)->dimensionStyle(), standardDimStyle());

    CArxComDimension missing("NO_SUCH_STYLE");
    missing.spacingBase = 1.0;
    missing.AddAlignedDimension(id, {0, 1, 0}, {0, 0, 0}, {1, 0, 0}, "");
    Opened<AcDbAlignedDimension> dimension(id);
    EXPECT_TRUE(dimension->dimensionStyle().isNull());
    EXPECT_DOUBLE_EQ(dimension->textLineSpacingFactor(), 3.0);
    EXPECT_TRUE(missing.FindDimStyle("").isNull());
}

// The dimension line lies on the left of first -> second; angles past 360 degrees wrap.
TEST_F(FigureTest, DimensionLinePointIsOnTheLeftOfTheMeasuredDirection) {
    const CArxComDimension dimension;
    AcGePoint3d point(1, 1, 1);
    dimension.GetDimensionLinePoint({0, 0, 7}, {10, 0, 7}, 5.0, point);
    EXPECT_NEAR(point.x, 5.0, 1e-9);
    EXPECT_NEAR(point.y, 5.0, 1e-9);
    EXPECT_EQ(point.z, 0.0);
    dimension.GetDimensionLinePoint({10, 0, 0}, {0, 0, 0}, 5.0, point);
    EXPECT_NEAR(point.x, 5.0, 1e-9);
    EXPECT_NEAR(point.y, -5.0, 1e-9);
    const double c = std::cos(std::numbers::pi / 3), s = std::sin(std::numbers::pi / 3);
    dimension.GetDimensionLinePoint({0, 0, 0}, {10 * c, -10 * s, 0}, 2.0, point); // at 300 deg
    EXPECT_NEAR(point.x, 5 * c + 2 * s, 1e-9);
    EXPECT_NEAR(point.y, -5 * s + 2 * c, 1e-9);
}

// The search covers model space, paper space and block definitions, in table order, and
// compares the layer prefix byte for byte.
TEST_F(FigureTest, CollectEntitiesSearchesEveryBlockByClassAndLayerPrefix) {
    const AcDbObjectId modelA = addLine({0, 0, 0}, {1, 0, 0}, "A");
    const AcDbObjectId modelBA = addLine({0, 0, 0}, {1, 0, 0}, "BA");
    const AcDbObjectId paperA =
        appendTo(db()->paperSpaceId(), new AcDbLine({0, 0, 0}, {1, 1, 0}), "A");
    const AcDbObjectId blockAB =
        appendTo(newBlock("BLK"), new AcDbLine({0, 0, 0}, {2, 0, 0}), "AB");
    const AcDbObjectId textA = appendTo(db()->modelSpaceId(), new AcDbText({0, 0, 0}, "t"), "A");
    const AcDbObjectId kanji = addLine({0, 0, 0}, {1, 0, 0}, "基礎A");
    erase(addLine({0, 0, 0}, {3, 0, 0}, "A"));

    CArxComFigure figure;
    AcDbObjectIdArray ids;
    ids.append(textA); // emptied first
    EXPECT_EQ(figure.CollectEntities(ids, "A", AcDbLine::desc()), 1);
    EXPECT_EQ(ids.toStdVector(), (std::vector<AcDbObjectId>{modelA, paperA, blockAB}));

    figure.CollectEntities(ids, "", AcDbLine::desc());
    EXPECT_EQ(ids.toStdVector(),
              (std::vector<AcDbObjectId>{modelA, modelBA, kanji, paperA, blockAB}));

    figure.CollectEntities(ids, "A", AcDbEntity::desc());
    EXPECT_EQ(ids.toStdVector(), (std::vector<AcDbObjectId>{modelA, textA, paperA, blockAB}));

    figure.CollectEntities(ids, "a", AcDbLine::desc());
    EXPECT_TRUE(ids.isEmpty());
    figure.CollectEntities(ids, "基", AcDbLine::desc());
    EXPECT_EQ(ids.toStdVector(), (std::vector<AcDbObjectId>{kanji}));
}

TEST_F(FigureTest, CollectEntitiesWithoutADatabaseGivesZero) {
    AcDbObjectIdArray ids;
    ids.append(addLine({0, 0, 0}, {1, 0, 0}));
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    EXPECT_EQ(CArxComFigure().CollectEntities(ids, "", AcDbEntity::desc()), 0);
    EXPECT_TRUE(ids.isEmpty());
    EXPECT_FALSE(CArxComFigure().AddDefPoint({0, 0, 0}));
    EXPECT_FALSE(CArxComFigure().EraseFromModelSpace(AcDbObjectId::kNull));
}

TEST_F(FigureTest, DefPointGoesToModelSpaceOnDefPoints) {
    ensureLayer("DefPoints");
    CArxComFigure figure;
    figure.layer = "ignored";
    figure.colorIndex = 1;
    ASSERT_TRUE(figure.AddDefPoint({7, 8, 0}));
    Opened<AcDbPoint> point(figure.lastId);
    EXPECT_EQ(point->position(), AcGePoint3d(7, 8, 0));
    EXPECT_EQ(point->layer(), "DefPoints");
    EXPECT_EQ(point->ownerId(), db()->modelSpaceId());
}

TEST_F(FigureTest, EraseFromModelSpaceTouchesOnlyModelSpace) {
    const AcDbObjectId model = addLine({0, 0, 0}, {1, 0, 0});
    const AcDbObjectId inBlock = appendTo(newBlock("BLK"), new AcDbLine({0, 0, 0}, {1, 0, 0}), "0");
    CArxComFigure figure;
    EXPECT_TRUE(figure.EraseFromModelSpace(model));
    EXPECT_TRUE(figure.EraseFromModelSpace(inBlock));
    EXPECT_TRUE(model.isErased());
    EXPECT_FALSE(inBlock.isErased());
}

} // namespace
