// INSERT: block name, insertion point, X and Y scale, rotation, then the attribute values.
#include "host/ed/InsertCommand.h"

#include "adsdef.h"
#include "dbsymtb.h"
#include "host/ed/BlockFileImport.h"
#include "host/ed/CommandLine.h"
#include "host/ed/CurrentDrawing.h"
#include "host/ed/InputParser.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace veld::ed {

namespace {

// Positions and scales beyond this size are refused, so that the reference and its attributes
// always land on finite coordinates (typed points are held to the same size).
constexpr double kLargestValue = InputParser::kLargestCoordinate;
constexpr double kPi = 3.14159265358979323846;

bool isUsable(double value) {
    return std::isfinite(value) && std::fabs(value) <= kLargestValue;
}

// "NAME=FILE" loads FILE as the block NAME; a path (or a name ending in .dwg or .dxf) names
// the block by the file's base name.
struct BlockRequest {
    std::string block;
    std::string file; // empty: the block is looked for in the drawing first
};

BlockRequest parseRequest(std::string answer) {
    std::replace(answer.begin(), answer.end(), '\\', '/');
    BlockRequest request;
    if (const auto equals = answer.find('='); equals != std::string::npos) {
        request.block = InputParser::trim(answer.substr(0, equals));
        request.file = InputParser::trim(answer.substr(equals + 1));
        return request;
    }
    const std::filesystem::path path(answer);
    const std::string extension = InputParser::upper(path.extension().string());
    if (answer.find('/') != std::string::npos || extension == ".DWG" || extension == ".DXF") {
        request.block = path.stem().string();
        request.file = answer;
    } else {
        request.block = answer;
    }
    return request;
}

AcDbObjectId blockNamed(AcDbDatabase& db, const std::string& name) {
    AcDbBlockTable* table = nullptr;
    AcDbObjectId id;
    if (db.getBlockTable(table, AcDb::kForRead) == Acad::eOk) {
        if (table->getAt(name.c_str(), id) != Acad::eOk) {
            id = AcDbObjectId::kNull;
        }
        table->close();
    }
    return id;
}

std::vector<AcDbObjectId> attributeDefinitions(AcDbObjectId block) {
    std::vector<AcDbObjectId> definitions;
    AcDbBlockTableRecord* record = nullptr;
    if (acdbOpenObject(record, block, AcDb::kForRead) != Acad::eOk) {
        return definitions;
    }
    const AcDbObjectIdArray ids = record->entityIds();
    record->close();
    for (const AcDbObjectId& id : ids) {
        if (id.objectClass() != nullptr &&
            id.objectClass()->isDerivedFrom(AcDbAttributeDefinition::desc())) {
            definitions.push_back(id);
        }
    }
    return definitions;
}

// A reference that is open for write; closed at the end of the scope.
struct OpenReference {
    AcDbBlockReference* reference = nullptr;
    ~OpenReference() {
        if (reference != nullptr) {
            reference->close();
        }
    }
};

} // namespace

int InsertCommand::run() {
    AcDbObjectId block;
    if (const int status = askBlock(block); status != RTNORM || block.isNull()) {
        return status;
    }
    Placement placement;
    if (const int status = askPlacement(placement); status != RTNORM) {
        return status;
    }
    std::vector<AttributeValue> values;
    if (const int status = askAttributes(block, values); status != RTNORM) {
        return status;
    }
    return insert(block, placement, values);
}

int InsertCommand::askBlock(AcDbObjectId& block) {
    CommandLine& cl = commandLine();
    const std::string fallback = lastBlock_.empty() ? "" : " <" + lastBlock_ + ">";
    const Answer answer = cl.ask("\nEnter block name" + fallback + ": ");
    if (answer.kind == Answer::Kind::Escape) {
        return RTCAN;
    }
    std::string typed = InputParser::trim(answer.text);
    if (typed.empty()) {
        typed = lastBlock_;
    }
    if (typed.empty()) {
        return RTNORM;
    }
    block = findOrLoad(typed);
    return block.isNull() ? RTERROR : RTNORM;
}

AcDbObjectId InsertCommand::findOrLoad(const std::string& answer) {
    CommandLine& cl = commandLine();
    AcDbDatabase* db = CurrentDrawing::database();
    const BlockRequest request = parseRequest(answer);
    if (db == nullptr || request.block.empty()) {
        cl.message("\nInvalid block name.");
        return AcDbObjectId::kNull;
    }
    AcDbObjectId block = blockNamed(*db, request.block);
    if (!block.isNull()) {
        lastBlock_ = request.block;
        return block;
    }
    std::string error;
    const std::string path =
        BlockFileImport::resolve(request.file.empty() ? request.block : request.file, error);
    int skipped = 0;
    if (path.empty() || !BlockFileImport::load(*db, request.block, path, block, skipped, error)) {
        cl.message("\n" + error);
        return AcDbObjectId::kNull;
    }
    if (skipped > 0) {
        cl.message("\n" + std::to_string(skipped) + " object(s) of \"" + path +
                   "\" are of kinds a block cannot hold here and were left out.");
    }
    lastBlock_ = request.block;
    return block;
}

int InsertCommand::askPlacement(Placement& placement) {
    CommandLine& cl = commandLine();
    InputSpec pointSpec;
    pointSpec.point = true;
    pointSpec.invalidMessage = "Invalid point.";
    for (;;) {
        const Input point = cl.askInput("\nSpecify insertion point: ", pointSpec);
        if (point.status != RTNORM) {
            return RTCAN;
        }
        const AcGePoint3d& p = point.point;
        if (isUsable(p.x) && isUsable(p.y) && isUsable(p.z)) {
            placement.position = p;
            break;
        }
        cl.message("\nThe point lies outside the drawing's range.");
        if (cl.feeding()) {
            return RTERROR;
        }
    }
    double x = 1.0, y = 1.0;
    if (const int status = askScale(
            "\nEnter X scale factor, specify opposite corner, or [Corner/XYZ] <1>: ", 1.0, x);
        status != RTNORM) {
        return status;
    }
    if (const int status = askScale("\nEnter Y scale factor <use X scale factor>: ", x, y);
        status != RTNORM) {
        return status;
    }
    placement.scale = AcGeScale3d(x, y, x);
    InputSpec angleSpec;
    angleSpec.number = true;
    angleSpec.invalidMessage = "Requires numeric angle.";
    const Input angle = cl.askInput("\nSpecify rotation angle <0>: ", angleSpec);
    if (angle.status == RTCAN) {
        return RTCAN;
    }
    const double degrees = angle.status == RTNORM ? angle.number : 0.0;
    if (!isUsable(degrees)) {
        cl.message("\nRequires numeric angle.");
        return RTERROR;
    }
    placement.rotation = std::fmod(degrees, 360.0) * kPi / 180.0;
    return RTNORM;
}

int InsertCommand::askScale(const char* prompt, double fallback, double& scale) {
    CommandLine& cl = commandLine();
    InputSpec spec;
    spec.number = true;
    spec.invalidMessage = "Requires a nonzero number.";
    for (;;) {
        const Input input = cl.askInput(prompt, spec);
        if (input.status == RTCAN) {
            return RTCAN;
        }
        scale = input.status == RTNONE ? fallback : input.number;
        if (scale != 0.0 && isUsable(scale) && std::fabs(scale) >= 1.0 / kLargestValue) {
            return RTNORM;
        }
        cl.message("\nValue must be nonzero and within the drawing's range.");
        if (cl.feeding()) {
            return RTERROR;
        }
    }
}

int InsertCommand::askAttributes(AcDbObjectId block, std::vector<AttributeValue>& values) {
    CommandLine& cl = commandLine();
    const bool ask = cl.variables().integer("ATTREQ") != 0;
    bool announced = false;
    for (const AcDbObjectId& id : attributeDefinitions(block)) {
        AcDbAttributeDefinition* definition = nullptr;
        if (acdbOpenObject(definition, id, AcDb::kForRead) != Acad::eOk) {
            continue;
        }
        const bool constant = definition->isConstant();
        const bool preset = definition->isPreset();
        const std::string fallback = definition->textString();
        const std::string prompt =
            definition->prompt().empty() ? definition->tag() : definition->prompt();
        definition->close();
        if (constant) {
            continue; // shown from the definition itself
        }
        AttributeValue value{id, fallback};
        if (ask && !preset) {
            if (!announced) {
                cl.echo("\nEnter attribute values");
                announced = true;
            }
            const Answer answer =
                cl.ask("\n" + prompt + (fallback.empty() ? "" : " <" + fallback + ">") + ": ");
            if (answer.kind == Answer::Kind::Escape) {
                return RTCAN;
            }
            if (answer.kind == Answer::Kind::Text) {
                value.text = answer.text;
            }
        }
        values.push_back(std::move(value));
    }
    return RTNORM;
}

int InsertCommand::insert(AcDbObjectId block, const Placement& placement,
                          const std::vector<AttributeValue>& values) {
    auto* reference = new AcDbBlockReference(placement.position, block);
    reference->setScaleFactors(placement.scale);
    reference->setRotation(placement.rotation);
    AcDbObjectId referenceId;
    Acad::ErrorStatus es = CurrentDrawing::append(reference, referenceId);
    OpenReference open;
    if (es == Acad::eOk) {
        es = acdbOpenObject(open.reference, referenceId, AcDb::kForWrite);
    }
    if (es != Acad::eOk) {
        commandLine().message(std::string("\nCould not insert the block: ") +
                              acadErrorStatusText(es));
        return RTERROR;
    }
    const AcGeMatrix3d transform = open.reference->blockTransform();
    for (const AttributeValue& value : values) {
        AcDbAttributeDefinition* definition = nullptr;
        if (acdbOpenObject(definition, value.definition, AcDb::kForRead) != Acad::eOk) {
            continue;
        }
        auto* attribute = new AcDbAttribute();
        AcDbObjectId attributeId;
        if (open.reference->appendAttribute(attributeId, attribute) != Acad::eOk) {
            delete attribute;
            definition->close();
            continue;
        }
        attribute->setLayer(open.reference->layerId());
        attribute->setAttributeFromBlock(definition, transform);
        attribute->setTextString(value.text.c_str());
        attribute->close();
        definition->close();
    }
    return RTNORM;
}

} // namespace veld::ed
