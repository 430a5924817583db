// The installation's configuration file VELDOR.ini: its sections and keys by number, the file
// looked up on the host's search path, and single values read or written through the platform's
// private-profile functions. The same access serves the foundation defaults files.
// Every request reads the file again; nothing is cached between objects.
#pragma once
#include <string>

class CArxComConfigFile {
public:
    CArxComConfigFile() = default;
    CArxComConfigFile(const CArxComConfigFile&) = default;
    CArxComConfigFile& operator=(const CArxComConfigFile&) = default;
    virtual ~CArxComConfigFile();

    // Section and key names by index ("" outside the tables); kept as the current names.
    std::string GetSectionName(int index);
    std::string GetKeyName(int index);
    std::string GetIniFileName() const;

    // Reads (write false) or writes one value of a private-profile file. The file is looked up
    // with acedFindFile; when it is not found the name goes to the platform as given. A read
    // that gets nothing (missing file, section or key, or an empty value) and a failed write set
    // `value` to "" and return 0. Otherwise the result is the lookup's status: RTNORM when the
    // file was found on the search path, the host's error code when it was not.
    int AccessProfileString(const std::string& fileName, const std::string& section,
                            const std::string& key, bool write, std::string& value);
    int ReadProfileString(const std::string& fileName, const std::string& section,
                          const std::string& key, std::string& value);
    int WriteProfileString(const std::string& fileName, const std::string& section,
                           const std::string& key, const std::string& value);

    // Values of VELDOR.ini ("" when missing).
    std::string GetIniFolder();                 // VELDOR / INI
    std::string GetProgramFolder();             // VELDOR / PROG
    std::string GetDwgFolder();                 // PATH / DWG
    std::string GetSymbolScale();               // SYSTEM / SYMBOL_SCALE
    std::string GetSymbolLayerF();              // SYSTEM / SYMBOL_LAYER_F
    std::string GetDimStyle();                  // SYSTEM / DIM_STYLE
    std::string GetDimIntervalF();              // SYSTEM / DIM_INTERVAL_F
    std::string GetFileNameEntry(int keyIndex); // FILENAME / the key of that index

    // Section indexes.
    enum Section { kSectionVeldor = 0, kSectionPath = 1, kSectionFileName = 2, kSectionSystem = 3 };
    // Key indexes used by the readers.
    enum Key {
        kKeyIni = 0,
        kKeyProg = 1,
        kKeyDwg = 6,
        kKeyFoundation = 12,
        kKeySymbolScale = 15,
        kKeyDimStyle = 20,
        kKeyDimIntervalF = 24,
        kKeySymbolLayerF = 29
    };

private:
    // Reads one key of VELDOR.ini into `value` and returns a copy of it.
    std::string ReadConfigValue(int sectionIndex, int keyIndex, std::string& value);

    std::string m_sectionName;
    std::string m_keyName;
    // Last values read. The six slots between INI and DWG belong to the file's layout and are
    // never filled by this module.
    std::string m_ini;
    std::string m_spare1;
    std::string m_spare2;
    std::string m_spare3;
    std::string m_spare4;
    std::string m_spare5;
    std::string m_spare6;
    std::string m_dwg;
    std::string m_symbolScale;
    std::string m_symbolDistC;
    std::string m_symbolDistG;
    std::string m_symbolDistW;
    std::string m_symbolDistO;
    std::string m_symbolLayerC;
    std::string m_symbolLayerG;
    std::string m_symbolLayerW;
    std::string m_symbolLayerO;
    std::string m_symbolLayerF;
    std::string m_symbolLayerS;
    std::string m_dimStyle;
    std::string m_dimIntervalC;
    std::string m_dimIntervalG;
    std::string m_dimIntervalW;
    std::string m_dimIntervalF;
};
