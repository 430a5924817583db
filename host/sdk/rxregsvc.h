// Application life: the entry-point messages, registration services and the dynamic linker.
#pragma once
#include "rxobject.h"

namespace AcRx {
enum AppMsgCode {
    kNullMsg = 0,
    kInitAppMsg = 1,
    kUnloadAppMsg = 2,
    kLoadDwgMsg = 3,
    kUnloadDwgMsg = 4,
    kInvkSubrMsg = 5,
    kCfgMsg = 6,
    kEndMsg = 7,
    kQuitMsg = 8,
    kSaveMsg = 9,
};
enum AppRetCode { kRetOK = 0, kRetError = 3 };
} // namespace AcRx

class AcRxDynamicLinker : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcRxDynamicLinker)
    virtual bool unlockApplication(void* appId) const = 0;
    virtual bool lockApplication(void* appId) const = 0;
    virtual bool isApplicationLocked(const char* name) const = 0;
};
#define acrxDynamicLinker AcRxDynamicLinker::cast(acrxSysRegistry()->at(ACRX_DYNAMIC_LINKER))

bool acrxRegisterAppMDIAware(void* appId);
void acrxBuildClassHierarchy();

// The two entry points an extension module exports (with C linkage).
extern "C" {
using VeldEntryPointFn = AcRx::AppRetCode (*)(AcRx::AppMsgCode, void*);
using VeldApiVersionFn = int (*)();
}
