// AcDbSymbolTableRecord: the name every record has, unique in its table regardless of case.
#include "ObjectAccess.h"
#include "RawObjects.h"
#include "SetterSupport.h"

#include <cstring>

using veld::db::ObjectAccess;

ACRX_DEFINE_MEMBERS(AcDbSymbolTableRecord, AcDbObject)

namespace {

// Names may not hold the characters the file format reserves; block names may begin with "*"
// (layouts and anonymous blocks), raw records hold whatever the file had.
bool isValidName(const AcDbSymbolTableRecord& record, const char* name) {
    if (name == nullptr || *name == '\0') {
        return false;
    }
    if (record.isKindOf(AcDbRawTableRecord::desc())) {
        return true;
    }
    const char* p = name;
    if (*p == '*' && record.isKindOf(AcDbBlockTableRecord::desc())) {
        ++p;
    }
    for (; *p != '\0'; ++p) {
        if (std::strchr("<>/\\\":;?*|,=`", *p) != nullptr ||
            static_cast<unsigned char>(*p) < 0x20) {
            return false;
        }
    }
    return true;
}

} // namespace

Acad::ErrorStatus AcDbSymbolTableRecord::getName(const char*& name) const {
    name = name_.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::getName(std::string& name) const {
    name = name_;
    return Acad::eOk;
}

std::string AcDbSymbolTableRecord::name() const {
    return name_;
}

Acad::ErrorStatus AcDbSymbolTableRecord::setName(const char* name) {
    if (!isValidName(*this, name)) {
        return Acad::eInvalidInput;
    }
    if (!ObjectAccess::canWrite(*this)) {
        return Acad::eNotOpenForWrite;
    }
    AcDbStub* self = ObjectAccess::stub(*this);
    auto* table =
        self != nullptr ? AcDbSymbolTable::cast(veld::db::liveObject(self->owner)) : nullptr;
    if (table != nullptr) {
        AcDbStub* holder = ObjectAccess::findRecord(*table, name, false);
        if (holder != nullptr && holder != self) {
            return Acad::eDuplicateRecordName;
        }
    }
    VELD_WRITE_OR_RETURN();
    name_ = name;
    if (table != nullptr) {
        ObjectAccess::tableRecords(*table).byName.emplace(veld::db::upperAscii(name_), self);
    }
    return Acad::eOk;
}

void AcDbSymbolTableRecord::copyRecordState(const AcDbSymbolTableRecord& from) {
    copyBaseState(from);
    name_ = from.name_;
}

// --- Registered applications ------------------------------------------------------------------

ACRX_DEFINE_MEMBERS(AcDbRegAppTableRecord, AcDbSymbolTableRecord)

AcDbObject* AcDbRegAppTableRecord::cloneState() const {
    auto* copy = new AcDbRegAppTableRecord;
    copy->copyRecordState(*this);
    return copy;
}

void AcDbRegAppTableRecord::restoreState(const AcDbObject& saved) {
    copyRecordState(static_cast<const AcDbRegAppTableRecord&>(saved));
}
