// Section by section output of a drawing.
// The save plan is made first; then HEADER, CLASSES, TABLES, BLOCKS, ENTITIES, OBJECTS.
#include "host/dxf/DxfWriter.h"

#include "host/dxf/DbAccess.h"
#include "host/dxf/EntityWriter.h"
#include "host/dxf/KeptRecord.h"
#include "host/dxf/LayoutPlan.h"
#include "host/dxf/SavePlan.h"
#include "host/dxf/TableWriter.h"
#include "host/dxf/XDataCodec.h"

#include <dbdict.h>
#include <dbsymtb.h>
#include <functional>
#include <map>
#include <set>

namespace veld::dxf {

namespace {

const std::set<std::string> kWrittenHeaderNames = {
    "$ACADVER", "$DWGCODEPAGE", "$HANDSEED", "$CLAYER", "$TEXTSTYLE", "$DIMSTYLE",
    "$USERR1",  "$USERR2",      "$USERR3",   "$USERR4", "$USERR5"};

class Writer {
public:
    Writer(const AcDbDatabase& db, TagSink& sink)
        : db_(db), out_(sink), plan_(db), entities_(out_, plan_) {}

    void run() {
        header();
        classes();
        section("TABLES");
        writeTables(db_, out_, plan_);
        out_.text(0, "ENDSEC");
        blocks();
        entities();
        objects();
        out_.text(0, "EOF");
    }

private:
    void section(const char* name) {
        out_.text(0, "SECTION");
        out_.text(2, name);
    }

    void header() {
        section("HEADER");
        out_.text(9, "$ACADVER");
        out_.text(1, keptHeaderValue("$ACADVER") == "AC1032" ? "AC1032" : "AC1027");
        out_.text(9, "$DWGCODEPAGE");
        const std::string codePage = keptHeaderValue("$DWGCODEPAGE");
        out_.text(3, codePage.empty() ? std::string("ANSI_1252") : codePage);
        out_.text(9, "$HANDSEED");
        out_.handle(5, plan_.handseed());
        out_.text(9, "$CLAYER");
        out_.text(8, nameOf(db_.clayer(), "0"));
        out_.text(9, "$TEXTSTYLE");
        out_.text(7, nameOf(db_.textstyle(), "STANDARD"));
        out_.text(9, "$DIMSTYLE");
        out_.text(2, nameOf(db_.dimstyle(), "STANDARD"));
        for (int i = 1; i <= 5; ++i) {
            out_.text(9, "$USERR" + std::to_string(i));
            out_.real(40, dbaccess::userReal(db_, i));
        }
        for (const auto& [name, tags] : dbaccess::keptHeader(db_)) {
            if (kWrittenHeaderNames.count(name) != 0) {
                continue;
            }
            out_.text(9, name);
            for (const auto& [code, value] : tags) {
                out_.raw(code, value);
            }
        }
        out_.text(0, "ENDSEC");
    }

    std::string keptHeaderValue(const std::string& name) const {
        for (const auto& [var, tags] : dbaccess::keptHeader(db_)) {
            if (var == name && !tags.empty()) {
                return tags.front().second;
            }
        }
        return {};
    }

    void classes() {
        section("CLASSES");
        bool layoutClass = false;
        for (const auto& tags : dbaccess::keptClasses(db_)) {
            out_.text(0, "CLASS");
            for (const auto& [code, value] : tags) {
                out_.raw(code, value);
                layoutClass = layoutClass || (code == 1 && value == "LAYOUT");
            }
        }
        if (!layoutClass && !plan_.layouts().newLayouts().empty()) {
            writeLayoutClass(out_);
        }
        out_.text(0, "ENDSEC");
    }

    static void blockBegin(TagWriter& out, const std::string& name, std::uint64_t record,
                           std::uint64_t begin, int flags, const AcGePoint3d& origin,
                           bool paperSpace) {
        out.text(0, "BLOCK");
        out.handle(5, begin);
        out.handle(330, record);
        out.text(100, "AcDbEntity");
        if (paperSpace) {
            out.integer(67, 1);
        }
        out.text(8, "0");
        out.text(100, "AcDbBlockBegin");
        out.text(2, name);
        out.integer(70, flags);
        out.point(10, origin);
        out.text(3, name);
        out.text(1, "");
    }

    static void blockEnd(TagWriter& out, std::uint64_t record, std::uint64_t end, bool paperSpace) {
        out.text(0, "ENDBLK");
        out.handle(5, end);
        out.handle(330, record);
        out.text(100, "AcDbEntity");
        if (paperSpace) {
            out.integer(67, 1);
        }
        out.text(8, "0");
        out.text(100, "AcDbBlockEnd");
    }

    void blocks() {
        section("BLOCKS");
        for (const AcDbObjectId& id : plan_.blockRecordsWritten()) {
            AcDbBlockTableRecord* record = nullptr;
            if (acdbOpenObject(record, id, AcDb::kForRead) != Acad::eOk) {
                continue;
            }
            const std::uint64_t h = id.handle().value();
            const bool paper = id == db_.paperSpaceId();
            const int flags =
                (record->isAnonymous() ? 1 : 0) | (record->hasAttributeDefinitions() ? 2 : 0);
            const auto kept = dbaccess::keptBlockMarkers(db_, id);
            const bool changed = dbaccess::changedSinceRead(*record);
            auto begin = [&](TagWriter& to) {
                Writer::blockBegin(to, record->name(), h, plan_.blockBegin(id), flags,
                                   record->origin(), paper);
            };
            if (kept) {
                writeKeptOrMerged(out_, kept->first, changed, 5, plan_.blockBegin(id), {}, h,
                                  begin);
            } else {
                begin(out_);
            }
            if (const DimensionBlock* dim = plan_.blockOfRecord(id)) {
                entities_.writeGeometry(*dim);
            } else if (id != db_.modelSpaceId() && id != db_.paperSpaceId()) {
                writeEntitiesOf(*record, h);
            }
            auto end = [&](TagWriter& to) { Writer::blockEnd(to, h, plan_.blockEnd(id), paper); };
            if (kept) {
                writeKeptOrMerged(out_, kept->second, changed, 5, plan_.blockEnd(id), {}, h, end);
            } else {
                end(out_);
            }
            record->close();
        }
        for (const DimensionBlock& dim : plan_.newBlocks()) {
            blockBegin(out_, dim.name, dim.record, dim.begin, 1, AcGePoint3d::kOrigin, false);
            entities_.writeGeometry(dim);
            blockEnd(out_, dim.record, dim.end, false);
        }
        out_.text(0, "ENDSEC");
    }

    void writeEntitiesOf(const AcDbBlockTableRecord& record, std::uint64_t owner) {
        for (const AcDbObjectId& id : record.entityIds()) {
            AcDbEntity* entity = nullptr;
            if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) == Acad::eOk) {
                entities_.write(*entity, owner);
                entity->close();
            }
        }
    }

    void entities() {
        section("ENTITIES");
        for (const AcDbObjectId& space : {db_.modelSpaceId(), db_.paperSpaceId()}) {
            AcDbBlockTableRecord* record = nullptr;
            if (!space.isNull() && acdbOpenObject(record, space, AcDb::kForRead) == Acad::eOk) {
                writeEntitiesOf(*record, space.handle().value());
                record->close();
            }
        }
        out_.text(0, "ENDSEC");
    }

    void objects() {
        section("OBJECTS");
        const AcDbObjectId root = db_.namedObjectsDictionaryId();
        writeObject(root);
        // The objects the save adds go in handle order among the others, as a reader finds them
        // when it writes the drawing again.
        std::map<std::uint64_t, std::function<void()>> added = addedObjects(root);
        auto writeAddedBelow = [&](std::uint64_t handle) {
            while (!added.empty() && added.begin()->first < handle) {
                added.begin()->second();
                added.erase(added.begin());
            }
        };
        dbaccess::forEachObject(db_, [&](AcDbObjectId id) {
            if (id != root) {
                writeAddedBelow(id.handle().value());
                writeObject(id);
            }
        });
        writeAddedBelow(UINT64_MAX);
        out_.text(0, "ENDSEC");
    }

    std::map<std::uint64_t, std::function<void()>> addedObjects(AcDbObjectId root) {
        const LayoutPlan& layouts = plan_.layouts();
        std::map<std::uint64_t, std::function<void()>> added;
        if (layouts.newDictionary()) {
            added[layouts.dictionary()] = [this, &layouts, root] {
                writeLayoutDictionary(out_, layouts, root.handle().value());
            };
        }
        for (const NewLayout& layout : layouts.newLayouts()) {
            added[layout.handle] = [this, &layouts, &layout] {
                writeNewLayout(out_, layout, layouts.dictionary());
            };
        }
        return added;
    }

    void writeObject(AcDbObjectId id) {
        AcDbObject* object = nullptr;
        if (id.isNull() || acdbOpenAcDbObject(object, id, AcDb::kForRead) != Acad::eOk) {
            return;
        }
        std::string type;
        if (AcDbEntity::cast(object) != nullptr || AcDbSymbolTable::cast(object) != nullptr ||
            AcDbSymbolTableRecord::cast(object) != nullptr) {
            // written with their blocks and tables
        } else if (auto* dict = AcDbDictionary::cast(object)) {
            // Entries and members change without a write open of their own (groups made or
            // erased): these are always merged, never written purely as read.
            const auto extra = dictionaryEntriesAdded(*dict);
            if (!writeAsKept(out_, *dict, 5, ownerHandle(*dict), true,
                             [&](TagWriter& to) { Writer::writeDictionary(to, *dict, extra); })) {
                writeDictionary(out_, *dict, extra);
            } else {
                writeXData(out_, *dict);
            }
        } else if (auto* group = AcDbGroup::cast(object)) {
            if (!writeAsKept(out_, *group, 5, ownerHandle(*group), true,
                             [&](TagWriter& to) { Writer::writeGroup(to, *group); })) {
                writeGroup(out_, *group);
            } else {
                writeXData(out_, *group);
            }
        } else if (const veld::db::RawTags* raw = dbaccess::rawTags(*object, type)) {
            out_.text(0, type);
            out_.handle(5, id.handle().value());
            raw->forEach([&](int code, std::string_view value) { out_.raw(code, value); });
            for (const auto& [name, handle] : dictionaryEntriesAdded(*object)) {
                out_.text(3, name);
                out_.handle(350, handle);
            }
            writeXData(out_, *object);
        }
        object->close();
    }

    // Entries the save adds: ACAD_LAYOUT to the named-object dictionary when it makes that
    // dictionary, new layouts to the ACAD_LAYOUT dictionary the drawing has.
    std::vector<std::pair<std::string, std::uint64_t>>
    dictionaryEntriesAdded(const AcDbObject& dictionary) const {
        const LayoutPlan& layouts = plan_.layouts();
        const std::uint64_t h = dictionary.objectId().handle().value();
        if (dictionary.objectId() == db_.namedObjectsDictionaryId()) {
            if (layouts.newDictionary()) {
                return {{"ACAD_LAYOUT", layouts.dictionary()}};
            }
            return {};
        }
        return h == layouts.dictionary() ? layouts.newEntries()
                                         : std::vector<std::pair<std::string, std::uint64_t>>{};
    }

    static std::uint64_t ownerHandle(const AcDbObject& o) {
        return o.ownerId().isNull() ? 0 : o.ownerId().handle().value();
    }

    static void reactorsAndOwner(TagWriter& out, const AcDbObject& o, bool ownerIsReactor) {
        AcDbObjectIdArray reactors = o.persistentReactors();
        const AcDbObjectId owner = o.ownerId();
        if (ownerIsReactor && !owner.isNull() && reactors.find(owner) < 0) {
            reactors.insertAt(0, owner);
        }
        if (!reactors.isEmpty()) {
            out.text(102, "{ACAD_REACTORS");
            for (const AcDbObjectId& r : reactors) {
                out.handle(330, r.handle().value());
            }
            out.text(102, "}");
        }
        out.handle(330, owner.isNull() ? 0 : owner.handle().value());
    }

    static void writeDictionary(TagWriter& out, const AcDbDictionary& dict,
                                const std::vector<std::pair<std::string, std::uint64_t>>& extra) {
        out.text(0, "DICTIONARY");
        out.handle(5, dict.objectId().handle().value());
        reactorsAndOwner(out, dict, false);
        out.text(100, "AcDbDictionary");
        out.integer(281, 1);
        std::unique_ptr<AcDbDictionaryIterator> it(dict.newIterator());
        for (; !it->done(); it->next()) {
            out.text(3, it->name());
            out.handle(350, it->objectId().handle().value());
        }
        for (const auto& [name, handle] : extra) {
            out.text(3, name);
            out.handle(350, handle);
        }
        writeXData(out, dict);
    }

    static void writeGroup(TagWriter& out, const AcDbGroup& group) {
        out.text(0, "GROUP");
        out.handle(5, group.objectId().handle().value());
        reactorsAndOwner(out, group, true);
        out.text(100, "AcDbGroup");
        out.text(300, group.description());
        out.integer(70, group.isAnonymous() ? 1 : 0);
        out.integer(71, group.isSelectable() ? 1 : 0);
        AcDbObjectIdArray members;
        group.allEntityIds(members);
        for (const AcDbObjectId& m : members) {
            out.handle(340, m.handle().value());
        }
        writeXData(out, group);
    }

    const AcDbDatabase& db_;
    TagWriter out_;
    SavePlan plan_;
    EntityWriter entities_;
};

} // namespace

void writeDrawing(const AcDbDatabase& db, TagSink& sink) {
    Writer(db, sink).run();
}

} // namespace veld::dxf
