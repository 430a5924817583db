// The drawing's layers as the commands and dialogs need them: names and ids for the layer
// lists, lookup by name, creation with colour, state and linetype, switching the current layer,
// and linetype lookup.
#pragma once
#include "arxcom/CArxComLayerDataList.h"
#include "dbmain.h"

#include <string>
#include <vector>

class CArxComLayer {
public:
    CArxComLayer();
    virtual ~CArxComLayer();

    CArxComLayerDataList layerRecords{10};
    std::vector<std::string> layerNames;
    // When on, CreateLayer gives a new layer the linetype named by its argument; when off, the
    // drawing's Continuous linetype.
    bool useNamedLinetype = false;

    // The id of the named layer (null when there is none), written to `id` and returned.
    AcDbObjectId GetLayerId(AcDbObjectId& id, const char* layerName, AcDb::OpenMode mode);
    // Appends every layer's name and id, in table order, one pair per layer.
    void ListLayers(std::vector<std::string>& names, AcDbObjectIdArray& ids);
    // Makes the layer current through CLAYER under a document lock; prints
    // "\n図面に存在しないﾚｲﾔｰ名(<name>)です" and returns false when the host refuses it.
    bool SetCurrentLayer(const char* layerName);
    // The linetype of that name, compared without regard to case; null when missing.
    void FindLinetypeId(const char* linetypeName, AcDbObjectId& id);
    // Creates a layer; false for a name the drawing already has (that layer stays as it was),
    // an invalid name or an unavailable table. Colour indices outside 0..255 keep the default.
    bool CreateLayer(const char* layerName, int colorIndex, bool on, bool locked, bool frozen,
                     const char* linetypeName);
};
