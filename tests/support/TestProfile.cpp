// A fresh profile installed from the checkout.
#include "support/TestProfile.h"

#include "host/win/FileSearch.h"
#include "host/win/Paths.h"
#include "host/win/ProfileInstaller.h"

namespace veld::test {

TestProfile::TestProfile(const std::string& folder, CurrentFolder current)
    : folder_(folder + "/profile") {
    if (current == CurrentFolder::Empty) {
        std::filesystem::create_directories(folder + "/cwd");
        previousFolder_ = std::filesystem::current_path();
        std::filesystem::current_path(folder + "/cwd");
    }
    veld::win::setProfileFolder(folder_);
    veld::win::SearchPath::reset();
    installed_ = veld::win::installProfile(VELD_SOURCE_DIR "/support", folder_);
}

TestProfile::~TestProfile() {
    veld::win::setProfileFolder("");
    veld::win::SearchPath::reset();
    if (!previousFolder_.empty()) {
        std::filesystem::current_path(previousFolder_);
    }
}

} // namespace veld::test
