// An entity's layer decides whether it shows.
#include "host/db/LayerVisibility.h"

#include "dbsymtb.h"

namespace veld::db {

bool isOnVisibleLayer(const AcDbEntity* entity) {
    AcDbLayerTableRecord* layer = nullptr;
    if (acdbOpenObject(layer, entity->layerId(), AcDb::kForRead) != Acad::eOk) {
        return true;
    }
    const bool visible = !layer->isOff() && !layer->isFrozen();
    layer->close();
    return visible;
}

} // namespace veld::db
