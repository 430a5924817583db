// Builds the content a test or benchmark needs in a drawing through the SDK: layers, block
// definitions, entities in model space or a block, groups. Every object is closed again; a
// step the database refuses is reported as a test failure and gives a null id.
#pragma once
#include "dbents.h"
#include "dbmain.h"

namespace veld::test {

class TestDrawing {
public:
    explicit TestDrawing(AcDbDatabase& database) : database_(database) {}

    // A layer record (frozen when asked). A layer of that name already there is kept and its
    // id given.
    AcDbObjectId addLayer(const char* name, bool frozen = false) const;
    bool hasLayer(const char* name) const;
    // An empty block definition with its base point at `origin`.
    AcDbObjectId defineBlock(const char* name, const AcGePoint3d& origin = {}) const;

    // Appends `entity` to model space (or the block `block`) and closes it.
    AcDbObjectId append(AcDbEntity* entity) const;
    AcDbObjectId appendTo(AcDbObjectId block, AcDbEntity* entity) const;
    // A line in model space, on `layer` when one is given (else the current layer).
    AcDbObjectId addLine(const AcGePoint3d& from, const AcGePoint3d& to,
                         AcDbObjectId layer = AcDbObjectId::kNull) const;
    // A new anonymous group holding `members`.
    AcDbObjectId addGroup(const AcDbObjectIdArray& members) const;
    // Sets extended data on an object and frees the chain.
    static void setXData(AcDbObjectId id, resbuf* chain);

private:
    AcDbDatabase& database_;
};

} // namespace veld::test
