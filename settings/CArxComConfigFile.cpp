// The configuration file: name tables, profile access through the host's file search, readers.
#include "settings/CArxComConfigFile.h"

#include "aced.h"
#include "winprofile.h"

#include <array>
#include <string_view>

namespace {

constexpr std::array<std::string_view, 4> kSections = {"VELDOR", "PATH", "FILENAME", "SYSTEM"};

constexpr std::array<std::string_view, 31> kKeys = {"INI",
                                                    "PROG",
                                                    "DEF",
                                                    "DAT",
                                                    "LAYER",
                                                    "TEMPLATE",
                                                    "DWG",
                                                    "COLUMN",
                                                    "GIRDER",
                                                    "GIRDER_ARC",
                                                    "WALL",
                                                    "WALL_ARC",
                                                    "FOUNDATION",
                                                    "OPEN",
                                                    "SLAB",
                                                    "SYMBOL_SCALE",
                                                    "SYMBOL_DIST_C",
                                                    "SYMBOL_DIST_G",
                                                    "SYMBOL_DIST_W",
                                                    "SYMBOL_DIST_O",
                                                    "DIM_STYLE",
                                                    "DIM_INTERVAL_C",
                                                    "DIM_INTERVAL_G",
                                                    "DIM_INTERVAL_W",
                                                    "DIM_INTERVAL_F",
                                                    "SYMBOL_LAYER_C",
                                                    "SYMBOL_LAYER_G",
                                                    "SYMBOL_LAYER_W",
                                                    "SYMBOL_LAYER_O",
                                                    "SYMBOL_LAYER_F",
                                                    "SYMBOL_LAYER_S"};

// The platform's value limit: 255 Shift-JIS bytes and the terminating NUL.
constexpr DWORD kProfileBufferSize = 256;
// Room for the longest path acedFindFile may return.
constexpr std::size_t kFoundPathSize = 4096;

template <std::size_t N>
std::string lookUp(const std::array<std::string_view, N>& table, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= N) {
        return "";
    }
    return std::string(table[static_cast<std::size_t>(index)]);
}

} // namespace

CArxComConfigFile::~CArxComConfigFile() = default;

std::string CArxComConfigFile::GetSectionName(int index) {
    m_sectionName = lookUp(kSections, index);
    return m_sectionName;
}

std::string CArxComConfigFile::GetKeyName(int index) {
    m_keyName = lookUp(kKeys, index);
    return m_keyName;
}

std::string CArxComConfigFile::GetIniFileName() const {
    return "VELDOR.ini";
}

int CArxComConfigFile::AccessProfileString(const std::string& fileName, const std::string& section,
                                           const std::string& key, bool write, std::string& value) {
    const std::string toWrite = value;
    char found[kFoundPathSize] = {};
    const int status = acedFindFile(fileName.c_str(), found, sizeof found);
    const std::string path = status == RTNORM ? std::string(found) : fileName;

    if (write) {
        if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), toWrite.c_str(),
                                        path.c_str())) {
            value.clear();
            return 0;
        }
        return status;
    }
    // The buffer is counted in Shift-JIS bytes by the platform; its UTF-8 text needs more room.
    char buffer[VELD_PROFILE_UTF8_CAPACITY(kProfileBufferSize)] = {};
    if (GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer, kProfileBufferSize,
                                 path.c_str()) == 0) {
        value.clear();
        return 0;
    }
    value = buffer;
    return status;
}

int CArxComConfigFile::ReadProfileString(const std::string& fileName, const std::string& section,
                                         const std::string& key, std::string& value) {
    return AccessProfileString(fileName, section, key, false, value);
}

int CArxComConfigFile::WriteProfileString(const std::string& fileName, const std::string& section,
                                          const std::string& key, const std::string& value) {
    std::string copy = value;
    return AccessProfileString(fileName, section, key, true, copy);
}

std::string CArxComConfigFile::ReadConfigValue(int sectionIndex, int keyIndex, std::string& value) {
    const std::string key = GetKeyName(keyIndex);
    const std::string section = GetSectionName(sectionIndex);
    ReadProfileString(GetIniFileName(), section, key, value);
    return value;
}

std::string CArxComConfigFile::GetIniFolder() {
    return ReadConfigValue(kSectionVeldor, kKeyIni, m_ini);
}

std::string CArxComConfigFile::GetProgramFolder() {
    std::string folder;
    return ReadConfigValue(kSectionVeldor, kKeyProg, folder);
}

std::string CArxComConfigFile::GetDwgFolder() {
    return ReadConfigValue(kSectionPath, kKeyDwg, m_dwg);
}

std::string CArxComConfigFile::GetSymbolScale() {
    return ReadConfigValue(kSectionSystem, kKeySymbolScale, m_symbolScale);
}

std::string CArxComConfigFile::GetSymbolLayerF() {
    return ReadConfigValue(kSectionSystem, kKeySymbolLayerF, m_symbolLayerF);
}

std::string CArxComConfigFile::GetDimStyle() {
    return ReadConfigValue(kSectionSystem, kKeyDimStyle, m_dimStyle);
}

std::string CArxComConfigFile::GetDimIntervalF() {
    return ReadConfigValue(kSectionSystem, kKeyDimIntervalF, m_dimIntervalF);
}

std::string CArxComConfigFile::GetFileNameEntry(int keyIndex) {
    std::string entry;
    return ReadConfigValue(kSectionFileName, keyIndex, entry);
}
