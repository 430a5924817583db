// One layer's description as a record of the layer list: name, id and colour.
#pragma once
#include "dbmain.h"

#include <string>
#include <utility>

class CArxComLayerData {
public:
    CArxComLayerData() = default;
    CArxComLayerData(std::string layerName, AcDbObjectId id, int color)
        : name(std::move(layerName)), layerId(id), colorIndex(color) {}
    virtual ~CArxComLayerData() = default;

    std::string name;
    AcDbObjectId layerId;
    int colorIndex = 7;
};
