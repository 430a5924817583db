// The few Windows names the module's shell uses: instance handles and BOOL.
#pragma once
#include <cstdint>

struct VeldModuleInstance; // host-side record of a loaded module or of the host itself
using HINSTANCE = VeldModuleInstance*;
using HMODULE = HINSTANCE;
using BOOL = int;
using UINT = unsigned int;
using DWORD = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using INT_PTR = std::intptr_t;
using LPCSTR = const char*;
using LPSTR = char*;
using LPVOID = void*;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
