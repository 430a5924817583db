// System variables kept in the drawing or computed from the current document.
#include "host/ed/DrawingVariables.h"

#include "host/db/DatabaseImpl.h"
#include "host/ed/CurrentDrawing.h"
#include "host/ed/DocumentManager.h"

#include <filesystem>

namespace veld::ed {

double DrawingVariables::userReal(int index) {
    AcDbDatabase* db = CurrentDrawing::database();
    return db != nullptr ? db->impl().userR(index) : 0.0;
}

void DrawingVariables::setUserReal(int index, double value) {
    if (AcDbDatabase* db = CurrentDrawing::database()) {
        db->impl().setUserR(index, value);
    }
}

std::string DrawingVariables::currentLayer() {
    AcDbDatabase* db = CurrentDrawing::database();
    return db != nullptr ? CurrentDrawing::layerName(db->clayer()) : std::string();
}

std::string DrawingVariables::setCurrentLayer(const std::string& name) {
    AcDbDatabase* db = CurrentDrawing::database();
    AcDbObjectId id = CurrentDrawing::layer(name);
    if (db == nullptr || id.isNull()) {
        return "Cannot find layer \"" + name + "\".";
    }
    AcDbLayerTableRecord* record = nullptr;
    if (acdbOpenObject(record, id, AcDb::kForRead) != Acad::eOk) {
        return "Cannot find layer \"" + name + "\".";
    }
    bool frozen = record->isFrozen();
    std::string realName = record->name();
    record->close();
    if (frozen) {
        return "Cannot make layer \"" + realName + "\" current.  It is frozen.";
    }
    return db->setClayer(id) == Acad::eOk ? std::string() : "Cannot find layer \"" + name + "\".";
}

short DrawingVariables::undoControl() {
    AcDbDatabase* db = CurrentDrawing::database();
    if (db == nullptr) {
        return 0;
    }
    return static_cast<short>(1 | (db->impl().journal().groupOpen() ? 8 : 0));
}

std::string DrawingVariables::drawingName() {
    Document* doc = DocumentManager::instance().current();
    std::string file = doc != nullptr ? doc->fileName() : "";
    return file.empty() ? "Drawing1.dxf" : std::filesystem::path(file).filename().string();
}

std::string DrawingVariables::drawingFolder() {
    Document* doc = DocumentManager::instance().current();
    std::string file = doc != nullptr ? doc->fileName() : "";
    if (file.empty()) {
        return "";
    }
    std::string folder = std::filesystem::absolute(file).parent_path().string();
    return folder.empty() || folder.back() == '/' ? folder : folder + "/";
}

} // namespace veld::ed
