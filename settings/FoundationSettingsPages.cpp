// FoundationSettings, page exchange: the steps that copy the slots into the controls of the
// triangular and square property pages and back. Both pages are driven by their own table of
// slot and control (DeltaPage::ValueFields/StateFields, SquarePage::Fields).
#include "delta/DeltaPage.h"
#include "settings/FoundationSettings.h"
#include "square/SquarePage.h"

#include "crt.h"

#include <span>

namespace {

// Selects the list entry that is the name itself, compared without regard to case; with no
// such entry the list is left without a selection. (A prefix search would pick "A-1" for a
// stored "A", or any entry for an empty name.)
void selectEntry(HWND list, const std::string& text) {
    const LRESULT index = ::SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(text.c_str()));
    ::SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

template <class Page>
void showFields(const FoundationSettings& settings, Page& page,
                std::span<const PageField<Page>> fields) {
    for (const PageField<Page>& field : fields) {
        const std::string value = settings.GetSlot(field.slot);
        switch (field.control) {
        case PageControl::Edit:
            page.SetDlgItemText(field.controlId, value);
            break;
        case PageControl::List:
            selectEntry(::GetDlgItem(page.GetSafeHwnd(), field.controlId), value);
            break;
        case PageControl::Check:
            page.*field.checkState = value == "1" ? 1 : 0;
            break;
        }
    }
}

template <class Page>
void takeFields(FoundationSettings& settings, const Page& page,
                std::span<const PageField<Page>> fields) {
    for (const PageField<Page>& field : fields) {
        if (field.control == PageControl::Check) {
            settings.SetSlot(field.slot, veldFormat("%d", page.*field.checkState));
            continue;
        }
        std::string text; // an unselected list gives an empty text
        page.GetDlgItemText(field.controlId, text);
        settings.SetSlot(field.slot, text);
    }
}

// The pile counts of PILE_NUM_LIST, with PILE_NUM selected; a count that is not in the list is
// added at its end.
void showPileCounts(const FoundationSettings& settings, HWND list) {
    ::SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (const std::string& entry :
         FoundationSettings::SplitPileNumList(settings.GetPileNumList())) {
        ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    const std::string count = settings.GetPileNum();
    if (::SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                       reinterpret_cast<LPARAM>(count.c_str())) == CB_ERR) {
        ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(count.c_str()));
    }
    selectEntry(list, count);
}

// The page behind a CDialog pointer of the given kind. No page (null) has nothing to exchange;
// a page of the other kind is refused.
template <class Page>
bool withPage(CDialog* dialog, bool (*step)(FoundationSettings&, Page&),
              FoundationSettings& settings) {
    if (dialog == nullptr) {
        return true;
    }
    Page* page = dynamic_cast<Page*>(dialog);
    return page != nullptr && step(settings, *page);
}

bool fillDelta(FoundationSettings& settings, DeltaPage& page) {
    showPileCounts(settings, ::GetDlgItem(page.GetSafeHwnd(), DeltaPage::kPileCountId));
    showFields(settings, page, DeltaPage::ValueFields());
    page.RecalculateFromPiles();
    showFields(settings, page, DeltaPage::StateFields());
    return true;
}

bool takeDelta(FoundationSettings& settings, DeltaPage& page) {
    takeFields(settings, page, std::span(&DeltaPage::kPileCountField, 1));
    takeFields(settings, page, DeltaPage::ValueFields());
    takeFields(settings, page, DeltaPage::StateFields());
    return true;
}

bool fillSquare(FoundationSettings& settings, SquarePage& page) {
    showFields(settings, page, SquarePage::Fields());
    return true;
}

bool takeSquare(FoundationSettings& settings, SquarePage& page) {
    takeFields(settings, page, SquarePage::Fields());
    return true;
}

} // namespace

bool FoundationSettings::FillDeltaPage(CDialog* page) {
    return withPage<DeltaPage>(page, fillDelta, *this);
}

bool FoundationSettings::sLoadLabelLayerPage(CDialog* page) {
    return withPage<SquarePage>(page, fillSquare, *this);
}

bool FoundationSettings::TakeDeltaPage(CDialog* page) {
    return withPage<DeltaPage>(page, takeDelta, *this);
}

bool FoundationSettings::TakeSquarePage(CDialog* page) {
    return withPage<SquarePage>(page, takeSquare, *this);
}
