// Loading a drawing file's model space as a block definition: the file found for a block file
// name, then the entities copied kind by kind with the table records they name.
#include "host/ed/BlockFileImport.h"

#include "dbsymtb.h"
#include "host/db/DatabaseImpl.h"
#include "host/dxf/DrawingFile.h"
#include "host/ed/InputParser.h"
#include "host/ed/OpenedObject.h"
#include "host/ed/TableRecordCopier.h"
#include "host/win/FileSearch.h"

#include <filesystem>
#include <fstream>
#include <memory>

namespace veld::ed {

namespace {

namespace fs = std::filesystem;

// A DWG file begins with its version text "AC10xx"/"AC1xxx"; DXF begins with group codes.
bool isDwgFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char head[4] = {};
    in.read(head, sizeof head);
    return in.gcount() == 4 && head[0] == 'A' && head[1] == 'C' && head[2] == '1' &&
           head[3] >= '0' && head[3] <= '9';
}

std::string withExtension(const std::string& path, const char* extension) {
    return fs::path(path).replace_extension(extension).generic_string();
}

// The file's $INSBASE (the block's base point); the origin when the file has none.
AcGePoint3d insertionBase(AcDbDatabase& source) {
    AcGePoint3d base;
    for (const auto& [name, tags] : source.impl().headerVariables()) {
        if (name != "$INSBASE") {
            continue;
        }
        for (const auto& [code, text] : tags) {
            if (code == 10 || code == 20 || code == 30) {
                base[code / 10 - 1] = InputParser::number(text).value_or(0.0);
            }
        }
    }
    return base;
}

void copyText(const AcDbText& from, AcDbText& to) {
    to.setNormal(from.normal());
    to.setPosition(from.position());
    to.setAlignmentPoint(from.alignmentPoint());
    to.setHeight(from.height());
    to.setRotation(from.rotation());
    to.setOblique(from.oblique());
    to.setWidthFactor(from.widthFactor());
    to.setTextString(from.textString().c_str());
    to.setHorizontalMode(from.horizontalMode());
    to.setVerticalMode(from.verticalMode());
}

std::unique_ptr<AcDbEntity> copyAttributeDefinition(const AcDbAttributeDefinition& from) {
    auto to = std::make_unique<AcDbAttributeDefinition>();
    copyText(from, *to);
    to->setTag(from.tag().c_str());
    to->setPrompt(from.prompt().c_str());
    to->setConstant(from.isConstant());
    to->setInvisible(from.isInvisible());
    to->setPreset(from.isPreset());
    to->setVerifiable(from.isVerifiable());
    return to;
}

std::unique_ptr<AcDbEntity> copyPolyline(const AcDbPolyline& from) {
    auto to = std::make_unique<AcDbPolyline>();
    for (unsigned int i = 0; i < from.numVerts(); ++i) {
        AcGePoint2d point;
        double bulge = 0.0, startWidth = 0.0, endWidth = 0.0;
        from.getPointAt(i, point);
        from.getBulgeAt(i, bulge);
        from.getWidthsAt(i, startWidth, endWidth);
        to->addVertexAt(i, point, bulge, startWidth, endWidth);
    }
    to->setClosed(from.isClosed());
    to->setPlinegen(from.hasPlinegen());
    to->setElevation(from.elevation());
    to->setConstantWidth(from.constantWidth());
    to->setNormal(from.normal());
    return to;
}

// A new entity with the geometry of `from`; null for the kinds a block here does not take.
std::unique_ptr<AcDbEntity> copyGeometry(const AcDbEntity& from) {
    if (auto* line = AcDbLine::cast(&from)) {
        return std::make_unique<AcDbLine>(line->startPoint(), line->endPoint());
    }
    if (auto* arc = AcDbArc::cast(&from)) {
        auto to = std::make_unique<AcDbArc>(arc->center(), arc->radius(), arc->startAngle(),
                                            arc->endAngle());
        to->setNormal(arc->normal());
        return to;
    }
    if (auto* circle = AcDbCircle::cast(&from)) {
        auto to = std::make_unique<AcDbCircle>(circle->center(), circle->radius());
        to->setNormal(circle->normal());
        return to;
    }
    if (auto* polyline = AcDbPolyline::cast(&from)) {
        return copyPolyline(*polyline);
    }
    if (auto* point = AcDbPoint::cast(&from)) {
        return std::make_unique<AcDbPoint>(point->position());
    }
    if (auto* definition = AcDbAttributeDefinition::cast(&from)) {
        return copyAttributeDefinition(*definition);
    }
    if (auto* text = AcDbText::cast(&from); text != nullptr && AcDbText::desc() == from.isA()) {
        auto to = std::make_unique<AcDbText>();
        copyText(*text, *to);
        return to;
    }
    return nullptr;
}

// Layer, colour, linetype, linetype scale and text style, set on the appended copy.
void copyProperties(const AcDbEntity& from, AcDbEntity& to, TableRecordCopier& records) {
    const AcDbObjectId layerId = records.layer(from.layerId());
    if (!layerId.isNull()) {
        to.setLayer(layerId);
    }
    to.setColor(from.color());
    const AcDbObjectId linetypeId = records.linetype(from.linetypeId());
    if (!linetypeId.isNull()) {
        to.setLinetype(linetypeId);
    }
    to.setLinetypeScale(from.linetypeScale());
    auto* fromText = AcDbText::cast(&from);
    auto* toText = AcDbText::cast(&to);
    if (fromText != nullptr && toText != nullptr && !fromText->textStyle().isNull()) {
        const AcDbObjectId styleId = records.textStyle(fromText->textStyle());
        if (!styleId.isNull()) {
            toText->setTextStyle(styleId);
        }
    }
}

// The file's model-space entities copied into the open block record; returns how many were
// left out.
int copyModelSpace(AcDbDatabase& source, AcDbDatabase& target, AcDbBlockTableRecord& block) {
    Opened<AcDbBlockTableRecord> modelSpace;
    if (modelSpace.open(source.modelSpaceId(), AcDb::kForRead) != Acad::eOk) {
        return 0;
    }
    const AcDbObjectIdArray ids = modelSpace->entityIds();
    modelSpace.close();
    TableRecordCopier records(target);
    int skipped = 0;
    for (const AcDbObjectId& id : ids) {
        Opened<AcDbEntity> from;
        if (from.open(id, AcDb::kForRead) != Acad::eOk) {
            continue;
        }
        std::unique_ptr<AcDbEntity> copy = copyGeometry(*from.get());
        if (!copy || block.appendAcDbEntity(copy.get()) != Acad::eOk) {
            ++skipped;
            continue;
        }
        AcDbEntity* appended = copy.release();
        copyProperties(*from.get(), *appended, records);
        appended->close();
    }
    return skipped;
}

} // namespace

std::string BlockFileImport::resolve(const std::string& requested, std::string& error) {
    std::string wanted = requested;
    if (fs::path(wanted).extension().empty()) {
        wanted += ".dwg";
    }
    const std::optional<std::string> found = win::SearchPath::find(wanted);
    if (found && !isDwgFile(*found)) {
        return *found;
    }
    const std::string dxfName = withExtension(wanted, ".dxf");
    if (const std::optional<std::string> dxf = win::SearchPath::find(dxfName)) {
        return *dxf;
    }
    if (found) {
        error = "\"" + *found + "\" is a DWG file, which this program cannot read; save it as \"" +
                withExtension(*found, ".dxf") + "\" beside it.";
    } else {
        error = "\"" + requested + "\": Can't find file in search path.";
    }
    return "";
}

bool BlockFileImport::load(AcDbDatabase& target, const std::string& name, const std::string& path,
                           AcDbObjectId& blockId, int& skipped, std::string& error) {
    std::unique_ptr<AcDbDatabase> source = dxf::openDrawing(path, error);
    if (!source) {
        return false;
    }
    auto block = std::make_unique<AcDbBlockTableRecord>();
    if (block->setName(name.c_str()) != Acad::eOk) {
        error = "\"" + name + "\" is not a valid block name.";
        return false;
    }
    block->setOrigin(insertionBase(*source));
    block->setPathName(path.c_str());
    Opened<AcDbBlockTable> table;
    Acad::ErrorStatus es = target.getBlockTable(table.slot(), AcDb::kForWrite);
    if (es == Acad::eOk) {
        es = table->add(blockId, block.get());
    }
    if (es != Acad::eOk) {
        error = "the block \"" + name + "\" cannot be added: " + acadErrorStatusText(es);
        return false;
    }
    table.close();
    AcDbBlockTableRecord* record = block.release();
    skipped = copyModelSpace(*source, target, *record);
    record->close();
    return true;
}

} // namespace veld::ed
