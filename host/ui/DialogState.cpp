// The state of an open dialog as one JSON event for a browser page.
#include "host/ui/DialogState.h"

#include "host/ui/ResourceDirectory.h"

#include <nlohmann/json.hpp>

namespace veld::ui {

namespace {

using nlohmann::json;

constexpr unsigned int kDefaultButtonMask = 0x00000F00u; // MB_DEFMASK
constexpr unsigned int kIconMask = 0x000000F0u;          // MB_ICONMASK

// Texts come from resources and handlers: a stray invalid byte is shown replaced, never thrown.
std::string dumpJson(const json& value) {
    return value.dump(-1, ' ', false, json::error_handler_t::replace);
}

json rectJson(const Rect& r) {
    return {{"x", r.x}, {"y", r.y}, {"width", r.width}, {"height", r.height}};
}

const char* kindWord(ControlKind kind) {
    switch (kind) {
    case ControlKind::Text:
        return "text";
    case ControlKind::Picture:
        return "picture";
    case ControlKind::GroupBox:
        return "group";
    case ControlKind::Edit:
        return "edit";
    case ControlKind::ComboBox:
        return "combo";
    case ControlKind::PushButton:
        return "button";
    case ControlKind::CheckBox:
        return "check";
    case ControlKind::RadioButton:
        return "radio";
    case ControlKind::Other:
        break;
    }
    return "other";
}

// Left, right or centred: ES_CENTER/ES_RIGHT and SS_CENTER/SS_RIGHT share their values.
const char* alignment(const VeldWindow& c) {
    if (c.kind != ControlKind::Edit && c.kind != ControlKind::Text) {
        return "left";
    }
    const DWORD bits = c.style & (ES_CENTER | ES_RIGHT);
    return bits == ES_RIGHT ? "right" : bits == ES_CENTER ? "center" : "left";
}

const char* checkWord(int check) {
    return check == BST_CHECKED ? "on" : check == BST_INDETERMINATE ? "indeterminate" : "off";
}

void addKindState(json& out, const VeldWindow& c, const DialogLayout& layout,
                  const Rect& dialogUnits) {
    switch (c.kind) {
    case ControlKind::Edit:
        out["readOnly"] = isReadOnly(c);
        out["password"] = (c.style & ES_PASSWORD) != 0;
        break;
    case ControlKind::ComboBox:
        out["items"] = c.list.items();
        out["selected"] = c.list.selection();
        out["sorted"] = c.list.sorted();
        out["dropDownList"] = isDropDownList(c);
        out["listHeight"] = layout.toPixels(dialogUnits).height - layout.closedComboHeight();
        break;
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
        out["check"] = checkWord(c.check);
        break;
    case ControlKind::PushButton:
        out["default"] = (c.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
        break;
    case ControlKind::Picture:
        out["sunken"] = (c.style & SS_SUNKEN) != 0;
        break;
    default:
        break;
    }
}

json buttonJson(const char* word, const char* label) {
    return {{"word", word}, {"label", label}};
}

// The buttons of a message box as a Japanese system shows them, with the word a page sends.
json messageBoxButtons(unsigned int type) {
    const json ok = buttonJson("ok", "OK");
    const json cancel = buttonJson("cancel", "キャンセル");
    const json yes = buttonJson("yes", "はい(Y)");
    const json no = buttonJson("no", "いいえ(N)");
    // json::array: a braced list of one json value is a copy of it for some compilers.
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return json::array({ok, cancel});
    case MB_ABORTRETRYIGNORE:
        return json::array({buttonJson("abort", "中止(A)"), buttonJson("retry", "再試行(R)"),
                            buttonJson("ignore", "無視(I)")});
    case MB_YESNOCANCEL:
        return json::array({yes, no, cancel});
    case MB_YESNO:
        return json::array({yes, no});
    case MB_RETRYCANCEL:
        return json::array({buttonJson("retry", "再試行(R)"), cancel});
    default:
        return json::array({ok});
    }
}

const char* iconWord(unsigned int type) {
    switch (type & kIconMask) {
    case MB_ICONHAND:
        return "error";
    case MB_ICONQUESTION:
        return "question";
    case MB_ICONEXCLAMATION:
        return "warning";
    case MB_ICONASTERISK:
        return "information";
    default:
        return "none";
    }
}

} // namespace

DialogState::DialogState(const DialogTemplate& dialog, const ResourceDirectory& resources)
    : dialog_(dialog), layout_(dialog) {
    for (const auto& c : dialog_.controls) {
        if (c.kind == ControlKind::Picture && c.textOrdinal >= 0) {
            const std::string file = resources.pictureFile(c.textOrdinal);
            pictures_[c.textOrdinal] = std::string(resources.file(file));
        }
    }
}

std::string DialogState::json(const DialogForm& form) const {
    nlohmann::json controls = nlohmann::json::array();
    const auto& windows = form.window().children;
    for (std::size_t i = 0; i < windows.size() && i < dialog_.controls.size(); ++i) {
        const VeldWindow& c = *windows[i];
        const ControlTemplate& t = dialog_.controls[i];
        nlohmann::json out = {{"id", c.id},
                              {"kind", kindWord(c.kind)},
                              {"key", form.keyOf(c)},
                              {"label", form.labelOf(c)},
                              {"text", windowText(c)},
                              {"rect", rectJson(layout_.controlRect(c.kind, t.rect))},
                              {"enabled", c.enabled},
                              {"tabStop", (c.style & WS_TABSTOP) != 0},
                              {"align", alignment(c)}};
        addKindState(out, c, layout_, t.rect);
        if (c.kind == ControlKind::Picture && t.textOrdinal >= 0) {
            out["picture"] = t.textOrdinal;
            const auto found = pictures_.find(t.textOrdinal);
            out["svg"] = found != pictures_.end() ? found->second : std::string();
        }
        controls.push_back(std::move(out));
    }
    const VeldWindow* focus = form.window().focus;
    const BaseUnits base = layout_.base();
    const nlohmann::json state = {
        {"type", "dialog"},
        {"id", form.id()},
        {"caption", form.caption()},
        {"font",
         {{"face", dialog_.fontFace},
          {"size", dialog_.fontSize},
          {"pixels", layout_.fontPixels()}}},
        {"baseUnits", {{"x", base.x}, {"y", base.y}}},
        {"client", rectJson(layout_.client())},
        {"focus", focus != nullptr ? nlohmann::json(focus->id) : nlohmann::json()},
        {"controls", std::move(controls)}};
    return dumpJson(state);
}

std::string messageBoxJson(const std::string& text, unsigned int type) {
    const nlohmann::json buttons = messageBoxButtons(type);
    const std::size_t defaultIndex =
        ((type & kDefaultButtonMask) >> 8) < buttons.size() ? (type & kDefaultButtonMask) >> 8 : 0;
    const nlohmann::json box = {{"type", "messagebox"}, {"caption", "veld"},
                                {"text", text},         {"icon", iconWord(type)},
                                {"buttons", buttons},   {"default", buttons[defaultIndex]["word"]}};
    return dumpJson(box);
}

std::string dialogClosedJson(const char* what) {
    return dumpJson({{"type", "dialog-closed"}, {"what", what}});
}

} // namespace veld::ui
