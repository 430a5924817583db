// The stand-in display description: outlines and colours as JSON.
#include "host/web/DisplayStandIn.h"

#include "dbsymtb.h"
#include "host/ed/EntityGeometry.h"
#include "host/render/AciColor.h"

#include <nlohmann/json.hpp>

namespace veld::render {

namespace {

std::string colorOf(const AcDbEntity& e) {
    int index = e.colorIndex();
    AcDbLayerTableRecord* layer = nullptr;
    if ((index < 1 || index > 255) &&
        acdbOpenObject(layer, e.layerId(), AcDb::kForRead) == Acad::eOk) {
        index = layer->color().colorIndex();
        layer->close();
    }
    return aciToRgb(index);
}

} // namespace

DisplayList DisplayList::build(const AcDbDatabase& db) {
    nlohmann::json entities = nlohmann::json::array();
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, db.currentSpaceId(), AcDb::kForRead) == Acad::eOk) {
        AcDbObjectIdArray ids = space->entityIds();
        space->close();
        for (const AcDbObjectId& id : ids) {
            AcDbEntity* entity = nullptr;
            if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk) {
                continue;
            }
            std::string color = colorOf(*entity);
            entity->close();
            ed::Outline outline = ed::EntityGeometry::outline(id);
            nlohmann::json segments = nlohmann::json::array();
            for (const auto& [a, b] : outline.segments) {
                segments.insert(segments.end(), {a.x, a.y, b.x, b.y});
            }
            nlohmann::json points = nlohmann::json::array();
            for (const AcGePoint2d& p : outline.points) {
                points.insert(points.end(), {p.x, p.y});
            }
            entities.push_back({{"color", color}, {"segments", segments}, {"points", points}});
        }
    }
    DisplayList list;
    list.body_ = nlohmann::json{{"entities", entities}}.dump();
    return list;
}

} // namespace veld::render
