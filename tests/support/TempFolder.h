// A fresh folder under the system's temporary folder for one test or benchmark, removed with
// everything in it at the end (VELD_KEEP_TEST_FILES keeps it for a look afterwards).
#pragma once
#include <filesystem>
#include <string>

namespace veld::test {

class TempFolder {
public:
    // The folder's name starts with `prefix`; a random part makes it unique.
    explicit TempFolder(const std::string& prefix = "veld-test");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    // A path inside the folder (nothing is made there).
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

} // namespace veld::test
