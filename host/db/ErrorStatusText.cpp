// The text of a database status: the enumerator's name.
#include "acadstrc.h"

#include <cstring>

#define VELD_STATUS_CASE(name)                                                                     \
    case Acad::name:                                                                               \
        return #name;

const char* acadErrorStatusText(Acad::ErrorStatus status) {
    // Read as a plain number: a caller may pass a value that is no enumerator.
    int value = 0;
    std::memcpy(&value, &status, sizeof value);
    switch (value) {
        VELD_STATUS_CASE(eOk)
        VELD_STATUS_CASE(eNotImplementedYet)
        VELD_STATUS_CASE(eNotApplicable)
        VELD_STATUS_CASE(eInvalidInput)
        VELD_STATUS_CASE(eAmbiguousInput)
        VELD_STATUS_CASE(eOutOfMemory)
        VELD_STATUS_CASE(eBufferTooSmall)
        VELD_STATUS_CASE(eInvalidOpenState)
        VELD_STATUS_CASE(eHandleExists)
        VELD_STATUS_CASE(eNullHandle)
        VELD_STATUS_CASE(eBrokenHandle)
        VELD_STATUS_CASE(eUnknownHandle)
        VELD_STATUS_CASE(eHandleInUse)
        VELD_STATUS_CASE(eNullObjectPointer)
        VELD_STATUS_CASE(eNullObjectId)
        VELD_STATUS_CASE(eNullBlockName)
        VELD_STATUS_CASE(eNullEntityPointer)
        VELD_STATUS_CASE(eIllegalEntityType)
        VELD_STATUS_CASE(eKeyNotFound)
        VELD_STATUS_CASE(eDuplicateKey)
        VELD_STATUS_CASE(eInvalidIndex)
        VELD_STATUS_CASE(eAlreadyInDb)
        VELD_STATUS_CASE(eWrongObjectType)
        VELD_STATUS_CASE(eWrongDatabase)
        VELD_STATUS_CASE(eNotOpenForRead)
        VELD_STATUS_CASE(eNotOpenForWrite)
        VELD_STATUS_CASE(eNotThatKindOfClass)
        VELD_STATUS_CASE(eInvalidBlockName)
        VELD_STATUS_CASE(eWasErased)
        VELD_STATUS_CASE(ePermanentlyErased)
        VELD_STATUS_CASE(eWasOpenForRead)
        VELD_STATUS_CASE(eWasOpenForWrite)
        VELD_STATUS_CASE(eOnLockedLayer)
        VELD_STATUS_CASE(eDuplicateRecordName)
        VELD_STATUS_CASE(eWasNotOpenForWrite)
        VELD_STATUS_CASE(eXdataSizeExceeded)
        VELD_STATUS_CASE(eRegisteredApplicationIdNotFound)
        VELD_STATUS_CASE(eAlreadyInGroup)
        VELD_STATUS_CASE(eNotInGroup)
    }
    return "eUnknownErrorStatus";
}
