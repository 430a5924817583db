// The drawing database as the module sees it: object ids, handles, objects and entities, opening
// and closing, extended data, the database itself and the working-database service.
//
// Object life cycle (the whole host keeps to it):
//   created   `new AcDbLine(...)`: the object belongs to whoever made it; it has no id.
//   appended  `appendAcDbEntity`, `add`, `setAt`, `addAcDbObject`: the database takes ownership,
//             gives the object an id and a permanent handle (never reused), sets its owner, and
//             leaves it open for write for the caller, who must close() it.
//   opened    `acdbOpenObject(obj, id, mode)`: many readers or one writer. Opening for write an
//             object open for read fails with eWasOpenForRead, and the other way round with
//             eWasOpenForWrite. `upgradeOpen` turns the caller's read open into a write open when
//             it is the only reader. `close` ends the caller's open; the object stays in the
//             database. An object still open at the end of a command is a fault.
//   erased    `erase()` on an object open for write: it stays in the database (UNDO can bring it
//             back) but opening it fails with eWasErased unless openErased is asked for.
//   destroyed when the database itself is destroyed, or when UNDO takes back the object's
//             creation: it then leaves its owner and every iteration, and its id opens with
//             ePermanentlyErased. Its handle is never given out again.
// Every change to an object in the database (creation, modification, erasure) is journaled for
// UNDO; a modification journals the object's state before its first change in one write open.
#pragma once
#include "acadstrc.h"
#include "acarray.h"
#include "acge.h"
#include "adesk.h"
#include "adsdef.h"
#include "rxobject.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class AcDbDatabase;
class AcDbObject;
class AcDbEntity;
class AcDbBlockTable;
class AcDbLayerTable;
class AcDbLinetypeTable;
class AcDbTextStyleTable;
class AcDbDimStyleTable;
class AcDbRegAppTable;
class AcDbDictionary;
struct AcDbStub; // host-internal: the database's record of one object
namespace veld::db {
class DatabaseImpl;  // host-internal
struct ObjectAccess; // host-internal: the journal's and the file code's way to an object's data
struct ObjectExtras; // host-internal: extended data and persistent reactors of one object
} // namespace veld::db

namespace AcDb {
enum OpenMode { kForRead = 0, kForWrite = 1, kForNotify = 2 };
enum Intersect { kOnBothOperands = 0, kExtendThis = 1, kExtendArg = 2, kExtendBoth = 3 };
enum TextHorzMode {
    kTextLeft = 0,
    kTextCenter = 1,
    kTextRight = 2,
    kTextAlign = 3,
    kTextMid = 4,
    kTextFit = 5
};
enum TextVertMode { kTextBase = 0, kTextBottom = 1, kTextVertMid = 2, kTextTop = 3 };
} // namespace AcDb

// A permanent object handle: a 64-bit number shown as upper-case hexadecimal without leading
// zeros. 0 is the null handle.
class AcDbHandle {
public:
    AcDbHandle() = default;
    explicit AcDbHandle(std::uint64_t value) : value_(value) {}
    // Parses hexadecimal text; text that is not a handle gives the null handle.
    explicit AcDbHandle(const char* text);

    bool isNull() const { return value_ == 0; }
    std::uint64_t value() const { return value_; }
    // Writes the hexadecimal text; false (and an empty buffer) when it does not fit.
    bool getIntoAsciiBuffer(char* buffer, std::size_t bufferLength) const;
    std::string text() const;

    auto operator<=>(const AcDbHandle&) const = default;

private:
    std::uint64_t value_ = 0;
};

// The id of an object in a database while that database is in memory. The null id means "none".
class AcDbObjectId {
public:
    AcDbObjectId() = default;
    explicit AcDbObjectId(AcDbStub* stub) : stub_(stub) {}

    bool isNull() const { return stub_ == nullptr; }
    void setNull() { stub_ = nullptr; }
    // Not null and still known to its database (erased or not).
    bool isValid() const;
    bool isErased() const;
    AcDbHandle handle() const;
    AcDbDatabase* database() const;
    AcRxClass* objectClass() const;
    AcDbStub* stub() const { return stub_; }

    bool operator==(const AcDbObjectId& o) const { return stub_ == o.stub_; }
    bool operator!=(const AcDbObjectId& o) const { return stub_ != o.stub_; }
    bool operator<(const AcDbObjectId& o) const { return stub_ < o.stub_; }

    static const AcDbObjectId kNull;

private:
    AcDbStub* stub_ = nullptr;
};
inline const AcDbObjectId AcDbObjectId::kNull{};

using AcDbObjectIdArray = AcArray<AcDbObjectId>;

// An ACI colour: 0 by block, 1..255 colours, 256 by layer.
class AcCmColor {
public:
    AcCmColor() = default;
    Acad::ErrorStatus setColorIndex(Adesk::UInt16 index) {
        index_ = index;
        return Acad::eOk;
    }
    Adesk::UInt16 colorIndex() const { return index_; }
    bool isByLayer() const { return index_ == 256; }
    bool isByBlock() const { return index_ == 0; }
    bool operator==(const AcCmColor&) const = default;

private:
    Adesk::UInt16 index_ = 256;
};

class AcDbObject : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbObject)
    AcDbObject();
    ~AcDbObject() override;
    AcDbObject(const AcDbObject&) = delete;
    AcDbObject& operator=(const AcDbObject&) = delete;

    AcDbObjectId objectId() const;
    AcDbObjectId ownerId() const;
    AcDbDatabase* database() const;
    void getAcDbHandle(AcDbHandle& handle) const;

    // Ends the caller's open. An object not yet in a database is deleted by close().
    Acad::ErrorStatus close();
    Acad::ErrorStatus upgradeOpen();
    Acad::ErrorStatus downgradeOpen();
    // Erases (or, with false, unerases) the object; it must be open for write.
    Acad::ErrorStatus erase(bool erasing = true);

    bool isErased() const;
    bool isReadEnabled() const;
    bool isWriteEnabled() const;
    bool isNewObject() const;

    // A copy of the extended data: of one application (its 1001 item first), or of all
    // applications when `regappName` is null. Null when there is none. The caller releases it
    // with acutRelRb.
    resbuf* xData(const char* regappName = nullptr) const;
    // Replaces the data of every application named in the chain and keeps the others; an
    // application named with nothing after it loses its data. Names must be registered
    // (eRegisteredApplicationIdNotFound), items must be xdata codes 1000..1071
    // (eInvalidInput), 16 KB at most per object (eXdataSizeExceeded). Open for write needed.
    Acad::ErrorStatus setXData(const resbuf* xdata);

    // Persistent reactors (the ids of the objects that watch this one, groups among them).
    Acad::ErrorStatus addPersistentReactor(AcDbObjectId reactorId);
    Acad::ErrorStatus removePersistentReactor(AcDbObjectId reactorId);
    AcDbObjectIdArray persistentReactors() const;

    // Called by every setter: fails unless open for write, and journals the state before the
    // first change of this write open.
    Acad::ErrorStatus assertWriteEnabled();
    void assertReadEnabled() const;

    // Host-internal: a deep copy of the object's own data (not its id) for the undo journal,
    // and the restoring of such a copy.
    virtual AcDbObject* cloneState() const = 0;
    virtual void restoreState(const AcDbObject& saved) = 0;

protected:
    // Copies what every object has (extended data, reactors) into a state copy.
    void copyBaseState(const AcDbObject& from);

private:
    friend struct veld::db::ObjectAccess;
    AcDbStub* stub_ = nullptr;                       // null until the object is in a database
    std::unique_ptr<veld::db::ObjectExtras> extras_; // null while there is no xdata or reactor
};

class AcDbEntity : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbEntity)
    AcDbEntity();
    ~AcDbEntity() override;

    AcDbObjectId blockId() const;

    // Layer by name: eKeyNotFound when the working database (or the entity's own database)
    // has no such layer. An entity made outside a database starts on layer "0".
    Acad::ErrorStatus setLayer(const char* layerName);
    Acad::ErrorStatus setLayer(AcDbObjectId layerId);
    std::string layer() const;
    AcDbObjectId layerId() const;

    Acad::ErrorStatus setColor(const AcCmColor& color);
    Acad::ErrorStatus setColorIndex(Adesk::UInt16 index);
    AcCmColor color() const;
    Adesk::UInt16 colorIndex() const;

    Acad::ErrorStatus setLinetype(const char* linetypeName);
    Acad::ErrorStatus setLinetype(AcDbObjectId linetypeId);
    std::string linetype() const;
    AcDbObjectId linetypeId() const;
    Acad::ErrorStatus setLinetypeScale(double scale);
    double linetypeScale() const;

    // Intersection points with another entity (lines, polylines, arcs, circles); appended to
    // `points`. kOnBothOperands keeps only points that lie on both.
    virtual Acad::ErrorStatus intersectWith(const AcDbEntity* other, AcDb::Intersect mode,
                                            AcGePoint3dArray& points, int thisGsMarker = 0,
                                            int otherGsMarker = 0) const;

protected:
    void copyEntityState(const AcDbEntity& from);

private:
    friend struct veld::db::ObjectAccess;
    // Null layer means layer "0" and null linetype means ByLayer, until the entity is appended.
    AcDbObjectId layer_, linetype_;
    double linetypeScale_ = 1.0;
    AcCmColor color_;
};

// Opens an object of a database. Null id: eNullObjectId. Unknown id: eUnknownHandle. Erased:
// eWasErased (unless openErased). Open conflicts as described at the top of this file.
Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& object, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased = false);
Acad::ErrorStatus acdbOpenAcDbEntity(AcDbEntity*& entity, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased = false);

// Opens the object and checks its class: eNotThatKindOfClass (and nothing stays open) when it
// is not a T.
template <class T>
Acad::ErrorStatus acdbOpenObject(T*& object, AcDbObjectId id, AcDb::OpenMode mode,
                                 bool openErased = false) {
    object = nullptr;
    AcDbObject* opened = nullptr;
    Acad::ErrorStatus es = acdbOpenAcDbObject(opened, id, mode, openErased);
    if (es != Acad::eOk) {
        return es;
    }
    T* typed = T::cast(opened);
    if (typed == nullptr) {
        opened->close();
        return Acad::eNotThatKindOfClass;
    }
    object = typed;
    return Acad::eOk;
}

// Converts between entity names (ads_name) of the command line and object ids.
Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& id, const ads_name name);
Acad::ErrorStatus acdbGetAdsName(ads_name name, AcDbObjectId id);

class AcDbDatabase : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbDatabase)
    // With buildDefaultDrawing the database starts with the standard tables and records:
    // layer "0", linetypes ByBlock/ByLayer/Continuous, text style and dimension style
    // "STANDARD", registered application "ACAD", *Model_Space and *Paper_Space, the named-object
    // dictionary with ACAD_GROUP. Without it the database is empty (a reader fills it).
    explicit AcDbDatabase(bool buildDefaultDrawing = true, bool noDocument = false);
    ~AcDbDatabase() override;
    AcDbDatabase(const AcDbDatabase&) = delete;
    AcDbDatabase& operator=(const AcDbDatabase&) = delete;

    Acad::ErrorStatus getBlockTable(AcDbBlockTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getLayerTable(AcDbLayerTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getLinetypeTable(AcDbLinetypeTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getTextStyleTable(AcDbTextStyleTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getDimStyleTable(AcDbDimStyleTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getRegAppTable(AcDbRegAppTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getSymbolTable(AcDbBlockTable*& t, AcDb::OpenMode m) {
        return getBlockTable(t, m);
    }
    Acad::ErrorStatus getSymbolTable(AcDbLayerTable*& t, AcDb::OpenMode m) {
        return getLayerTable(t, m);
    }
    Acad::ErrorStatus getSymbolTable(AcDbLinetypeTable*& t, AcDb::OpenMode m) {
        return getLinetypeTable(t, m);
    }
    Acad::ErrorStatus getSymbolTable(AcDbTextStyleTable*& t, AcDb::OpenMode m) {
        return getTextStyleTable(t, m);
    }
    Acad::ErrorStatus getSymbolTable(AcDbDimStyleTable*& t, AcDb::OpenMode m) {
        return getDimStyleTable(t, m);
    }
    Acad::ErrorStatus getSymbolTable(AcDbRegAppTable*& t, AcDb::OpenMode m) {
        return getRegAppTable(t, m);
    }
    Acad::ErrorStatus getNamedObjectsDictionary(AcDbDictionary*& dict, AcDb::OpenMode mode);
    Acad::ErrorStatus getGroupDictionary(AcDbDictionary*& dict, AcDb::OpenMode mode);

    AcDbObjectId blockTableId() const;
    AcDbObjectId layerTableId() const;
    AcDbObjectId linetypeTableId() const;
    AcDbObjectId textStyleTableId() const;
    AcDbObjectId dimStyleTableId() const;
    AcDbObjectId regAppTableId() const;
    AcDbObjectId namedObjectsDictionaryId() const;
    AcDbObjectId groupDictionaryId() const;
    AcDbObjectId modelSpaceId() const;
    AcDbObjectId paperSpaceId() const;
    // The space new entities go to: model space unless the drawing says otherwise.
    AcDbObjectId currentSpaceId() const;
    AcDbObjectId continuousLinetype() const;
    AcDbObjectId byLayerLinetype() const;
    AcDbObjectId byBlockLinetype() const;
    AcDbObjectId clayer() const;
    Acad::ErrorStatus setClayer(AcDbObjectId layerId);
    AcDbObjectId textstyle() const;
    AcDbObjectId dimstyle() const;

    // The id of the object with that handle. createIfNotFound is not supported (eInvalidInput).
    Acad::ErrorStatus getAcDbObjectId(AcDbObjectId& id, bool createIfNotFound,
                                      const AcDbHandle& handle, Adesk::UInt32 xRefId = 0);
    // Adds a non-entity object owned by `ownerId`.
    Acad::ErrorStatus addAcDbObject(AcDbObjectId& id, AcDbObject* object);

    // Host-internal access for the journal, the file reader and writer.
    veld::db::DatabaseImpl& impl() { return *impl_; }
    const veld::db::DatabaseImpl& impl() const { return *impl_; }

private:
    std::unique_ptr<veld::db::DatabaseImpl> impl_;
};

// Spatial and layer indexes of a drawing. The host keeps its lookups current at every change,
// so bringing them up to date has nothing left to do: eOk (eNullObjectPointer without a database).
namespace AcDbIndexFilterManager {
Acad::ErrorStatus updateIndexes(AcDbDatabase* database);
} // namespace AcDbIndexFilterManager

class AcDbHostApplicationServices {
public:
    AcDbDatabase* workingDatabase() const { return working_; }
    void setWorkingDatabase(AcDbDatabase* db) { working_ = db; }

private:
    AcDbDatabase* working_ = nullptr;
};
AcDbHostApplicationServices* acdbHostApplicationServices();

// Registers an application name in the working database's APPID table: RTNORM when added,
// RTERROR when it was there already (which callers treat as normal).
int acdbRegApp(const char* appName);
