// The veld executable end to end: transcripts of scripts, the module's commands, stopped runs,
// exit codes, the profile and the transcript's encoding.
#include "host/win/CodePage.h"
#include "support/VeldWorkspace.h"
#include "winprofile.h"

#include <gtest/gtest.h>

using veld::test::VeldWorkspace;

TEST(E2eRunner, AScriptRunsToItsEndWithTheCommandLineTranscript) {
    VeldWorkspace ws;
    auto script = ws.script("draw.veld", {"; a square corner", "LINE", "0,0", "10,0", "10,10", "",
                                          "frob", "QUIT", "LINE"});
    auto r = ws.run({"run", script.string()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "Command: LINE\n"
                     "Specify first point: 0,0\n"
                     "Specify next point or [Undo]: 10,0\n"
                     "Specify next point or [Undo]: 10,10\n"
                     "Specify next point or [Close/Undo]: \n"
                     "Command: frob\n"
                     "Unknown command \"FROB\".  Press F1 for help.\n"
                     "Command: QUIT\n");
}

TEST(E2eRunner, TheEndOfTheScriptIsEscapeAtTheOpenPrompt) {
    VeldWorkspace ws;
    auto script = ws.script("open.veld", {"LINE\r", "0,0\r"});
    auto r = ws.run({"run", script.string()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Command: LINE\nSpecify first point: 0,0\n"
                     "Specify next point or [Undo]: *Cancel*\n");
}

TEST(E2eRunner, TheModulesCommandsAreThereWhenTyped) {
    VeldWorkspace ws;
    auto script =
        ws.script("module.veld", {"FNDD", "cancel", "_fnsd", "cancel", "fnde", "", "FNXX"});
    auto r = ws.run({"run", script.string()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const auto npos = std::string::npos;
    EXPECT_NE(r.out.find("Command: FNDD\nDialog 1020 \"三角形基礎配置のプロパティ\" opened"), npos)
        << r.out;
    EXPECT_NE(r.out.find("Command: _fnsd\nDialog 1021 \"四角形基礎配置のプロパティ\" opened"),
              npos);
    EXPECT_NE(r.out.find("Command: fnde\n変更する基礎を指示(RETURN=終了):"), npos);
    EXPECT_NE(r.out.find("Command: FNXX\nUnknown command \"FNXX\".  Press F1 for help.\n"), npos);
}

TEST(E2eRunner, ALineNothingCanTakeStopsTheRunWithItsNumber) {
    VeldWorkspace ws;
    auto script = ws.script("stop.veld", {"LINE", "0,0", "ok", "5,5", "QUIT"});
    auto r = ws.run({"run", script.string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "veld: " + script.string() +
                         " line 3: \"ok\" is a dialog action, but no dialog is open\n");
    auto atPrompt = ws.script("stop2.veld", {"; comment", "cancel"});
    r = ws.run({"run", atPrompt.string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find(" line 2: \"cancel\""), std::string::npos) << r.err;
}

TEST(E2eRunner, ExitCodesNameWhatWentWrong) {
    VeldWorkspace ws;
    auto script = ws.script("empty.veld", {});
    EXPECT_EQ(ws.run({}, false).exitCode, 2);
    EXPECT_EQ(ws.run({"draw"}).exitCode, 2);
    EXPECT_EQ(ws.run({"run", script.string(), "--bogus", "x"}).exitCode, 2);
    EXPECT_EQ(ws.run({"run"}).exitCode, 2);
    EXPECT_EQ(ws.run({"run", script.string(), "--encoding", "latin9"}).exitCode, 2);
    auto r = ws.run({"run", (ws.folder() / "missing.veld").string()});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_NE(r.err.find("cannot read the script"), std::string::npos);
    EXPECT_EQ(
        ws.run({"run", script.string(), "--drawing", (ws.folder() / "no.dxf").string()}).exitCode,
        3);
    EXPECT_EQ(ws.run({"run", script.string(), "--out", (ws.folder() / "no/such/out.dxf").string()})
                  .exitCode,
              4);
    r = ws.run({"run", script.string(), "--module", (ws.folder() / "none.arx").string()});
    EXPECT_EQ(r.exitCode, 5);
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
}

TEST(E2eRunner, TheProfileIsInstalledOnFirstUseWithAbsolutePaths) {
    VeldWorkspace ws;
    auto script = ws.script("empty.veld", {});
    auto fromEnvironment = ws.folder() / "env-profile";
    auto r = ws.run({"run", script.string()}, false, {{"VELD_PROFILE", fromEnvironment.string()}});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string ini = (fromEnvironment / "VELDOR.ini").string();
    char value[VELD_PROFILE_UTF8_CAPACITY(256)];
    GetPrivateProfileStringA("VELDOR", "INI", "", value, 256, ini.c_str());
    EXPECT_EQ(std::string(value), fromEnvironment.string());
    GetPrivateProfileStringA("VELDOR", "PROG", "", value, 256, ini.c_str());
    EXPECT_EQ(std::string(value), fromEnvironment.string());
    EXPECT_TRUE(std::filesystem::exists(fromEnvironment / "DEF"));
}

TEST(E2eRunner, TheTranscriptCanBeWrittenInShiftJis) {
    VeldWorkspace ws;
    auto script = ws.script(
        "layer.veld", {"-LAYER", "Make", veld::win::utf8ToSjis("基礎符号"), "", "CLAYER", ""});
    auto r = ws.run({"run", script.string(), "--encoding", "cp932"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find(veld::win::utf8ToSjis("<\"基礎符号\">")), std::string::npos);
    EXPECT_EQ(r.out.find("基礎符号"), std::string::npos) << "no UTF-8 left";
}

TEST(E2eRunner, PointsBeyondTheRangeAndTextThatIsNotUtf8NeverReachTheDrawing) {
    VeldWorkspace ws;
    auto far = ws.script("far.veld", {"LINE", "0,0", "1e99,0", "@1e308,0", "@1,1", ""});
    auto r = ws.run({"run", far.string()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("[Undo]: @1e308,0\nPoint or option keyword required.\n"),
              std::string::npos)
        << r.out;

    auto latin1 = ws.script("latin1.veld", {"-LAYER", "Make", "Jos\xe9", ""});
    r = ws.run({"run", latin1.string(), "--out", (ws.folder() / "x.dxf").string()});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_NE(r.err.find("latin1.veld line 3: not UTF-8 text"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(ws.folder() / "x.dxf"));
    r = ws.run({"run", latin1.string(), "--encoding", "cp932"});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_NE(r.err.find("latin1.veld line 3: not Shift-JIS text"), std::string::npos) << r.err;
}

TEST(E2eRunner, TheShellReadsItsStandardInput) {
    VeldWorkspace ws;
    auto out = ws.folder() / "shell.dxf";
    ws.setInput(ws.script("typed.txt", {"LINE", "0,0", "2,2", "", "SAVE", out.string(), "QUIT"}));
    auto r = ws.run({"shell"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(std::filesystem::exists(out));
    EXPECT_NE(r.out.find("Specify next point or [Undo]: 2,2\n"), std::string::npos) << r.out;
    EXPECT_EQ(ws.run({"shell", "a.dxf", "b.dxf"}).exitCode, 2);
    EXPECT_EQ(ws.run({"shell", "--out", "x.dxf"}).exitCode, 2);
}
