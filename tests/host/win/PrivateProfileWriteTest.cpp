// Writing private-profile files: edits touch only their own line, new keys and sections go where
// the original platform puts them, and a failed write leaves the file as it was.
#include "WinTestFiles.h"
#include "host/files/SafeReplace.h"
#include "winprofile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using veld::test::readBytes;
using veld::test::sjis;
using veld::test::writeBytes;

// A file another program wrote: odd spacing, quotes, comments, duplicates, LF and CR LF ends,
// an unknown line and no line end at the very end.
const std::string kForeign = ";; written by hand\r\n"
                             "\r\n"
                             "  [ Foundation_Delta ]  \r\n"
                             "  pile_span   =   '1000'  \r\n"
                             "MARK = \"F1\"\r\n"
                             "mark = second\r\n"
                             ";MARK=commented\r\n"
                             "unknown line\r\n"
                             "\r\n"
                             "[OTHERS]\n"
                             "MARK_SIZE=300\n"
                             "[FOUNDATION_DELTA]\r\n"
                             "MARK=duplicate section";

class ProfileWrite : public ::testing::Test {
protected:
    veld::test::TempFolder folder;
    veld::test::ProfileScope scope{folder.path()};
    std::string file = folder.file("user.dat");

    BOOL write(const char* section, const char* key, const char* value) {
        return WritePrivateProfileStringA(section, key, value, file.c_str());
    }
    std::string read(const char* section, const char* key) {
        char buffer[VELD_PROFILE_UTF8_CAPACITY(256)];
        GetPrivateProfileStringA(section, key, "<none>", buffer, 256, file.c_str());
        return buffer;
    }
    static std::string replaced(std::string text, const std::string& from, const std::string& to) {
        text.replace(text.find(from), from.size(), to);
        return text;
    }
};

TEST_F(ProfileWrite, ForeignFileKeepsEveryLineButTheKeyWritten) {
    writeBytes(file, kForeign);
    ASSERT_TRUE(write("FOUNDATION_DELTA", "mark", "F2"));
    EXPECT_EQ(readBytes(file), replaced(kForeign, "MARK = \"F1\"\r\n", "MARK=F2\r\n"));
    EXPECT_EQ(read("foundation_delta", "MARK"), "F2");
    EXPECT_EQ(read("FOUNDATION_DELTA", "PILE_SPAN"), "1000");
}

TEST_F(ProfileWrite, NewKeyGoesAfterTheLastLineOfItsSection) {
    writeBytes(file, kForeign);
    ASSERT_TRUE(write("FOUNDATION_DELTA", "BOTTOM", "1588.68"));
    EXPECT_EQ(readBytes(file),
              replaced(kForeign, "unknown line\r\n", "unknown line\r\nBOTTOM=1588.68\r\n"));
    ASSERT_TRUE(write("others", "EXTRA", "1"));
    EXPECT_EQ(read("OTHERS", "EXTRA"), "1");
    EXPECT_NE(readBytes(file).find("MARK_SIZE=300\nEXTRA=1\r\n[FOUNDATION_DELTA]"),
              std::string::npos);
}

TEST_F(ProfileWrite, NewSectionGoesAtTheEndOfTheFile) {
    writeBytes(file, kForeign);
    ASSERT_TRUE(write("FOUNDATION_SQUARE", "BASE_SIZE_X", "1500"));
    EXPECT_EQ(readBytes(file), kForeign + "\r\n[FOUNDATION_SQUARE]\r\nBASE_SIZE_X=1500\r\n");
}

TEST_F(ProfileWrite, NullValueDeletesTheKeyAndNullKeyTheSection) {
    writeBytes(file, kForeign);
    ASSERT_TRUE(write("FOUNDATION_DELTA", "MARK", nullptr));
    EXPECT_EQ(readBytes(file), replaced(kForeign, "MARK = \"F1\"\r\n", ""));
    EXPECT_EQ(read("FOUNDATION_DELTA", "MARK"), "second"); // the duplicate now comes first

    ASSERT_TRUE(write("OTHERS", nullptr, nullptr));
    EXPECT_EQ(readBytes(file), replaced(replaced(kForeign, "MARK = \"F1\"\r\n", ""),
                                        "[OTHERS]\nMARK_SIZE=300\n", ""));

    const std::string missing = folder.file("missing.ini");
    EXPECT_TRUE(WritePrivateProfileStringA("S", "K", nullptr, missing.c_str()));
    EXPECT_TRUE(WritePrivateProfileStringA("S", nullptr, nullptr, missing.c_str()));
    EXPECT_FALSE(veld::test::exists(missing));
}

TEST_F(ProfileWrite, NewFileIsShiftJisWithCrLfAndReadsBackTheSameText) {
    ASSERT_TRUE(write("FOUNDATION_DELTA", "LOOK_LAYER", "基礎見かけ線"));
    ASSERT_TRUE(write("FOUNDATION_DELTA", "MARK", "ﾌｰﾁﾝｸﾞ"));
    ASSERT_TRUE(write("OTHERS", "MARK_SIZE", "300"));
    EXPECT_EQ(readBytes(file), sjis("[FOUNDATION_DELTA]\r\nLOOK_LAYER=基礎見かけ線\r\n"
                                    "MARK=ﾌｰﾁﾝｸﾞ\r\n[OTHERS]\r\nMARK_SIZE=300\r\n"));
    EXPECT_EQ(read("FOUNDATION_DELTA", "LOOK_LAYER"), "基礎見かけ線");
    EXPECT_EQ(read("FOUNDATION_DELTA", "MARK"), "ﾌｰﾁﾝｸﾞ");
}

TEST_F(ProfileWrite, BareFileNameIsWrittenInTheProfileFolder) {
    ASSERT_TRUE(WritePrivateProfileStringA("S", "K", "v", "bare.ini"));
    EXPECT_EQ(readBytes(folder.file("bare.ini")), "[S]\r\nK=v\r\n");
}

TEST_F(ProfileWrite, ReadOnlyFileOrMissingFolderFailsAndChangesNothing) {
    writeBytes(file, kForeign);
    ::chmod(file.c_str(), 0444);
    EXPECT_FALSE(write("FOUNDATION_DELTA", "MARK", "F9"));
    EXPECT_EQ(readBytes(file), kForeign);

    const std::string inMissingFolder = folder.path() + "\\DAT\\VELDOR-FOUNDATION.DAT";
    EXPECT_FALSE(WritePrivateProfileStringA("S", "K", "v", inMissingFolder.c_str()));
    EXPECT_FALSE(veld::test::exists(folder.file("DAT")));
    EXPECT_EQ(veld::test::entryCount(folder.path()), 1);

    // Something that is there but is no readable file is never replaced.
    std::filesystem::create_directory(folder.file("dir.ini"));
    EXPECT_FALSE(WritePrivateProfileStringA("S", "K", "v", folder.file("dir.ini").c_str()));
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("dir.ini")));
}

TEST_F(ProfileWrite, TextsThatWouldBreakTheLinesAreRefused) {
    writeBytes(file, kForeign);
    EXPECT_FALSE(write("FOUNDATION_DELTA", "MARK", "F1\r\n[OTHERS]"));
    EXPECT_FALSE(write("FOUNDATION_DELTA", "A=B", "x"));
    EXPECT_FALSE(write("FOUNDATION_DELTA", ";K", "x"));
    EXPECT_FALSE(write("S\nT", "K", "x"));
    EXPECT_FALSE(write(nullptr, "K", "x"));
    EXPECT_EQ(readBytes(file), kForeign);
}

class ProfileWriteFailure : public ProfileWrite {
protected:
    void TearDown() override { veld::files::setBeforeRenameHookForTesting(nullptr); }
};

TEST_F(ProfileWriteFailure, FailedRenameLeavesTheFileWholeAndNoTemporaryBehind) {
    writeBytes(file, kForeign);
    veld::files::setBeforeRenameHookForTesting([](const std::string&) { return false; });
    EXPECT_FALSE(write("FOUNDATION_DELTA", "MARK", "F2"));
    EXPECT_EQ(readBytes(file), kForeign);
    EXPECT_EQ(veld::test::entryCount(folder.path()), 1);
    EXPECT_FALSE(WritePrivateProfileStringA("S", "K", "v", folder.file("new.ini").c_str()));
    EXPECT_FALSE(veld::test::exists(folder.file("new.ini")));
}

TEST_F(ProfileWriteFailure, ProcessDyingBeforeTheRenameLeavesTheFileWhole) {
    writeBytes(file, kForeign);
    EXPECT_EXIT(
        {
            veld::files::setBeforeRenameHookForTesting(
                [](const std::string&) -> bool { ::_exit(3); });
            write("FOUNDATION_DELTA", "MARK", "F2");
        },
        ::testing::ExitedWithCode(3), "");
    EXPECT_EQ(readBytes(file), kForeign);
    EXPECT_EQ(read("FOUNDATION_DELTA", "MARK"), "F1");
}

// A defaults file in a folder that takes no new file (run as another user, as root writes
// anywhere): the file is rewritten where it is, not left unsaved.
TEST_F(ProfileWrite, AWritableFileInAReadOnlyFolderIsStillWritten) {
    const std::string locked = folder.file("locked");
    std::filesystem::create_directory(locked);
    const std::string inside = locked + "/user.dat";
    writeBytes(inside, kForeign);
    ::chmod(folder.path().c_str(), 0755);
    ::chmod(inside.c_str(), 0666);
    ::chmod(locked.c_str(), 0555);
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(9);
        }
        ::_exit(WritePrivateProfileStringA("FOUNDATION_DELTA", "MARK", "F2", inside.c_str()) ? 0
                                                                                             : 1);
    }
    int status = -1;
    ::waitpid(pid, &status, 0);
    ::chmod(locked.c_str(), 0755);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(readBytes(inside), replaced(kForeign, "MARK = \"F1\"\r\n", "MARK=F2\r\n"));
    EXPECT_EQ(veld::test::entryCount(locked), 1);
}

TEST_F(ProfileWrite, ReplacingKeepsTheFilesPermissions) {
    writeBytes(file, kForeign);
    ::chmod(file.c_str(), 0640);
    ASSERT_TRUE(write("FOUNDATION_DELTA", "MARK", "F2"));
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

} // namespace
