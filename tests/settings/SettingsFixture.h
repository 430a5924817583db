// A fresh profile installed from the checkout's support folder, found through the host's search
// path from an empty current folder, plus the text the module printed on the command line.
#pragma once
#include "host/files/SafeReplace.h"
#include "host/win/WinTestFiles.h"
#include "support/TempFolder.h"
#include "support/TestProfile.h"
#include "winprofile.h"

#include <gtest/gtest.h>

#include <string>

namespace veld::test {

// Everything acutPrintf printed since the last clearPrinted() (PrintCapture.cpp).
const std::string& printed();
void clearPrinted();

class SettingsFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(installedProfile.installed());
        clearPrinted();
    }
    void TearDown() override { veld::files::setBeforeRenameHookForTesting(nullptr); }
    std::string userFile() const { return profile + "/DAT/VELDOR-FOUNDATION.DAT"; }
    std::string factoryFile() const { return profile + "/DEF/VELDOR-FOUNDATION.DEF"; }

    TempFolder temp;
    TestProfile installedProfile{temp.path()};
    std::string profile = installedProfile.folder();
};

} // namespace veld::test
