// Named records of one drawing brought into another by name.
#include "host/ed/TableRecordCopier.h"

#include "adsdef.h"
#include "host/ed/OpenedObject.h"

#include <memory>

namespace veld::ed {

template <class Table, class Record, class Fill>
AcDbObjectId TableRecordCopier::copy(AcDbObjectId sourceId, AcDbObjectId tableId,
                                     const char* tableName, Fill fill) {
    if (auto found = copied_.find(sourceId); found != copied_.end()) {
        return found->second;
    }
    Opened<Record> source;
    Opened<Table> table;
    if (source.open(sourceId, AcDb::kForRead) != Acad::eOk ||
        table.open(tableId, AcDb::kForRead) != Acad::eOk) {
        return AcDbObjectId::kNull;
    }
    const std::string name = source->name();
    AcDbObjectId id;
    if (table->getAt(name.c_str(), id) != Acad::eOk) {
        id = AcDbObjectId::kNull;
        auto record = std::make_unique<Record>();
        if (table->upgradeOpen() == Acad::eOk && record->setName(name.c_str()) == Acad::eOk) {
            fill(*source.get(), *record);
            if (table->add(id, record.get()) == Acad::eOk) {
                Record* added = record.release();
                copyXData(*source.get(), *added);
                added->close();
                added_[tableName].push_back(name);
            } else {
                id = AcDbObjectId::kNull;
            }
        }
    }
    copied_[sourceId] = id;
    return id;
}

// The extended data of applications the target knows (after bringing their names in).
void TableRecordCopier::copyXData(const AcDbObject& from, AcDbObject& to) {
    resbuf* data = from.xData();
    if (data == nullptr) {
        return;
    }
    AcDbRegAppTable* apps = nullptr;
    if (from.database() != nullptr &&
        from.database()->getRegAppTable(apps, AcDb::kForRead) == Acad::eOk) {
        for (const resbuf* rb = data; rb != nullptr; rb = rb->rbnext) {
            AcDbObjectId appId;
            if (rb->restype == 1001 && apps->getAt(rb->resval.rstring, appId) == Acad::eOk) {
                regApp(appId);
            }
        }
        apps->close();
    }
    to.setXData(data);
    acutRelRb(data);
}

AcDbObjectId TableRecordCopier::regApp(AcDbObjectId sourceId) {
    return copy<AcDbRegAppTable, AcDbRegAppTableRecord>(
        sourceId, target_.regAppTableId(), "APPID",
        [](const AcDbRegAppTableRecord&, AcDbRegAppTableRecord&) {});
}

AcDbObjectId TableRecordCopier::linetype(AcDbObjectId sourceId) {
    return copy<AcDbLinetypeTable, AcDbLinetypeTableRecord>(
        sourceId, target_.linetypeTableId(), "LTYPE",
        [](const AcDbLinetypeTableRecord& from, AcDbLinetypeTableRecord& to) {
            to.setComments(from.comments().c_str());
            to.setDashes(from.dashes());
        });
}

AcDbObjectId TableRecordCopier::layer(AcDbObjectId sourceId) {
    return copy<AcDbLayerTable, AcDbLayerTableRecord>(
        sourceId, target_.layerTableId(), "LAYER",
        [this](const AcDbLayerTableRecord& from, AcDbLayerTableRecord& to) {
            to.setColor(from.color());
            to.setIsPlottable(from.isPlottable());
            const AcDbObjectId linetypeId = linetype(from.linetypeObjectId());
            if (!linetypeId.isNull()) {
                to.setLinetypeObjectId(linetypeId);
            }
        });
}

AcDbObjectId TableRecordCopier::textStyle(AcDbObjectId sourceId) {
    return copy<AcDbTextStyleTable, AcDbTextStyleTableRecord>(
        sourceId, target_.textStyleTableId(), "STYLE",
        [](const AcDbTextStyleTableRecord& from, AcDbTextStyleTableRecord& to) {
            to.setTextSize(from.textSize());
            to.setXScale(from.xScale());
            to.setFileName(from.fileName().c_str());
            to.setBigFontFileName(from.bigFontFileName().c_str());
        });
}

AcDbObjectId TableRecordCopier::dimStyle(AcDbObjectId sourceId) {
    return copy<AcDbDimStyleTable, AcDbDimStyleTableRecord>(
        sourceId, target_.dimStyleTableId(), "DIMSTYLE",
        [this](const AcDbDimStyleTableRecord& from, AcDbDimStyleTableRecord& to) {
            to.setDimasz(from.dimasz());
            to.setDimexe(from.dimexe());
            to.setDimexo(from.dimexo());
            to.setDimgap(from.dimgap());
            to.setDimtxt(from.dimtxt());
            to.setDimscale(dimensionScale_ > 0.0 ? dimensionScale_ : from.dimscale());
            to.setDimtsz(from.dimtsz());
            to.setDimdec(from.dimdec());
            to.setDimtad(from.dimtad());
            if (!from.dimtxsty().isNull()) {
                to.setDimtxsty(textStyle(from.dimtxsty()));
            }
        });
}

} // namespace veld::ed
