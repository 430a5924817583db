// Reports a failing database status on the command line: the toolkit's one generic message,
// used where a conversion the user relies on (an entity name to an id) goes wrong.
#pragma once
#include "acadstrc.h"

// The host's text for a status (the enumerator's name).
const char* ArxErrorText(Acad::ErrorStatus status);

// Prints "\nARX ERROR: <text>" for any status other than eOk; eOk prints nothing.
void ReportArxError(Acad::ErrorStatus status);
