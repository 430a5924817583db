// The framework's file finder and text file, as the module uses them. Paths may use backslashes
// (they are folder separators). Texts are UTF-8 in the program; a text file is Shift-JIS on disk.
// Nothing throws: a failure shows in the return value (MFC's exceptions are not raised).
#pragma once
#include "windef.h"

#include <cstdio>
#include <string>
#include <vector>

// Finds files by name. The last part of the name may hold the wildcards '*' (any run of
// characters) and '?' (one character), matched without regard to ASCII case, with "*.*"
// meaning every name; the folders before it are taken as written. Without wildcards the name is
// found when that file or folder exists. Matches come in name order; "." and ".." are not listed.
class CFileFind {
public:
    CFileFind() = default;
    virtual ~CFileFind() { Close(); }
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    // Starts a search (a null name means "*.*" in the current folder). Nonzero when at least one
    // entry matches. Call FindNextFile before asking for the first entry's names.
    BOOL FindFile(const char* name = nullptr, DWORD unused = 0);
    // Steps to the next entry; nonzero while more entries follow it, zero for the last one.
    BOOL FindNextFile();
    // The current entry's path (the search's folder part joined with the name, '/' separators)
    // and its name alone. Empty before the first FindNextFile.
    std::string GetFilePath() const;
    std::string GetFileName() const;
    BOOL IsDirectory() const;
    // Ends the search; the finder can start another one.
    void Close();

private:
    std::string folder_; // folder part of the search, with its trailing '/', or ""
    std::vector<std::string> names_;
    std::vector<bool> directories_;
    int current_ = -1;
};

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000
    };
};

// A text file in the platform's code page (Shift-JIS). In text mode (the default) "\n" is
// written as CR LF and a CR LF read back as "\n"; typeBinary writes and reads lines unchanged.
// modeCreate makes the file (emptying an existing one unless modeNoTruncate is given); without
// it the file must exist. The share flags are accepted and ignored.
class CStdioFile : public CFile {
public:
    CStdioFile() = default;
    virtual ~CStdioFile() { Close(); }
    CStdioFile(const CStdioFile&) = delete;
    CStdioFile& operator=(const CStdioFile&) = delete;

    // Nonzero when the file was opened. `error` is accepted for the framework's signature only.
    BOOL Open(const char* fileName, UINT openFlags, void* error = nullptr);
    // Writes a UTF-8 text converted to Shift-JIS; characters without a Shift-JIS form become '?'.
    // A failed write is remembered (see Failed) instead of thrown.
    void WriteString(const char* text);
    // Reads one line into `line` as UTF-8, including its "\n" when it had one; FALSE at the end.
    BOOL ReadString(std::string& line);
    // Closes the file; nonzero when everything written reached it.
    BOOL Close();
    BOOL IsOpen() const { return stream_ != nullptr; }
    // True when a write or the close failed since Open.
    bool Failed() const { return failed_; }

private:
    std::FILE* stream_ = nullptr;
    bool text_ = true;
    bool failed_ = false;
};
