// Private-profile (INI) files with the Windows semantics. Files are Shift-JIS (code page 932)
// on disk; the texts passed in and out are UTF-8. Byte limits count Shift-JIS bytes: the value
// is cut to nSize-1 Shift-JIS bytes (never inside a character) before it is converted, so the
// buffer must hold VELD_PROFILE_UTF8_CAPACITY(nSize) bytes. A bare file name means the profile
// folder (veld::win::profileFolder in host/win/Paths.h); backslashes in names are folder
// separators. A null file name means "win.ini" in the profile folder.
//
// Reading: section and key names compare without regard to case; names and values are trimmed
// of blanks; one pair of matching quotes (' or ") around a value is removed; lines starting with
// ';' are comments; the first of duplicate sections, and in it the first of duplicate keys, is
// used. A key present with an empty value gives "" and 0. A missing file, section or key gives
// the default (null: "") without its trailing blanks. The result is the number of Shift-JIS bytes
// copied, or nSize-1 when the text had to be cut; nSize 0 returns 0 and leaves the buffer alone.
// A null key lists the section's key names, a null section lists all section names: each name
// followed by NUL, then a final NUL; a list that does not fit is cut to nSize-2 bytes, closed by
// two NULs, and nSize-2 is returned.
//
// Writing: an existing key's line is replaced in place by "key=value"; a new key goes at the end
// of its section and a new section at the end of the file, each line ending in CR LF. A null
// value deletes the key, a null key deletes the section (nothing is created for a deletion).
// Every other line of the file stays byte for byte. The file is replaced through a temporary
// file and a rename, so it is never left truncated. FALSE, with nothing written or created, when
// the folder is missing, the file is write-protected, the section is null, or a name or value
// holds a line break (or the key is empty, starts with ';' or '[' or holds '=').
#pragma once
#include "windef.h"

#define VELD_PROFILE_UTF8_CAPACITY(nSize) (3u * (nSize) + 1u)

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR returned,
                               DWORD nSize, LPCSTR fileName);
BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName);
