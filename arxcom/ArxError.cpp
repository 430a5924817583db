// Reports a failing database status on the command line with the host's text for it.
#include "arxcom/ArxError.h"

#include "aced.h"

const char* ArxErrorText(Acad::ErrorStatus status) {
    return acadErrorStatusText(status);
}

void ReportArxError(Acad::ErrorStatus status) {
    if (status != Acad::eOk) {
        acutPrintf("\nARX ERROR: %s", ArxErrorText(status));
    }
}
