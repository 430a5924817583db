// The host's command line as the module sees it: printing, prompts, selection, system variables,
// host commands, file search, the command stack and the document lock. Every call returns a
// result code (RTNORM on success, RTNONE for an empty answer, RTCAN for ESC) and never throws.
#pragma once
#include "dbmain.h"
#include "windef.h"

#include <cstddef>

// Prints on the command line (printf format, UTF-8). Returns the number of bytes printed.
int acutPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Asks for a point. `base` may be null. RTNORM with the point, RTNONE for RETURN, RTCAN for ESC.
int acedGetPoint(const ads_point base, const char* prompt, ads_point result);
// Asks for the opposite corner of a rectangle from `base` (which must be given).
int acedGetCorner(const ads_point base, const char* prompt, ads_point result);
// Asks for a text; with cronly 0 a blank ends the answer, otherwise only RETURN does.
int acedGetString(int cronly, const char* prompt, char* result, std::size_t bufferLength);
// Asks for a real number.
int acedGetReal(const char* prompt, ads_real* result);

// Object selection. Mode ":S": one pick or one window (left to right) / crossing (right to left).
// RTNORM with a new set when something was selected; RTERROR when nothing was, RTCAN on ESC.
int acedSSGet(const char* mode, const void* point1, const void* point2, const resbuf* filter,
              ads_name ss);
int acedSSLength(const ads_name ss, Adesk::Int32* length);
int acedSSName(const ads_name ss, Adesk::Int32 index, ads_name entity);
int acedSSFree(const ads_name ss);

// System variables. Integers travel as RTSHORT, reals as RTREAL, texts as RTSTR (the result's
// text is allocated and freed with the buffer's chain).
int acedGetVar(const char* name, resbuf* result);
int acedSetVar(const char* name, const resbuf* value);

// Runs a host command with the given items: (type, value) pairs closed by 0 (RTNONE).
// Strings RTSTR, reals RTREAL, integers RTSHORT, points RTPOINT/RT3DPOINT (a double[3]).
int acedCommand(int rtype, ...);
// The same with a result-buffer chain.
int acedCmd(const resbuf* items);

// The last main entity of the drawing (the block reference after an insertion, not its attributes).
int acdbEntLast(ads_name result);

// Looks a file up: as given when it exists, else on the host's search path (the drawing's folder,
// the profile's support folders, the folders of VELD_SUPPORT_PATH). RTNORM with the full path.
int acedFindFile(const char* fileName, char* result, std::size_t bufferLength);

// Keeps the module's and the host's dialogs apart: the command stack remembers the handle a
// command was registered with.
using AcRxFunctionPtr = void (*)();
class AcEdUIContext;

#define ACRX_CMD_MODAL 0x00000000
#define ACRX_CMD_TRANSPARENT 0x00000001

class AcEdCommand {
public:
    virtual ~AcEdCommand() = default;
    virtual const char* globalName() const = 0;
    virtual const char* localName() const = 0;
    virtual const char* groupName() const = 0;
    virtual Adesk::Int32 commandFlags() const = 0;
    virtual AcRxFunctionPtr functionAddr() const = 0;
    virtual HINSTANCE resourceHandle() const = 0;
};

class AcEdCommandStack : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcEdCommandStack)
    virtual Acad::ErrorStatus addCommand(const char* groupName, const char* globalName,
                                         const char* localName, Adesk::Int32 flags,
                                         AcRxFunctionPtr function,
                                         AcEdUIContext* uiContext = nullptr, int functionCode = -1,
                                         HINSTANCE resourceHandle = nullptr,
                                         AcEdCommand** commandOut = nullptr) = 0;
    virtual Acad::ErrorStatus removeCmd(const char* groupName, const char* globalName) = 0;
    virtual Acad::ErrorStatus removeGroup(const char* groupName) = 0;
    virtual AcEdCommand* lookupGlobalCmd(const char* globalName) = 0;
    virtual AcEdCommand* lookupLocalCmd(const char* localName) = 0;
    virtual AcEdCommand* lookupCmd(const char* name, bool globalFlag) = 0;
};
#define acedRegCmds AcEdCommandStack::cast(acrxSysRegistry()->at(ACRX_COMMAND_DOCK))

// Documents and their lock.
namespace AcAp {
enum DocLockMode {
    kNone = 0x00,
    kAutoWrite = 0x01,
    kNotLocked = 0x02,
    kWrite = 0x04,
    kProtectedAutoWrite = 0x14,
    kRead = 0x20,
    kXWrite = 0x40
};
} // namespace AcAp

class AcApDocument {
public:
    virtual ~AcApDocument() = default;
    virtual AcDbDatabase* database() const = 0;
    virtual AcAp::DocLockMode myLockMode() const = 0;
    virtual const char* fileName() const = 0;
};

class AcApDocManager {
public:
    virtual ~AcApDocManager() = default;
    virtual AcApDocument* curDocument() const = 0;
    virtual AcApDocument* mdiActiveDocument() const = 0;
    virtual Acad::ErrorStatus lockDocument(AcApDocument* doc, AcAp::DocLockMode mode = AcAp::kWrite,
                                           const char* globalCmdName = nullptr,
                                           const char* localCmdName = nullptr,
                                           bool prompt = true) = 0;
    virtual Acad::ErrorStatus unlockDocument(AcApDocument* doc) = 0;
};
AcApDocManager* acDocManagerPtr();
#define acDocManager acDocManagerPtr()
