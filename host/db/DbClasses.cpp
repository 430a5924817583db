// Enters every database class in the class dictionary when the host library loads, so a
// class can be found by name before any object of it exists.
#include "RawObjects.h"
#include "dbdict.h"
#include "dbdim.h"

namespace {

struct RegisterDatabaseClasses {
    RegisterDatabaseClasses() {
        for (AcRxClass* cls : {AcRxObject::desc(),
                               AcRxClass::desc(),
                               AcRxDictionary::desc(),
                               AcDbObject::desc(),
                               AcDbEntity::desc(),
                               AcDbCurve::desc(),
                               AcDbLine::desc(),
                               AcDbPoint::desc(),
                               AcDbText::desc(),
                               AcDbAttributeDefinition::desc(),
                               AcDbAttribute::desc(),
                               AcDbBlockReference::desc(),
                               AcDbCircle::desc(),
                               AcDbArc::desc(),
                               AcDbPolyline::desc(),
                               AcDbDimension::desc(),
                               AcDbAlignedDimension::desc(),
                               AcDbSymbolTable::desc(),
                               AcDbSymbolTableRecord::desc(),
                               AcDbBlockTable::desc(),
                               AcDbLayerTable::desc(),
                               AcDbLinetypeTable::desc(),
                               AcDbTextStyleTable::desc(),
                               AcDbDimStyleTable::desc(),
                               AcDbRegAppTable::desc(),
                               AcDbBlockTableRecord::desc(),
                               AcDbLayerTableRecord::desc(),
                               AcDbLinetypeTableRecord::desc(),
                               AcDbTextStyleTableRecord::desc(),
                               AcDbDimStyleTableRecord::desc(),
                               AcDbRegAppTableRecord::desc(),
                               AcDbDictionary::desc(),
                               AcDbGroup::desc(),
                               AcDbDatabase::desc(),
                               AcDbRawEntity::desc(),
                               AcDbRawObject::desc(),
                               AcDbRawSymbolTable::desc(),
                               AcDbRawTableRecord::desc()}) {
            (void)cls;
        }
    }
};

const RegisterDatabaseClasses registerDatabaseClasses;

} // namespace
