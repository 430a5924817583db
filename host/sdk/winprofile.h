// Private-profile (INI) files with the Windows semantics. Files are Shift-JIS (code page 932)
// on disk; the texts passed in and out are UTF-8. Byte limits count Shift-JIS bytes: the value
// is cut to nSize-1 Shift-JIS bytes (never inside a character) before it is converted, so the
// buffer must hold VELD_PROFILE_UTF8_CAPACITY(nSize) bytes. A bare file name means the profile
// folder (see veldProfileFolder).
#pragma once
#include "windef.h"

#define VELD_PROFILE_UTF8_CAPACITY(nSize) (3u * (nSize) + 1u)

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR returned,
                               DWORD nSize, LPCSTR fileName);
BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName);
