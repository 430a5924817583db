// The one way files are replaced: backups, links, special files, read-only files and folders,
// permissions and owners, a full disk, and a process killed during the save.
#include "host/files/SafeReplace.h"
#include "host/files/FileRead.h"
#include "host/win/WinTestFiles.h"

#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using veld::test::entryCount;
using veld::test::readBytes;
using veld::test::writeBytes;

constexpr uid_t kOtherUser = 65534; // nobody

class SafeReplace : public ::testing::Test {
protected:
    veld::test::TempFolder folder;
    std::string file = folder.file("a.dxf");
    std::string error;

    bool save(const std::string& path, std::string_view content, bool backup = true) {
        error.clear();
        return veld::files::replaceFile(path, content, {.keepBackup = backup}, error);
    }
    static struct stat statOf(const std::string& path) {
        struct stat info {};
        ::lstat(path.c_str(), &info);
        return info;
    }
    // Runs `body` in a child process (as another user when `asOtherUser` and we are root) and
    // gives its exit code.
    static int inChild(const std::function<bool()>& body, bool asOtherUser = false) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            if (asOtherUser && ::geteuid() == 0 &&
                (::setgid(kOtherUser) != 0 || ::setuid(kOtherUser) != 0)) {
                ::_exit(9);
            }
            ::_exit(body() ? 0 : 1);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
};

TEST_F(SafeReplace, ReplacesTheFileAndKeepsThePreviousAsBackup) {
    ASSERT_TRUE(save(file, "one")) << error;
    EXPECT_FALSE(veld::test::exists(file + ".bak"));
    ASSERT_TRUE(save(file, "two")) << error;
    EXPECT_EQ(readBytes(file), "two");
    EXPECT_EQ(readBytes(file + ".bak"), "one");
    EXPECT_EQ(entryCount(folder.path()), 2) << "no temporary file is left behind";
    ASSERT_TRUE(save(file, "three", false));
    EXPECT_EQ(readBytes(file + ".bak"), "one") << "a save without backup leaves the .bak alone";
}

TEST_F(SafeReplace, FailuresSayWhyAndLeaveTheOldFile) {
    ASSERT_TRUE(save(file, "old"));
    EXPECT_FALSE(save(folder.file("missing/b.dxf"), "x"));
    EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
    std::filesystem::create_directory(folder.file("c.dxf"));
    EXPECT_FALSE(save(folder.file("c.dxf"), "x"));
    EXPECT_NE(error.find("it is a folder"), std::string::npos) << error;
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("c.dxf")));
    EXPECT_EQ(readBytes(file), "old");
}

TEST_F(SafeReplace, ReadOnlyFileIsRefusedEvenForRootAndItsBackupStays) {
    ASSERT_TRUE(save(file, "original"));
    ASSERT_TRUE(save(file, "second"));
    ::chmod(file.c_str(), 0444);
    EXPECT_FALSE(save(file, "third"));
    EXPECT_NE(error.find("the file is read-only"), std::string::npos) << error;
    EXPECT_EQ(readBytes(file), "second");
    EXPECT_EQ(readBytes(file + ".bak"), "original");
    EXPECT_EQ(statOf(file).st_mode & 0777, 0444u);
}

TEST_F(SafeReplace, SymbolicLinksAreFollowedToTheirTarget) {
    writeBytes(folder.file("real.dxf"), "old");
    ASSERT_EQ(::symlink("real.dxf", file.c_str()), 0);
    ASSERT_TRUE(save(file, "new")) << error;
    EXPECT_TRUE(S_ISLNK(statOf(file).st_mode)) << "the link stays a link";
    EXPECT_EQ(readBytes(folder.file("real.dxf")), "new");
    EXPECT_EQ(readBytes(folder.file("real.dxf.bak")), "old");

    const std::string dangling = folder.file("later.dxf");
    ASSERT_EQ(::symlink("created.dxf", dangling.c_str()), 0);
    ASSERT_TRUE(save(dangling, "made")) << error;
    EXPECT_TRUE(S_ISLNK(statOf(dangling).st_mode));
    EXPECT_EQ(readBytes(folder.file("created.dxf")), "made");
}

TEST_F(SafeReplace, FifosAndDevicesAreRefusedAndLeftAsTheyAre) {
    const std::string fifo = folder.file("pipe.dxf");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_FALSE(save(fifo, "x"));
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
    EXPECT_TRUE(S_ISFIFO(statOf(fifo).st_mode));
    // Through a link, so that a fault here replaces the link rather than the real device.
    const std::string null = folder.file("null.svg");
    ASSERT_EQ(::symlink("/dev/null", null.c_str()), 0);
    EXPECT_FALSE(save(null, "x"));
    EXPECT_TRUE(S_ISLNK(statOf(null).st_mode));
    EXPECT_TRUE(S_ISCHR(statOf("/dev/null").st_mode));
    EXPECT_EQ(entryCount(folder.path()), 2);
}

TEST_F(SafeReplace, TheTargetKeepsItsModeAndOwner) {
    ASSERT_TRUE(save(file, "old"));
    ::chmod(file.c_str(), 0600);
    ASSERT_TRUE(save(file, "new"));
    EXPECT_EQ(statOf(file).st_mode & 07777, 0600u);
    if (::geteuid() != 0) {
        GTEST_SKIP() << "changing a file's owner needs root";
    }
    ASSERT_EQ(::chown(file.c_str(), kOtherUser, kOtherUser), 0);
    ::chmod(file.c_str(), 0640);
    ASSERT_TRUE(save(file, "newer"));
    EXPECT_EQ(statOf(file).st_uid, kOtherUser);
    EXPECT_EQ(statOf(file).st_gid, kOtherUser);
    EXPECT_EQ(statOf(file).st_mode & 07777, 0640u);
}

// A folder that takes no new file: the file itself is still writable, so it is rewritten where
// it is rather than the save being lost. Run as another user, since root writes anywhere.
TEST_F(SafeReplace, AWritableFileInAReadOnlyFolderIsWrittenInPlace) {
    const std::string locked = folder.file("locked");
    std::filesystem::create_directory(locked);
    const std::string inside = locked + "/defaults.ini";
    writeBytes(inside, "old");
    ::chmod(folder.path().c_str(), 0755);
    ::chmod(inside.c_str(), 0666);
    ::chmod(locked.c_str(), 0555);
    const int code = inChild(
        [&] {
            std::string why;
            return veld::files::replaceFile(inside, "new", {.keepBackup = true}, why);
        },
        true);
    ::chmod(locked.c_str(), 0755);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(readBytes(inside), "new");
    EXPECT_EQ(entryCount(locked), 1);
}

TEST_F(SafeReplace, AFullDiskLeavesTheOldFileAndNoTemporary) {
    ASSERT_TRUE(save(file, "old"));
    // The file size limit stands in for a full file system: writes past it fail with EFBIG.
    const int code = inChild([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{100, 100};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::string why;
        const bool saved = veld::files::replaceFile(file, std::string(1000, 'x'), {}, why);
        return !saved && why.find("too large") != std::string::npos;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(readBytes(file), "old");
    EXPECT_EQ(entryCount(folder.path()), 1);
}

TEST_F(SafeReplace, AKilledSaveLeavesTheFileWholeAndItsLeftoverIsRemovedLater) {
    ASSERT_TRUE(save(file, "old"));
    const int code = inChild([&] {
        veld::files::setBeforeRenameHookForTesting([](const std::string&) -> bool {
            ::raise(SIGKILL);
            return false;
        });
        std::string why;
        return veld::files::replaceFile(file, "new", {}, why);
    });
    EXPECT_EQ(code, 128 + SIGKILL);
    EXPECT_EQ(readBytes(file), "old");
    ASSERT_EQ(entryCount(folder.path()), 2) << "the dead writer's temporary file";
    // A save of this process in progress is not a leftover.
    const std::string running =
        folder.file(".b.dxf.veld-save-" + std::to_string(::getpid()) + "-0.tmp");
    writeBytes(running, "in progress");
    writeBytes(folder.file(".c.veld-save-notes.tmp"), "not ours");
    veld::files::removeLeftovers(file);
    EXPECT_EQ(entryCount(folder.path()), 3);
    EXPECT_TRUE(veld::test::exists(running));
}

TEST(FileRead, OnlyRegularFilesAreOpenedAndNothingBlocks) {
    veld::test::TempFolder folder;
    const std::string fifo = folder.file("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    std::string content, error;
    EXPECT_FALSE(veld::files::readWholeFile(fifo, content, error)) << "returns, never blocks";
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
    EXPECT_FALSE(veld::files::readWholeFile("/dev/zero", content, error));
    EXPECT_FALSE(veld::files::readWholeFile(folder.path(), content, error));
    EXPECT_NE(error.find("it is a folder"), std::string::npos) << error;
    EXPECT_FALSE(veld::files::readFileBytes(folder.file("missing")));
}

TEST(FileRead, ReadsEveryByteOfEmptySmallAndLargeFiles) {
    veld::test::TempFolder folder;
    std::string large(5u << 20, '\0'); // past the size read into huge pages
    for (std::size_t i = 0; i < large.size(); ++i) {
        large[i] = static_cast<char>((i * 7919u) >> 3);
    }
    for (const std::string& bytes : {std::string(), std::string("0\nEOF\n"), large}) {
        writeBytes(folder.file("f.dxf"), bytes);
        std::string content = "stale", error;
        ASSERT_TRUE(veld::files::readWholeFile(folder.file("f.dxf"), content, error)) << error;
        EXPECT_EQ(content.size(), bytes.size());
        EXPECT_TRUE(content == bytes);
    }
}

TEST(FileRead, SameFileSeesThroughLinksAndSpellings) {
    veld::test::TempFolder folder;
    writeBytes(folder.file("a.dxf"), "x");
    ASSERT_EQ(::symlink("a.dxf", folder.file("link.dxf").c_str()), 0);
    EXPECT_TRUE(veld::files::sameFile(folder.file("a.dxf"), folder.file("link.dxf")));
    EXPECT_TRUE(veld::files::sameFile(folder.file("new.svg"), folder.file("./x/../new.svg")));
    EXPECT_FALSE(veld::files::sameFile(folder.file("a.dxf"), folder.file("new.svg")));
}

} // namespace
