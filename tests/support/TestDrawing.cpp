// Builds test content in a drawing through the SDK.
#include "support/TestDrawing.h"

#include "dbdict.h"
#include "dbsymtb.h"

#include <gtest/gtest.h>

namespace veld::test {

AcDbObjectId TestDrawing::addLayer(const char* name, bool frozen) const {
    AcDbLayerTable* table = nullptr;
    AcDbObjectId id;
    if (database_.getLayerTable(table, AcDb::kForWrite) != Acad::eOk) {
        ADD_FAILURE() << "the layer table does not open";
        return id;
    }
    if (table->getAt(name, id) != Acad::eOk) {
        auto* record = new AcDbLayerTableRecord;
        EXPECT_EQ(record->setName(name), Acad::eOk) << name;
        record->setIsFrozen(frozen);
        if (table->add(id, record) == Acad::eOk) {
            record->close();
        } else {
            ADD_FAILURE() << "layer " << name << " is refused";
            delete record;
        }
    }
    table->close();
    return id;
}

bool TestDrawing::hasLayer(const char* name) const {
    AcDbLayerTable* table = nullptr;
    if (database_.getLayerTable(table, AcDb::kForRead) != Acad::eOk) {
        return false;
    }
    const bool found = table->has(name);
    table->close();
    return found;
}

AcDbObjectId TestDrawing::defineBlock(const char* name, const AcGePoint3d& origin) const {
    AcDbBlockTable* table = nullptr;
    AcDbObjectId id;
    if (database_.getBlockTable(table, AcDb::kForWrite) != Acad::eOk) {
        ADD_FAILURE() << "the block table does not open";
        return id;
    }
    auto* record = new AcDbBlockTableRecord;
    record->setName(name);
    record->setOrigin(origin);
    if (table->add(id, record) == Acad::eOk) {
        record->close();
    } else {
        ADD_FAILURE() << "block " << name << " is refused";
        delete record;
    }
    table->close();
    return id;
}

AcDbObjectId TestDrawing::append(AcDbEntity* entity) const {
    return appendTo(database_.modelSpaceId(), entity);
}

AcDbObjectId TestDrawing::appendTo(AcDbObjectId block, AcDbEntity* entity) const {
    AcDbBlockTableRecord* record = nullptr;
    AcDbObjectId id;
    if (acdbOpenObject(record, block, AcDb::kForWrite) != Acad::eOk) {
        ADD_FAILURE() << "the block does not open";
        delete entity;
        return id;
    }
    if (record->appendAcDbEntity(id, entity) == Acad::eOk) {
        entity->close();
    } else {
        ADD_FAILURE() << "the entity is refused";
        delete entity;
    }
    record->close();
    return id;
}

AcDbObjectId TestDrawing::addLine(const AcGePoint3d& from, const AcGePoint3d& to,
                                  AcDbObjectId layer) const {
    auto* line = new AcDbLine(from, to);
    if (!layer.isNull()) {
        line->setLayer(layer);
    }
    return append(line);
}

AcDbObjectId TestDrawing::addGroup(const AcDbObjectIdArray& members) const {
    AcDbDictionary* groups = nullptr;
    AcDbObjectId id;
    if (database_.getGroupDictionary(groups, AcDb::kForWrite) != Acad::eOk) {
        ADD_FAILURE() << "the group dictionary does not open";
        return id;
    }
    auto* group = new AcDbGroup("*", true);
    if (groups->setAt("*", group, id) == Acad::eOk) {
        EXPECT_EQ(group->append(members), Acad::eOk);
        group->close();
    } else {
        ADD_FAILURE() << "the group is refused";
        delete group;
    }
    groups->close();
    return id;
}

void TestDrawing::setXData(AcDbObjectId id, resbuf* chain) {
    AcDbObject* object = nullptr;
    if (acdbOpenAcDbObject(object, id, AcDb::kForWrite) == Acad::eOk) {
        EXPECT_EQ(object->setXData(chain), Acad::eOk);
        object->close();
    } else {
        ADD_FAILURE() << "the object does not open";
    }
    acutRelRb(chain);
}

} // namespace veld::test
