// Symbol tables and their records in DXF R2013 form.
// Records of the modelled tables come from their classes, the others are written as read.
#include "host/dxf/TableWriter.h"

#include "host/dxf/DbAccess.h"
#include "host/dxf/KeptRecord.h"
#include "host/dxf/XDataCodec.h"

#include <algorithm>
#include <dbsymtb.h>

namespace veld::dxf {

namespace {

template <class Table>
AcDbObjectIdArray idsOf(const AcDbDatabase& db,
                        Acad::ErrorStatus (AcDbDatabase::*get)(Table*&, AcDb::OpenMode)) {
    Table* table = nullptr;
    if ((const_cast<AcDbDatabase&>(db).*get)(table, AcDb::kForRead) != Acad::eOk) {
        return {};
    }
    AcDbObjectIdArray ids = table->recordIds();
    table->close();
    return ids;
}

class TableOut {
public:
    TableOut(TagWriter& out, const SavePlan& plan) : out_(out), plan_(plan) {}

    void begin(const char* name, std::uint64_t handle, std::size_t count) {
        out_.text(0, "TABLE");
        out_.text(2, name);
        out_.handle(5, handle);
        out_.handle(330, 0);
        out_.text(100, "AcDbSymbolTable");
        out_.integer(70, static_cast<std::int64_t>(count));
        if (std::string_view(name) == "DIMSTYLE") {
            out_.text(100, "AcDbDimStyleTable");
            out_.integer(71, 0);
        }
    }
    void end() { out_.text(0, "ENDTAB"); }

    void recordHead(const char* type, const char* subclass, const AcDbSymbolTableRecord& r,
                    std::uint64_t table) {
        out_.text(0, type);
        out_.handle(std::string_view(type) == "DIMSTYLE" ? 105 : 5, r.objectId().handle().value());
        out_.handle(330, table);
        out_.text(100, "AcDbSymbolTableRecord");
        out_.text(100, subclass);
        out_.text(2, r.name());
    }

    void raw(const AcDbDatabase& db, const char* name) {
        const AcDbObjectId tableId = rawTableNamed(db, name);
        AcDbSymbolTable* table = nullptr;
        AcDbObjectIdArray ids;
        if (!tableId.isNull() && acdbOpenObject(table, tableId, AcDb::kForRead) == Acad::eOk) {
            ids = table->recordIds();
            table->close();
        }
        const bool active = std::string_view(name) == "VPORT" && plan_.activeViewport() != 0;
        begin(name, plan_.extraHandle(name), static_cast<std::size_t>(ids.length()) + active);
        if (active) {
            activeViewport();
        }
        for (const AcDbObjectId& id : ids) {
            AcDbObject* record = nullptr;
            if (acdbOpenAcDbObject(record, id, AcDb::kForRead) != Acad::eOk) {
                continue;
            }
            std::string type;
            const dbaccess::Tags* tags = nullptr;
            if (dbaccess::rawContent(*record, type, tags)) {
                out_.text(0, name);
                out_.handle(5, id.handle().value());
                for (const auto& [code, value] : *tags) {
                    out_.raw(code, value);
                }
                writeXData(out_, *record);
            }
            record->close();
        }
        end();
    }

    // The "*Active" viewport of a drawing that has none, looking at model space's extents.
    void activeViewport() {
        const AcGePoint3d& lo = plan_.extentsMin;
        const AcGePoint3d& hi = plan_.extentsMax;
        out_.text(0, "VPORT");
        out_.handle(5, plan_.activeViewport());
        out_.handle(330, plan_.extraHandle("VPORT"));
        out_.text(100, "AcDbSymbolTableRecord");
        out_.text(100, "AcDbViewportTableRecord");
        out_.text(2, "*Active");
        out_.integer(70, 0);
        out_.point2d(10, 0.0, 0.0);
        out_.point2d(11, 1.0, 1.0);
        out_.point2d(12, (lo.x + hi.x) / 2.0, (lo.y + hi.y) / 2.0);
        out_.point2d(13, 0.0, 0.0);
        out_.point2d(14, 10.0, 10.0);
        out_.point2d(15, 10.0, 10.0);
        out_.point(16, AcGePoint3d(0.0, 0.0, 1.0));
        out_.point(17, AcGePoint3d::kOrigin);
        const double height = std::max({hi.y - lo.y, (hi.x - lo.x) / 1.5, 1.0}) * 1.1;
        out_.real(40, height);
        out_.real(41, 1.5);
        out_.real(42, 50.0);
        out_.integer(71, 0);
        out_.integer(72, 1000);
        out_.integer(73, 1);
        out_.integer(74, 3);
        out_.integer(75, 0);
        out_.integer(76, 0);
        out_.integer(77, 0);
        out_.integer(78, 0);
    }

    template <class Record, class Table, class Body>
    void modelled(const AcDbDatabase& db, const char* name, const char* subclass,
                  Acad::ErrorStatus (AcDbDatabase::*get)(Table*&, AcDb::OpenMode), Body body) {
        const AcDbObjectIdArray ids = idsOf(db, get);
        Table* table = nullptr;
        std::uint64_t tableHandle = 0;
        if ((const_cast<AcDbDatabase&>(db).*get)(table, AcDb::kForRead) == Acad::eOk) {
            tableHandle = table->objectId().handle().value();
            table->close();
        }
        begin(name, tableHandle, static_cast<std::size_t>(ids.length()));
        for (const AcDbObjectId& id : ids) {
            Record* record = nullptr;
            if (acdbOpenObject(record, id, AcDb::kForRead) != Acad::eOk) {
                continue;
            }
            const int handleCode = std::string_view(name) == "DIMSTYLE" ? 105 : 5;
            auto generate = [&](TagWriter& to) {
                TableOut(to, plan_).recordHead(name, subclass, *record, tableHandle);
                body(to, *record);
            };
            if (!writeAsKept(out_, *record, handleCode, tableHandle, generate)) {
                generate(out_);
            }
            writeXData(out_, *record);
            record->close();
        }
        end();
    }

    TagWriter& out_;
    const SavePlan& plan_;
};

} // namespace

std::string nameOf(AcDbObjectId id, const char* fallback) {
    AcDbSymbolTableRecord* record = nullptr;
    if (id.isNull() || acdbOpenObject(record, id, AcDb::kForRead) != Acad::eOk) {
        return fallback;
    }
    std::string name = record->name();
    record->close();
    return name;
}

std::vector<AcDbObjectId> blockRecordIds(const AcDbDatabase& db) {
    const AcDbObjectIdArray ids = idsOf(db, &AcDbDatabase::getBlockTable);
    return std::vector<AcDbObjectId>(ids.begin(), ids.end());
}

namespace {

void writeDimStyles(const AcDbDatabase& db, TableOut& t) {
    t.modelled<AcDbDimStyleTableRecord>(db, "DIMSTYLE", "AcDbDimStyleTableRecord",
                                        &AcDbDatabase::getDimStyleTable,
                                        [&](TagWriter& to, const AcDbDimStyleTableRecord& r) {
                                            to.integer(70, 0);
                                            to.real(40, r.dimscale());
                                            to.real(41, r.dimasz());
                                            to.real(42, r.dimexo());
                                            to.real(44, r.dimexe());
                                            to.real(140, r.dimtxt());
                                            to.real(142, r.dimtsz());
                                            to.real(147, r.dimgap());
                                            to.integer(77, r.dimtad() ? 1 : 0);
                                            to.integer(271, r.dimdec());
                                            if (!r.dimtxsty().isNull()) {
                                                to.handle(340, r.dimtxsty().handle().value());
                                            }
                                        });
}

// True when a block record as read names no layout or another one than `layout` (a layout the
// save adds): the record is then written with the link to it.
bool linksOtherLayout(const AcDbObject& record, std::uint64_t layout) {
    const auto kept = dbaccess::keptRecord(record);
    if (layout == 0 || kept.empty()) {
        return false;
    }
    std::uint64_t link = 0;
    for (const auto [code, value] : kept) {
        if (code == 340 && parseHandle(value, link)) {
            break;
        }
    }
    return link != layout;
}

// Block records, with the records of new dimension geometry blocks after the database's.
void writeBlockRecords(const AcDbDatabase& db, TagWriter& out, const SavePlan& plan, TableOut& t) {
    const auto& ids = plan.blockRecordsWritten();
    std::uint64_t tableHandle = 0;
    {
        AcDbBlockTable* table = nullptr;
        if (const_cast<AcDbDatabase&>(db).getBlockTable(table, AcDb::kForRead) == Acad::eOk) {
            tableHandle = table->objectId().handle().value();
            table->close();
        }
    }
    t.begin("BLOCK_RECORD", tableHandle, ids.size() + plan.newBlocks().size());
    auto recordBody = [&](std::uint64_t handle, const std::string& name, std::uint64_t layout,
                          TagWriter& to) {
        to.text(0, "BLOCK_RECORD");
        to.handle(5, handle);
        to.handle(330, tableHandle);
        to.text(100, "AcDbSymbolTableRecord");
        to.text(100, "AcDbBlockTableRecord");
        to.text(2, name);
        if (layout != 0) {
            to.handle(340, layout);
        }
        to.integer(70, 0);
        to.integer(280, 1);
        to.integer(281, 0);
    };
    for (const AcDbObjectId& id : ids) {
        AcDbBlockTableRecord* record = nullptr;
        if (acdbOpenObject(record, id, AcDb::kForRead) == Acad::eOk) {
            const std::uint64_t layout = plan.layouts().layoutOf(id);
            auto generate = [&](TagWriter& to) {
                recordBody(id.handle().value(), record->name(), layout, to);
            };
            if (!writeAsKept(out, *record, 5, tableHandle, linksOtherLayout(*record, layout),
                             generate)) {
                generate(out);
            }
            writeXData(out, *record);
            record->close();
        }
    }
    for (const DimensionBlock& dim : plan.newBlocks()) {
        recordBody(dim.record, dim.name, 0, out);
    }
    t.end();
}

} // namespace

void writeTables(const AcDbDatabase& db, TagWriter& out, const SavePlan& plan) {
    TableOut t(out, plan);
    t.raw(db, "VPORT");
    t.modelled<AcDbLinetypeTableRecord>(
        db, "LTYPE", "AcDbLinetypeTableRecord", &AcDbDatabase::getLinetypeTable,
        [&](TagWriter& to, const AcDbLinetypeTableRecord& r) {
            to.integer(70, 0);
            to.text(3, r.comments());
            to.integer(72, 65);
            const auto dashes = r.dashes();
            to.integer(73, static_cast<std::int64_t>(dashes.size()));
            to.real(40, r.patternLength());
            for (double dash : dashes) {
                to.real(49, dash);
                to.integer(74, 0);
            }
        });
    t.modelled<AcDbLayerTableRecord>(
        db, "LAYER", "AcDbLayerTableRecord", &AcDbDatabase::getLayerTable,
        [&](TagWriter& to, const AcDbLayerTableRecord& r) {
            to.integer(70, (r.isFrozen() ? 1 : 0) | (r.isLocked() ? 4 : 0));
            const int color = r.color().colorIndex();
            to.integer(62, r.isOff() ? -color : color);
            to.text(6, nameOf(r.linetypeObjectId(), "Continuous"));
            if (!r.isPlottable()) {
                to.integer(290, 0);
            }
            to.integer(370, -3);
        });
    t.modelled<AcDbTextStyleTableRecord>(db, "STYLE", "AcDbTextStyleTableRecord",
                                         &AcDbDatabase::getTextStyleTable,
                                         [&](TagWriter& to, const AcDbTextStyleTableRecord& r) {
                                             to.integer(70, 0);
                                             to.real(40, r.textSize());
                                             to.real(41, r.xScale());
                                             to.real(50, 0.0);
                                             to.integer(71, 0);
                                             to.real(42, r.textSize() > 0.0 ? r.textSize() : 2.5);
                                             to.text(3, r.fileName());
                                             to.text(4, r.bigFontFileName());
                                         });
    t.raw(db, "VIEW");
    t.raw(db, "UCS");
    t.modelled<AcDbRegAppTableRecord>(
        db, "APPID", "AcDbRegAppTableRecord", &AcDbDatabase::getRegAppTable,
        [&](TagWriter& to, const AcDbRegAppTableRecord&) { to.integer(70, 0); });
    writeDimStyles(db, t);
    writeBlockRecords(db, out, plan, t);
}

} // namespace veld::dxf
