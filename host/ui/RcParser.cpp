// Reads a resource script (.rc) into a ResourceScript: DIALOG and DIALOGEX templates with their
// controls, user-defined resources with inline data, and resources kept in files.
#include "host/ui/RcParser.h"

#include "afxwin.h"
#include "host/ui/RcLexer.h"
#include "host/ui/RcNames.h"

#include <algorithm>
#include <cctype>

namespace veld::ui {

namespace {

using Type = RcToken::Type;

std::string upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

struct ControlStatement {
    const char* name;
    const char* className;
    DWORD style; // besides WS_CHILD | WS_VISIBLE
    bool textFirst;
};

// The control statements and what each one implies.
const ControlStatement* controlStatement(const std::string& name) {
    static const ControlStatement table[] = {
        {"LTEXT", "Static", SS_LEFT | WS_GROUP, true},
        {"RTEXT", "Static", SS_RIGHT | WS_GROUP, true},
        {"CTEXT", "Static", SS_CENTER | WS_GROUP, true},
        {"PUSHBUTTON", "Button", BS_PUSHBUTTON | WS_TABSTOP, true},
        {"DEFPUSHBUTTON", "Button", BS_DEFPUSHBUTTON | WS_TABSTOP, true},
        {"GROUPBOX", "Button", BS_GROUPBOX, true},
        {"CHECKBOX", "Button", BS_CHECKBOX | WS_TABSTOP, true},
        {"AUTOCHECKBOX", "Button", BS_AUTOCHECKBOX | WS_TABSTOP, true},
        {"STATE3", "Button", BS_3STATE | WS_TABSTOP, true},
        {"AUTO3STATE", "Button", BS_AUTO3STATE | WS_TABSTOP, true},
        {"RADIOBUTTON", "Button", BS_RADIOBUTTON, true},
        {"AUTORADIOBUTTON", "Button", BS_AUTORADIOBUTTON, true},
        {"EDITTEXT", "Edit", ES_LEFT | WS_BORDER | WS_TABSTOP, false},
        {"COMBOBOX", "ComboBox", CBS_SIMPLE | WS_TABSTOP, false},
        {"LISTBOX", "ListBox", WS_BORDER, false},
        {"SCROLLBAR", "ScrollBar", 0, false},
    };
    for (const auto& s : table) {
        if (name == s.name) {
            return &s;
        }
    }
    return nullptr;
}

ControlKind kindOf(const std::string& className, DWORD style) {
    const std::string cls = upper(className);
    if (cls == "STATIC") {
        const DWORD type = style & SS_TYPEMASK;
        if (type == SS_BITMAP || type == SS_ICON) {
            return ControlKind::Picture;
        }
        return type <= SS_RIGHT || type == 0xB || type == 0xC ? ControlKind::Text
                                                              : ControlKind::Other;
    }
    if (cls == "BUTTON") {
        switch (style & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON:
            return ControlKind::PushButton;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
            return ControlKind::CheckBox;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return ControlKind::RadioButton;
        case BS_GROUPBOX:
            return ControlKind::GroupBox;
        default:
            return ControlKind::Other;
        }
    }
    if (cls == "EDIT") {
        return ControlKind::Edit;
    }
    if (cls == "COMBOBOX") {
        return ControlKind::ComboBox;
    }
    return ControlKind::Other;
}

bool isLoadOption(const std::string& name) {
    static const char* const options[] = {"PRELOAD",  "LOADONCALL",  "FIXED",
                                          "MOVEABLE", "DISCARDABLE", "PURE",
                                          "IMPURE",   "SHARED",      "NONSHARED"};
    return std::any_of(std::begin(options), std::end(options),
                       [&](const char* o) { return name == o; });
}

class Parser {
public:
    explicit Parser(std::vector<RcToken> tokens) : tokens_(std::move(tokens)) {}

    ResourceScript run() {
        while (peek().type != Type::End) {
            statement();
        }
        return std::move(script_);
    }

private:
    const RcToken& peek(std::size_t ahead = 0) const {
        return tokens_[std::min(pos_ + ahead, tokens_.size() - 1)];
    }
    const RcToken& next() {
        const RcToken& t = peek();
        if (pos_ < tokens_.size() - 1) {
            ++pos_;
        }
        return t;
    }
    // Reports at the token that does not fit, or at the end of the line before it when it
    // starts a new line (a statement left incomplete).
    [[noreturn]] void fail(const std::string& message) const {
        int line = peek().line;
        if (pos_ > 0 && tokens_[pos_ - 1].line < line) {
            line = tokens_[pos_ - 1].line;
        }
        throw RcError(line, message);
    }

    bool acceptName(std::string_view name) {
        if (peek().type == Type::Name && upper(peek().text) == name) {
            next();
            return true;
        }
        return false;
    }
    bool acceptPunct(char c) {
        if (peek().isPunct(c)) {
            next();
            return true;
        }
        return false;
    }
    void expectComma() {
        if (!acceptPunct(',')) {
            fail("',' expected");
        }
    }
    bool acceptBegin() { return acceptPunct('{') || acceptName("BEGIN"); }
    bool acceptEnd() { return acceptPunct('}') || acceptName("END"); }
    void expectBegin() {
        if (!acceptBegin()) {
            fail("BEGIN expected");
        }
    }

    std::string expectString() {
        if (peek().type != Type::String) {
            fail("text in quotes expected");
        }
        return next().text;
    }

    std::int64_t primary() {
        const RcToken& t = peek();
        if (t.type == Type::Number) {
            return next().value;
        }
        if (t.type == Type::Name) {
            if (const auto v = standardNameValue(t.text)) {
                next();
                return *v;
            }
            fail("unknown name " + t.text);
        }
        if (acceptPunct('(')) {
            const std::int64_t v = number();
            if (!acceptPunct(')')) {
                fail("')' expected");
            }
            return v;
        }
        fail("number expected");
    }

    std::int64_t unary() {
        if (acceptPunct('-')) {
            return -unary();
        }
        if (acceptPunct('+')) {
            return unary();
        }
        if (acceptPunct('~')) {
            return ~unary() & 0xFFFFFFFFLL;
        }
        return primary();
    }

    // A number: terms joined by '|', '+' or '-'.
    std::int64_t number() {
        std::int64_t v = unary();
        while (true) {
            if (acceptPunct('|')) {
                v |= unary();
            } else if (acceptPunct('+')) {
                v += unary();
            } else if (acceptPunct('-')) {
                v -= unary();
            } else {
                return v;
            }
        }
    }

    int integer() { return static_cast<int>(number()); }

    // A style: terms joined by '|' added to `style`; "NOT term" takes the bits away.
    DWORD styleExpression(DWORD style) {
        do {
            if (acceptName("NOT")) {
                style &= ~static_cast<DWORD>(unary());
            } else {
                style |= static_cast<DWORD>(unary());
            }
        } while (acceptPunct('|'));
        return style;
    }

    Rect rectangle() {
        Rect r;
        r.x = integer();
        expectComma();
        r.y = integer();
        expectComma();
        r.width = integer();
        expectComma();
        r.height = integer();
        return r;
    }

    void statement() {
        if (acceptName("LANGUAGE")) {
            number();
            expectComma();
            number();
            return;
        }
        if (peek().type == Type::Name && upper(peek().text) == "STRINGTABLE") {
            fail("STRINGTABLE is not supported");
        }
        const int id = integer();
        if (peek().type != Type::Name) {
            fail("resource type expected");
        }
        const std::string type = upper(next().text);
        if (type == "DIALOG" || type == "DIALOGEX") {
            dialog(id, type == "DIALOGEX");
            return;
        }
        while (peek().type == Type::Name && isLoadOption(upper(peek().text))) {
            next();
        }
        if (peek().type == Type::String) {
            script_.files[type][id] = next().text;
            return;
        }
        expectBegin();
        auto& data = script_.data[type][id];
        while (!acceptEnd()) {
            if (peek().type == Type::End) {
                fail("END expected");
            }
            data.push_back(peek().type == Type::String ? next().text : std::to_string(number()));
            acceptPunct(',');
        }
    }

    void dialog(int id, bool extended) {
        DialogTemplate d;
        d.id = id;
        d.rect = rectangle();
        if (extended && acceptPunct(',')) {
            number(); // help id
        }
        d.style = WS_POPUP | WS_BORDER | WS_SYSMENU;
        while (!acceptBegin()) {
            dialogOption(d);
        }
        while (!acceptEnd()) {
            d.controls.push_back(control());
        }
        script_.dialogs[id] = std::move(d);
    }

    void dialogOption(DialogTemplate& d) {
        if (peek().type != Type::Name) {
            fail("dialog statement or BEGIN expected");
        }
        const std::string option = upper(next().text);
        if (option == "STYLE") {
            d.style = styleExpression(0);
        } else if (option == "EXSTYLE") {
            d.exStyle = styleExpression(0);
        } else if (option == "CAPTION") {
            d.caption = expectString();
        } else if (option == "FONT") {
            fontOption(d);
        } else if (option == "CLASS" || option == "MENU") {
            if (peek().type == Type::String) {
                next();
            } else {
                number();
            }
        } else if (option == "LANGUAGE") {
            number();
            expectComma();
            number();
        } else if (option == "CHARACTERISTICS" || option == "VERSION") {
            number();
        } else {
            throw RcError(tokens_[pos_ - 1].line, "unknown dialog statement " + option);
        }
    }

    void fontOption(DialogTemplate& d) {
        d.fontSize = integer();
        expectComma();
        d.fontFace = expectString();
        for (int extra = 0; extra < 3 && acceptPunct(','); ++extra) {
            number(); // weight, italic, character set
        }
        d.style |= DS_SETFONT;
    }

    ControlTemplate control() {
        if (peek().type != Type::Name) {
            fail("control statement expected");
        }
        const int line = peek().line;
        const std::string name = upper(next().text);
        ControlTemplate c;
        c.statement = name;
        if (name == "CONTROL") {
            genericControl(c);
        } else if (const ControlStatement* s = controlStatement(name)) {
            c.className = s->className;
            c.style = WS_CHILD | WS_VISIBLE | s->style;
            if (s->textFirst) {
                controlText(c);
                expectComma();
            }
            c.id = integer();
            expectComma();
            c.rect = rectangle();
            optionalStyles(c);
        } else {
            throw RcError(line, "unknown control statement " + name);
        }
        c.kind = kindOf(c.className, c.style);
        return c;
    }

    void genericControl(ControlTemplate& c) {
        controlText(c);
        expectComma();
        c.id = integer();
        expectComma();
        if (peek().type == Type::String || peek().type == Type::Name) {
            c.className = next().text;
        } else {
            fail("control class expected");
        }
        expectComma();
        c.style = styleExpression(WS_CHILD | WS_VISIBLE);
        expectComma();
        c.rect = rectangle();
        if (acceptPunct(',')) {
            c.exStyle = styleExpression(0);
            if (acceptPunct(',')) {
                number(); // help id
            }
        }
    }

    void controlText(ControlTemplate& c) {
        if (peek().type == Type::String) {
            c.text = next().text;
        } else {
            c.textOrdinal = integer();
        }
    }

    void optionalStyles(ControlTemplate& c) {
        if (!acceptPunct(',')) {
            return;
        }
        c.style = styleExpression(c.style);
        if (acceptPunct(',')) {
            c.exStyle = styleExpression(0);
            if (acceptPunct(',')) {
                number(); // help id
            }
        }
    }

    std::vector<RcToken> tokens_;
    std::size_t pos_ = 0;
    ResourceScript script_;
};

} // namespace

ResourceScript parseResourceScript(std::string_view bytes) {
    return Parser(tokenizeResourceScript(decodeResourceScript(bytes))).run();
}

} // namespace veld::ui
