// The foundation defaults files: path, reading, writing with the user file's header, the page
// exchange entry points and the parameter array of the extended-data records.
#include "settings/FoundationSettings.h"

#include "aced.h"
#include "afxfile.h"
#include "arxcom/CArxComFile.h"

#include <algorithm>
#include <span>
#include <string_view>

namespace {

// The header of a user file this program creates (written in Shift-JIS with CR LF).
constexpr std::string_view kUserFileHeader = ";; File:        VELDOR-FOUNDATION.DAT\n"
                                             ";; Description: 施工図　基礎　データファイル\n"
                                             ";; Notice:\n";

constexpr std::string_view kSectionDelta = "FOUNDATION_DELTA";
constexpr std::string_view kSectionSquare = "FOUNDATION_SQUARE";
constexpr std::string_view kSectionOthers = "OTHERS";

struct SectionSlots {
    std::string_view section;
    std::span<const FoundationSlot> slots;
};

// The kind's section, then OTHERS: the order in which keys are read and written.
std::array<SectionSlots, 2> sectionsOf(int foundationKind) {
    const SectionSlots kindSection =
        foundationKind == FoundationSettings::kKindSquare
            ? SectionSlots{kSectionSquare, FoundationParameterSet::kSquareSection}
            : SectionSlots{kSectionDelta, FoundationParameterSet::kDeltaSection};
    return {kindSection, SectionSlots{kSectionOthers, FoundationParameterSet::kOthersSection}};
}

bool isKnownKind(int foundationKind) {
    return foundationKind == FoundationSettings::kKindDelta ||
           foundationKind == FoundationSettings::kKindSquare;
}

} // namespace

FoundationSettings::~FoundationSettings() = default;

std::string FoundationSettings::GetSlot(FoundationSlot slot) const {
    return m_slots[static_cast<std::size_t>(slot)];
}

void FoundationSettings::SetSlot(FoundationSlot slot, const std::string& value) {
    m_slots[static_cast<std::size_t>(slot)] = value;
}

std::string FoundationSettings::GetDefaultsFilePath(const std::string& fileKind) {
    const std::string kind = fileKind == "DEF" ? "DEF" : "DAT";
    const std::string baseName = GetFileNameEntry(kKeyFoundation);
    return GetProgramFolder() + "\\" + kind + "\\" + baseName + "." + kind;
}

bool FoundationSettings::ReadDefaults(const std::string& fileKind, int foundationKind) {
    if (!isKnownKind(foundationKind)) {
        return false;
    }
    const std::string path = GetDefaultsFilePath(fileKind);
    if (!CArxComFile().FileExists(path)) {
        return false;
    }
    for (const SectionSlots& part : sectionsOf(foundationKind)) {
        for (FoundationSlot slot : part.slots) {
            std::string& value = m_slots[static_cast<std::size_t>(slot)];
            if (ReadProfileString(path, std::string(part.section),
                                  std::string(FoundationParameterSet::key(slot)),
                                  value) != RTNORM) {
                return false;
            }
        }
    }
    return true;
}

bool FoundationSettings::WriteDefaults(int foundationKind) {
    if (!isKnownKind(foundationKind)) {
        return false;
    }
    const std::string path = GetDefaultsFilePath("DAT");
    if (!CArxComFile().FileExists(path)) {
        CStdioFile file;
        if (file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText)) {
            file.WriteString(std::string(kUserFileHeader).c_str());
            file.Close();
        }
    }
    for (const SectionSlots& part : sectionsOf(foundationKind)) {
        for (FoundationSlot slot : part.slots) {
            if (WriteProfileString(path, std::string(part.section),
                                   std::string(FoundationParameterSet::key(slot)),
                                   m_slots[static_cast<std::size_t>(slot)]) != RTNORM) {
                return false;
            }
        }
    }
    return true;
}

bool FoundationSettings::LoadFromDat(CDialog* page, int foundationKind) {
    if (useFile && !ReadDefaults("DAT", foundationKind)) {
        return false;
    }
    return FillPage(page, foundationKind);
}

bool FoundationSettings::LoadFromDef(CDialog* page, int foundationKind) {
    if (useFile && !ReadDefaults("DEF", foundationKind)) {
        acutPrintf("\n ﾀﾞｲｱﾛｸﾞﾃﾞｰﾀが取得できませんでした");
        return false;
    }
    return FillPage(page, foundationKind);
}

bool FoundationSettings::Save(CDialog* page, int foundationKind) {
    const bool taken = TakePage(page, foundationKind);
    if (useFile) {
        return WriteDefaults(foundationKind);
    }
    return taken;
}

bool FoundationSettings::FillPage(CDialog* page, int foundationKind) {
    if (foundationKind == kKindDelta) {
        return FillDeltaPage(page);
    }
    if (foundationKind == kKindSquare) {
        return sLoadLabelLayerPage(page);
    }
    return false;
}

bool FoundationSettings::TakePage(CDialog* page, int foundationKind) {
    if (foundationKind == kKindDelta) {
        return TakeDeltaPage(page);
    }
    if (foundationKind == kKindSquare) {
        return TakeSquarePage(page);
    }
    return false;
}

void FoundationSettings::GetParameterArray(std::vector<std::string>& values) const {
    values.insert(values.end(), m_slots.begin(), m_slots.end());
}

void FoundationSettings::SetParameterArray(const std::vector<std::string>& values) {
    const std::size_t count = std::min(values.size(), m_slots.size());
    for (std::size_t i = 0; i < count; ++i) {
        m_slots[i] = values[i];
    }
}

std::vector<std::string> FoundationSettings::SplitPileNumList(const std::string& list) {
    std::vector<std::string> entries;
    std::string_view rest(list);
    for (std::size_t comma; (comma = rest.find(',')) != std::string_view::npos;) {
        entries.emplace_back(rest.substr(0, comma));
        rest.remove_prefix(comma + 1);
    }
    entries.emplace_back(rest);
    return entries;
}
