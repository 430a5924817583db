// Numbered entries of one application's extended data, and their registration, reading and
// writing.
#include "arxcom/CArxComAppXdata.h"

#include "arxcom/ArxOpened.h"
#include "dbsymtb.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr short kAppNameCode = 1001;
constexpr short kControlCode = 1002;
constexpr short kIntegerCode = 1070;

short lowSixteenBits(int value) {
    return static_cast<short>(static_cast<std::uint16_t>(static_cast<unsigned>(value) & 0xFFFFu));
}

bool isTextCode(int restype) {
    return restype == 1000 || restype == 1001 || restype == 1002 || restype == 1003 ||
           restype == 1005 || restype == RTSTR;
}

bool isPointCode(int restype) {
    return (restype >= 1010 && restype <= 1013) || restype == RTPOINT || restype == RT3DPOINT;
}

bool isControl(const resbuf* item, const char* text) {
    return item->restype == kControlCode && item->resval.rstring != nullptr &&
           std::strcmp(item->resval.rstring, text) == 0;
}

void registerApplication(AcDbDatabase* database, const char* appName) {
    if (database == nullptr) {
        return;
    }
    ArxOpened<AcDbRegAppTable> table;
    if (database->getRegAppTable(table.receive(), AcDb::kForRead) != Acad::eOk ||
        table->has(appName) || table->upgradeOpen() != Acad::eOk) {
        return;
    }
    // The table takes ownership only when the add succeeds; until then the holder deletes it.
    ArxOpened<AcDbRegAppTableRecord> record(new AcDbRegAppTableRecord);
    if (record->setName(appName) == Acad::eOk) {
        table->add(record.get());
    }
}

} // namespace

CArxComAppXdata::CArxComAppXdata(const char* appName, AcDbDatabase* database) {
    const char* name = appName != nullptr ? appName : "";
    registerApplication(
        database != nullptr ? database : acdbHostApplicationServices()->workingDatabase(), name);
    appNameItem_ = acutNewRb(kAppNameCode);
    acutNewString(name, appNameItem_->resval.rstring);
}

CArxComAppXdata::~CArxComAppXdata() {
    acutRelRb(appNameItem_);
}

std::string CArxComAppXdata::GetAppName() const {
    const char* name = appNameItem_->resval.rstring;
    return name != nullptr ? name : "";
}

// The walk keeps a bracket level: index items count only outside brackets, and a value is
// stepped over without being read as an index, except that a bracketed value is walked into
// so that its brackets are counted.
resbuf* CArxComAppXdata::FindEntry(int index) const {
    const short wanted = lowSixteenBits(index);
    int level = 0;
    resbuf* item = entries_.Head();
    while (item != nullptr) {
        if (item->restype == kControlCode) {
            if (isControl(item, "{")) {
                ++level;
            } else if (isControl(item, "}")) {
                --level;
            }
            item = item->rbnext;
        } else if (item->restype == kIntegerCode && level == 0) {
            if (item->resval.rint == wanted) {
                return item;
            }
            resbuf* value = item->rbnext;
            if (value == nullptr || value->restype == kControlCode) {
                item = value;
            } else {
                item = value->rbnext;
            }
        } else {
            item = item->rbnext;
        }
    }
    return nullptr;
}

// The value item of an entry when it exists and has the given type.
resbuf* CArxComAppXdata::ValueOf(int index, int restype) const {
    const resbuf* indexItem = FindEntry(index);
    if (indexItem == nullptr || indexItem->rbnext == nullptr ||
        indexItem->rbnext->restype != restype) {
        return nullptr;
    }
    return indexItem->rbnext;
}

void CArxComAppXdata::AppendEntry(int index, resbuf* value) {
    resbuf* indexItem = acutNewRb(kIntegerCode);
    indexItem->resval.rint = lowSixteenBits(index);
    entries_.Append(indexItem);
    entries_.Append(value);
}

void CArxComAppXdata::SetIntEntry(int index, int value) {
    if (FindEntry(index) == nullptr) {
        resbuf* item = acutNewRb(kIntegerCode);
        item->resval.rint = lowSixteenBits(value);
        AppendEntry(index, item);
    } else if (resbuf* item = ValueOf(index, kIntegerCode)) {
        item->resval.rint = lowSixteenBits(value);
    }
}

// A text restype is required: the chain is released with acutRelRb, which frees the value
// of text items only, so a text under any other code would be leaked or misread.
void CArxComAppXdata::SetStringEntry(int index, const char* text, int restype) {
    if (!isTextCode(restype)) {
        return;
    }
    const char* value = text != nullptr ? text : "";
    if (FindEntry(index) == nullptr) {
        resbuf* item = acutNewRb(restype);
        acutNewString(value, item->resval.rstring);
        AppendEntry(index, item);
    } else if (resbuf* item = ValueOf(index, restype)) {
        char* copy = nullptr;
        acutNewString(value, copy);
        acutDelString(item->resval.rstring);
        item->resval.rstring = copy;
    }
}

void CArxComAppXdata::SetPointEntry(int index, const ads_point point, int restype) {
    if (!isPointCode(restype)) {
        return;
    }
    resbuf* item = nullptr;
    if (FindEntry(index) == nullptr) {
        item = acutNewRb(restype);
        AppendEntry(index, item);
    } else {
        item = ValueOf(index, restype);
    }
    if (item != nullptr) {
        for (int i = 0; i < 3; ++i) {
            item->resval.rpoint[i] = point[i];
        }
    }
}

void CArxComAppXdata::SetPointEntry(int index, const AcGePoint3d& point, int restype) {
    const ads_point coordinates = {point.x, point.y, point.z};
    SetPointEntry(index, coordinates, restype);
}

bool CArxComAppXdata::GetStringEntry(int index, std::string& text, int restype) const {
    const resbuf* item = ValueOf(index, restype);
    if (item == nullptr || !isTextCode(restype)) {
        return false;
    }
    text = item->resval.rstring != nullptr ? item->resval.rstring : "";
    return true;
}

bool CArxComAppXdata::GetPointEntry(int index, ads_point point, int restype) const {
    const resbuf* item = ValueOf(index, restype);
    if (item == nullptr || !isPointCode(restype)) {
        return false;
    }
    for (int i = 0; i < 3; ++i) {
        point[i] = item->resval.rpoint[i];
    }
    return true;
}

bool CArxComAppXdata::GetPointEntry(int index, AcGePoint3d& point, int restype) const {
    ads_point coordinates = {};
    if (!GetPointEntry(index, coordinates, restype)) {
        return false;
    }
    point.set(coordinates[0], coordinates[1], coordinates[2]);
    return true;
}

// Entries read from an object already begin with the application's own name item; they are
// written as they are, so the data never carries the name twice.
Acad::ErrorStatus CArxComAppXdata::WriteTo(AcDbObject* object) const {
    if (object == nullptr) {
        return Acad::eNullObjectPointer;
    }
    resbuf* head = entries_.Head();
    if (head != nullptr && head->restype == kAppNameCode) {
        return object->setXData(head);
    }
    appNameItem_->rbnext = head;
    const Acad::ErrorStatus es = object->setXData(appNameItem_);
    appNameItem_->rbnext = nullptr;
    return es;
}

Acad::ErrorStatus CArxComAppXdata::ReadFrom(const AcDbObject* object) {
    entries_.Clear();
    if (object == nullptr) {
        return Acad::eIllegalEntityType;
    }
    resbuf* chain = object->xData(appNameItem_->resval.rstring);
    if (chain == nullptr) {
        return Acad::eIllegalEntityType;
    }
    entries_.Assign(chain);
    return Acad::eOk;
}
