// The triangular foundation's property page: control bindings, the pile auxiliary calculation,
// the shift handlers, opening from the defaults and closing into the settings.
#include "delta/DeltaPage.h"

#include "arxcom/CArxComGeo.h"
#include "settings/FoundationSettings.h"
#include "settings/PageControls.h"

#include <array>
#include <cmath>

namespace {

using Field = PageField<DeltaPage>;
using Slot = FoundationSlot;

constexpr const char* kPlacementCaption = "三角形基礎配置のプロパティ";
constexpr const char* kChangeCaption = "三角形基礎変更のプロパティ";

const double kSqrt3 = std::sqrt(3.0);

// In the order the page is filled.
const std::array<Field, 15> kValueFields = {{
    {Slot::PileSpan, DeltaPage::kPileSpanId, PageControl::Edit},
    {Slot::PileDiameter, DeltaPage::kPileDiameterId, PageControl::Edit},
    {Slot::Over, DeltaPage::kCoverId, PageControl::Edit},
    {Slot::Bottom, DeltaPage::kBottomId, PageControl::Edit},
    {Slot::Surface, DeltaPage::kSurfaceId, PageControl::Edit},
    {Slot::Height, DeltaPage::kHeightId, PageControl::Edit},
    {Slot::ShiftX1, DeltaPage::kShiftX1Id, PageControl::Edit},
    {Slot::ShiftX2, DeltaPage::kShiftX2Id, PageControl::Edit},
    {Slot::ShiftY1, DeltaPage::kShiftY1Id, PageControl::Edit},
    {Slot::ShiftY2, DeltaPage::kShiftY2Id, PageControl::Edit},
    {Slot::UpperSlant, DeltaPage::kUpperSlantId, PageControl::Edit},
    {Slot::BaseHeight, DeltaPage::kBaseHeightId, PageControl::Edit},
    {Slot::BottomLevel, DeltaPage::kBottomLevelId, PageControl::Edit},
    {Slot::RotateAngle, DeltaPage::kRotateAngleId, PageControl::Edit},
    {Slot::Mark, DeltaPage::kMarkId, PageControl::Edit},
}};

const std::array<Field, 13> kStateFields = {{
    {Slot::LabelCheck, DeltaPage::kLabelCheckId, PageControl::Check, &DeltaPage::labelCheck},
    {Slot::StructureMarkCheck, DeltaPage::kStructureMarkCheckId, PageControl::Check,
     &DeltaPage::structureMarkCheck},
    {Slot::Fukashi1, DeltaPage::kFukashi1Id, PageControl::Edit},
    {Slot::Fukashi2, DeltaPage::kFukashi1Id + 1, PageControl::Edit},
    {Slot::Fukashi3, DeltaPage::kFukashi1Id + 2, PageControl::Edit},
    {Slot::Fukashi4, DeltaPage::kFukashi1Id + 3, PageControl::Edit},
    {Slot::Fukashi5, DeltaPage::kFukashi1Id + 4, PageControl::Edit},
    {Slot::Fukashi6, DeltaPage::kFukashi1Id + 5, PageControl::Edit},
    {Slot::BulkCheck, DeltaPage::kBulkCheckId, PageControl::Check, &DeltaPage::bulkCheck},
    {Slot::LookLayer, DeltaPage::kLookLayerId, PageControl::List},
    {Slot::OuterLayer, DeltaPage::kOuterLayerId, PageControl::List},
    {Slot::DimLayer, DeltaPage::kDimLayerId, PageControl::List},
    {Slot::SerchLayer, DeltaPage::kSerchLayerId, PageControl::List},
}};

} // namespace

const PageField<DeltaPage> DeltaPage::kPileCountField = {Slot::PileNum, kPileCountId,
                                                         PageControl::List};

std::span<const PageField<DeltaPage>> DeltaPage::ValueFields() {
    return kValueFields;
}

std::span<const PageField<DeltaPage>> DeltaPage::StateFields() {
    return kStateFields;
}

BEGIN_MESSAGE_MAP(DeltaPage, CDialog)
ON_CBN_SELCHANGE(DeltaPage::kPileCountId, &DeltaPage::RecalculateFromPiles)
ON_EN_KILLFOCUS(DeltaPage::kPileSpanId, &DeltaPage::RecalculateFromPiles)
ON_EN_KILLFOCUS(DeltaPage::kPileDiameterId, &DeltaPage::RecalculateFromPiles)
ON_EN_KILLFOCUS(DeltaPage::kCoverId, &DeltaPage::RecalculateFromPiles)
ON_EN_KILLFOCUS(DeltaPage::kBottomId, &DeltaPage::OnBottomChanged)
ON_EN_KILLFOCUS(DeltaPage::kSurfaceId, &DeltaPage::OnSurfaceChanged)
ON_EN_KILLFOCUS(DeltaPage::kShiftX1Id, &DeltaPage::OnShiftX1Changed)
ON_EN_KILLFOCUS(DeltaPage::kShiftX2Id, &DeltaPage::OnShiftX2Changed)
ON_EN_KILLFOCUS(DeltaPage::kShiftY1Id, &DeltaPage::OnShiftY1Changed)
ON_EN_KILLFOCUS(DeltaPage::kShiftY2Id, &DeltaPage::OnShiftY2Changed)
ON_BN_CLICKED(DeltaPage::kBulkCheckId, &DeltaPage::OnBulkClicked)
END_MESSAGE_MAP()

DeltaPage::DeltaPage(CWnd* pParent) : CDialog(IDD, pParent) {}

DeltaPage::~DeltaPage() = default;

void DeltaPage::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kPileCountId, m_pileCount);
    DDX_Control(pDX, kPileSpanId, m_pileSpan);
    DDX_Control(pDX, kPileDiameterId, m_pileDiameter);
    DDX_Control(pDX, kCoverId, m_cover);
    DDX_Control(pDX, kAuxBottomId, m_auxBottom);
    DDX_Control(pDX, kAuxSurfaceId, m_auxSurface);
    DDX_Control(pDX, kAuxHeightId, m_auxHeight);
    DDX_Control(pDX, kBottomId, m_bottom);
    DDX_Control(pDX, kSurfaceId, m_surface);
    DDX_Control(pDX, kHeightId, m_height);
    DDX_Control(pDX, kShiftX1Id, m_shiftX1);
    DDX_Control(pDX, kShiftX2Id, m_shiftX2);
    DDX_Control(pDX, kShiftY1Id, m_shiftY1);
    DDX_Control(pDX, kShiftY2Id, m_shiftY2);
    DDX_Control(pDX, kUpperSlantId, m_upperSlant);
    DDX_Control(pDX, kBaseHeightId, m_baseHeight);
    DDX_Control(pDX, kBottomLevelId, m_bottomLevel);
    DDX_Control(pDX, kRotateAngleId, m_rotateAngle);
    DDX_Control(pDX, kMarkId, m_mark);
    for (int i = 0; i < 6; ++i) {
        DDX_Control(pDX, kFukashi1Id + i, m_fukashi[i]);
    }
    DDX_Control(pDX, kLookLayerId, m_lookLayer);
    DDX_Control(pDX, kOuterLayerId, m_outerLayer);
    DDX_Control(pDX, kDimLayerId, m_dimLayer);
    DDX_Control(pDX, kSerchLayerId, m_serchLayer);
    DDX_Check(pDX, kLabelCheckId, labelCheck);
    DDX_Check(pDX, kStructureMarkCheckId, structureMarkCheck);
    DDX_Check(pDX, kBulkCheckId, bulkCheck);
}

template <class Step> void DeltaPage::keepingChecks(Step step) {
    UpdateData(TRUE);
    step();
    UpdateData(FALSE);
}

// The pile centres lie at distance e = c + D/2 inside the three sides and the three faces of
// the outline; two corner piles are S' + D apart from outer edge to outer edge, where S' is the
// span itself for the first pile count and two spans and a pile for any other.
void DeltaPage::computeAuxiliary() {
    const double cover = PageNumber(m_cover);
    const double diameter = PageNumber(m_pileDiameter);
    const double span = PageNumber(m_pileSpan);
    const double centreSpan = m_pileCount.GetCurSel() == 0 ? span : 2.0 * span + diameter;
    const double inset = cover + diameter / 2.0;

    const double bottom = inset / std::cos(CArxComGeo().DegToRad(30.0)) + centreSpan + diameter;
    const double surface = 2.0 * inset / kSqrt3;
    const double height =
        (2.0 * kSqrt3 * inset + centreSpan + diameter) * kSqrt3 / 2.0 - cover - diameter / 2.0;

    ShowPageNumber(m_auxBottom, bottom);
    ShowPageNumber(m_bottom, bottom);
    ShowPageNumber(m_auxSurface, surface);
    ShowPageNumber(m_surface, surface);
    ShowPageNumber(m_auxHeight, height);
    ShowPageNumber(m_height, height);
}

// A new base side centres the insertion point: R1 = R2 = B/2, R3 = R4 = H/2.
void DeltaPage::computeBaseSide() {
    const double bottom = PageNumber(m_bottom);
    const double height = (bottom + PageNumber(m_surface)) * kSqrt3 / 2.0;
    ShowPageNumber(m_height, height);
    ShowPageNumber(m_shiftX1, bottom / 2.0);
    ShowPageNumber(m_shiftX2, bottom / 2.0);
    ShowPageNumber(m_shiftY1, height / 2.0);
    ShowPageNumber(m_shiftY2, height / 2.0);
}

// A new face part changes only the height and the vertical shifts; R1 and R2 stay as typed.
void DeltaPage::computeFacePart() {
    const double surface = RoundedToCents(PageNumber(m_surface));
    const double height = (PageNumber(m_bottom) + surface) * kSqrt3 / 2.0;
    ShowPageNumber(m_height, height);
    const double halfHeight = RoundedToCents(height / 2.0);
    ShowPageNumber(m_shiftY1, halfHeight);
    ShowPageNumber(m_shiftY2, halfHeight);
}

void DeltaPage::RecalculateFromPiles() {
    keepingChecks([this] {
        computeAuxiliary();
        computeBaseSide();
        computeFacePart();
    });
}

void DeltaPage::OnBottomChanged() {
    keepingChecks([this] {
        computeBaseSide();
        computeFacePart();
    });
}

void DeltaPage::OnSurfaceChanged() {
    keepingChecks([this] { computeFacePart(); });
}

void DeltaPage::OnShiftX1Changed() {
    keepingChecks(
        [this] { ShowPageNumber(m_shiftX2, PageNumber(m_bottom) - PageNumber(m_shiftX1)); });
}

void DeltaPage::OnShiftX2Changed() {
    keepingChecks(
        [this] { ShowPageNumber(m_shiftX1, PageNumber(m_bottom) - PageNumber(m_shiftX2)); });
}

void DeltaPage::OnShiftY1Changed() {
    keepingChecks(
        [this] { ShowPageNumber(m_shiftY2, PageNumber(m_height) - PageNumber(m_shiftY1)); });
}

void DeltaPage::OnShiftY2Changed() {
    keepingChecks(
        [this] { ShowPageNumber(m_shiftY1, PageNumber(m_height) - PageNumber(m_shiftY2)); });
}

void DeltaPage::OnBulkClicked() {
    keepingChecks([this] { m_serchLayer.EnableWindow(bulkCheck == 1 ? TRUE : FALSE); });
}

// The search-layer list is left enabled here whatever the bulk state: it follows the bulk box
// only once that box is clicked.
BOOL DeltaPage::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(editMode ? kChangeCaption : kPlacementCaption);
    AddLayerNames({&m_lookLayer, &m_outerLayer, &m_dimLayer, &m_serchLayer});
    if (settings != nullptr && !settings->LoadFromDat(this, kFoundationKind)) {
        settings->LoadFromDef(this, kFoundationKind);
    }
    UpdateData(FALSE);
    return TRUE;
}

// The dialog closes with OK even when the user file could not be written.
void DeltaPage::OnOK() {
    UpdateData(TRUE);
    if (settings != nullptr) {
        settings->Save(this, kFoundationKind);
    }
    EndDialog(IDOK);
}
