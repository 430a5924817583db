// Whether an entity shows: its layer is on and thawed. Picking, selection and snaps all ask it.
#pragma once
#include "dbmain.h"

namespace veld::db {

// True when the entity's layer is on and not frozen (also when the layer cannot be opened, so a
// damaged layer reference never hides what is drawn).
bool isOnVisibleLayer(const AcDbEntity* entity);

} // namespace veld::db
