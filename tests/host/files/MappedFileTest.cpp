// Files read through a mapping: every byte as in the file, small and empty files, and a file
// that another program cuts short while it is being read.
#include "host/files/MappedFile.h"

#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace veld::test {
namespace {

std::string patterned(std::size_t bytes) {
    std::string text(bytes, '\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<char>('a' + (i * 7919u) % 26);
    }
    return text;
}

TEST(MappedFile, GivesEveryByteOfEmptySmallAndLargeFilesAndRefusesOthers) {
    TempFolder folder;
    for (const std::string& bytes : {std::string(), std::string("0\nEOF\n"), patterned(3u << 20)}) {
        writeBytes(folder.file("f.dxf"), bytes);
        files::MappedFile file;
        std::string error;
        ASSERT_TRUE(file.open(folder.file("f.dxf"), error)) << error;
        EXPECT_TRUE(file.bytes() == bytes);
        EXPECT_FALSE(file.cutShort());
    }
    files::MappedFile file;
    std::string error;
    EXPECT_FALSE(file.open(folder.path(), error));
    EXPECT_NE(error.find("it is a folder"), std::string::npos) << error;
    EXPECT_FALSE(file.open(folder.file("missing.dxf"), error));
    EXPECT_FALSE(file.open("/dev/zero", error));
}

TEST(MappedFile, AFileCutShortWhileReadGivesZerosAndSaysSoInsteadOfStoppingTheProcess) {
    TempFolder folder;
    const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    const std::string bytes = patterned(64 * page);
    writeBytes(folder.file("f.dxf"), bytes);
    files::MappedFile file, other;
    std::string error;
    ASSERT_TRUE(file.open(folder.file("f.dxf"), error)) << error;
    ASSERT_TRUE(other.open(folder.file("f.dxf"), error)) << error;
    ASSERT_EQ(::truncate(folder.file("f.dxf").c_str(), static_cast<off_t>(page)), 0);

    const std::string_view seen = file.bytes();
    EXPECT_EQ(seen.substr(0, page), std::string_view(bytes).substr(0, page));
    EXPECT_EQ(seen[40 * page + 5], '\0');
    EXPECT_EQ(seen.back(), '\0');
    EXPECT_TRUE(file.cutShort());
    EXPECT_FALSE(other.cutShort()) << "only the mapping that was touched past the end";

    ASSERT_TRUE(file.open(folder.file("f.dxf"), error)) << error;
    EXPECT_EQ(file.bytes().size(), page);
    EXPECT_FALSE(file.cutShort()) << "a new opening starts afresh";
}

TEST(MappedFileDeathTest, ABusErrorElsewhereStillEndsTheProcess) {
    TempFolder folder;
    writeBytes(folder.file("f.dxf"), patterned(1u << 16));
    EXPECT_EXIT(
        {
            files::MappedFile file;
            std::string error;
            if (file.open(folder.file("f.dxf"), error)) {
                std::raise(SIGBUS);
            }
            std::_Exit(0); // carried on as if nothing had happened
        },
        // By signal, or by a sanitizer's report of it.
        [](int status) { return !WIFEXITED(status) || WEXITSTATUS(status) != 0; }, "");
}

} // namespace
} // namespace veld::test
