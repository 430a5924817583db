// Creates the drawing entities of the module with one set of drawing properties (layer, colour,
// linetype, linetype scale), appends them to the current space and remembers the last one. Also
// wraps the point and corner prompts, finds entities by class and layer prefix, places
// definition points and writes single-line texts.
#pragma once
#include "dbents.h"
#include "dbsymtb.h"

#include <string>

class CArxComFigure {
public:
    CArxComFigure();
    virtual ~CArxComFigure();

    // Drawing properties, set directly by callers.
    AcDbObjectId lastId;        // the entity most recently appended by this object
    std::string layer = "0";    // layer of texts, dimensions and outline lines
    double spacingBase = 100.0; // dimensions get three times this as text line spacing factor
    AcDbObjectId linetypeId;    // applied to every appended entity when not null
    double linetypeScale = 1.0; // applied to every appended entity when not 0.0
    std::string linetypeName;   // applied to every appended entity (by name) when not empty
    int colorIndex = 256;       // applied to every appended entity unless it is 255 (keep)

    // Point prompts: true only when the user gave a point; the out point is untouched otherwise.
    bool GetPoint(const char* prompt, AcGePoint3d& point);
    bool GetCorner(const AcGePoint3d& base, const char* prompt, AcGePoint3d& corner);

    // The database's current space opened in the given mode, or null. The caller closes it.
    AcDbBlockTableRecord* OpenCurrentSpace(AcDbDatabase* database, AcDb::OpenMode mode);
    // Appends to the current space and sets lastId; 3 (eInvalidInput) when the space cannot be
    // opened. The entity stays open for the caller.
    Acad::ErrorStatus AppendToCurrentSpace(AcDbEntity* entity, AcDbDatabase* database);
    // Applies linetype name, linetype id, linetype scale and colour (in that order) and appends
    // to the working database's current space. The entity stays open for the caller.
    Acad::ErrorStatus ApplyPropertiesAndAppend(AcDbEntity* entity);

    std::string GetLayer() const;

    // A point entity on layer "DefPoints" in model space (not the current space).
    bool AddDefPoint(const AcGePoint3d& position);
    // Erases the model-space entity with that id; false only without a database or block table.
    bool EraseFromModelSpace(AcDbObjectId id);
    // Every entity of every block whose class is (derived from) `entityClass` and whose layer name
    // begins with `layerPrefix` (all layers when it is empty), byte for byte. Returns 1, or 0
    // without a database or block table.
    int CollectEntities(AcDbObjectIdArray& ids, const char* layerPrefix, AcRxClass* entityClass);
    // The dimension style of that name, compared without regard to case; null when missing.
    AcDbObjectId FindDimStyle(const char* styleName);

    // A single-line text at `position` (also its alignment point), rotation in degrees, oblique
    // angle in radians. The colour argument survives only when colorIndex is 255. An empty layer
    // property is set to "0" first. The id is null when the text could not be appended.
    void AddText(AcDbObjectId& id, const AcGePoint3d& position, const char* text, double height,
                 double rotationDegrees, double oblique, AcDb::TextHorzMode horizontalMode,
                 AcDb::TextVertMode verticalMode, AcDbObjectId textStyleId, int textColorIndex);
};
