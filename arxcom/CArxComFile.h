// File helper of the toolkit: whether a file exists, asked through the platform's file finder
// so that a path is treated exactly as the finder treats it (backslashes, wildcards).
#pragma once
#include <string>

class CArxComFile {
public:
    CArxComFile() = default;
    virtual ~CArxComFile();

    // True when a search for `path` finds an entry; the search is closed again.
    bool FileExists(const std::string& path) const;
};
