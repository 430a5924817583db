// Section by section output of a drawing.
// The save plan is made first; then HEADER, CLASSES, TABLES, BLOCKS, ENTITIES, OBJECTS.
#include "host/dxf/DxfWriter.h"

#include "host/dxf/DbAccess.h"
#include "host/dxf/EntityWriter.h"
#include "host/dxf/SavePlan.h"
#include "host/dxf/TableWriter.h"
#include "host/dxf/XDataCodec.h"

#include <dbdict.h>
#include <dbsymtb.h>
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
        out_.text(1, "AC1027");
        out_.text(9, "$DWGCODEPAGE");
        out_.text(3, "ANSI_1252");
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

    void classes() {
        section("CLASSES");
        for (const auto& tags : dbaccess::keptClasses(db_)) {
            out_.text(0, "CLASS");
            for (const auto& [code, value] : tags) {
                out_.raw(code, value);
            }
        }
        out_.text(0, "ENDSEC");
    }

    void blockBegin(const std::string& name, std::uint64_t record, std::uint64_t begin, int flags,
                    const AcGePoint3d& origin, bool paperSpace) {
        out_.text(0, "BLOCK");
        out_.handle(5, begin);
        out_.handle(330, record);
        out_.text(100, "AcDbEntity");
        if (paperSpace) {
            out_.integer(67, 1);
        }
        out_.text(8, "0");
        out_.text(100, "AcDbBlockBegin");
        out_.text(2, name);
        out_.integer(70, flags);
        out_.point(10, origin);
        out_.text(3, name);
        out_.text(1, "");
    }

    void blockEnd(std::uint64_t record, std::uint64_t end, bool paperSpace) {
        out_.text(0, "ENDBLK");
        out_.handle(5, end);
        out_.handle(330, record);
        out_.text(100, "AcDbEntity");
        if (paperSpace) {
            out_.integer(67, 1);
        }
        out_.text(8, "0");
        out_.text(100, "AcDbBlockEnd");
    }

    void blocks() {
        section("BLOCKS");
        for (const AcDbObjectId& id : blockRecordIds(db_)) {
            AcDbBlockTableRecord* record = nullptr;
            if (acdbOpenObject(record, id, AcDb::kForRead) != Acad::eOk) {
                continue;
            }
            const std::uint64_t h = id.handle().value();
            const bool paper = id == db_.paperSpaceId();
            const int flags =
                (record->isAnonymous() ? 1 : 0) | (record->hasAttributeDefinitions() ? 2 : 0);
            blockBegin(record->name(), h, plan_.blockBegin(id), flags, record->origin(), paper);
            if (const DimensionBlock* dim = plan_.blockOfRecord(id)) {
                entities_.writeGeometry(*dim);
            } else if (!record->isLayout()) {
                writeEntitiesOf(*record, h);
            }
            blockEnd(h, plan_.blockEnd(id), paper);
            record->close();
        }
        for (const DimensionBlock& dim : plan_.newBlocks()) {
            blockBegin(dim.name, dim.record, dim.begin, 1, AcGePoint3d::kOrigin, false);
            entities_.writeGeometry(dim);
            blockEnd(dim.record, dim.end, false);
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
        dbaccess::forEachObject(db_, [&](AcDbObjectId id) {
            if (id != root) {
                writeObject(id);
            }
        });
        out_.text(0, "ENDSEC");
    }

    void writeObject(AcDbObjectId id) {
        AcDbObject* object = nullptr;
        if (id.isNull() || acdbOpenAcDbObject(object, id, AcDb::kForRead) != Acad::eOk) {
            return;
        }
        std::string type;
        const dbaccess::Tags* tags = nullptr;
        if (AcDbEntity::cast(object) != nullptr || AcDbSymbolTable::cast(object) != nullptr ||
            AcDbSymbolTableRecord::cast(object) != nullptr) {
            // written with their blocks and tables
        } else if (auto* dict = AcDbDictionary::cast(object)) {
            writeDictionary(*dict);
        } else if (auto* group = AcDbGroup::cast(object)) {
            writeGroup(*group);
        } else if (dbaccess::rawContent(*object, type, tags)) {
            out_.text(0, type);
            out_.handle(5, id.handle().value());
            for (const auto& [code, value] : *tags) {
                out_.raw(code, value);
            }
            writeXData(out_, *object);
        }
        object->close();
    }

    void reactorsAndOwner(const AcDbObject& o, bool ownerIsReactor) {
        AcDbObjectIdArray reactors = o.persistentReactors();
        const AcDbObjectId owner = o.ownerId();
        if (ownerIsReactor && !owner.isNull() && reactors.find(owner) < 0) {
            reactors.insertAt(0, owner);
        }
        if (!reactors.isEmpty()) {
            out_.text(102, "{ACAD_REACTORS");
            for (const AcDbObjectId& r : reactors) {
                out_.handle(330, r.handle().value());
            }
            out_.text(102, "}");
        }
        out_.handle(330, owner.isNull() ? 0 : owner.handle().value());
    }

    void writeDictionary(const AcDbDictionary& dict) {
        out_.text(0, "DICTIONARY");
        out_.handle(5, dict.objectId().handle().value());
        reactorsAndOwner(dict, false);
        out_.text(100, "AcDbDictionary");
        out_.integer(281, 1);
        std::unique_ptr<AcDbDictionaryIterator> it(dict.newIterator());
        for (; !it->done(); it->next()) {
            out_.text(3, it->name());
            out_.handle(350, it->objectId().handle().value());
        }
        writeXData(out_, dict);
    }

    void writeGroup(const AcDbGroup& group) {
        out_.text(0, "GROUP");
        out_.handle(5, group.objectId().handle().value());
        reactorsAndOwner(group, true);
        out_.text(100, "AcDbGroup");
        out_.text(300, group.description());
        out_.integer(70, group.isAnonymous() ? 1 : 0);
        out_.integer(71, group.isSelectable() ? 1 : 0);
        AcDbObjectIdArray members;
        group.allEntityIds(members);
        for (const AcDbObjectId& m : members) {
            out_.handle(340, m.handle().value());
        }
        writeXData(out_, group);
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
