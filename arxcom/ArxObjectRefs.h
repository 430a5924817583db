// Conversions between the three ways the drawing names an object: the command line's entity
// name, the in-memory object id and the permanent handle, whose text is what the group tags
// store. Failures come back as statuses; only the conversions named below print.
#pragma once
#include "dbmain.h"

#include <string>

// The object id of a command-line entity name. A failing status is reported with
// ReportArxError and returned; the id is then null.
Acad::ErrorStatus IdFromEname(const ads_name name, AcDbObjectId& id);

// The object id of the object whose handle is given as hexadecimal text. 0 on success; 3 when
// the handle is not known to the database (the id is then null), and with `report` set the
// line "\nERROR: Could not translate handle to objectId (<status text>)" is printed.
int IdFromHandle(AcDbDatabase* database, const char* handleText, AcDbObjectId& id, bool report);

// The handle text of an object, "" when it cannot be opened for read.
std::string HandleTextOfId(AcDbObjectId id);
// The handle text of an object the caller already has open.
std::string HandleTextOfObject(const AcDbObject* object);
