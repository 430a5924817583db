// The square foundation's property page (dialog 1021): edits the parameter set held by the
// command's FoundationSettings and keeps the shift pairs R1/R2 and R3/R4 consistent with the
// sizes X and Y while the user types.
#pragma once
#include "afxwin.h"
#include "settings/FoundationPageField.h"

#include <span>

class FoundationSettings;

class SquarePage : public CDialog {
public:
    enum : int {
        IDD = 1021,
        kShiftX1Id = 1035, // R1
        kShiftY1Id = 1036, // R3
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
        kFukashi1Id = 1050, // F1..F4 are 1050..1053
        kSizeXId = 1057,
        kSizeYId = 1058,
        kBulkCheckId = 1059,
    };
    static constexpr int kFoundationKind = 1;

    explicit SquarePage(CWnd* pParent = nullptr);
    ~SquarePage() override;

    // The slots the page shows, in the order they are filled.
    static std::span<const PageField<SquarePage>> Fields();

protected:
    CEdit m_sizeY;
    CEdit m_sizeX;
    CEdit m_mark;
    CEdit m_bottomLevel;
    CEdit m_upperSlant;
    CEdit m_shiftY2; // R4
    CEdit m_shiftY1; // R3
    CEdit m_shiftX2; // R2
    CEdit m_shiftX1; // R1
    CEdit m_rotateAngle;
    CEdit m_baseHeight;
    CEdit m_fukashi4;
    CEdit m_fukashi3;
    CEdit m_fukashi2;
    CEdit m_fukashi1;
    CComboBox m_outerLayer;
    CComboBox m_lookLayer;
    CComboBox m_dimLayer;
    CComboBox m_serchLayer;

public:
    // The states of the check boxes label, structure mark and bulk (0 or 1).
    int labelCheck = 0;
    int structureMarkCheck = 0;
    int bulkCheck = 0;
    // Set by the command before DoModal: false places foundations, true changes one.
    bool editMode = false;
    // The command's settings (not owned): the values shown, and where OK puts them.
    FoundationSettings* settings = nullptr;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnSizeXChanged();
    afx_msg void OnSizeYChanged();
    afx_msg void OnShiftX1Changed();
    afx_msg void OnShiftX2Changed();
    afx_msg void OnShiftY1Changed();
    afx_msg void OnShiftY2Changed();
    afx_msg void OnBulkClicked();

    DECLARE_MESSAGE_MAP()

private:
    // Runs `step` between taking the check boxes into the states and putting them back.
    template <class Step> void keepingChecks(Step step);
};
