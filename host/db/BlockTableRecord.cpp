// AcDbBlockTableRecord: a block (model space, paper space, a block definition) and its
// entities in the order they were appended.
#include "DatabaseImpl.h"
#include "ObjectAccess.h"
#include "SetterSupport.h"

using veld::db::ObjectAccess;

ACRX_DEFINE_MEMBERS(AcDbBlockTableRecord, AcDbSymbolTableRecord)

void AcDbBlockTableRecordIterator::step(bool forward, bool skipDeleted) {
    do {
        index_ += forward ? 1 : -1;
    } while (skipDeleted && !done() && ids_[index_].isErased());
}

AcDbBlockTableRecord::AcDbBlockTableRecord() : contents_(std::make_unique<Contents>()) {}
AcDbBlockTableRecord::~AcDbBlockTableRecord() = default;

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbEntity* entity) {
    AcDbObjectId id;
    return appendAcDbEntity(id, entity);
}

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbObjectId& id, AcDbEntity* entity) {
    id = AcDbObjectId::kNull;
    AcDbStub* stub = nullptr;
    const Acad::ErrorStatus es = ObjectAccess::addOwnedEntity(*this, entity, stub);
    if (es != Acad::eOk) {
        return es;
    }
    contents_->entities.push_back(stub);
    id = AcDbObjectId(stub);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::newIterator(AcDbBlockTableRecordIterator*& iterator,
                                                    bool atBeginning, bool skipDeleted) const {
    iterator = new AcDbBlockTableRecordIterator(entityIds(skipDeleted));
    iterator->start(atBeginning);
    return Acad::eOk;
}

AcDbObjectIdArray AcDbBlockTableRecord::entityIds(bool skipDeleted) const {
    AcDbObjectIdArray ids;
    ids.reserve(static_cast<int>(contents_->entities.size()));
    for (AcDbStub* stub : contents_->entities) {
        if (stub->isLive() && !(skipDeleted && stub->erased)) {
            ids.append(AcDbObjectId(stub));
        }
    }
    return ids;
}

AcGePoint3d AcDbBlockTableRecord::origin() const {
    return contents_->origin;
}

Acad::ErrorStatus AcDbBlockTableRecord::setOrigin(const AcGePoint3d& p) {
    VELD_SET_FINITE(contents_->origin, p);
}

bool AcDbBlockTableRecord::isLayout() const {
    const std::string n = name();
    return veld::db::equalsIgnoreCase(n, ACDB_MODEL_SPACE) ||
           veld::db::equalsIgnoreCase(n.substr(0, 12), ACDB_PAPER_SPACE);
}

bool AcDbBlockTableRecord::isAnonymous() const {
    const std::string n = name();
    return !n.empty() && n[0] == '*' && !isLayout();
}

bool AcDbBlockTableRecord::hasAttributeDefinitions() const {
    for (AcDbStub* stub : contents_->entities) {
        if (stub->isLive() && !stub->erased &&
            AcDbAttributeDefinition::cast(stub->object) != nullptr) {
            return true;
        }
    }
    return false;
}

std::string AcDbBlockTableRecord::pathName() const {
    return contents_->pathName;
}

Acad::ErrorStatus AcDbBlockTableRecord::setPathName(const char* path) {
    VELD_WRITE_OR_RETURN();
    contents_->pathName = path != nullptr ? path : "";
    return Acad::eOk;
}

// The entity list is not part of the state: its changes are journaled as creations.
AcDbObject* AcDbBlockTableRecord::cloneState() const {
    auto* copy = new AcDbBlockTableRecord;
    copy->restoreState(*this);
    return copy;
}

void AcDbBlockTableRecord::restoreState(const AcDbObject& saved) {
    const auto& from = static_cast<const AcDbBlockTableRecord&>(saved);
    copyRecordState(from);
    contents_->origin = from.contents_->origin;
    contents_->pathName = from.contents_->pathName;
}
