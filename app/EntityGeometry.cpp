// Anchors the entity geometry interface.
#include "app/EntityGeometry.h"

EntityGeometry::~EntityGeometry() = default;
