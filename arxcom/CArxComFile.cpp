// File helper of the toolkit: existence test through the file finder.
#include "arxcom/CArxComFile.h"

#include "afxfile.h"

CArxComFile::~CArxComFile() = default;

bool CArxComFile::FileExists(const std::string& path) const {
    CFileFind finder;
    const bool found = finder.FindFile(path.c_str()) != FALSE;
    finder.Close();
    return found;
}
