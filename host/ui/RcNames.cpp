// The standard names a resource script may use without defining them.
#include "host/ui/RcNames.h"

#include "afxwin.h"

#include <map>
#include <string>

namespace veld::ui {

namespace {

#define VELD_NAME(name)                                                                            \
    { #name, static_cast < std::int64_t>(name) }

const std::map<std::string, std::int64_t, std::less<>>& names() {
    static const std::map<std::string, std::int64_t, std::less<>> table{
        VELD_NAME(IDOK),
        VELD_NAME(IDCANCEL),
        VELD_NAME(IDABORT),
        VELD_NAME(IDRETRY),
        VELD_NAME(IDIGNORE),
        VELD_NAME(IDYES),
        VELD_NAME(IDNO),
        VELD_NAME(IDC_STATIC),
        VELD_NAME(WS_POPUP),
        VELD_NAME(WS_CHILD),
        VELD_NAME(WS_VISIBLE),
        VELD_NAME(WS_DISABLED),
        VELD_NAME(WS_CAPTION),
        VELD_NAME(WS_BORDER),
        VELD_NAME(WS_DLGFRAME),
        VELD_NAME(WS_VSCROLL),
        VELD_NAME(WS_HSCROLL),
        VELD_NAME(WS_SYSMENU),
        VELD_NAME(WS_GROUP),
        VELD_NAME(WS_TABSTOP),
        VELD_NAME(WS_EX_CLIENTEDGE),
        VELD_NAME(WS_EX_STATICEDGE),
        VELD_NAME(DS_SETFONT),
        VELD_NAME(DS_MODALFRAME),
        VELD_NAME(DS_3DLOOK),
        VELD_NAME(DS_FIXEDSYS),
        VELD_NAME(DS_CENTER),
        VELD_NAME(DS_SHELLFONT),
        VELD_NAME(ES_LEFT),
        VELD_NAME(ES_CENTER),
        VELD_NAME(ES_RIGHT),
        VELD_NAME(ES_MULTILINE),
        VELD_NAME(ES_UPPERCASE),
        VELD_NAME(ES_LOWERCASE),
        VELD_NAME(ES_PASSWORD),
        VELD_NAME(ES_AUTOVSCROLL),
        VELD_NAME(ES_AUTOHSCROLL),
        VELD_NAME(ES_NOHIDESEL),
        VELD_NAME(ES_READONLY),
        VELD_NAME(ES_WANTRETURN),
        VELD_NAME(ES_NUMBER),
        VELD_NAME(CBS_SIMPLE),
        VELD_NAME(CBS_DROPDOWN),
        VELD_NAME(CBS_DROPDOWNLIST),
        VELD_NAME(CBS_AUTOHSCROLL),
        VELD_NAME(CBS_SORT),
        VELD_NAME(CBS_HASSTRINGS),
        VELD_NAME(CBS_NOINTEGRALHEIGHT),
        VELD_NAME(CBS_DISABLENOSCROLL),
        VELD_NAME(BS_PUSHBUTTON),
        VELD_NAME(BS_DEFPUSHBUTTON),
        VELD_NAME(BS_CHECKBOX),
        VELD_NAME(BS_AUTOCHECKBOX),
        VELD_NAME(BS_RADIOBUTTON),
        VELD_NAME(BS_3STATE),
        VELD_NAME(BS_AUTO3STATE),
        VELD_NAME(BS_GROUPBOX),
        VELD_NAME(BS_AUTORADIOBUTTON),
        VELD_NAME(BS_LEFTTEXT),
        VELD_NAME(BS_NOTIFY),
        VELD_NAME(SS_LEFT),
        VELD_NAME(SS_CENTER),
        VELD_NAME(SS_RIGHT),
        VELD_NAME(SS_ICON),
        VELD_NAME(SS_BLACKFRAME),
        VELD_NAME(SS_ETCHEDFRAME),
        VELD_NAME(SS_BITMAP),
        VELD_NAME(SS_NOTIFY),
        VELD_NAME(SS_CENTERIMAGE),
        VELD_NAME(SS_REALSIZEIMAGE),
        VELD_NAME(SS_SUNKEN),
    };
    return table;
}

#undef VELD_NAME

} // namespace

std::optional<std::int64_t> standardNameValue(std::string_view name) {
    const auto found = names().find(name);
    if (found == names().end()) {
        return std::nullopt;
    }
    return found->second;
}

} // namespace veld::ui
