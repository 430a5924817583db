// The framework's file finder and Shift-JIS text file.
#include "afxfile.h"
#include "WinTestFiles.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class AfxFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directory(folder.file("DAT"));
        for (const char* name : {"VELDOR-FOUNDATION.DAT", "b.dat", "a.ini", "abc.DAT"}) {
            veld::test::writeBytes(folder.file(std::string("DAT/") + name), "x");
        }
    }
    std::vector<std::string> names(const std::string& pattern) {
        std::vector<std::string> found;
        CFileFind finder;
        BOOL more = finder.FindFile(pattern.c_str());
        while (more) {
            more = finder.FindNextFile();
            found.push_back(finder.GetFileName());
        }
        return found;
    }
    veld::test::TempFolder folder;
};

TEST_F(AfxFile, FinderMatchesWildcardsInTheLastPartInNameOrder) {
    const std::string dat = folder.path() + "\\DAT\\";
    using List = std::vector<std::string>;
    EXPECT_EQ(names(dat + "*.dat"), (List{"VELDOR-FOUNDATION.DAT", "abc.DAT", "b.dat"}));
    EXPECT_EQ(names(dat + "?.*"), (List{"a.ini", "b.dat"}));
    EXPECT_EQ(names(dat + "*.*").size(), 4u);
    EXPECT_EQ(names(dat + "a*c.d?t"), (List{"abc.DAT"}));
    EXPECT_TRUE(names(dat + "*.txt").empty());
    EXPECT_TRUE(names(folder.path() + "\\NONE\\*").empty());
}

TEST_F(AfxFile, FinderGivesPathsAndAnswersWhetherAFileExists) {
    CFileFind finder;
    const std::string path = folder.path() + "\\DAT\\VELDOR-FOUNDATION.DAT";
    ASSERT_TRUE(finder.FindFile(path.c_str()));
    EXPECT_EQ(finder.GetFileName(), "") << "nothing is current before FindNextFile";
    EXPECT_FALSE(finder.FindNextFile()); // the only entry is also the last
    EXPECT_EQ(finder.GetFileName(), "VELDOR-FOUNDATION.DAT");
    EXPECT_EQ(finder.GetFilePath(), folder.path() + "/DAT/VELDOR-FOUNDATION.DAT");
    EXPECT_FALSE(finder.IsDirectory());
    finder.Close();
    EXPECT_FALSE(finder.FindFile((folder.path() + "\\DAT\\missing.DAT").c_str()));
    EXPECT_TRUE(finder.FindFile((folder.path() + "\\DAT").c_str()));
    finder.FindNextFile();
    EXPECT_TRUE(finder.IsDirectory());
}

TEST_F(AfxFile, TextFileWritesShiftJisWithCrLfAndReadsItBack) {
    const std::string path = folder.path() + "\\DAT\\new.DAT";
    CStdioFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText));
    file.WriteString(";; Description: 施工図　基礎\n");
    file.WriteString("x€\n");
    EXPECT_TRUE(file.Close());
    EXPECT_FALSE(file.Failed());
    EXPECT_EQ(veld::test::readBytes(folder.file("DAT/new.DAT")),
              veld::test::sjis(";; Description: 施工図　基礎") + "\r\nx?\r\n");

    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead | CFile::typeText));
    std::string line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, ";; Description: 施工図　基礎\n");
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, "x?\n");
    EXPECT_FALSE(file.ReadString(line));
}

TEST_F(AfxFile, TextFileCreationTruncatesAndFailsInAMissingFolder) {
    const std::string path = folder.file("DAT/b.dat");
    CStdioFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
    file.Close();
    EXPECT_EQ(veld::test::readBytes(path), "");
    EXPECT_FALSE(
        file.Open((folder.path() + "\\NONE\\x.DAT").c_str(), CFile::modeCreate | CFile::modeWrite));
    EXPECT_FALSE(veld::test::exists(folder.file("NONE")));
    EXPECT_FALSE(file.Open(folder.file("DAT/missing").c_str(), CFile::modeWrite));
    EXPECT_FALSE(veld::test::exists(folder.file("DAT/missing")));
}

} // namespace
