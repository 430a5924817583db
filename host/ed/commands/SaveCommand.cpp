// SAVE on the current document.
#include "host/ed/commands/SaveCommand.h"

#include "adsdef.h"
#include "host/dxf/DrawingFile.h"
#include "host/ed/CommandLine.h"
#include "host/ed/DocumentManager.h"
#include "host/ed/InputParser.h"
#include "host/win/FileSearch.h"

#include <filesystem>

namespace veld::ed {

namespace {

constexpr const char* kUnnamed = "Drawing1.dxf";

std::string withExtension(std::string name) {
    return std::filesystem::path(name).has_extension() ? name : name + ".dxf";
}

} // namespace

int SaveCommand::run() {
    CommandLine& cl = commandLine();
    Document* doc = DocumentManager::instance().current();
    if (doc == nullptr) {
        return RTERROR;
    }
    std::string current = *doc->fileName() != '\0' ? doc->fileName() : kUnnamed;
    Answer a = cl.ask("\nSave drawing as <" + current + ">: ");
    if (a.kind == Answer::Kind::Escape) {
        return RTCAN;
    }
    std::string typed = InputParser::trim(a.text);
    std::string path = typed.empty() ? current : withExtension(typed);
    std::string error;
    if (!dxf::saveDrawing(*doc->database(), path, error)) {
        cl.message("\n" + error);
        cl.noteFailure(error);
        return RTERROR;
    }
    doc->setFileName(path);
    doc->noteSaved();
    std::error_code ec;
    win::SearchPath::setDrawingFolder(std::filesystem::absolute(path, ec).parent_path().string());
    return RTNORM;
}

} // namespace veld::ed
