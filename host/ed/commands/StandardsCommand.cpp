// -STANDARDS: the office's standards brought into the open drawing.
#include "host/ed/commands/StandardsCommand.h"

#include "adsdef.h"
#include "dbsymtb.h"
#include "host/db/DatabaseImpl.h"
#include "host/dxf/DrawingFile.h"
#include "host/ed/CommandLine.h"
#include "host/ed/CurrentDrawing.h"
#include "host/ed/DrawingVariables.h"
#include "host/ed/InputParser.h"
#include "host/ed/TableRecordCopier.h"
#include "host/win/FileSearch.h"
#include "host/win/Paths.h"
#include "host/win/StandardsFile.h"

#include <array>
#include <filesystem>
#include <memory>

namespace veld::ed {

namespace {

namespace fs = std::filesystem;

// A typed name: as given, then in the template folder, then on the search path (".dxf" added
// when it has no extension). "" when it is nowhere.
std::string findStandardsFile(const std::string& typed) {
    std::string name = win::nativePath(typed);
    if (fs::path(name).extension().empty()) {
        name += ".dxf";
    }
    std::error_code ec;
    if (fs::is_regular_file(name, ec)) {
        return name;
    }
    const fs::path inTemplates = fs::path(win::templateFolder()) / name;
    if (fs::is_regular_file(inTemplates, ec)) {
        return inTemplates.string();
    }
    return win::SearchPath::find(name).value_or("");
}

// Every record id of one table of `db`.
template <class Table> AcDbObjectIdArray recordsOf(AcDbDatabase& db) {
    Table* table = nullptr;
    if (db.getSymbolTable(table, AcDb::kForRead) != Acad::eOk) {
        return {};
    }
    AcDbObjectIdArray ids = table->recordIds();
    table->close();
    return ids;
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        text += (text.empty() ? "" : ", ") + name;
    }
    return text;
}

} // namespace

int StandardsCommand::run() {
    std::optional<std::string> file = askFile();
    if (!file) {
        return RTCAN;
    }
    if (file->empty()) {
        return RTNORM;
    }
    std::string error;
    std::unique_ptr<AcDbDatabase> standards = dxf::openDrawing(*file, error);
    if (!standards) {
        commandLine().message("\n" + error);
        return RTNORM;
    }
    const double scale = plotScale(*standards);
    if (scale <= 0.0) {
        return RTCAN;
    }
    bringIn(*standards, scale, fs::path(*file).filename().string());
    return RTNORM;
}

std::optional<std::string> StandardsCommand::askFile() {
    const std::string fallback = win::standardsDrawingPath();
    Answer a = commandLine().ask("\nEnter name of standards drawing <" +
                                 fs::path(fallback).filename().string() + ">: ");
    if (a.kind == Answer::Kind::Escape) {
        return std::nullopt;
    }
    const std::string typed = InputParser::trim(a.text);
    const std::string path = findStandardsFile(typed.empty() ? fallback : typed);
    if (path.empty()) {
        commandLine().message("\nCannot find \"" + (typed.empty() ? fallback : typed) + "\".");
    }
    return path;
}

double StandardsCommand::plotScale(AcDbDatabase& standards) {
    const double current = DrawingVariables::userReal(1);
    if (current > 0.0) {
        return current;
    }
    const double suggested = standards.impl().userR(1) > 0.0 ? standards.impl().userR(1) : 100.0;
    InputSpec spec;
    spec.number = true;
    spec.invalidMessage = "Requires numeric value.";
    for (;;) {
        Input in = commandLine().askInput(
            "\nEnter plot scale 1:<" + InputParser::formatNumber(suggested) + ">: ", spec);
        if (in.status == RTCAN) {
            return 0.0;
        }
        const double scale = in.status == RTNONE ? suggested : in.number;
        if (scale > 0.0) {
            DrawingVariables::setUserReal(1, scale);
            commandLine().message("\nUSERR1 set to " + InputParser::formatNumber(scale) +
                                  " (plot scale 1:" + InputParser::formatNumber(scale) + ").");
            return scale;
        }
        commandLine().message("\nValue must be positive and nonzero.");
    }
}

// Linetypes and text styles first, so that the layers and dimension styles that name them
// find the drawing's own.
void StandardsCommand::bringIn(AcDbDatabase& standards, double scale, const std::string& fileName) {
    TableRecordCopier copier(*CurrentDrawing::database());
    copier.setDimensionScale(scale);
    for (const AcDbObjectId& id : recordsOf<AcDbLinetypeTable>(standards)) {
        copier.linetype(id);
    }
    for (const AcDbObjectId& id : recordsOf<AcDbTextStyleTable>(standards)) {
        copier.textStyle(id);
    }
    for (const AcDbObjectId& id : recordsOf<AcDbLayerTable>(standards)) {
        copier.layer(id);
    }
    for (const AcDbObjectId& id : recordsOf<AcDbDimStyleTable>(standards)) {
        copier.dimStyle(id);
    }
    report(copier.added(), fileName);
}

void StandardsCommand::report(const std::map<std::string, std::vector<std::string>>& added,
                              const std::string& fileName) {
    struct Kind {
        const char* table;
        const char* one;
        const char* many;
    };
    static const std::array<Kind, 4> kinds{{{"LAYER", "layer", "layers"},
                                            {"LTYPE", "linetype", "linetypes"},
                                            {"STYLE", "text style", "text styles"},
                                            {"DIMSTYLE", "dimension style", "dimension styles"}}};
    bool any = false;
    for (const Kind& kind : kinds) {
        auto found = added.find(kind.table);
        if (found == added.end() || found->second.empty()) {
            continue;
        }
        const std::size_t n = found->second.size();
        commandLine().message("\nAdded " + std::to_string(n) + " " +
                              (n == 1 ? kind.one : kind.many) + ": " + joined(found->second));
        any = true;
    }
    if (!any) {
        commandLine().message("\nThe drawing already has every layer, linetype, text style and "
                              "dimension style of " +
                              fileName + ".");
    }
}

} // namespace veld::ed
