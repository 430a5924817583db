// The resource-script reader and the module's embedded templates: every control of dialogs
// 1020 and 1021 with its kind, position and styles, control keys, pictures, code pages, errors.
#include "UiTestSession.h"
#include "host/ui/RcParser.h"
#include "host/ui/RcSource.h"
#include "host/ui/ResourceDirectory.h"

#include <set>

namespace veld::test {
namespace {

using veld::ui::ControlKind;
using veld::ui::ControlTemplate;
using veld::ui::DialogTemplate;
using veld::ui::parseResourceScript;
using veld::ui::RcError;
using veld::ui::ResourceDirectory;

ResourceDirectory moduleResources() {
    return ResourceDirectory(veldModuleResourceTable());
}

struct Expected {
    int id; // -1: a text or group without id, found by its text
    ControlKind kind;
    int x, y, width, height;
    const char* text;
};

TEST(ModuleResources, ReadWithoutErrors) {
    const ResourceDirectory resources = moduleResources();
    EXPECT_TRUE(resources.errors().empty()) << resources.errors().front();
    EXPECT_NE(resources.dialog(1020), nullptr);
    EXPECT_NE(resources.dialog(1021), nullptr);
}

TEST(ModuleResources, Dialog1021IsLaidOutControlByControl) {
    const ResourceDirectory resources = moduleResources();
    const DialogTemplate& d = *resources.dialog(1021);
    EXPECT_EQ(d.rect.width, 235);
    EXPECT_EQ(d.rect.height, 297);
    EXPECT_EQ(d.fontFace, "ＭＳ Ｐゴシック");
    EXPECT_EQ(d.fontSize, 9);
    EXPECT_EQ(d.style & (WS_POPUP | WS_CAPTION | DS_MODALFRAME | WS_SYSMENU),
              WS_POPUP | WS_CAPTION | DS_MODALFRAME);
    using K = ControlKind;
    const Expected rows[] = {
        {-1, K::Picture, 5, 13, 86, 103, ""},
        {-1, K::GroupBox, 96, 3, 133, 123, "数値入力"},
        {-1, K::Text, 101, 17, 28, 8, "基礎寸法"},
        {-1, K::Text, 140, 17, 8, 8, "X"},
        {1057, K::Edit, 149, 14, 30, 12, ""},
        {-1, K::Text, 183, 17, 8, 8, "Y"},
        {1058, K::Edit, 193, 13, 30, 12, ""},
        {-1, K::Text, 102, 31, 22, 8, "寄りX"},
        {-1, K::Text, 139, 30, 8, 8, "R1"},
        {1035, K::Edit, 149, 28, 30, 12, ""},
        {-1, K::Text, 182, 30, 8, 8, "R2"},
        {1041, K::Edit, 193, 28, 30, 12, ""},
        {-1, K::Text, 102, 47, 22, 8, "寄りY"},
        {-1, K::Text, 139, 46, 8, 8, "R3"},
        {1036, K::Edit, 149, 44, 30, 12, ""},
        {-1, K::Text, 182, 46, 8, 8, "R4"},
        {1042, K::Edit, 193, 44, 30, 12, ""},
        {-1, K::Text, 101, 63, 44, 8, "上端勾配(ΔH)"},
        {1037, K::Edit, 193, 60, 30, 12, ""},
        {-1, K::Text, 102, 79, 31, 8, "基礎成(H)"},
        {1038, K::Edit, 193, 76, 30, 12, ""},
        {-1, K::Text, 102, 95, 42, 8, "下端レベル(h)"},
        {1039, K::Edit, 193, 92, 30, 12, ""},
        {-1, K::Text, 102, 109, 33, 8, "回転角(度)"},
        {1040, K::Edit, 193, 108, 30, 12, ""},
        {-1, K::GroupBox, 4, 127, 225, 31, "ふかし"},
        {-1, K::Text, 10, 142, 8, 8, "F1"},
        {1050, K::Edit, 20, 140, 30, 12, ""},
        {-1, K::Text, 65, 142, 8, 8, "F2"},
        {1051, K::Edit, 75, 140, 30, 12, ""},
        {-1, K::Text, 120, 142, 8, 8, "F3"},
        {1052, K::Edit, 130, 140, 30, 12, ""},
        {-1, K::Text, 175, 143, 8, 8, "F4"},
        {1053, K::Edit, 185, 140, 30, 12, ""},
        {-1, K::GroupBox, 4, 162, 157, 27, "符号"},
        {-1, K::Text, 10, 173, 28, 8, "基礎符号"},
        {1043, K::Edit, 42, 171, 36, 12, ""},
        {1044, K::CheckBox, 85, 173, 30, 10, "ﾗﾍﾞﾙ"},
        {1045, K::CheckBox, 114, 173, 43, 10, "構造符号"},
        {-1, K::GroupBox, 163, 162, 66, 27, "配置方法"},
        {1059, K::CheckBox, 181, 173, 30, 10, "一括"},
        {-1, K::GroupBox, 4, 191, 226, 79, "レイヤー"},
        {-1, K::Text, 10, 206, 60, 8, "見かけ線レイヤー名"},
        {1046, K::ComboBox, 92, 202, 104, 120, ""},
        {-1, K::Text, 10, 221, 54, 8, "外周線レイヤー名"},
        {1047, K::ComboBox, 92, 218, 104, 120, ""},
        {-1, K::Text, 10, 237, 54, 8, "寸法線レイヤー名"},
        {1048, K::ComboBox, 92, 234, 104, 120, ""},
        {-1, K::Text, 10, 253, 47, 8, "検索レイヤー名"},
        {1049, K::ComboBox, 92, 250, 104, 120, ""},
        {1, K::PushButton, 106, 276, 50, 14, "OK"},
        {2, K::PushButton, 167, 276, 50, 14, "ｷｬﾝｾﾙ"},
    };
    ASSERT_EQ(d.controls.size(), std::size(rows));
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const Expected& e = rows[i];
        const ControlTemplate& c = d.controls[i]; // in the order of the layout
        EXPECT_EQ(c.id, e.id) << "row " << i;
        EXPECT_EQ(c.kind, e.kind) << "row " << i;
        EXPECT_EQ(c.text, e.text) << "row " << i;
        EXPECT_EQ(c.rect.x, e.x) << "row " << i;
        EXPECT_EQ(c.rect.y, e.y) << "row " << i;
        EXPECT_EQ(c.rect.width, e.width) << "row " << i;
        EXPECT_EQ(c.rect.height, e.height) << "row " << i;
    }
    EXPECT_EQ(d.controls[0].textOrdinal, 1027);
    EXPECT_EQ(d.controls[0].style & (SS_TYPEMASK | SS_SUNKEN), SS_BITMAP | SS_SUNKEN);
}

// Numeric fields right-aligned and scrolling, the symbol left-aligned, lists sorted drop-downs,
// check boxes automatic, OK the default button.
void expectStyles(const DialogTemplate& d, const std::set<int>& numeric,
                  const std::set<int>& sortedLists) {
    for (const auto& c : d.controls) {
        if (c.kind == ControlKind::Edit) {
            const DWORD align = c.style & (ES_CENTER | ES_RIGHT);
            EXPECT_EQ(align, numeric.count(c.id) != 0 ? ES_RIGHT : ES_LEFT) << c.id;
            EXPECT_NE(c.style & ES_AUTOHSCROLL, 0u) << c.id;
        } else if (c.kind == ControlKind::ComboBox) {
            EXPECT_EQ(c.style & 0x3, CBS_DROPDOWNLIST) << c.id;
            EXPECT_EQ((c.style & CBS_SORT) != 0, sortedLists.count(c.id) != 0) << c.id;
            EXPECT_NE(c.style & WS_VSCROLL, 0u) << c.id;
        } else if (c.kind == ControlKind::CheckBox) {
            EXPECT_EQ(c.style & BS_TYPEMASK, BS_AUTOCHECKBOX) << c.id;
            EXPECT_NE(c.style & WS_TABSTOP, 0u) << c.id;
        }
    }
    EXPECT_EQ(d.control(IDOK)->style & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(d.control(IDCANCEL)->style & BS_TYPEMASK, BS_PUSHBUTTON);
}

TEST(ModuleResources, Dialog1021Styles) {
    const ResourceDirectory resources = moduleResources();
    expectStyles(
        *resources.dialog(1021),
        {1057, 1058, 1035, 1041, 1036, 1042, 1037, 1038, 1039, 1040, 1050, 1051, 1052, 1053},
        {1046, 1047, 1048, 1049});
    EXPECT_EQ(resources.dialog(1021)->control(1046)->rect.height, 120);
}

TEST(ModuleResources, Dialog1020HasEveryControlOfThePage) {
    const ResourceDirectory resources = moduleResources();
    const DialogTemplate& d = *resources.dialog(1020);
    EXPECT_EQ(d.rect.width, 314);
    EXPECT_EQ(d.rect.height, 297);
    EXPECT_EQ(d.fontFace, "ＭＳ Ｐゴシック");
    EXPECT_EQ(d.fontSize, 9);
    const std::pair<int, ControlKind> controls[] = {
        {1025, ControlKind::ComboBox}, {1026, ControlKind::Edit},     {1027, ControlKind::Edit},
        {1028, ControlKind::Edit},     {1029, ControlKind::Edit},     {1030, ControlKind::Edit},
        {1031, ControlKind::Edit},     {1032, ControlKind::Edit},     {1033, ControlKind::Edit},
        {1034, ControlKind::Edit},     {1035, ControlKind::Edit},     {1041, ControlKind::Edit},
        {1036, ControlKind::Edit},     {1042, ControlKind::Edit},     {1037, ControlKind::Edit},
        {1038, ControlKind::Edit},     {1039, ControlKind::Edit},     {1040, ControlKind::Edit},
        {1043, ControlKind::Edit},     {1044, ControlKind::CheckBox}, {1045, ControlKind::CheckBox},
        {1050, ControlKind::Edit},     {1051, ControlKind::Edit},     {1052, ControlKind::Edit},
        {1053, ControlKind::Edit},     {1054, ControlKind::Edit},     {1055, ControlKind::Edit},
        {1046, ControlKind::ComboBox}, {1047, ControlKind::ComboBox}, {1048, ControlKind::ComboBox},
        {1049, ControlKind::ComboBox}, {1058, ControlKind::CheckBox}, {1, ControlKind::PushButton},
        {2, ControlKind::PushButton},
    };
    std::set<int> ids;
    for (const auto& c : d.controls) {
        if (c.id != -1) {
            EXPECT_TRUE(ids.insert(c.id).second) << "duplicate id " << c.id;
        }
    }
    EXPECT_EQ(ids.size(), std::size(controls));
    for (const auto& [id, kind] : controls) {
        ASSERT_NE(d.control(id), nullptr) << id;
        EXPECT_EQ(d.control(id)->kind, kind) << id;
    }
    for (int readOnly : {1029, 1030, 1031, 1034}) {
        EXPECT_NE(d.control(readOnly)->style & ES_READONLY, 0u) << readOnly;
    }
    for (int editable : {1026, 1027, 1028, 1032, 1033, 1035, 1041, 1036, 1042, 1043}) {
        EXPECT_EQ(d.control(editable)->style & ES_READONLY, 0u) << editable;
    }
    EXPECT_EQ(d.control(1044)->text, "ﾗﾍﾞﾙ");
    EXPECT_EQ(d.control(1045)->text, "構造符号");
    EXPECT_EQ(d.control(1058)->text, "一括");
    EXPECT_EQ(d.control(IDCANCEL)->text, "ｷｬﾝｾﾙ");
    expectStyles(d, {1026, 1027, 1028, 1029, 1030, 1031, 1032, 1033, 1034, 1035, 1041, 1036,
                     1042, 1037, 1038, 1039, 1040, 1050, 1051, 1052, 1053, 1054, 1055},
                 {1046, 1047, 1048, 1049});
    std::set<std::string> groups;
    for (const auto& c : d.controls) {
        if (c.kind == ControlKind::GroupBox) {
            groups.insert(c.text);
        }
        // Everything inside the dialog.
        EXPECT_LE(c.rect.x + c.rect.width, d.rect.width) << c.id << " " << c.text;
        EXPECT_LE(c.rect.y + std::min(c.rect.height, 14), d.rect.height) << c.id << " " << c.text;
    }
    for (const char* g : {"補助計算", "数値入力", "ふかし", "配置方法"}) {
        EXPECT_EQ(groups.count(g), 1u) << g;
    }
    EXPECT_EQ(d.controls.front().kind, ControlKind::Picture);
    EXPECT_EQ(d.controls.front().textOrdinal, 1025);
}

TEST(ModuleResources, ControlKeysNameTheParameterControls) {
    const ResourceDirectory resources = moduleResources();
    const auto delta = resources.controlKeys(1020);
    EXPECT_EQ(delta.size(), 29u);
    EXPECT_EQ(delta.at("PILE_NUM"), 1025);
    EXPECT_EQ(delta.at("BOTTOM"), 1032);
    EXPECT_EQ(delta.at("SHIFT_X2"), 1041);
    EXPECT_EQ(delta.at("BULK_CHECK"), 1058);
    EXPECT_EQ(delta.at("FUKASHI6"), 1055);
    const auto square = resources.controlKeys(1021);
    EXPECT_EQ(square.size(), 22u);
    EXPECT_EQ(square.at("BASE_SIZE_Y"), 1058);
    EXPECT_EQ(square.at("BULK_CHECK"), 1059);
    EXPECT_EQ(square.count("FUKASHI5"), 0u);
    for (const auto* keys : {&delta, &square}) {
        const DialogTemplate& d = *resources.dialog(keys == &delta ? 1020 : 1021);
        for (const auto& [key, id] : *keys) {
            EXPECT_NE(d.control(id), nullptr) << key;
        }
    }
}

TEST(ModuleResources, PicturesAreEmbeddedSvg) {
    const ResourceDirectory resources = moduleResources();
    for (int id : {1025, 1027}) {
        const std::string file = resources.pictureFile(id);
        ASSERT_FALSE(file.empty()) << id;
        EXPECT_NE(resources.file(file).find("<svg"), std::string_view::npos) << file;
    }
}

TEST(ResourceScript, ReadsShiftJisAfterItsCodePagePragma) {
    // "ソ表" ends both characters on 0x5C, the backslash byte: decoding comes before lexing.
    const std::string script = "#pragma code_page(932)\r\n"
                               "7 DIALOGEX 0, 0, 10, 10\r\n"
                               "CAPTION \"\x83\x5C\x95\x5C\"\r\n"
                               "BEGIN\r\n"
                               "  LTEXT \"\x8A\xEE\x91\x62\x90\xA1\x96\x40\", -1, 1, 2, 3, 4\r\n"
                               "END\r\n";
    const auto parsed = parseResourceScript(script);
    const DialogTemplate& d = parsed.dialogs.at(7);
    EXPECT_EQ(d.caption, "ソ表");
    EXPECT_EQ(d.controls.at(0).text, "基礎寸法");
}

TEST(ResourceScript, DefinesStylesAndNot) {
    const auto parsed =
        parseResourceScript("#include \"resource.h\"\n"
                            "#define IDD_X 300\n#define IDC_A (IDD_X + 1)\n"
                            "IDD_X DIALOG 1, 2, 30, 40\n{\n"
                            "  EDITTEXT IDC_A, 0, 0, 5, 5, ES_READONLY | NOT WS_TABSTOP\n"
                            "  CONTROL \"c\", 9, BUTTON, BS_3STATE, 0, 0, 5, 5\n"
                            "  AUTOCHECKBOX \"a\", 10, 0, 0, 5, 5 /* automatic */\n"
                            "}\n");
    const DialogTemplate& d = parsed.dialogs.at(300);
    EXPECT_EQ(d.rect.x, 1);
    const ControlTemplate& edit = d.controls.at(0);
    EXPECT_EQ(edit.id, 301);
    EXPECT_EQ(edit.style, WS_CHILD | WS_VISIBLE | WS_BORDER | ES_READONLY);
    EXPECT_EQ(d.controls.at(1).kind, ControlKind::CheckBox);
    EXPECT_EQ(d.controls.at(2).style & BS_TYPEMASK, BS_AUTOCHECKBOX);
}

TEST(ResourceScript, StringsCommentsNumbersAndUserData) {
    const auto parsed =
        parseResourceScript("/* a comment\n over lines */ 0x10 DIALOGEX 0, 0, 1, 1, 77\n"
                            "CAPTION L\"say \"\"hi\"\" \\\"now\\\"\" // trailing\n"
                            "BEGIN END\n"
                            "16 CONTROLKEYS { \"A 1\" \"B 2\", 3 }\n"
                            "16 BITMAP DISCARDABLE \"pic.svg\"\n");
    EXPECT_EQ(parsed.dialogs.at(16).caption, "say \"hi\" \"now\"");
    EXPECT_EQ(parsed.data.at("CONTROLKEYS").at(16), (std::vector<std::string>{"A 1", "B 2", "3"}));
    EXPECT_EQ(parsed.files.at("BITMAP").at(16), "pic.svg");
}

TEST(ResourceScript, ErrorsNameTheirLine) {
    const char* broken[][2] = {
        {"1 DIALOGEX 0, 0, 1, 1\nBEGIN\n  EDITTEXT 5, 0, 0, 1\nEND\n", "3"},
        {"1 DIALOGEX 0, 0, 1, 1\nBEGIN\n  WIDGET 5, 0, 0, 1, 1\nEND\n", "3"},
        {"\n\n1 DIALOGEX 0, 0, 1, 1\nCAPTION \"open\nBEGIN\nEND\n", "4"},
        {"1 DIALOGEX 0, 0, 1, 1\nBEGIN\n  EDITTEXT IDC_UNKNOWN, 0, 0, 1, 1\nEND\n", "3"},
        {"#pragma code_page(932)\n1 X { \"\x83\" }\n", "2"},
        {"1 DIALOGEX 0, 0, 1, 1\nBEGIN\n", "2"},
        {"#if 1\n", "1"},
        {"\n#pragma code_page(99999)\n", "2"},
        {"1 X { \"\xC0\xAF\" }\n", "1"}, // an overlong form is not UTF-8
    };
    for (const auto& [text, line] : broken) {
        try {
            parseResourceScript(text);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const RcError& error) {
            EXPECT_EQ(std::to_string(error.line()), line) << error.what();
        }
    }
}

TEST(ResourceScript, BrokenScriptIsReportedNotFatal) {
    const char good[] = "5 DIALOG 0, 0, 1, 1\nBEGIN\nEND\n";
    const char bad[] = "6 DIALOG 0, 0, 1\n";
    const VeldResourceEntry entries[] = {{"RC", 0, good, sizeof(good) - 1, "good.rc"},
                                         {"RC", 0, bad, sizeof(bad) - 1, "bad.rc"}};
    const VeldResourceTable table{entries, 2};
    const ResourceDirectory resources(&table);
    EXPECT_NE(resources.dialog(5), nullptr);
    ASSERT_EQ(resources.errors().size(), 1u);
    EXPECT_EQ(resources.errors()[0].rfind("bad.rc line 1", 0), 0u) << resources.errors()[0];
}

} // namespace
} // namespace veld::test
