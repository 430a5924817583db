// Conversions between entity names, object ids and handle texts.
#include "arxcom/ArxObjectRefs.h"

#include "aced.h"
#include "arxcom/ArxError.h"
#include "arxcom/ArxOpened.h"

Acad::ErrorStatus IdFromEname(const ads_name name, AcDbObjectId& id) {
    const Acad::ErrorStatus es = acdbGetObjectId(id, name);
    if (es != Acad::eOk) {
        id.setNull();
        ReportArxError(es);
    }
    return es;
}

int IdFromHandle(AcDbDatabase* database, const char* handleText, AcDbObjectId& id, bool report) {
    id.setNull();
    Acad::ErrorStatus es = Acad::eNullObjectPointer;
    if (database != nullptr) {
        const AcDbHandle handle(handleText != nullptr ? handleText : "");
        es = database->getAcDbObjectId(id, false, handle);
    }
    if (es == Acad::eOk) {
        return 0;
    }
    id.setNull();
    if (report) {
        acutPrintf("\nERROR: Could not translate handle to objectId (%s)", ArxErrorText(es));
    }
    return Acad::eInvalidInput;
}

std::string HandleTextOfObject(const AcDbObject* object) {
    if (object == nullptr) {
        return {};
    }
    AcDbHandle handle;
    object->getAcDbHandle(handle);
    char text[32] = {};
    if (!handle.getIntoAsciiBuffer(text, sizeof text)) {
        return {};
    }
    return text;
}

std::string HandleTextOfId(AcDbObjectId id) {
    ArxOpened<AcDbObject> object;
    if (object.open(id, AcDb::kForRead) != Acad::eOk) {
        return {};
    }
    return HandleTextOfObject(object.get());
}
