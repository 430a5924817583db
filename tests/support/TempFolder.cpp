// A temporary folder removed at the end.
#include "support/TempFolder.h"

#include <cstdlib>
#include <unistd.h>

namespace veld::test {

TempFolder::TempFolder(const std::string& prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::abort(); // nothing a test could check would mean anything without its folder
    }
    path_ = pattern;
}

TempFolder::~TempFolder() {
    if (std::getenv("VELD_KEEP_TEST_FILES") != nullptr) {
        return;
    }
    // A test may have taken the write permission away to provoke a failure.
    std::error_code error;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(path_, error);
}

} // namespace veld::test
