// Building the database from the records of a file.
// Records are looked up by name per table; handles follow the file, new ones never collide.
#include "host/dxf/DrawingBuilder.h"

#include "host/db/DatabaseImpl.h"
#include "host/db/HandleLimit.h"
#include "host/db/ObjectAccess.h"
#include "host/db/XData.h"
#include "host/dxf/DbAccess.h"
#include "host/dxf/LegacyEntity.h"
#include "host/dxf/XDataCodec.h"

#include <algorithm>
#include <dbdict.h>
#include <dbsymtb.h>
#include <unordered_map>

namespace veld::dxf {

namespace {

std::string upper(std::string_view s) {
    return veld::db::upperAscii(s);
}

// The subclass of a table's records: R12 files write none, the files we write need it.
const std::map<std::string, std::string> kRecordSubclass = {
    {"LAYER", "AcDbLayerTableRecord"},     {"LTYPE", "AcDbLinetypeTableRecord"},
    {"STYLE", "AcDbTextStyleTableRecord"}, {"DIMSTYLE", "AcDbDimStyleTableRecord"},
    {"APPID", "AcDbRegAppTableRecord"},    {"BLOCK_RECORD", "AcDbBlockTableRecord"},
    {"DICTIONARY", "AcDbDictionary"},      {"GROUP", "AcDbGroup"}};

bool hasMarker(const veld::db::Tags& tags) {
    return std::any_of(tags.begin(), tags.end(), [](const auto& t) { return t.first == 100; });
}

const std::string kRefusedValues = "values that do not fit their group codes left out";

const std::map<std::string, int> kUserReals = {
    {"$USERR1", 1}, {"$USERR2", 2}, {"$USERR3", 3}, {"$USERR4", 4}, {"$USERR5", 5}};

} // namespace

// Records by upper-case name per table, and table ids by table name.
struct DrawingBuilder::Names {
    std::unordered_map<std::string, std::unordered_map<std::string, AcDbObjectId>> records;
    std::unordered_map<std::string, AcDbObjectId> tables;
    AcDbObjectId find(const std::string& table, const std::string& name) const {
        const auto t = records.find(table);
        if (t == records.end()) {
            return {};
        }
        const auto r = t->second.find(upper(name));
        return r == t->second.end() ? AcDbObjectId() : r->second;
    }
};

DrawingBuilder::DrawingBuilder()
    : db_(std::make_unique<AcDbDatabase>(false, true)), impl_(db_->impl()),
      names_(std::make_unique<Names>()) {
    lookup_.layer = [this](const std::string& n) { return ensureRecord("LAYER", n); };
    lookup_.linetype = [this](const std::string& n) {
        const AcDbObjectId id = names_->find("LTYPE", n);
        const std::string u = upper(n);
        if (!id.isNull() || (u != "BYBLOCK" && u != "BYLAYER")) {
            return id;
        }
        return ensureRecord("LTYPE", u == "BYBLOCK" ? "ByBlock" : "ByLayer"); // R12 files lack them
    };
    lookup_.textStyle = [this](const std::string& n) { return names_->find("STYLE", n); };
    lookup_.dimStyle = [this](const std::string& n) { return names_->find("DIMSTYLE", n); };
    // A block may be defined after its first reference (R12 files).
    lookup_.block = [this](const std::string& n) {
        return n.empty() ? AcDbObjectId() : ensureRecord("BLOCK_RECORD", n);
    };
    layerHandle_ = [this](const std::string& n) {
        const AcDbObjectId id = lookup_.layer(n);
        return id.isNull() ? std::uint64_t(0) : id.handle().value();
    };
}

DrawingBuilder::~DrawingBuilder() = default;

void DrawingBuilder::setHandleFloor(std::uint64_t floor) {
    floor_ = std::max(floor_, floor);
}

void DrawingBuilder::setFileHandles(std::unordered_set<std::uint64_t> handles) {
    for (std::uint64_t h : handles) {
        floor_ = std::max(floor_, h + 1);
    }
    fileHandles_ = std::move(handles);
}

void DrawingBuilder::expectFileSize(std::size_t bytes) {
    impl_.reserveObjects(bytes / 256); // objects take some 150 to 300 bytes of a file
}

std::uint64_t DrawingBuilder::handleFor(const Record& r) {
    auto isFree = [&](std::uint64_t h) {
        const AcDbStub* stub = impl_.findStub(h);
        return h != 0 && (stub == nullptr || (stub->object == nullptr && !stub->gone));
    };
    if (r.handle != 0 && isFree(r.handle)) {
        return previous_ = r.handle;
    }
    // No handle: the next one in the file's own numbering when nobody uses it.
    if (r.handle == 0 && !fileHandles_.empty() && previous_ < veld::db::kMaxHandle &&
        fileHandles_.count(previous_ + 1) == 0 && isFree(previous_ + 1)) {
        return ++previous_;
    }
    // Otherwise (or for a handle already taken in a broken file) one above everything seen.
    const std::uint64_t h = impl_.freeHandleFrom(std::max(floor_, impl_.handseed()));
    floor_ = h + 1;
    return h;
}

AcDbObjectId DrawingBuilder::add(AcDbObject* object, const Record& r, AcDbObjectId owner) {
    std::unique_ptr<AcDbObject> guard(object);
    if (!r.xdata.empty()) {
        applyXData(*object, r);
    }
    AcDbObjectId id;
    if (impl_.addLoadedObject(object, AcDbHandle(handleFor(r)), owner, id) != Acad::eOk) {
        if (r.source == nullptr) {
            throw DxfError("the drawing's standard records cannot be made");
        }
        r.source->fail(r.line, "the " + r.type + " cannot be added to the drawing");
    }
    guard.release();
    for (std::uint64_t reactor : r.reactors) { // dangling ones go at the end of the load
        const AcDbObjectId target = idOfHandle(reactor);
        if (!target.isNull() && target != id) {
            veld::db::ObjectAccess::insertReactor(*object, target.stub(), SIZE_MAX);
        }
    }
    return id;
}

AcDbObjectId DrawingBuilder::addNew(AcDbObject* object, AcDbObjectId owner) {
    Record none;
    return add(object, none, owner);
}

AcDbObjectId DrawingBuilder::idOfHandle(std::uint64_t handle) {
    if (handle == 0) {
        return {};
    }
    AcDbStub* stub = impl_.findStub(handle);
    return stub != nullptr ? AcDbObjectId(stub) : impl_.reserveHandle(AcDbHandle(handle));
}

void DrawingBuilder::ensureRegApp(const std::string& name) {
    if (names_->find("APPID", name).isNull()) {
        auto* record = new AcDbRegAppTableRecord();
        veld::db::ObjectAccess::recordName(*record) = name;
        names_->records["APPID"][upper(name)] = addNew(record, ensureTable("APPID"));
    }
}

// Applications are registered when the file is read: records met before the APPID table (a
// layer's extended data) must not take the places of the table's own records.
void DrawingBuilder::noteXDataApp(const std::string& name) {
    if (xdataAppNames_.insert(name).second) {
        xdataApps_.push_back(name);
    }
}

void DrawingBuilder::applyXData(AcDbObject& object, const Record& r) {
    try {
        const auto noteApp = [this](const std::string& app) { noteXDataApp(app); };
        if (readXData(object, r.xdata, noteApp, &impl_) != 0) {
            noteLoss("extended data over 64 KB for one application left out");
        }
    } catch (const DxfError& e) {
        r.source->fail(r.line, r.type + ": " + e.what());
    }
}

void DrawingBuilder::headerVariable(const std::string& name, std::vector<OwnedTag> tags) {
    if (tags.empty()) {
        return;
    }
    if (name == "$ACADVER") {
        version_ = tags.front().value;
    }
    if (name == "$HANDSEED") {
        std::uint64_t seed = 0;
        if (parseHandle(tags.front().value, seed)) {
            setHandleFloor(seed);
        }
        return;
    }

    if (const auto user = kUserReals.find(name); user != kUserReals.end()) {
        double v = 0.0;
        if (parseDouble(tags.front().value, v)) {
            impl_.setUserR(user->second, v);
        }
        return;
    }
    if (name == "$CLAYER" || name == "$TEXTSTYLE" || name == "$DIMSTYLE") {
        headerRefs_[name] = tags.front().value;
        return;
    }
    veld::db::Tags kept;
    for (auto& tag : tags) {
        if (fitsItsCode(tag.code, tag.value)) {
            kept.emplace_back(tag.code, std::move(tag.value));
        } else {
            noteLoss(kRefusedValues);
        }
    }
    auto& variables = impl_.headerVariables();
    if (!headerNames_.insert(name).second) { // given again (once before the first section)
        for (auto& [known, values] : variables) {
            if (known == name) {
                values = std::move(kept);
                return;
            }
        }
    }
    variables.emplace_back(name, std::move(kept));
}

void DrawingBuilder::addClass(std::vector<std::pair<int, std::string>> tags) {
    impl_.classes().push_back(std::move(tags));
}

AcDbObjectId DrawingBuilder::modelSpace() {
    AcDbObjectId id = ensureRecord("BLOCK_RECORD", ACDB_MODEL_SPACE);
    impl_.ids().modelSpace = id;
    return id;
}

AcDbObjectId DrawingBuilder::paperSpace() {
    AcDbObjectId id = ensureRecord("BLOCK_RECORD", ACDB_PAPER_SPACE);
    impl_.ids().paperSpace = id;
    return id;
}

AcDbObjectId DrawingBuilder::entity(Record& r, AcDbObjectId block) {
    upgradeEntityRecord(version_, r, layerHandle_);
    if (!isModelledEntity(r)) {
        return rawEntity(r, block);
    }
    const AcDbObjectId id = add(buildEntity(r, lookup_), r, block);
    keepEntityRecord(id, r);
    noteRefused(r);
    return id;
}

// An entity of a kind the database does not model, its tags packed where the database keeps
// its records; entities of R12 files get their subclass markers first.
AcDbObjectId DrawingBuilder::rawEntity(Record& r, AcDbObjectId block) {
    veld::db::Tags marked;
    if (r.keptTagViews(keptViews_)) {
        keptViews_.erase(keptViews_.begin()); // the type is the object's own
    } else {
        marked.reserve(keptViews_.size() + 4);
        for (std::size_t i = 1; i < keptViews_.size(); ++i) {
            marked.emplace_back(keptViews_[i].first, keptViews_[i].second);
        }
        addSubclassMarkers(r.type, marked);
        keptViews_.assign(marked.begin(), marked.end());
    }
    const AcDbObjectId id = add(dbaccess::makeRawEntity(*db_, r.type, keptViews_), r, block);
    ++kept_;
    noteRefused(r);
    return id;
}

// Records with subclass markers go to the database as they are; R12 records get them first.
void DrawingBuilder::keepEntityRecord(AcDbObjectId id, const Record& r) {
    if (r.keptTagViews(keptViews_)) {
        dbaccess::keepRecord(*db_, id, keptViews_);
        return;
    }
    veld::db::Tags tags;
    tags.reserve(keptViews_.size() + 4);
    for (const auto& [code, value] : keptViews_) {
        tags.emplace_back(code, value);
    }
    addSubclassMarkers(r.type, tags);
    dbaccess::keepRecord(*db_, id, tags);
}

AcDbObjectId DrawingBuilder::attribute(Record& r, AcDbObjectId insert) {
    return entity(r, insert);
}

void DrawingBuilder::noteRefused(const Record& r) {
    if (r.refusedValues != 0) {
        noteLoss(kRefusedValues);
        r.refusedValues = 0;
    }
}

void DrawingBuilder::keep(AcDbObjectId id, const std::string& type, veld::db::Tags tags) {
    tags.insert(tags.begin(), {0, type});
    dbaccess::keepRecord(*db_, id, std::move(tags));
}

// A table record or object as read; records of R12 files get the subclass markers they lack.
void DrawingBuilder::keepRecord(AcDbObjectId id, const Record& r) {
    veld::db::Tags tags = r.keptTags();
    const auto subclass = kRecordSubclass.find(r.type);
    if (!hasMarker(tags) && subclass != kRecordSubclass.end()) {
        const bool table = r.type != "DICTIONARY" && r.type != "GROUP";
        tags.insert(tags.begin(), {100, subclass->second});
        if (table) {
            tags.insert(tags.begin(), {100, "AcDbSymbolTableRecord"});
        }
    }
    keep(id, r.type, std::move(tags));
    noteRefused(r);
}

void DrawingBuilder::sequenceEnd(const Record& r, AcDbObjectId insert) {
    if (r.handle != 0 && impl_.findStub(r.handle) == nullptr) {
        dbaccess::setSequenceEnd(*db_, insert.handle().value(), r.handle);
    }
}

AcDbObjectId DrawingBuilder::beginBlock(const Record& r) {
    const std::string name = r.text(2);
    AcDbObjectId id = ensureRecord("BLOCK_RECORD", name);
    AcDbBlockTableRecord* record = nullptr;
    if (acdbOpenObject(record, id, AcDb::kForWrite) == Acad::eOk) {
        record->setOrigin(r.point(10));
        record->close();
    }
    blockBegin_ = r.handle != 0 && impl_.findStub(r.handle) == nullptr ? r.handle : 0;
    blockBeginTags_ = r.keptTags();
    addSubclassMarkers("BLOCK", blockBeginTags_);
    blockBeginTags_.insert(blockBeginTags_.begin(), {0, "BLOCK"});
    return id;
}

void DrawingBuilder::endBlock(AcDbObjectId record, const Record& end) {
    if (end.type != "ENDBLK") {
        end.source->fail(end.line, "expected \"0 ENDBLK\", found \"0 " + end.type + "\"");
    }
    if (blockBegin_ != 0 && end.handle != 0 && impl_.findStub(end.handle) == nullptr) {
        dbaccess::setBlockMarkers(*db_, record, blockBegin_, end.handle);
    }
    veld::db::Tags endTags = end.keptTags();
    addSubclassMarkers("ENDBLK", endTags);
    endTags.insert(endTags.begin(), {0, "ENDBLK"});
    dbaccess::keepBlockMarkers(*db_, record, blockBeginTags_, endTags);
}

AcDbObjectId DrawingBuilder::ensureTable(const std::string& name) {
    if (names_->tables.count(name) == 0) {
        Record none;
        beginTable(name, none);
    }
    const auto it = names_->tables.find(name);
    return it == names_->tables.end() ? AcDbObjectId() : it->second;
}

// A record by name, made with its table's defaults when the file has none.
AcDbObjectId DrawingBuilder::ensureRecord(const std::string& table, const std::string& name) {
    if (AcDbObjectId id = names_->find(table, name); !id.isNull()) {
        return id;
    }
    AcDbSymbolTableRecord* record = nullptr;
    if (table == "LAYER") {
        auto* layer = new AcDbLayerTableRecord();
        layer->setLinetypeObjectId(names_->find("LTYPE", "Continuous"));
        record = layer;
    } else if (table == "LTYPE") {
        record = new AcDbLinetypeTableRecord();
    } else if (table == "STYLE") {
        record = new AcDbTextStyleTableRecord();
    } else if (table == "DIMSTYLE") {
        record = new AcDbDimStyleTableRecord();
    } else if (table == "APPID") {
        record = new AcDbRegAppTableRecord();
    } else {
        record = new AcDbBlockTableRecord();
    }
    veld::db::ObjectAccess::recordName(*record) = name;
    const AcDbObjectId id = addNew(record, ensureTable(table));
    names_->records[table][upper(name)] = id;
    return id;
}

void DrawingBuilder::beginTable(const std::string& name, const Record& table) {
    if (names_->tables.count(name) != 0) {
        return; // a second table of the same kind adds to the first
    }
    if (name == "VPORT" || name == "VIEW" || name == "UCS") {
        const AcDbObjectId id = add(dbaccess::makeRawTable(name, {}), table, AcDbObjectId());
        impl_.rawTables().push_back(id);
        names_->tables[name] = id;
        return;
    }
    AcDbObject* object = nullptr;
    if (name == "LAYER") {
        object = new AcDbLayerTable();
    } else if (name == "LTYPE") {
        object = new AcDbLinetypeTable();
    } else if (name == "STYLE") {
        object = new AcDbTextStyleTable();
    } else if (name == "DIMSTYLE") {
        object = new AcDbDimStyleTable();
    } else if (name == "APPID") {
        object = new AcDbRegAppTable();
    } else if (name == "BLOCK_RECORD") {
        object = new AcDbBlockTable();
    } else {
        return; // unknown tables are not kept
    }
    const AcDbObjectId id = add(object, table, AcDbObjectId());
    names_->tables[name] = id;
    auto& ids = impl_.ids();
    (name == "LAYER"      ? ids.layerTable
     : name == "LTYPE"    ? ids.linetypeTable
     : name == "STYLE"    ? ids.textStyleTable
     : name == "DIMSTYLE" ? ids.dimStyleTable
     : name == "APPID"    ? ids.regAppTable
                          : ids.blockTable) = id;
}

void DrawingBuilder::layerRecord(const Record& r, AcDbObjectId table) {
    auto layer = std::make_unique<AcDbLayerTableRecord>(); // values may still be refused
    const auto flags = r.integer(70);
    const auto color = r.integer(62, 7);
    AcCmColor c;
    c.setColorIndex(
        static_cast<Adesk::UInt16>(color == 0 ? 7 : std::min<std::int64_t>(std::abs(color), 255)));
    layer->setColor(c);
    layer->setIsOff(color < 0);
    layer->setIsFrozen(flags & 1);
    layer->setIsLocked(flags & 4);
    layer->setIsPlottable(r.integer(290, 1) != 0);
    layer->setLinetypeObjectId(names_->find("LTYPE", r.text(6, "Continuous")));
    veld::db::ObjectAccess::recordName(*layer) = r.text(2);
    const AcDbObjectId id = add(layer.release(), r, table);
    names_->records["LAYER"][upper(r.text(2))] = id;
    keepRecord(id, r);
}

void DrawingBuilder::tableRecord(const std::string& table, const Record& r) {
    const std::string name = r.text(2);
    const AcDbObjectId tableId = ensureTable(table);
    if (table == "VPORT" || table == "VIEW" || table == "UCS") {
        add(dbaccess::makeRawRecord(table, name, r.keptTags()), r, tableId);
        noteRefused(r);
        return;
    }
    // A text style without a name loads a shape file (for complex linetypes): kept, but not
    // found by name.
    const bool shapeFile = table == "STYLE" && name.empty() && (r.integer(70) & 1) != 0;
    if (tableId.isNull() || (name.empty() && !shapeFile) || !names_->find(table, name).isNull()) {
        noteLoss("table records without a name or with a repeated name left out");
        return;
    }
    std::unique_ptr<AcDbSymbolTableRecord> record; // values may still be refused
    if (table == "LAYER") {
        layerRecord(r, tableId);
        return;
    }
    if (table == "LTYPE") {
        auto ltype = std::make_unique<AcDbLinetypeTableRecord>();
        ltype->setComments(r.text(3).c_str());
        std::vector<double> dashes;
        for (const ReadTag& tag : r.body) {
            if (tag.code == 49) {
                dashes.push_back(r.realOf(tag));
            }
        }
        ltype->setDashes(dashes);
        record = std::move(ltype);
    } else if (table == "STYLE") {
        auto style = std::make_unique<AcDbTextStyleTableRecord>();
        style->setTextSize(r.real(40));
        style->setXScale(r.real(41, 1.0));
        style->setFileName(r.text(3).c_str());
        style->setBigFontFileName(r.text(4).c_str());
        record = std::move(style);
    } else if (table == "DIMSTYLE") {
        auto d = std::make_unique<AcDbDimStyleTableRecord>();
        d->setDimscale(r.real(40, 1.0));
        d->setDimasz(r.real(41, 0.18));
        d->setDimexo(r.real(42, 0.0625));
        d->setDimexe(r.real(44, 0.18));
        d->setDimtxt(r.real(140, 0.18));
        d->setDimtsz(r.real(142, 0.0));
        d->setDimgap(r.real(147, 0.09));
        d->setDimtad(r.integer(77) != 0);
        d->setDimdec(static_cast<int>(r.integer(271, 4)));
        // The text style by handle; some programs write its name instead.
        std::uint64_t style = 0;
        const std::string styleRef = r.text(340);
        if (parseHandle(styleRef, style)) {
            d->setDimtxsty(idOfHandle(style));
        } else if (!styleRef.empty()) {
            d->setDimtxsty(names_->find("STYLE", styleRef));
        }
        record = std::move(d);
    } else if (table == "APPID") {
        record = std::make_unique<AcDbRegAppTableRecord>();
    } else {
        record = std::make_unique<AcDbBlockTableRecord>();
    }
    veld::db::ObjectAccess::recordName(*record) = name;
    const AcDbObjectId id = add(record.release(), r, tableId);
    if (!shapeFile) {
        names_->records[table][upper(name)] = id;
    }
    keepRecord(id, r);
}

void DrawingBuilder::objects(std::vector<Record> records) {
    // The first dictionary is the root; its ACAD_GROUP entry names the group dictionary.
    std::uint64_t root = 0, groups = 0;
    for (const Record& r : records) {
        if (r.type == "DICTIONARY") {
            root = r.handle;
            for (std::size_t i = 0; i + 1 < r.body.size(); ++i) {
                if (r.body[i].code == 3 && r.body[i].value == "ACAD_GROUP") {
                    parseHandle(r.body[i + 1].value, groups);
                }
            }
            break;
        }
    }
    for (const Record& r : records) {
        const bool isRoot = r.handle == root && r.type == "DICTIONARY";
        const bool isGroupDict = r.handle == groups && groups != 0 && r.type == "DICTIONARY";
        if (isRoot || isGroupDict) {
            const AcDbObjectId id =
                add(new AcDbDictionary(), r, isRoot ? AcDbObjectId() : idOfHandle(r.owner));
            (isRoot ? impl_.ids().namedObjects : impl_.ids().groupDictionary) = id;
            keepRecord(id, r);
            for (std::size_t i = 0; i + 1 < r.body.size(); ++i) {
                if (r.body[i].code == 3 &&
                    (r.body[i + 1].code == 350 || r.body[i + 1].code == 360)) {
                    std::uint64_t value = 0;
                    if (parseHandle(r.body[i + 1].value, value)) {
                        impl_.addLoadedDictionaryEntry(id, std::string(r.body[i].value),
                                                       idOfHandle(value));
                    }
                }
            }
        } else if (r.type == "GROUP" && groups != 0 && r.owner == groups) {
            auto* group = new AcDbGroup(r.text(300).c_str(), r.integer(71, 1) != 0);
            const AcDbObjectId id = add(group, r, idOfHandle(r.owner));
            keepRecord(id, r);
            for (const ReadTag& tag : r.body) {
                std::uint64_t member = 0;
                if (tag.code == 340 && parseHandle(tag.value, member)) {
                    impl_.addLoadedGroupMember(id, idOfHandle(member));
                }
            }
        } else {
            r.keptTagViews(keptViews_);
            keptViews_.erase(keptViews_.begin()); // the type is the object's own
            add(dbaccess::makeRawObject(*db_, r.type, keptViews_), r, idOfHandle(r.owner));
            ++kept_;
            noteRefused(r);
        }
    }
}

void DrawingBuilder::ensureDefaults() {
    for (const char* lt : {"ByBlock", "ByLayer", "Continuous"}) {
        ensureRecord("LTYPE", lt);
    }
    auto& ids = impl_.ids();
    ids.byBlock = names_->find("LTYPE", "ByBlock");
    ids.byLayer = names_->find("LTYPE", "ByLayer");
    ids.continuous = names_->find("LTYPE", "Continuous");
    ids.layerZero = ensureRecord("LAYER", "0");
    ids.standardTextStyle = ensureRecord("STYLE", "STANDARD");
    ids.standardDimStyle = ensureRecord("DIMSTYLE", "STANDARD");
    ensureRecord("APPID", "ACAD");
    modelSpace();
    paperSpace();
    ids.currentSpace = ids.modelSpace;
    if (ids.namedObjects.isNull()) {
        ids.namedObjects = addNew(new AcDbDictionary(), AcDbObjectId());
    }
    if (ids.groupDictionary.isNull()) {
        ids.groupDictionary = addNew(new AcDbDictionary(), ids.namedObjects);
        impl_.addLoadedDictionaryEntry(ids.namedObjects, "ACAD_GROUP", ids.groupDictionary);
    }
    auto named = [&](const char* var, const char* table, AcDbObjectId fallback) {
        const auto it = headerRefs_.find(var);
        const AcDbObjectId id =
            it != headerRefs_.end() ? names_->find(table, it->second) : AcDbObjectId();
        return id.isNull() ? fallback : id;
    };
    ids.clayer = named("$CLAYER", "LAYER", ids.layerZero);
    ids.textstyle = named("$TEXTSTYLE", "STYLE", ids.standardTextStyle);
    ids.dimstyle = named("$DIMSTYLE", "DIMSTYLE", ids.standardDimStyle);
}

std::unique_ptr<AcDbDatabase> DrawingBuilder::finish(std::vector<std::string>* notes) {
    impl_.setHandseed(floor_); // the file's own seed, when it is above every handle read
    for (const std::string& app : xdataApps_) {
        ensureRegApp(app);
    }
    ensureDefaults();
    const veld::db::LoadRepairs repairs = impl_.finishLoading();
    if (notes != nullptr) {
        for (const auto& [what, count] : losses_) {
            notes->push_back(what + ": " + std::to_string(count));
        }
        if (kept_ != 0) {
            notes->push_back("kept " + std::to_string(kept_) + " objects of unknown kind as read");
        }
        if (repairs.count != 0) {
            notes->push_back("repaired or completed " + std::to_string(repairs.count) +
                             " references and standard records (first: " + repairs.lines.front() +
                             ")");
        }
    }
    return std::move(db_);
}

} // namespace veld::dxf
