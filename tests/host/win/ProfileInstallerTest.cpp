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
    veld::test::TempFolder folder;
    const std::string profile = folder.file("p");
    ASSERT_TRUE(veld::win::installProfile(VELD_SOURCE_DIR "/support", profile));
    const std::string ini = profile + "/VELDOR.ini";
    EXPECT_EQ(readIni(ini, "VELDOR", "INI"), profile);
    EXPECT_EQ(readIni(ini, "VELDOR", "PROG"), profile);
    EXPECT_EQ(readIni(ini, "FILENAME", "FOUNDATION"), "VELDOR-FOUNDATION");
    EXPECT_EQ(veld::test::readBytes(profile + "/DEF/VELDOR-FOUNDATION.DEF"),
              veld::test::readBytes(VELD_SOURCE_DIR "/support/DEF/VELDOR-FOUNDATION.DEF"));
    EXPECT_TRUE(veld::test::exists(profile + "/DAT"));
    // Only the two values changed; every other byte of the file is the checkout's.
    std::string original = veld::test::readBytes(VELD_SOURCE_DIR "/support/VELDOR.ini");
    original.replace(original.find("INI=."), 5, "INI=" + profile);
    original.replace(original.find("PROG=."), 6, "PROG=" + profile);
    EXPECT_EQ(veld::test::readBytes(ini), original);
}

TEST(ProfileInstaller, LaterInstallsKeepTheUsersFiles) {
    veld::test::TempFolder folder;
    const std::string profile = folder.file("p");
    ASSERT_TRUE(veld::win::installProfile(VELD_SOURCE_DIR "/support", profile));
    const std::string ini = profile + "/VELDOR.ini";
    ASSERT_TRUE(WritePrivateProfileStringA("VELDOR", "PROG", "/elsewhere", ini.c_str()));
    veld::test::writeBytes(profile + "/DAT/VELDOR-FOUNDATION.DAT", "user");
    ASSERT_TRUE(veld::win::installProfile(VELD_SOURCE_DIR "/support", profile));
    EXPECT_EQ(readIni(ini, "VELDOR", "PROG"), "/elsewhere");
    EXPECT_EQ(veld::test::readBytes(profile + "/DAT/VELDOR-FOUNDATION.DAT"), "user");
}

TEST(ProfileInstaller, ProfileThatCannotBeMadeFails) {
    veld::test::TempFolder folder;
    veld::test::writeBytes(folder.file("file"), "x");
    EXPECT_FALSE(veld::win::installProfile(VELD_SOURCE_DIR "/support", folder.file("file/p")));
}

} // namespace
