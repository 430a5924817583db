// The configuration file: found on the host's search path, its readers, and the statuses of
// single profile reads and writes.
#include "SettingsFixture.h"
#include "adsdef.h"
#include "settings/CArxComConfigFile.h"

#include <sys/stat.h>

namespace {

using veld::test::readBytes;
using veld::test::sjis;
using veld::test::writeBytes;

class ConfigFile : public veld::test::SettingsFixture {
protected:
    CArxComConfigFile config;
};

TEST_F(ConfigFile, NameTablesKeepTheirOrderAndGiveEmptyOutside) {
    EXPECT_EQ(config.GetSectionName(3), "SYSTEM");
    EXPECT_EQ(config.GetSectionName(4), "");
    EXPECT_EQ(config.GetSectionName(-1), "");
    // The dimension keys come before the symbol layers in the index table.
    EXPECT_EQ(config.GetKeyName(20), "DIM_STYLE");
    EXPECT_EQ(config.GetKeyName(24), "DIM_INTERVAL_F");
    EXPECT_EQ(config.GetKeyName(25), "SYMBOL_LAYER_C");
    EXPECT_EQ(config.GetKeyName(30), "SYMBOL_LAYER_S");
    EXPECT_EQ(config.GetKeyName(31), "");
    EXPECT_EQ(config.GetIniFileName(), "VELDOR.ini");
}

TEST_F(ConfigFile, ReadersFindTheInstalledFileThroughTheSearchPath) {
    ASSERT_FALSE(veld::test::exists("VELDOR.ini")) << "the current folder must not have it";
    const std::string absolute = std::filesystem::absolute(profile).lexically_normal().string();
    EXPECT_EQ(config.GetIniFolder(), absolute);
    EXPECT_EQ(config.GetProgramFolder(), absolute);
    EXPECT_EQ(config.GetDwgFolder(), "DWG");
    EXPECT_EQ(config.GetFileNameEntry(CArxComConfigFile::kKeyFoundation), "VELDOR-FOUNDATION");
    EXPECT_EQ(config.GetSymbolLayerF(), "基礎符号");
    EXPECT_EQ(config.GetDimStyle(), "FOUNDATION"); // the style of the sample drawing
    EXPECT_EQ(config.GetDimIntervalF(), "5,5,5");
    EXPECT_EQ(config.GetSymbolScale(), "100");
}

TEST_F(ConfigFile, MissingKeysReadAsEmpty) {
    const std::string ini = profile + "/VELDOR.ini";
    ASSERT_TRUE(WritePrivateProfileStringA("SYSTEM", "DIM_STYLE", nullptr, ini.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringA("SYSTEM", "DIM_INTERVAL_F", "", ini.c_str()));
    EXPECT_EQ(config.GetDimStyle(), "");
    EXPECT_EQ(config.GetDimIntervalF(), "");
    std::filesystem::remove(ini);
    EXPECT_EQ(config.GetIniFolder(), "");
}

TEST_F(ConfigFile, StatusSaysWhetherTheSearchPathFoundTheFile) {
    std::string value;
    EXPECT_EQ(config.ReadProfileString("VELDOR.ini", "PATH", "DWG", value), RTNORM);
    EXPECT_EQ(value, "DWG");
    value = "old";
    EXPECT_EQ(config.ReadProfileString("VELDOR.ini", "PATH", "NOPE", value), 0);
    EXPECT_EQ(value, "");
    EXPECT_EQ(config.ReadProfileString("missing.ini", "PATH", "DWG", value), 0);

    // A bare name the search path does not know is written by the platform in its own default
    // place (the profile folder); the status still says it was not found on the path.
    veld::win::SearchPath::setSupportFolders({temp.file("cwd")});
    EXPECT_EQ(config.WriteProfileString("extra.ini", "S", "K", "v"), RTERROR);
    EXPECT_EQ(readBytes(profile + "/extra.ini"), "[S]\r\nK=v\r\n");
}

TEST_F(ConfigFile, WrittenValuesReadBackUpTo255ShiftJisBytes) {
    const std::string file = profile + "\\DAT\\test.DAT";
    // The first write creates the file, which the search had not found: a success whose status
    // is not RTNORM.
    EXPECT_EQ(config.WriteProfileString(file, "S", "K", "基礎　見かけ線"), RTERROR);
    EXPECT_EQ(config.WriteProfileString(file, "S", "K", "基礎　見かけ線"), RTNORM);
    std::string value;
    EXPECT_EQ(config.ReadProfileString(file, "S", "K", value), RTNORM);
    EXPECT_EQ(value, "基礎　見かけ線");

    std::string longValue = "L";
    while (longValue.size() < 300) {
        longValue += "ア"; // two Shift-JIS bytes, three UTF-8 bytes
    }
    ASSERT_EQ(config.WriteProfileString(file, "S", "LONG", longValue), RTNORM);
    ASSERT_EQ(config.ReadProfileString(file, "S", "LONG", value), RTNORM);
    EXPECT_EQ(sjis(value), sjis(longValue).substr(0, 255));
}

TEST_F(ConfigFile, FailedWriteEmptiesTheValueAndReturnsZero) {
    const std::string file = profile + "/DAT/locked.DAT";
    writeBytes(file, "[S]\r\nK=1\r\n");
    ::chmod(file.c_str(), 0444);
    std::string value = "2";
    EXPECT_EQ(config.AccessProfileString(file, "S", "K", true, value), 0);
    EXPECT_EQ(value, "");
    EXPECT_EQ(readBytes(file), "[S]\r\nK=1\r\n");
}

} // namespace
