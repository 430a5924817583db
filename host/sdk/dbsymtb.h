// Symbol tables (block, layer, linetype, text style, dimension style, registered application)
// and their records. Names are compared without regard to case; a table keeps its records in
// the order they were added.
#pragma once
#include "dbents.h"

#include <vector>

class AcDbSymbolTableRecord : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbSymbolTableRecord)
    // The name stays valid while the record is open and unchanged.
    Acad::ErrorStatus getName(const char*& name) const;
    Acad::ErrorStatus getName(std::string& name) const;
    std::string name() const;
    // eInvalidInput for an empty name or one with characters the DXF format forbids
    // (<>/\":;?*|,=`); eDuplicateRecordName when the record is in a table that has the name.
    Acad::ErrorStatus setName(const char* name);

protected:
    void copyRecordState(const AcDbSymbolTableRecord& from);

private:
    friend struct veld::db::ObjectAccess;
    std::string name_;
};

class AcDbSymbolTable;

// Walks a table's records in table order.
class AcDbSymbolTableIterator {
public:
    explicit AcDbSymbolTableIterator(AcDbObjectIdArray ids) : ids_(std::move(ids)) {}
    virtual ~AcDbSymbolTableIterator() = default;
    void start(bool atBeginning = true) { index_ = atBeginning ? 0 : ids_.length() - 1; }
    bool done() const { return index_ < 0 || index_ >= ids_.length(); }
    void step(bool forward = true) { index_ += forward ? 1 : -1; }
    Acad::ErrorStatus getRecordId(AcDbObjectId& id) const {
        id = ids_[index_];
        return Acad::eOk;
    }
    Acad::ErrorStatus getRecord(AcDbSymbolTableRecord*& record, AcDb::OpenMode mode,
                                bool openErased = false) const {
        return acdbOpenObject(record, ids_[index_], mode, openErased);
    }
    template <class R>
    Acad::ErrorStatus getRecord(R*& record, AcDb::OpenMode mode, bool openErased = false) const {
        return acdbOpenObject(record, ids_[index_], mode, openErased);
    }

private:
    AcDbObjectIdArray ids_;
    int index_ = 0;
};

class AcDbSymbolTable : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbSymbolTable)
    AcDbSymbolTable();
    ~AcDbSymbolTable() override;

    Acad::ErrorStatus getAt(const char* name, AcDbSymbolTableRecord*& record, AcDb::OpenMode mode,
                            bool openErased = false) const;
    Acad::ErrorStatus getAt(const char* name, AcDbObjectId& id, bool getErased = false) const;
    template <class R>
    Acad::ErrorStatus getAt(const char* name, R*& record, AcDb::OpenMode mode,
                            bool openErased = false) const {
        record = nullptr;
        AcDbObjectId id;
        Acad::ErrorStatus es = getAt(name, id, openErased);
        return es == Acad::eOk ? acdbOpenObject(record, id, mode, openErased) : es;
    }
    bool has(const char* name) const;
    bool has(AcDbObjectId id) const;
    // Takes ownership of the record (which must have a name the table does not hold) and leaves
    // it open for write. Needs the table open for write.
    Acad::ErrorStatus add(AcDbSymbolTableRecord* record);
    Acad::ErrorStatus add(AcDbObjectId& id, AcDbSymbolTableRecord* record);
    // Records in table order; erased records are skipped unless asked for.
    Acad::ErrorStatus newIterator(AcDbSymbolTableIterator*& iterator, bool atBeginning = true,
                                  bool skipDeleted = true) const;
    AcDbObjectIdArray recordIds(bool skipDeleted = true) const;

    AcDbObject* cloneState() const override;
    void restoreState(const AcDbObject& saved) override;

private:
    friend struct veld::db::ObjectAccess;
    struct Records;
    std::unique_ptr<Records> records_;
};

class AcDbBlockTableRecord;

// Walks a block's entities in the order they were appended (erased ones skipped).
class AcDbBlockTableRecordIterator {
public:
    explicit AcDbBlockTableRecordIterator(AcDbObjectIdArray ids) : ids_(std::move(ids)) {}
    void start(bool atBeginning = true) { index_ = atBeginning ? 0 : ids_.length() - 1; }
    bool done() const { return index_ < 0 || index_ >= ids_.length(); }
    void step(bool forward = true, bool skipDeleted = true);
    Acad::ErrorStatus getEntityId(AcDbObjectId& id) const {
        id = ids_[index_];
        return Acad::eOk;
    }
    Acad::ErrorStatus getEntity(AcDbEntity*& entity, AcDb::OpenMode mode,
                                bool openErased = false) const {
        return acdbOpenAcDbEntity(entity, ids_[index_], mode, openErased);
    }

private:
    AcDbObjectIdArray ids_;
    int index_ = 0;
};

class AcDbBlockTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbBlockTableRecord)
    AcDbBlockTableRecord();
    ~AcDbBlockTableRecord() override;
    // Takes ownership of the entity, gives it an id and handle, and leaves it open for write.
    // Needs the record open for write and in a database.
    Acad::ErrorStatus appendAcDbEntity(AcDbEntity* entity);
    Acad::ErrorStatus appendAcDbEntity(AcDbObjectId& id, AcDbEntity* entity);
    Acad::ErrorStatus newIterator(AcDbBlockTableRecordIterator*& iterator, bool atBeginning = true,
                                  bool skipDeleted = true) const;
    AcDbObjectIdArray entityIds(bool skipDeleted = true) const;
    AcGePoint3d origin() const;
    Acad::ErrorStatus setOrigin(const AcGePoint3d& p);
    bool isAnonymous() const; // name begins with "*" (and is not a layout)
    bool isLayout() const;    // *Model_Space, *Paper_Space...
    bool hasAttributeDefinitions() const;
    // Block source file, kept for blocks loaded from a drawing file.
    std::string pathName() const;
    Acad::ErrorStatus setPathName(const char* path);
    AcDbObject* cloneState() const override;
    void restoreState(const AcDbObject& saved) override;

private:
    friend struct veld::db::ObjectAccess;
    struct Contents;
    std::unique_ptr<Contents> contents_;
};

class AcDbLayerTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbLayerTableRecord)
    AcDbLayerTableRecord() = default;
    AcCmColor color() const;
    Acad::ErrorStatus setColor(const AcCmColor& color); // default colour 7
    bool isOff() const;
    Acad::ErrorStatus setIsOff(bool off);
    bool isFrozen() const;
    Acad::ErrorStatus setIsFrozen(bool frozen);
    bool isLocked() const;
    Acad::ErrorStatus setIsLocked(bool locked);
    AcDbObjectId linetypeObjectId() const;
    Acad::ErrorStatus setLinetypeObjectId(AcDbObjectId linetype);
    bool isPlottable() const;
    Acad::ErrorStatus setIsPlottable(bool plot);
    AcDbObject* cloneState() const override;
    void restoreState(const AcDbObject& saved) override;

private:
    AcCmColor color_ = [] {
        AcCmColor c;
        c.setColorIndex(7);
        return c;
    }();
    bool off_ = false, frozen_ = false, locked_ = false, plottable_ = true;
    AcDbObjectId linetype_;
};

class AcDbLinetypeTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbLinetypeTableRecord)
    AcDbLinetypeTableRecord() = default;
    std::string comments() const;
    Acad::ErrorStatus setComments(const char* text);
    // Dash lengths (positive dash, negative gap, 0 dot); empty for a continuous line.
    std::vector<double> dashes() const;
    Acad::ErrorStatus setDashes(const std::vector<double>& dashes);
    double patternLength() const;
    AcDbObject* cloneState() const override;
    void restoreState(const AcDbObject& saved) override;

private:
    std::string comments_;
    std::vector<double> dashes_;
};

class AcDbTextStyleTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbTextStyleTableRecord)
    AcDbTextStyleTableRecord() = default;
    double textSize() const;
    Acad::ErrorStatus setTextSize(double size);
    double xScale() const;
    Acad::ErrorStatus setXScale(double scale);
    std::string fileName() const;
    Acad::ErrorStatus setFileName(const char* file);
    std::string bigFontFileName() const;
    Acad::ErrorStatus setBigFontFileName(const char* file);
    AcDbObject* cloneState() const override;
    void restoreState(const AcDbObject& saved) override;

private:
    double size_ = 0.0, xScale_ = 1.0;
    std::string file_ = "txt", bigFont_;
};

class AcDbDimStyleTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbDimStyleTableRecord)
    AcDbDimStyleTableRecord() = default;
    // The dimension variables the geometry computation reads (defaults as the STANDARD style).
    double dimasz() const { return dimasz_; } // arrow size
    double dimexe() const { return dimexe_; } // extension beyond the dimension line
    double dimexo() const { return dimexo_; } // offset of extension lines from the origin points
    double dimgap() const { return dimgap_; } // gap between text and dimension line
    double dimtxt() const { return dimtxt_; } // text height
    double dimscale() const { return dimscale_; }
    double dimtsz() const { return dimtsz_; } // tick size; 0 draws arrows
    int dimdec() const { return dimdec_; }    // decimal places
    bool dimtad() const { return dimtad_; }   // text above the dimension line
    AcDbObjectId dimtxsty() const { return dimtxsty_; }
    Acad::ErrorStatus setDimasz(double v);
    Acad::ErrorStatus setDimexe(double v);
    Acad::ErrorStatus setDimexo(double v);
    Acad::ErrorStatus setDimgap(double v);
    Acad::ErrorStatus setDimtxt(double v);
    Acad::ErrorStatus setDimscale(double v);
    Acad::ErrorStatus setDimtsz(double v);
    Acad::ErrorStatus setDimdec(int v);
    Acad::ErrorStatus setDimtad(bool v);
    Acad::ErrorStatus setDimtxsty(AcDbObjectId v);
    AcDbObject* cloneState() const override;
    void restoreState(const AcDbObject& saved) override;

private:
    double dimasz_ = 0.18, dimexe_ = 0.18, dimexo_ = 0.0625, dimgap_ = 0.09, dimtxt_ = 0.18,
           dimscale_ = 1.0, dimtsz_ = 0.0;
    int dimdec_ = 4;
    bool dimtad_ = false;
    AcDbObjectId dimtxsty_;
};

class AcDbRegAppTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbRegAppTableRecord)
    AcDbRegAppTableRecord() = default;
    AcDbObject* cloneState() const override;
    void restoreState(const AcDbObject& saved) override;
};

#define VELD_DECLARE_TABLE(TABLE, RECORD)                                                          \
    class TABLE : public AcDbSymbolTable {                                                         \
    public:                                                                                        \
        ACRX_DECLARE_MEMBERS(TABLE)                                                                \
        using AcDbSymbolTable::getAt;                                                              \
        Acad::ErrorStatus getAt(const char* name, RECORD*& record, AcDb::OpenMode mode,            \
                                bool openErased = false) const {                                   \
            return AcDbSymbolTable::getAt<RECORD>(name, record, mode, openErased);                 \
        }                                                                                          \
        AcDbObject* cloneState() const override;                                                   \
    };

VELD_DECLARE_TABLE(AcDbBlockTable, AcDbBlockTableRecord)
VELD_DECLARE_TABLE(AcDbLayerTable, AcDbLayerTableRecord)
VELD_DECLARE_TABLE(AcDbLinetypeTable, AcDbLinetypeTableRecord)
VELD_DECLARE_TABLE(AcDbTextStyleTable, AcDbTextStyleTableRecord)
VELD_DECLARE_TABLE(AcDbDimStyleTable, AcDbDimStyleTableRecord)
VELD_DECLARE_TABLE(AcDbRegAppTable, AcDbRegAppTableRecord)

#define ACDB_MODEL_SPACE "*Model_Space"
#define ACDB_PAPER_SPACE "*Paper_Space"
