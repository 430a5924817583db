// The host commands' access to the working database: appending entities to the current space
// on the current layer, erasing them, and finding layers by name.
#pragma once
#include "dbents.h"
#include "dbsymtb.h"

#include <string>
#include <vector>

namespace veld::ed {

class CurrentDrawing {
public:
    static AcDbDatabase* database();
    // Appends the entity to the current space on the current layer and closes it. The entity
    // is deleted when it cannot be appended.
    static Acad::ErrorStatus append(AcDbEntity* entity, AcDbObjectId& id);
    static Acad::ErrorStatus erase(AcDbObjectId id);
    // The layer of that name (without regard to case), or the null id.
    static AcDbObjectId layer(const std::string& name);
    // All layers in table order with their names.
    static std::vector<std::pair<AcDbObjectId, std::string>> layers();
    static std::string layerName(AcDbObjectId layerId);
};

} // namespace veld::ed
