// Block references: the block transform, attributes placed from their definitions, and the undo
// of an insertion with attributes.
#include "DbTestSupport.h"
#include "host/db/DatabaseImpl.h"
#include "host/db/Dump.h"
#include "support/SameText.h"

#include <cmath>

namespace veld::test {
using namespace veld::db;
namespace {

using veld::test::sameText;

class DbBlockReference : public DbTest {
protected:
    // A block "SYM" with base point (10, 0) holding one attribute definition at (12, 0).
    AcDbObjectId makeBlock() {
        AcDbBlockTable* table = nullptr;
        EXPECT_EQ(db().getBlockTable(table, AcDb::kForWrite), Acad::eOk);
        auto* block = new AcDbBlockTableRecord;
        block->setName("SYM");
        block->setOrigin(AcGePoint3d(10, 0, 0));
        AcDbObjectId id;
        EXPECT_EQ(table->add(id, block), Acad::eOk);
        auto* def = new AcDbAttributeDefinition;
        def->setPosition(AcGePoint3d(12, 0, 0));
        def->setAlignmentPoint(AcGePoint3d(12, 0, 0));
        def->setHeight(2.0);
        def->setTag("MARK");
        def->setTextString("F1");
        EXPECT_EQ(block->appendAcDbEntity(def), Acad::eOk);
        defId_ = def->objectId();
        def->close();
        EXPECT_TRUE(block->hasAttributeDefinitions());
        block->close();
        table->close();
        return id;
    }
    AcDbObjectId defId_;
};

TEST_F(DbBlockReference, TransformScalesRotatesAndMovesFromTheBlockBase) {
    const AcDbObjectId block = makeBlock();
    AcDbBlockReference ref(AcGePoint3d(100, 50, 0), block);
    EXPECT_EQ(ref.setScaleFactors(AcGeScale3d(2.0)), Acad::eOk);
    EXPECT_EQ(ref.setScaleFactors(AcGeScale3d(0.0)), Acad::eInvalidInput);
    EXPECT_EQ(ref.setRotation(M_PI / 2), Acad::eOk);
    AcGePoint3d p(12, 0, 0); // 2 right of the base point
    p.transformBy(ref.blockTransform());
    EXPECT_NEAR(p.x, 100.0, 1e-12);
    EXPECT_NEAR(p.y, 54.0, 1e-12);
}

TEST_F(DbBlockReference, AttributeTakesItsDefinitionPlacedByTheReference) {
    const AcDbObjectId block = makeBlock();
    auto* ref = new AcDbBlockReference(AcGePoint3d(100, 50, 0), block);
    ref->setScaleFactors(AcGeScale3d(3.0));
    auto* attribute = new AcDbAttribute;
    EXPECT_EQ(ref->appendAttribute(attribute), Acad::eInvalidInput); // not in a database yet
    const AcDbObjectId refId = append(ref);
    AcDbBlockReference* open = nullptr;
    ASSERT_EQ(acdbOpenObject(open, refId, AcDb::kForWrite), Acad::eOk);
    AcDbAttributeDefinition* def = nullptr;
    ASSERT_EQ(acdbOpenObject(def, defId_, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(attribute->setAttributeFromBlock(def, open->blockTransform()), Acad::eOk);
    def->close();
    AcDbObjectId attId;
    ASSERT_EQ(open->appendAttribute(attId, attribute), Acad::eOk);
    EXPECT_EQ(attribute->ownerId(), refId);
    EXPECT_EQ(attribute->blockId(), db().modelSpaceId());
    EXPECT_EQ(attribute->tag(), "MARK");
    EXPECT_EQ(attribute->textString(), "F1");
    EXPECT_NEAR(attribute->position().x, 106.0, 1e-12);
    EXPECT_NEAR(attribute->height(), 6.0, 1e-12);
    attribute->close();
    EXPECT_EQ(open->attributeIds().length(), 1);
    open->close();
    // Attributes are not entities of the space.
    AcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(acdbOpenObject(space, db().modelSpaceId(), AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(space->entityIds().length(), 1);
    space->close();
}

TEST_F(DbBlockReference, UndoOfAnInsertionWithAttributesRestoresTheDump) {
    const AcDbObjectId block = makeBlock();
    db().impl().journal().clear();
    const std::string before = dumpDatabase(db());
    db().impl().journal().beginCommand("-INSERT");
    const AcDbObjectId refId = append(new AcDbBlockReference(AcGePoint3d(1, 2, 0), block));
    AcDbBlockReference* ref = nullptr;
    ASSERT_EQ(acdbOpenObject(ref, refId, AcDb::kForWrite), Acad::eOk);
    auto* attribute = new AcDbAttribute;
    attribute->setTag("MARK");
    ASSERT_EQ(ref->appendAttribute(attribute), Acad::eOk);
    attribute->close();
    ref->setRotation(1.0);
    ref->close();
    db().impl().journal().endCommand();
    EXPECT_NE(dumpDatabase(db()), before);
    db().impl().journal().undo(1);
    EXPECT_TRUE(sameText(before, dumpDatabase(db())));
}

} // namespace
} // namespace veld::test
