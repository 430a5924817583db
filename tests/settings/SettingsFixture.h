// A fresh profile installed from the checkout's support folder, found through the host's search
// path from an empty current folder, plus the text the module printed on the command line.
#pragma once
#include "host/files/SafeReplace.h"
#include "host/win/ProfileInstaller.h"
#include "host/win/WinTestFiles.h"
#include "winprofile.h"

#include <gtest/gtest.h>

#include <string>

namespace veldtest {

// Everything acutPrintf printed since the last clearPrinted() (PrintCapture.cpp).
const std::string& printed();
void clearPrinted();

class SettingsFixture : public ::testing::Test {
protected:
    void SetUp() override {
        profile = temp.file("profile");
        ASSERT_TRUE(veld::win::installProfile(VELD_SOURCE_DIR "/support", profile));
        std::filesystem::create_directory(temp.file("cwd"));
        previousFolder = std::filesystem::current_path();
        std::filesystem::current_path(temp.file("cwd"));
        clearPrinted();
    }
    void TearDown() override {
        std::filesystem::current_path(previousFolder);
        veld::files::setBeforeRenameHookForTesting(nullptr);
    }
    std::string userFile() const { return profile + "/DAT/VELDOR-FOUNDATION.DAT"; }
    std::string factoryFile() const { return profile + "/DEF/VELDOR-FOUNDATION.DEF"; }

    TempFolder temp;
    std::string profile;
    ProfileScope scope{temp.file("profile")};
    std::filesystem::path previousFolder;
};

} // namespace veldtest
