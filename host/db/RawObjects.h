// Objects the database keeps without modelling them, so that a drawing read from a file is
// written back unchanged: each holds its DXF type name and its tags exactly as read (which
// tags go in is the file code's choice; the database never looks inside). Tags read from a file
// stay packed in the database's store until something asks for them as a list.
#pragma once
#include "RawTags.h"
#include "dbsymtb.h"

#include <string>
#include <utility>
#include <vector>

// An entity of a kind the database does not model (HATCH, MTEXT, SPLINE ...).
class AcDbRawEntity : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbRawEntity)
    AcDbRawEntity() = default;
    AcDbRawEntity(std::string dxfType, veld::db::RawTags tags)
        : dxfType_(std::move(dxfType)), tags_(std::move(tags)) {}
    const std::string& dxfType() const { return dxfType_; }
    const veld::db::Tags& tags() const { return tags_.list(); }
    const veld::db::RawTags& rawTags() const { return tags_; }
    Acad::ErrorStatus setTags(std::string dxfType, veld::db::Tags tags);
    AcDbObject* cloneState() const override;
    void restoreState(const AcDbObject& saved) override;

private:
    std::string dxfType_;
    veld::db::RawTags tags_;
};

// A non-graphical object the database does not model (LAYOUT, XRECORD, MLINESTYLE ...).
class AcDbRawObject : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbRawObject)
    AcDbRawObject() = default;
    AcDbRawObject(std::string dxfType, veld::db::RawTags tags)
        : dxfType_(std::move(dxfType)), tags_(std::move(tags)) {}
    const std::string& dxfType() const { return dxfType_; }
    const veld::db::Tags& tags() const { return tags_.list(); }
    const veld::db::RawTags& rawTags() const { return tags_; }
    Acad::ErrorStatus setTags(std::string dxfType, veld::db::Tags tags);
    AcDbObject* cloneState() const override;
    void restoreState(const AcDbObject& saved) override;

private:
    std::string dxfType_;
    veld::db::RawTags tags_;
};

// A table the database does not model (VPORT, VIEW, UCS); dxfType is the table's name. Its
// records are AcDbRawTableRecord.
class AcDbRawSymbolTable : public AcDbSymbolTable {
public:
    ACRX_DECLARE_MEMBERS(AcDbRawSymbolTable)
    AcDbRawSymbolTable() = default;
    AcDbRawSymbolTable(std::string dxfType, veld::db::RawTags tags)
        : dxfType_(std::move(dxfType)), tags_(std::move(tags)) {}
    const std::string& dxfType() const { return dxfType_; }
    const veld::db::Tags& tags() const { return tags_.list(); }
    const veld::db::RawTags& rawTags() const { return tags_; }
    Acad::ErrorStatus setTags(std::string dxfType, veld::db::Tags tags);
    AcDbObject* cloneState() const override;
    void restoreState(const AcDbObject& saved) override;

private:
    std::string dxfType_;
    veld::db::RawTags tags_;
};

// A record of a raw table: a name (any text, e.g. "*Active") and its tags.
class AcDbRawTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbRawTableRecord)
    AcDbRawTableRecord() = default;
    AcDbRawTableRecord(std::string dxfType, const std::string& name, veld::db::RawTags tags);
    const std::string& dxfType() const { return dxfType_; }
    const veld::db::Tags& tags() const { return tags_.list(); }
    const veld::db::RawTags& rawTags() const { return tags_; }
    Acad::ErrorStatus setTags(std::string dxfType, veld::db::Tags tags);
    AcDbObject* cloneState() const override;
    void restoreState(const AcDbObject& saved) override;

private:
    std::string dxfType_;
    veld::db::RawTags tags_;
};
