// The 33 text values that describe one foundation, in their fixed slot order, with the key each
// one is stored under. This one table is read by the defaults files, the dialogs' exchange and
// the extended-data records, so their orders cannot drift apart.
#pragma once
#include <array>
#include <string_view>

// Slot numbers; slot i is item i of the records and the i-th value of GetParameterArray.
enum class FoundationSlot : int {
    ShiftX1 = 0,
    ShiftX2 = 1,
    ShiftY1 = 2,
    ShiftY2 = 3,
    UpperSlant = 4,
    BaseHeight = 5,
    BottomLevel = 6,
    RotateAngle = 7,
    Mark = 8,
    LabelCheck = 9,
    StructureMarkCheck = 10,
    Fukashi1 = 11,
    Fukashi2 = 12,
    Fukashi3 = 13,
    Fukashi4 = 14,
    Fukashi5 = 15,
    Fukashi6 = 16,
    BulkCheck = 17,
    LookLayer = 18,
    OuterLayer = 19,
    DimLayer = 20,
    SerchLayer = 21,
    PileNum = 22,
    PileNumList = 23,
    PileSpan = 24,
    PileDiameter = 25,
    Over = 26,
    Bottom = 27,
    Surface = 28,
    Height = 29,
    BaseSizeX = 30,
    BaseSizeY = 31,
    MarkSize = 32
};

struct FoundationParameter {
    FoundationSlot slot;
    std::string_view key; // the key in the defaults files, spelled as stored
};

class FoundationParameterSet {
public:
    static constexpr int kCount = 33;

    // Every slot with its key, in slot order.
    static constexpr std::array<FoundationParameter, kCount> kParameters = {{
        {FoundationSlot::ShiftX1, "SHIFT_X1"},
        {FoundationSlot::ShiftX2, "SHIFT_X2"},
        {FoundationSlot::ShiftY1, "SHIFT_Y1"},
        {FoundationSlot::ShiftY2, "SHIFT_Y2"},
        {FoundationSlot::UpperSlant, "UPPER_SLANT"},
        {FoundationSlot::BaseHeight, "BASE_HEIGHT"},
        {FoundationSlot::BottomLevel, "BOTTOM_LEVEL"},
        {FoundationSlot::RotateAngle, "ROATE_ANGLE"},
        {FoundationSlot::Mark, "MARK"},
        {FoundationSlot::LabelCheck, "LABEL_CHECK"},
        {FoundationSlot::StructureMarkCheck, "STRUCTURE_MARK_CHECK"},
        {FoundationSlot::Fukashi1, "FUKASHI1"},
        {FoundationSlot::Fukashi2, "FUKASHI2"},
        {FoundationSlot::Fukashi3, "FUKASHI3"},
        {FoundationSlot::Fukashi4, "FUKASHI4"},
        {FoundationSlot::Fukashi5, "FUKASHI5"},
        {FoundationSlot::Fukashi6, "FUKASHI6"},
        {FoundationSlot::BulkCheck, "BULK_CHECK"},
        {FoundationSlot::LookLayer, "LOOK_LAYER"},
        {FoundationSlot::OuterLayer, "OUTER_LAYER"},
        {FoundationSlot::DimLayer, "DIM_LAYER"},
        {FoundationSlot::SerchLayer, "SERCH_LAYER"},
        {FoundationSlot::PileNum, "PILE_NUM"},
        {FoundationSlot::PileNumList, "PILE_NUM_LIST"},
        {FoundationSlot::PileSpan, "PILE_SPAN"},
        {FoundationSlot::PileDiameter, "PILE_DIAMETER"},
        {FoundationSlot::Over, "OVER"},
        {FoundationSlot::Bottom, "BOTTOM"},
        {FoundationSlot::Surface, "SURFACE"},
        {FoundationSlot::Height, "HEIGHT"},
        {FoundationSlot::BaseSizeX, "BASE_SIZE_X"},
        {FoundationSlot::BaseSizeY, "BASE_SIZE_Y"},
        {FoundationSlot::MarkSize, "MARK_SIZE"},
    }};

    // The slots of each defaults-file section, in the order they are written and read.
    static constexpr std::array<FoundationSlot, 30> kDeltaSection = {
        FoundationSlot::PileNum,
        FoundationSlot::PileNumList,
        FoundationSlot::PileSpan,
        FoundationSlot::PileDiameter,
        FoundationSlot::Over,
        FoundationSlot::Bottom,
        FoundationSlot::Surface,
        FoundationSlot::Height,
        FoundationSlot::ShiftX1,
        FoundationSlot::ShiftX2,
        FoundationSlot::ShiftY1,
        FoundationSlot::ShiftY2,
        FoundationSlot::UpperSlant,
        FoundationSlot::BaseHeight,
        FoundationSlot::BottomLevel,
        FoundationSlot::RotateAngle,
        FoundationSlot::Mark,
        FoundationSlot::LabelCheck,
        FoundationSlot::StructureMarkCheck,
        FoundationSlot::Fukashi1,
        FoundationSlot::Fukashi2,
        FoundationSlot::Fukashi3,
        FoundationSlot::Fukashi4,
        FoundationSlot::Fukashi5,
        FoundationSlot::Fukashi6,
        FoundationSlot::BulkCheck,
        FoundationSlot::LookLayer,
        FoundationSlot::OuterLayer,
        FoundationSlot::DimLayer,
        FoundationSlot::SerchLayer};
    static constexpr std::array<FoundationSlot, 22> kSquareSection = {
        FoundationSlot::BaseSizeX,
        FoundationSlot::BaseSizeY,
        FoundationSlot::ShiftX1,
        FoundationSlot::ShiftX2,
        FoundationSlot::ShiftY1,
        FoundationSlot::ShiftY2,
        FoundationSlot::UpperSlant,
        FoundationSlot::BaseHeight,
        FoundationSlot::BottomLevel,
        FoundationSlot::RotateAngle,
        FoundationSlot::Mark,
        FoundationSlot::LabelCheck,
        FoundationSlot::StructureMarkCheck,
        FoundationSlot::Fukashi1,
        FoundationSlot::Fukashi2,
        FoundationSlot::Fukashi3,
        FoundationSlot::Fukashi4,
        FoundationSlot::BulkCheck,
        FoundationSlot::LookLayer,
        FoundationSlot::OuterLayer,
        FoundationSlot::DimLayer,
        FoundationSlot::SerchLayer};
    static constexpr std::array<FoundationSlot, 1> kOthersSection = {FoundationSlot::MarkSize};

    static constexpr int index(FoundationSlot slot) { return static_cast<int>(slot); }
    static constexpr std::string_view key(FoundationSlot slot) {
        return kParameters[static_cast<std::size_t>(slot)].key;
    }
};

// The table is in slot order: entry i describes slot i.
static_assert([] {
    for (int i = 0; i < FoundationParameterSet::kCount; ++i) {
        if (FoundationParameterSet::index(FoundationParameterSet::kParameters[i].slot) != i) {
            return false;
        }
    }
    return true;
}());
