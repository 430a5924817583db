// Installing the default installation into a profile: first use points VELDOR.ini at the
// profile; later installs never replace what the profile already has.
#include "host/win/ProfileInstaller.h"
#include "WinTestFiles.h"
#include "winprofile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

std::string readIni(const std::string& ini, const char* section, const char* key) {
    char buffer[VELD_PROFILE_UTF8_CAPACITY(256)];
    GetPrivateProfileStringA(section, key, "", buffer, 256, ini.c_str());
    return buffer;
}

TEST(ProfileInstaller, FirstUseCopiesEverythingAndPointsIniAndProgAtTheProfile) {
    veldtest::TempFolder folder;
    const std::string profile = folder.file("p");
    ASSERT_TRUE(veld::win::installProfile(VELD_SOURCE_DIR "/support", profile));
    const std::string ini = profile + "/VELDOR.ini";
    EXPECT_EQ(readIni(ini, "VELDOR", "INI"), profile);
    EXPECT_EQ(readIni(ini, "VELDOR", "PROG"), profile);
    EXPECT_EQ(readIni(ini, "FILENAME", "FOUNDATION"), "VELDOR-FOUNDATION");
    EXPECT_EQ(veldtest::readBytes(profile + "/DEF/VELDOR-FOUNDATION.DEF"),
              veldtest::readBytes(VELD_SOURCE_DIR "/support/DEF/VELDOR-FOUNDATION.DEF"));
    EXPECT_TRUE(veldtest::exists(profile + "/DAT"));
    // Only the two values changed; every other byte of the file is the checkout's.
    std::string original = veldtest::readBytes(VELD_SOURCE_DIR "/support/VELDOR.ini");
    original.replace(original.find("INI=."), 5, "INI=" + profile);
    original.replace(original.find("PROG=."), 6, "PROG=" + profile);
    EXPECT_EQ(veldtest::readBytes(ini), original);
}

TEST(ProfileInstaller, LaterInstallsKeepTheUsersFiles) {
    veldtest::TempFolder folder;
    const std::string profile = folder.file("p");
    ASSERT_TRUE(veld::win::installProfile(VELD_SOURCE_DIR "/support", profile));
    const std::string ini = profile + "/VELDOR.ini";
    ASSERT_TRUE(WritePrivateProfileStringA("VELDOR", "PROG", "/elsewhere", ini.c_str()));
    veldtest::writeBytes(profile + "/DAT/VELDOR-FOUNDATION.DAT", "user");
    ASSERT_TRUE(veld::win::installProfile(VELD_SOURCE_DIR "/support", profile));
    EXPECT_EQ(readIni(ini, "VELDOR", "PROG"), "/elsewhere");
    EXPECT_EQ(veldtest::readBytes(profile + "/DAT/VELDOR-FOUNDATION.DAT"), "user");
}

TEST(ProfileInstaller, ProfileThatCannotBeMadeFails) {
    veldtest::TempFolder folder;
    veldtest::writeBytes(folder.file("file"), "x");
    EXPECT_FALSE(veld::win::installProfile(VELD_SOURCE_DIR "/support", folder.file("file/p")));
}

} // namespace
