// The settings of one foundation command: the parameter set of 33 text slots, read from and
// written to the foundation defaults files (the read-only factory file .DEF and the user file
// .DAT), and exchanged with the property pages. Paths come from VELDOR.ini through the base.
#pragma once
#include "settings/CArxComConfigFile.h"
#include "settings/FoundationParameterSet.h"

#include <array>
#include <string>
#include <vector>

class CDialog;

class FoundationSettings : public CArxComConfigFile {
public:
    // Foundation kinds: they select the defaults-file section and the page.
    static constexpr int kKindDelta = 0;  // triangular, section FOUNDATION_DELTA
    static constexpr int kKindSquare = 1; // square, section FOUNDATION_SQUARE

    FoundationSettings() = default;
    explicit FoundationSettings(bool useFiles) : useFile(useFiles) {}
    FoundationSettings(const FoundationSettings&) = default;
    FoundationSettings& operator=(const FoundationSettings&) = default;
    ~FoundationSettings() override;

    // true: opening a page reads the defaults files and OK writes the user file.
    bool useFile = false;

    // The defaults file of a file kind ("DEF" or "DAT"; anything else means "DAT"):
    // PROG\K\FOUNDATION.K with PROG and FOUNDATION from VELDOR.ini.
    std::string GetDefaultsFilePath(const std::string& fileKind);

    // Reads the kind's section and then OTHERS into the slots. False when the file is missing
    // (slots unchanged) or a key is missing or empty (that slot emptied, the later ones kept).
    bool ReadDefaults(const std::string& fileKind, int foundationKind);
    // Writes the kind's section and OTHERS into the user file, creating it with its header when
    // it is missing. False at the first key that cannot be written.
    bool WriteDefaults(int foundationKind);

    // Page exchange: fill the page from the user file (LoadFromDat) or the factory file
    // (LoadFromDef), or take the page's values and write the user file (Save). Without useFile
    // no file is touched and the slots held are used.
    bool LoadFromDat(CDialog* page, int foundationKind);
    bool LoadFromDef(CDialog* page, int foundationKind);
    bool Save(CDialog* page, int foundationKind);

    // The 33 slots as a string array in slot order, appended to `values`; and back: slot i takes
    // element i. Slots beyond a shorter array keep their values.
    void GetParameterArray(std::vector<std::string>& values) const;
    void SetParameterArray(const std::vector<std::string>& values);

    std::string GetSlot(FoundationSlot slot) const;
    void SetSlot(FoundationSlot slot, const std::string& value);

    // The entries of a PILE_NUM_LIST text: split at every ",", empty entries kept ("" gives one
    // empty entry). UTF-8 never has ',' inside a character, so the split is character-safe.
    static std::vector<std::string> SplitPileNumList(const std::string& list);

    // One accessor per slot.
    std::string GetShiftX1() const { return GetSlot(FoundationSlot::ShiftX1); }
    std::string GetShiftX2() const { return GetSlot(FoundationSlot::ShiftX2); }
    std::string GetShiftY1() const { return GetSlot(FoundationSlot::ShiftY1); }
    std::string GetShiftY2() const { return GetSlot(FoundationSlot::ShiftY2); }
    std::string GetUpperSlant() const { return GetSlot(FoundationSlot::UpperSlant); }
    std::string GetBaseHeight() const { return GetSlot(FoundationSlot::BaseHeight); }
    std::string GetBottomLevel() const { return GetSlot(FoundationSlot::BottomLevel); }
    std::string GetRotateAngle() const { return GetSlot(FoundationSlot::RotateAngle); }
    std::string GetMark() const { return GetSlot(FoundationSlot::Mark); }
    std::string GetLabelCheck() const { return GetSlot(FoundationSlot::LabelCheck); }
    std::string GetStructureMarkCheck() const {
        return GetSlot(FoundationSlot::StructureMarkCheck);
    }
    std::string GetFukashi1() const { return GetSlot(FoundationSlot::Fukashi1); }
    std::string GetFukashi2() const { return GetSlot(FoundationSlot::Fukashi2); }
    std::string GetFukashi3() const { return GetSlot(FoundationSlot::Fukashi3); }
    std::string GetFukashi4() const { return GetSlot(FoundationSlot::Fukashi4); }
    std::string GetFukashi5() const { return GetSlot(FoundationSlot::Fukashi5); }
    std::string GetFukashi6() const { return GetSlot(FoundationSlot::Fukashi6); }
    std::string GetBulkCheck() const { return GetSlot(FoundationSlot::BulkCheck); }
    std::string GetLookLayer() const { return GetSlot(FoundationSlot::LookLayer); }
    std::string GetOuterLayer() const { return GetSlot(FoundationSlot::OuterLayer); }
    std::string GetDimLayer() const { return GetSlot(FoundationSlot::DimLayer); }
    std::string GetSerchLayer() const { return GetSlot(FoundationSlot::SerchLayer); }
    std::string GetPileNum() const { return GetSlot(FoundationSlot::PileNum); }
    std::string GetPileNumList() const { return GetSlot(FoundationSlot::PileNumList); }
    std::string GetPileSpan() const { return GetSlot(FoundationSlot::PileSpan); }
    std::string GetPileDiameter() const { return GetSlot(FoundationSlot::PileDiameter); }
    std::string GetOver() const { return GetSlot(FoundationSlot::Over); }
    std::string GetBottom() const { return GetSlot(FoundationSlot::Bottom); }
    std::string GetSurface() const { return GetSlot(FoundationSlot::Surface); }
    std::string GetHeight() const { return GetSlot(FoundationSlot::Height); }
    std::string GetBaseSizeX() const { return GetSlot(FoundationSlot::BaseSizeX); }
    std::string GetBaseSizeY() const { return GetSlot(FoundationSlot::BaseSizeY); }
    std::string GetMarkSize() const { return GetSlot(FoundationSlot::MarkSize); }

private:
    // Slots to page controls and back (FoundationSettingsPages.cpp): the triangular steps take a
    // DeltaPage, the square steps a SquarePage. A null page has nothing to exchange (true); a
    // page of the other kind is refused (false).
    bool FillDeltaPage(CDialog* page);
    bool sLoadLabelLayerPage(CDialog* page);
    bool TakeDeltaPage(CDialog* page);
    bool TakeSquarePage(CDialog* page);

    bool FillPage(CDialog* page, int foundationKind);
    bool TakePage(CDialog* page, int foundationKind);

    std::array<std::string, FoundationParameterSet::kCount> m_slots;
};
