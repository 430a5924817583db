// The shared foundation shape against a real drawing: finding the base and symbol positions in a
// group, the base-point marker, and the symbol step (structure mark, system variables, USERR1).
#include "app/FoundationShape.h"

#include "arxcom/CArxComGroup.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "delta/DeltaShape.h"
#include "support/FoundationDrawingFixture.h"
#include "support/TestDrawing.h"

namespace {

using veld::test::FoundationDrawingFixture;

class FoundationShapeTest : public FoundationDrawingFixture {
protected:
    veld::test::TestDrawing drawing() const { return veld::test::TestDrawing(*database()); }
    AcDbObjectId append(AcDbEntity* entity) { return drawing().append(entity); }
    AcDbObjectId blockDefinition(const char* name) { return drawing().defineBlock(name); }
    bool layerExists(const char* name) { return drawing().hasLayer(name); }
    // A drawn triangle whose group the symbol step can extend.
    AcDbObjectId drawnGroup() {
        DeltaShape shape;
        return shape.draw(deltaSettings());
    }
};

TEST_F(FoundationShapeTest, BasePointIsTheLastPointEntityOfTheList) {
    const AcDbObjectId line = append(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(5, 5, 0)));
    const AcDbObjectId first = append(new AcDbPoint(AcGePoint3d(1, 2, 0)));
    const AcDbObjectId second = append(new AcDbPoint(AcGePoint3d(3, 4, 5)));
    FoundationShape shape;
    shape.basePoint = AcGePoint3d(9, 9, 9);
    AcDbObjectIdArray withoutPoint;
    withoutPoint.append(line);
    withoutPoint.append(AcDbObjectId::kNull); // cannot be opened: passed over
    EXPECT_TRUE(shape.findBasePoint(withoutPoint));
    EXPECT_EQ(shape.basePoint, AcGePoint3d(9, 9, 9));

    AcDbObjectIdArray both;
    both.append(first);
    both.append(line);
    both.append(second);
    EXPECT_TRUE(shape.findBasePoint(both));
    EXPECT_EQ(shape.basePoint, AcGePoint3d(3, 4, 5));
}

TEST_F(FoundationShapeTest, SymbolPointIsTheLastBlockReferenceOfTheList) {
    const AcDbObjectId block = blockDefinition("SYMBOL");
    const AcDbObjectId first = append(new AcDbBlockReference(AcGePoint3d(10, 20, 0), block));
    const AcDbObjectId line = append(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(5, 5, 0)));
    const AcDbObjectId second = append(new AcDbBlockReference(AcGePoint3d(30, 40, 0), block));
    FoundationShape shape;
    shape.symbolPoint = AcGePoint3d(7, 7, 0);
    AcDbObjectIdArray none;
    none.append(line);
    EXPECT_FALSE(shape.findSymbolPoint(none));
    EXPECT_FALSE(shape.symbolFound);
    EXPECT_EQ(shape.symbolPoint, AcGePoint3d(7, 7, 0));

    AcDbObjectIdArray two;
    two.append(first);
    two.append(second);
    two.append(line);
    EXPECT_TRUE(shape.findSymbolPoint(two));
    EXPECT_TRUE(shape.symbolFound);
    EXPECT_EQ(shape.symbolPoint, AcGePoint3d(30, 40, 0));
}

TEST_F(FoundationShapeTest, BasePointMarkerGoesToDefPointsMadeWhenMissing) {
    ASSERT_FALSE(layerExists("DefPoints"));
    FoundationShape shape;
    const AcDbObjectId first = shape.addBasePointMarker(AcGePoint3d(100, 200, 0));
    ASSERT_TRUE(layerExists("DefPoints"));
    const AcDbObjectId second = shape.addBasePointMarker(AcGePoint3d(300, 400, 0));
    for (const AcDbObjectId& id : {first, second}) {
        AcDbPoint* point = nullptr;
        ASSERT_EQ(acdbOpenObject(point, id, AcDb::kForRead), Acad::eOk);
        EXPECT_EQ(point->layer(), "DefPoints");
        EXPECT_EQ(point->blockId(), database()->modelSpaceId());
        point->close();
    }
    EXPECT_EQ(modelSpaceEntities().length(), 2);
}

TEST_F(FoundationShapeTest, WithNothingToInsertTheSystemVariablesComeBackUnchanged) {
    setIntVariable("OSMODE", 37);
    setIntVariable("ATTDIA", 1);
    const std::string layerBefore = textVariable("CLAYER");
    const AcDbObjectId group = drawnGroup();
    const int membersBefore = groupMembers(group).length();
    FoundationSettings settings = deltaSettings();
    settings.SetSlot(FoundationSlot::LabelCheck, "0");
    settings.SetSlot(FoundationSlot::StructureMarkCheck, "0");
    FoundationShape shape;
    clearPrinted();
    EXPECT_TRUE(shape.insertSymbol(settings, group));
    EXPECT_EQ(intVariable("OSMODE"), 37);
    EXPECT_EQ(intVariable("ATTDIA"), 1);
    EXPECT_EQ(textVariable("CLAYER"), layerBefore);
    EXPECT_EQ(groupMembers(group).length(), membersBefore);
    EXPECT_EQ(printed(), "");
}

// The mark is a figure's default text: layer "0", colour by layer, right-bottom aligned on the
// symbol point, rotation 0 whatever the foundation's rotation; it joins the group with its tag.
TEST_F(FoundationShapeTest, StructureMarkSitsWithItsRightBottomCornerOnThePoint) {
    const AcDbObjectId group = drawnGroup();
    FoundationSettings settings = deltaSettings();
    settings.SetSlot(FoundationSlot::StructureMarkCheck, "1");
    settings.SetSlot(FoundationSlot::Mark, "F12");
    settings.SetSlot(FoundationSlot::MarkSize, "250mm");
    FoundationShape shape;
    shape.rotation = 1.0;
    shape.symbolPoint = AcGePoint3d(1500, -1500, 0);
    EXPECT_TRUE(shape.insertSymbol(settings, group));

    const AcDbObjectIdArray members = groupMembers(group);
    ASSERT_EQ(members.length(), 20);
    AcDbText* text = nullptr;
    ASSERT_EQ(acdbOpenObject(text, members.last(), AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(std::string(text->textString()), "F12");
    EXPECT_EQ(text->alignmentPoint(), AcGePoint3d(1500, -1500, 0));
    EXPECT_EQ(text->horizontalMode(), AcDb::kTextRight);
    EXPECT_EQ(text->verticalMode(), AcDb::kTextBottom);
    EXPECT_DOUBLE_EQ(text->height(), 250.0);
    EXPECT_DOUBLE_EQ(text->rotation(), 0.0);
    EXPECT_EQ(text->colorIndex(), 256);
    EXPECT_EQ(text->layer(), "0");
    text->close();

    AcDbObjectId tagged;
    EXPECT_EQ(shape.GetGroupOfEntity(members.last(), tagged), Acad::eOk);
    EXPECT_EQ(tagged, group);
    EXPECT_EQ(textVariable("CLAYER"), kSymbolLayer);
}

} // namespace
