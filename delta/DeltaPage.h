// The triangular foundation's property page (dialog 1020): edits the parameter set held by the
// command's FoundationSettings and derives the outline's base side, face part and height from
// the pile layout, keeping the shifts R1..R4 consistent with them.
#pragma once
#include "afxwin.h"
#include "settings/FoundationPageField.h"

#include <span>

class FoundationSettings;

class DeltaPage : public CDialog {
public:
    enum : int {
        IDD = 1020,
        kPileCountId = 1025,    // drop-down list of pile counts
        kPileSpanId = 1026,     // S
        kPileDiameterId = 1027, // D
        kCoverId = 1028,        // c
        kAuxBottomId = 1029,    // computed base side (read-only)
        kAuxSurfaceId = 1030,   // computed face part (read-only)
        kAuxHeightId = 1031,    // computed height (read-only)
        kBottomId = 1032,       // B
        kSurfaceId = 1033,      // F
        kHeightId = 1034,       // H (read-only)
        kShiftX1Id = 1035,      // R1
        kShiftY1Id = 1036,      // R3
        kUpperSlantId = 1037,
        kBaseHeightId = 1038,
        kBottomLevelId = 1039,
        kRotateAngleId = 1040,
        kShiftX2Id = 1041, // R2
        kShiftY2Id = 1042, // R4
        kMarkId = 1043,
        kLabelCheckId = 1044,
        kStructureMarkCheckId = 1045,
        kLookLayerId = 1046,
        kOuterLayerId = 1047,
        kDimLayerId = 1048,
        kSerchLayerId = 1049,
        kFukashi1Id = 1050, // F1..F6 are 1050..1055
        kBulkCheckId = 1058,
    };
    static constexpr int kFoundationKind = 0;

    explicit DeltaPage(CWnd* pParent = nullptr);
    ~DeltaPage() override;

    // Set by the command before DoModal: false places foundations, true changes one.
    bool editMode = false;
    // The command's settings (not owned): the values shown, and where OK puts them.
    FoundationSettings* settings = nullptr;

    // The states of the check boxes label, structure mark and bulk (0 or 1).
    int labelCheck = 0;
    int structureMarkCheck = 0;
    int bulkCheck = 0;

    // The slots the page shows. The values are filled before the pile calculation runs (which
    // may overwrite some of them), the states after it; the pile count is filled on its own.
    static std::span<const PageField<DeltaPage>> ValueFields();
    static std::span<const PageField<DeltaPage>> StateFields();
    static const PageField<DeltaPage> kPileCountField;

    // Auxiliary calculation, base-side change and face-part change, in that order: what a new
    // pile count or pile value gives, and what filling the page runs.
    void RecalculateFromPiles();

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnBottomChanged();
    afx_msg void OnSurfaceChanged();
    afx_msg void OnShiftX1Changed();
    afx_msg void OnShiftX2Changed();
    afx_msg void OnShiftY1Changed();
    afx_msg void OnShiftY2Changed();
    afx_msg void OnBulkClicked();

    DECLARE_MESSAGE_MAP()

private:
    // Runs `step` between taking the check boxes into the states and putting them back, so a
    // recalculation never changes what the boxes show.
    template <class Step> void keepingChecks(Step step);

    void computeAuxiliary();
    void computeBaseSide();
    void computeFacePart();

    CComboBox m_pileCount;
    CEdit m_pileSpan;
    CEdit m_pileDiameter;
    CEdit m_cover;
    CEdit m_auxBottom;
    CEdit m_auxSurface;
    CEdit m_auxHeight;
    CEdit m_bottom;
    CEdit m_surface;
    CEdit m_height;
    CEdit m_shiftX1;
    CEdit m_shiftX2;
    CEdit m_shiftY1;
    CEdit m_shiftY2;
    CEdit m_upperSlant;
    CEdit m_baseHeight;
    CEdit m_bottomLevel;
    CEdit m_rotateAngle;
    CEdit m_mark;
    CEdit m_fukashi[6];
    CComboBox m_lookLayer;
    CComboBox m_outerLayer;
    CComboBox m_dimLayer;
    CComboBox m_serchLayer;
};
