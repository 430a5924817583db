// The module's entry points: the library entry the loader calls on attach and detach, the
// application entry point that registers the commands FNDD, FNSD and FNDE in group QRN_VELDOR,
// and the API version the module was built for.
#pragma once
#include "rxregsvc.h"
#include "windef.h"

constexpr const char* kVeldCommandGroup = "QRN_VELDOR";
constexpr int kVeldApiVersion = 0x100000;

extern "C" {
BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);
AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode message, void* appId);
int acrxGetApiVersion();
}
