// Puts what the reader found into a fresh database: tables and records, blocks, entities with
// their attributes, dictionaries, groups, objects kept as read, extended data; keeps the file's
// handles (new ones for objects that had none) and creates the standard records a file lacks.
#pragma once
#include "host/dxf/EntityBuilder.h"
#include "host/dxf/RecordReader.h"
#include "host/dxf/RecordUpgrade.h"

#include <dbmain.h>
#include <map>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

namespace veld::db {
class DatabaseImpl;
using Tags = std::vector<std::pair<int, std::string>>;
} // namespace veld::db

namespace veld::dxf {

class DrawingBuilder {
public:
    DrawingBuilder();
    ~DrawingBuilder();

    AcDbDatabase& database() { return *db_; }
    // Handles for objects without one start above this (the file's seed).
    void setHandleFloor(std::uint64_t floor);
    // For files without a seed: every handle the file has. An object without a handle then gets
    // the one after the handle before it in the file (as the program that wrote the file
    // numbered it) unless the file uses that one.
    void setFileHandles(std::unordered_set<std::uint64_t> handles);
    // Prepares for a file of `bytes`, so that the handle index does not grow step by step.
    void expectFileSize(std::size_t bytes);

    void headerVariable(const std::string& name, std::vector<OwnedTag> tags);
    void addClass(std::vector<std::pair<int, std::string>> tags);
    // A TABLE record ("LAYER", ...) and then its records.
    void beginTable(const std::string& name, const Record& table);
    void tableRecord(const std::string& table, const Record& record);

    // BLOCK ... ENDBLK: the block's record (made when the file has no BLOCK_RECORD table).
    AcDbObjectId beginBlock(const Record& block);
    void endBlock(AcDbObjectId record, const Record& end);
    // An entity of a block (or of the ENTITIES section: model or paper space). Returns its id.
    // Both copy what they keep: the record may be read into again.
    AcDbObjectId entity(Record& record, AcDbObjectId block);
    AcDbObjectId attribute(Record& record, AcDbObjectId insert);
    void sequenceEnd(const Record& record, AcDbObjectId insert);
    AcDbObjectId modelSpace();
    AcDbObjectId paperSpace();

    void objects(std::vector<Record> records);
    // Standard records the file lacked, header references, then the database's own checks.
    // `notes` gets one line per kind of loss.
    std::unique_ptr<AcDbDatabase> finish(std::vector<std::string>* notes = nullptr);
    // Something the drawing cannot keep as read; counted and told once per kind.
    void noteLoss(const std::string& what) { ++losses_[what]; }

private:
    struct Names;
    std::uint64_t handleFor(const Record& r);
    AcDbObjectId add(AcDbObject* object, const Record& r, AcDbObjectId owner);
    AcDbObjectId addNew(AcDbObject* object, AcDbObjectId owner);
    void applyXData(AcDbObject& object, const Record& r);
    void keep(AcDbObjectId id, const std::string& type, veld::db::Tags tags);
    void keepRecord(AcDbObjectId id, const Record& r);
    void keepEntityRecord(AcDbObjectId id, const Record& r);
    AcDbObjectId rawEntity(Record& r, AcDbObjectId block);
    void noteRefused(const Record& r);
    void ensureRegApp(const std::string& name);
    void noteXDataApp(const std::string& name);
    void layerRecord(const Record& r, AcDbObjectId table);
    void ensureDefaults();
    AcDbObjectId idOfHandle(std::uint64_t handle);
    AcDbObjectId ensureTable(const std::string& name);
    AcDbObjectId ensureRecord(const std::string& table, const std::string& name);

    std::unique_ptr<AcDbDatabase> db_;
    veld::db::DatabaseImpl& impl_;
    std::unique_ptr<Names> names_;
    NameLookup lookup_;
    std::uint64_t floor_ = 0;
    std::uint64_t previous_ = 0; // the last handle met in file order
    std::unordered_set<std::uint64_t> fileHandles_;
    std::uint64_t blockBegin_ = 0; // the handle of the BLOCK being read
    veld::db::Tags blockBeginTags_;
    std::vector<veld::db::KeptTag> keptViews_;      // reused for every entity
    std::map<std::string, std::string> headerRefs_; // $CLAYER -> name, ...
    std::map<std::string, std::size_t> losses_;
    std::size_t kept_ = 0;
    std::unordered_set<std::string> headerNames_; // objects of kinds the database does not model
    std::string version_ = "AC1015";              // as the reader takes files without a header
    LayerHandleOf layerHandle_;
    std::vector<std::string> xdataApps_; // in the order first met
    std::unordered_set<std::string> xdataAppNames_;
};

} // namespace veld::dxf
