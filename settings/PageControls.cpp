// Numbers in the pages' edit fields and the layer names of their lists.
#include "settings/PageControls.h"

#include "arxcom/CArxComLayer.h"
#include "crt.h"

#include <string>
#include <vector>

double PageNumber(const CWnd& edit) {
    std::string text;
    edit.GetWindowText(text);
    return veldAtof(text.c_str());
}

void ShowPageNumber(CWnd& edit, double value) {
    edit.SetWindowText(veldFormat("%.2f", value));
}

double RoundedToCents(double value) {
    return veldAtof(veldFormat("%.2f", value).c_str());
}

void AddLayerNames(std::initializer_list<CComboBox*> lists) {
    std::vector<std::string> names;
    AcDbObjectIdArray ids;
    CArxComLayer().ListLayers(names, ids);
    for (const std::string& name : names) {
        for (CComboBox* list : lists) {
            ::SendMessageA(list->GetSafeHwnd(), CB_ADDSTRING, 0,
                           reinterpret_cast<LPARAM>(name.c_str()));
        }
    }
}
