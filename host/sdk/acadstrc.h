// Status values of the drawing database, with the numbers the original SDK uses.
#pragma once

namespace Acad {

enum ErrorStatus {
    eOk = 0,
    eNotImplementedYet = 1,
    eNotApplicable = 2,
    eInvalidInput = 3,
    eAmbiguousInput = 4,
    eOutOfMemory = 6,
    eBufferTooSmall = 7,
    eInvalidOpenState = 8,
    eHandleExists = 10,
    eNullHandle = 11,
    eBrokenHandle = 12,
    eUnknownHandle = 13,
    eHandleInUse = 14,
    eNullObjectPointer = 15,
    eNullObjectId = 16,
    eNullBlockName = 17,
    eNullEntityPointer = 20,
    eIllegalEntityType = 21,
    eKeyNotFound = 22,
    eDuplicateKey = 23,
    eInvalidIndex = 24,
    eAlreadyInDb = 26,
    eWrongObjectType = 34,
    eWrongDatabase = 35,
    eNotOpenForRead = 44,
    eNotOpenForWrite = 45,
    eNotThatKindOfClass = 46,
    eInvalidBlockName = 47,
    eWasErased = 80,
    ePermanentlyErased = 81,
    eWasOpenForRead = 82,
    eWasOpenForWrite = 83,
    eOnLockedLayer = 87,
    eDuplicateRecordName = 95,
    eWasNotOpenForWrite = 100,
    eXdataSizeExceeded = 125,
    eRegisteredApplicationIdNotFound = 126,
    eAlreadyInGroup = 260,
    eNotInGroup = 261,
};

} // namespace Acad

// The host's text for a status: the enumerator's name ("eInvalidInput"); unknown values give
// "eUnknownErrorStatus". The text is a constant owned by the host.
const char* acadErrorStatusText(Acad::ErrorStatus status);
