// Layer name lists, wildcards, and new layers for -LAYER.
#include "host/ed/commands/LayerNames.h"

#include "dbsymtb.h"
#include "host/ed/CommandLine.h"
#include "host/ed/CurrentDrawing.h"
#include "host/ed/InputParser.h"

namespace veld::ed {

std::vector<std::string> LayerNames::split(const std::string& list) {
    std::vector<std::string> names;
    std::size_t start = 0;
    for (;;) {
        std::size_t comma = list.find(',', start);
        std::string name = InputParser::trim(list.substr(start, comma - start));
        if (!name.empty()) {
            names.push_back(name);
        }
        if (comma == std::string::npos) {
            return names;
        }
        start = comma + 1;
    }
}

std::vector<std::pair<AcDbObjectId, std::string>> LayerNames::matching(const std::string& list) {
    std::vector<std::string> patterns = split(list);
    std::vector<std::pair<AcDbObjectId, std::string>> out;
    for (const auto& layer : CurrentDrawing::layers()) {
        for (const std::string& pattern : patterns) {
            if (InputParser::matchesWildcard(pattern, layer.second)) {
                out.push_back(layer);
                break;
            }
        }
    }
    return out;
}

bool LayerNames::create(const std::string& name) {
    AcDbDatabase* db = CurrentDrawing::database();
    AcDbLayerTable* table = nullptr;
    if (db == nullptr || db->getLayerTable(table, AcDb::kForWrite) != Acad::eOk) {
        return false;
    }
    auto* record = new AcDbLayerTableRecord;
    Acad::ErrorStatus es = record->setName(name.c_str());
    if (es == Acad::eOk) {
        AcCmColor white;
        white.setColorIndex(7);
        record->setColor(white);
        record->setLinetypeObjectId(db->continuousLinetype());
        es = table->add(record);
    }
    table->close();
    if (es != Acad::eOk) {
        delete record;
        commandLine().message("\nInvalid layer name \"" + name + "\".");
        return false;
    }
    record->close();
    return true;
}

std::string LayerNames::linetypeName(AcDbObjectId linetypeId) {
    AcDbSymbolTableRecord* record = nullptr;
    if (acdbOpenObject(record, linetypeId, AcDb::kForRead) != Acad::eOk) {
        return "";
    }
    std::string name = record->name();
    record->close();
    return name;
}

} // namespace veld::ed
