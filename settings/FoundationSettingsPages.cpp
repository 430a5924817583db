// FoundationSettings, page exchange: the steps that copy the slots into the controls of the
// triangular and square property pages and back. Kept apart from the file handling because the
// pages bring their own control bindings; until a page is bound, the steps have nothing to copy.
#include "settings/FoundationSettings.h"

bool FoundationSettings::FillDeltaPage(CDialog* /*page*/) {
    return true;
}

bool FoundationSettings::sLoadLabelLayerPage(CDialog* /*page*/) {
    return true;
}

bool FoundationSettings::TakeDeltaPage(CDialog* /*page*/) {
    return true;
}

bool FoundationSettings::TakeSquarePage(CDialog* /*page*/) {
    return true;
}
