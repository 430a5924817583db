// The square foundation's property page: control bindings, the shift recalculations, opening
// from the defaults and closing into the settings.
#include "square/SquarePage.h"

#include "settings/FoundationSettings.h"
#include "settings/PageControls.h"

#include <array>

namespace {

using Field = PageField<SquarePage>;
using Slot = FoundationSlot;

constexpr const char* kPlacementCaption = "四角形基礎配置のプロパティ";
constexpr const char* kChangeCaption = "四角形基礎変更のプロパティ";

const std::array<Field, 22> kFields = {{
    {Slot::BaseSizeX, SquarePage::kSizeXId, PageControl::Edit},
    {Slot::BaseSizeY, SquarePage::kSizeYId, PageControl::Edit},
    {Slot::ShiftX1, SquarePage::kShiftX1Id, PageControl::Edit},
    {Slot::ShiftX2, SquarePage::kShiftX2Id, PageControl::Edit},
    {Slot::ShiftY1, SquarePage::kShiftY1Id, PageControl::Edit},
    {Slot::ShiftY2, SquarePage::kShiftY2Id, PageControl::Edit},
    {Slot::UpperSlant, SquarePage::kUpperSlantId, PageControl::Edit},
    {Slot::BaseHeight, SquarePage::kBaseHeightId, PageControl::Edit},
    {Slot::BottomLevel, SquarePage::kBottomLevelId, PageControl::Edit},
    {Slot::RotateAngle, SquarePage::kRotateAngleId, PageControl::Edit},
    {Slot::Mark, SquarePage::kMarkId, PageControl::Edit},
    {Slot::LabelCheck, SquarePage::kLabelCheckId, PageControl::Check, &SquarePage::labelCheck},
    {Slot::StructureMarkCheck, SquarePage::kStructureMarkCheckId, PageControl::Check,
     &SquarePage::structureMarkCheck},
    {Slot::Fukashi1, SquarePage::kFukashi1Id, PageControl::Edit},
    {Slot::Fukashi2, SquarePage::kFukashi1Id + 1, PageControl::Edit},
    {Slot::Fukashi3, SquarePage::kFukashi1Id + 2, PageControl::Edit},
    {Slot::Fukashi4, SquarePage::kFukashi1Id + 3, PageControl::Edit},
    {Slot::BulkCheck, SquarePage::kBulkCheckId, PageControl::Check, &SquarePage::bulkCheck},
    {Slot::LookLayer, SquarePage::kLookLayerId, PageControl::List},
    {Slot::OuterLayer, SquarePage::kOuterLayerId, PageControl::List},
    {Slot::DimLayer, SquarePage::kDimLayerId, PageControl::List},
    {Slot::SerchLayer, SquarePage::kSerchLayerId, PageControl::List},
}};

} // namespace

std::span<const PageField<SquarePage>> SquarePage::Fields() {
    return kFields;
}

BEGIN_MESSAGE_MAP(SquarePage, CDialog)
ON_EN_KILLFOCUS(SquarePage::kSizeXId, &SquarePage::OnSizeXChanged)
ON_EN_KILLFOCUS(SquarePage::kSizeYId, &SquarePage::OnSizeYChanged)
ON_EN_KILLFOCUS(SquarePage::kShiftX1Id, &SquarePage::OnShiftX1Changed)
ON_EN_KILLFOCUS(SquarePage::kShiftX2Id, &SquarePage::OnShiftX2Changed)
ON_EN_KILLFOCUS(SquarePage::kShiftY1Id, &SquarePage::OnShiftY1Changed)
ON_EN_KILLFOCUS(SquarePage::kShiftY2Id, &SquarePage::OnShiftY2Changed)
ON_BN_CLICKED(SquarePage::kBulkCheckId, &SquarePage::OnBulkClicked)
END_MESSAGE_MAP()

SquarePage::SquarePage(CWnd* pParent) : CDialog(IDD, pParent) {}

SquarePage::~SquarePage() = default;

void SquarePage::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kSizeYId, m_sizeY);
    DDX_Control(pDX, kSizeXId, m_sizeX);
    DDX_Control(pDX, kMarkId, m_mark);
    DDX_Control(pDX, kBottomLevelId, m_bottomLevel);
    DDX_Control(pDX, kUpperSlantId, m_upperSlant);
    DDX_Control(pDX, kShiftY2Id, m_shiftY2);
    DDX_Control(pDX, kShiftY1Id, m_shiftY1);
    DDX_Control(pDX, kShiftX2Id, m_shiftX2);
    DDX_Control(pDX, kShiftX1Id, m_shiftX1);
    DDX_Control(pDX, kRotateAngleId, m_rotateAngle);
    DDX_Control(pDX, kBaseHeightId, m_baseHeight);
    DDX_Control(pDX, kFukashi1Id + 3, m_fukashi4);
    DDX_Control(pDX, kFukashi1Id + 2, m_fukashi3);
    DDX_Control(pDX, kFukashi1Id + 1, m_fukashi2);
    DDX_Control(pDX, kFukashi1Id, m_fukashi1);
    DDX_Control(pDX, kOuterLayerId, m_outerLayer);
    DDX_Control(pDX, kLookLayerId, m_lookLayer);
    DDX_Control(pDX, kDimLayerId, m_dimLayer);
    DDX_Control(pDX, kSerchLayerId, m_serchLayer);
    DDX_Check(pDX, kLabelCheckId, labelCheck);
    DDX_Check(pDX, kStructureMarkCheckId, structureMarkCheck);
    DDX_Check(pDX, kBulkCheckId, bulkCheck);
}

template <class Step> void SquarePage::keepingChecks(Step step) {
    UpdateData(TRUE);
    step();
    UpdateData(FALSE);
}

// Each handler writes only the partner field(s); the field that lost the focus keeps its text.
void SquarePage::OnSizeXChanged() {
    keepingChecks([this] {
        const double half = PageNumber(m_sizeX) / 2.0;
        ShowPageNumber(m_shiftX1, half);
        ShowPageNumber(m_shiftX2, half);
    });
}

void SquarePage::OnSizeYChanged() {
    keepingChecks([this] {
        const double half = PageNumber(m_sizeY) / 2.0;
        ShowPageNumber(m_shiftY1, half);
        ShowPageNumber(m_shiftY2, half);
    });
}

void SquarePage::OnShiftX1Changed() {
    keepingChecks(
        [this] { ShowPageNumber(m_shiftX2, PageNumber(m_sizeX) - PageNumber(m_shiftX1)); });
}

void SquarePage::OnShiftX2Changed() {
    keepingChecks(
        [this] { ShowPageNumber(m_shiftX1, PageNumber(m_sizeX) - PageNumber(m_shiftX2)); });
}

void SquarePage::OnShiftY1Changed() {
    keepingChecks(
        [this] { ShowPageNumber(m_shiftY2, PageNumber(m_sizeY) - PageNumber(m_shiftY1)); });
}

void SquarePage::OnShiftY2Changed() {
    keepingChecks(
        [this] { ShowPageNumber(m_shiftY1, PageNumber(m_sizeY) - PageNumber(m_shiftY2)); });
}

void SquarePage::OnBulkClicked() {
    keepingChecks([this] { m_serchLayer.EnableWindow(bulkCheck == 1 ? TRUE : FALSE); });
}

// The stored shifts are shown as they are (no recalculation), and the search-layer list stays
// enabled whatever the bulk state until the bulk box is clicked.
BOOL SquarePage::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(editMode ? kChangeCaption : kPlacementCaption);
    AddLayerNames({&m_lookLayer, &m_outerLayer, &m_dimLayer, &m_serchLayer});
    if (settings != nullptr && !settings->LoadFromDat(this, kFoundationKind)) {
        settings->LoadFromDef(this, kFoundationKind);
    }
    UpdateData(FALSE);
    GotoDlgCtrl(GetDlgItem(IDOK));
    return FALSE;
}

// The dialog closes with OK even when the user file could not be written.
void SquarePage::OnOK() {
    UpdateData(TRUE);
    if (settings != nullptr) {
        settings->Save(this, kFoundationKind);
    }
    EndDialog(IDOK);
}
