// acedFindFile: the search order of the host's search path and the result buffer's limits.
#include "WinTestFiles.h"
#include "aced.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class FindFile : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"drawing", "support1", "support2", "env1", "env2", "cwd"}) {
            fs::create_directory(folder.file(name));
        }
        previousFolder = fs::current_path();
        fs::current_path(folder.file("cwd"));
        ::unsetenv("VELD_SUPPORT_PATH");
    }
    void TearDown() override {
        fs::current_path(previousFolder);
        ::unsetenv("VELD_SUPPORT_PATH");
    }
    void put(const std::string& where, const std::string& name) {
        veld::test::writeBytes(folder.file(where + "/" + name), where);
    }
    // The folder in which the name was found, or the error code as text.
    std::string find(const std::string& name) {
        char result[512];
        const int status = acedFindFile(name.c_str(), result, sizeof result);
        if (status != RTNORM) {
            return std::to_string(status);
        }
        return fs::path(result).parent_path().filename().string();
    }
    veld::test::TempFolder folder;
    veld::test::ProfileScope scope{folder.file("profile")};
    fs::path previousFolder;
};

TEST_F(FindFile, SearchesAsGivenThenDrawingThenSupportThenEnvironmentFolders) {
    veld::win::SearchPath::setDrawingFolder(folder.file("drawing"));
    veld::win::SearchPath::setSupportFolders({folder.file("support1"), folder.file("support2")});
    ::setenv("VELD_SUPPORT_PATH", (folder.file("env1") + "::" + folder.file("env2")).c_str(), 1);
    for (const char* where : {"cwd", "drawing", "support1", "support2", "env1", "env2"}) {
        put(where, "all.ini");
    }
    for (const char* where : {"support2", "env1", "env2"}) {
        put(where, "late.ini");
    }
    put("env2", "last.ini");
    EXPECT_EQ(find("all.ini"), "cwd");
    fs::remove(folder.file("cwd/all.ini"));
    EXPECT_EQ(find("all.ini"), "drawing");
    EXPECT_EQ(find("late.ini"), "support2");
    EXPECT_EQ(find("last.ini"), "env2");
    EXPECT_EQ(find("none.ini"), std::to_string(RTERROR));
}

TEST_F(FindFile, ProfileFolderIsTheDefaultSupportFolder) {
    fs::create_directory(folder.file("profile"));
    put("profile", "VELDOR.ini");
    EXPECT_EQ(find("VELDOR.ini"), "profile");
    veld::win::SearchPath::setSupportFolders({folder.file("support1")});
    EXPECT_EQ(find("VELDOR.ini"), std::to_string(RTERROR));
}

TEST_F(FindFile, ResultIsAnAbsolutePathAndFolderPartsAreNotSearched) {
    veld::win::SearchPath::setSupportFolders({folder.file("support1")});
    put("support1", "x.dat");
    put("cwd", "here.dat");
    char result[512];
    ASSERT_EQ(acedFindFile("here.dat", result, sizeof result), RTNORM);
    EXPECT_EQ(std::string(result), fs::canonical(folder.file("cwd/here.dat")).string());
    ASSERT_EQ(acedFindFile((folder.path() + "\\support1\\x.dat").c_str(), result, sizeof result),
              RTNORM);
    EXPECT_EQ(std::string(result), fs::canonical(folder.file("support1/x.dat")).string());
    EXPECT_EQ(acedFindFile("sub\\x.dat", result, sizeof result), RTERROR);
    EXPECT_EQ(acedFindFile("..\\cwd\\here.dat", result, sizeof result), RTNORM);
    EXPECT_EQ(std::string(result), fs::canonical(folder.file("cwd/here.dat")).string());
    EXPECT_EQ(acedFindFile("support1", result, sizeof result), RTERROR); // folders are not files
}

TEST_F(FindFile, TooSmallBufferFailsWithoutWritingPastIt) {
    put("cwd", "name.ini");
    const std::string full = fs::canonical(folder.file("cwd/name.ini")).string();
    std::string buffer(full.size() + 8, '#');
    EXPECT_EQ(acedFindFile("name.ini", buffer.data(), full.size()), RTERROR);
    EXPECT_EQ(buffer.substr(full.size()), "########");
    EXPECT_EQ(acedFindFile("name.ini", buffer.data(), full.size() + 1), RTNORM);
    EXPECT_EQ(buffer.substr(0, full.size()), full);
    EXPECT_EQ(buffer.substr(full.size() + 1), "#######");
    EXPECT_EQ(acedFindFile("name.ini", buffer.data(), 0), RTERROR);
    EXPECT_EQ(acedFindFile(nullptr, buffer.data(), buffer.size()), RTERROR);
    EXPECT_EQ(acedFindFile("", buffer.data(), buffer.size()), RTERROR);
}

} // namespace
