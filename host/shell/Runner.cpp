// The runner of veld run and veld shell.
#include "host/shell/Runner.h"

#include "host/dxf/DrawingFile.h"
#include "host/ed/CommandLine.h"
#include "host/ed/CommandProcessor.h"
#include "host/ed/DocumentManager.h"
#include "host/ed/LineEditorInput.h"
#include "host/ed/ScriptFileInput.h"
#include "host/ed/Session.h"
#include "host/ed/TerminalInput.h"
#include "host/ed/TerminalSignals.h"
#include "host/ed/TranscriptFilter.h"
#include "host/files/SafeReplace.h"
#include "host/render/SvgExport.h"
#include "host/shell/ExitCode.h"
#include "host/shell/InstallLayout.h"
#include "host/shell/ModuleLoader.h"
#include "host/shell/Profile.h"
#include "host/win/CodePage.h"
#include "host/win/FileSearch.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <unistd.h>

namespace veld::shell {

namespace {

namespace fs = std::filesystem;

void writeOut(std::string_view text, bool shiftJis) {
    std::string bytes = shiftJis ? win::utf8ToSjis(text) : std::string(text);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

// The drawing of a run that has ended: the process is about to exit and the system takes its
// memory back at once, while freeing a large drawing object by object takes seconds. Held here,
// leak checkers count it as still in use, not as lost.
AcDbDatabase* volatile gDrawingLeftAtExit = nullptr; // volatile: the store must stay

// The open document for the whole run: closed (and the working database cleared) at the end,
// its drawing left to the end of the process.
class OpenDocument {
public:
    explicit OpenDocument(ed::Document* document) : document_(document) {}
    ~OpenDocument() {
        gDrawingLeftAtExit = document_->takeDatabase().release();
        ed::DocumentManager::instance().close(document_);
    }
    OpenDocument(const OpenDocument&) = delete;
    OpenDocument& operator=(const OpenDocument&) = delete;
    ed::Document* get() const { return document_; }

private:
    ed::Document* document_;
};

} // namespace

int Runner::fail(int code, const std::string& reason) const {
    std::fflush(stdout);
    std::fprintf(stderr, "veld: %s\n", reason.c_str());
    return code;
}

std::string Runner::modulePath(const Options& options) {
    if (!options.module.empty()) {
        return options.module;
    }
    const char* fromEnvironment = std::getenv("VELD_MODULE");
    if (fromEnvironment != nullptr && *fromEnvironment != '\0') {
        return fromEnvironment;
    }
    return InstallLayout::defaultModule();
}

int Runner::run() {
    std::string error;
    std::unique_ptr<ed::ScriptFileInput> script;
    if (options_.mode == Options::Mode::Run) {
        script = std::make_unique<ed::ScriptFileInput>(options_.script, options_.shiftJisOutput);
        if (!script->isOpen()) {
            return fail(kExitInput, "cannot read the script: " + script->failure());
        }
    }
    for (const std::string* path : {&options_.drawing, &options_.out, &options_.svg}) {
        if (!path->empty()) {
            files::removeLeftovers(*path);
        }
    }
    if (!Profile::prepare(Profile::folder(options_.profile), error)) {
        return fail(kExitSetup, error);
    }
    std::unique_ptr<AcDbDatabase> database;
    if (options_.drawing.empty()) {
        if (!(database = Profile::newDrawing(options_.templateDrawing, error))) {
            return fail(kExitInput, error);
        }
    } else if (!(database = dxf::openDrawing(options_.drawing, error))) {
        return fail(kExitInput, error);
    }
    const bool shiftJis = options_.shiftJisOutput;
    if (!script) {
        ed::TerminalSignals::catchHangUp(); // the drawing is saved aside, not lost
    }
    ed::Session session;
    std::unique_ptr<ed::LineEditorInput> editor;
    ed::TranscriptFilter console([shiftJis, &editor](std::string_view text) {
        editor ? editor->write(text) : writeOut(text, shiftJis);
    });
    // A person at a terminal edits lines; a Shift-JIS terminal keeps the plain reader.
    if (!script && !shiftJis && isatty(STDIN_FILENO) != 0 && isatty(STDOUT_FILENO) != 0) {
        editor = std::make_unique<ed::LineEditorInput>([&session] { session.cancel(); },
                                                       [&console] { console.answerTyped(); });
    }
    ed::Session::Scope scope(session);
    session.setOutput([&console](std::string_view text) { console.write(text); });
    OpenDocument document(
        ed::DocumentManager::instance().open(std::move(database), options_.drawing));
    if (!options_.drawing.empty()) {
        win::SearchPath::setDrawingFolder(fs::absolute(options_.drawing).parent_path().string());
    }
    std::unique_ptr<LoadedModule> module = LoadedModule::load(modulePath(options_), error);
    if (!module) {
        return fail(kExitSetup, error);
    }
    ed::TerminalInput terminal(
        std::cin, [&console] { console.answerTyped(); }, isatty(STDIN_FILENO) != 0);
    terminal.readShiftJis(shiftJis);
    if (!script && !editor && isatty(STDIN_FILENO) != 0) {
        // Ctrl-C cancels, also when the transcript goes to a pipe or a file.
        terminal.catchInterrupts([&session] { session.cancel(); });
    }
    ed::InputSource* input = script ? static_cast<ed::InputSource*>(script.get()) : &terminal;
    session.setInput(editor ? editor.get() : input);
    ed::CommandProcessor::run();
    if (editor) {
        editor->flush();
    }
    std::fflush(stdout);
    if (script && !script->failure().empty()) {
        module.reset();
        return fail(kExitInput, script->failure());
    }
    if (!terminal.failure().empty()) {
        module.reset();
        return fail(kExitInput, "standard input " + terminal.failure());
    }
    if (session.aborted()) {
        module.reset();
        return fail(kExitScriptStopped, options_.script + " " + session.abortReason());
    }
    if (ed::TerminalSignals::hungUp()) {
        int saved = saveRecoveryCopy();
        module.reset();
        return saved;
    }
    int written = writeOutputs();
    module.reset();
    std::fflush(stdout);
    return written;
}

// The terminal was closed with work unsaved: a copy beside the drawing, never over it.
int Runner::saveRecoveryCopy() {
    ed::Document* document = ed::DocumentManager::instance().current();
    if (document == nullptr || !document->hasUnsavedChanges()) {
        return kExitOk;
    }
    const std::string copy = recoveryPath(document->fileName());
    std::string error;
    if (!dxf::saveDrawing(*document->database(), copy, error)) {
        return fail(kExitOutput,
                    "the terminal or the output was closed; unsaved changes are lost: " + error);
    }
    std::fprintf(stderr,
                 "veld: the terminal or the output was closed; unsaved changes saved to %s\n",
                 copy.c_str());
    return kExitOk;
}

std::string Runner::recoveryPath(const std::string& drawing) {
    const fs::path path(drawing.empty() ? "Drawing1.dxf" : drawing);
    return (path.parent_path() / (path.stem().string() + ".recovered.dxf")).string();
}

int Runner::writeOutputs() {
    std::string error;
    AcDbDatabase* db = ed::DocumentManager::instance().current()->database();
    if (!ed::commandLine().failure().empty()) {
        return fail(kExitOutput, ed::commandLine().failure());
    }
    if (!options_.out.empty() && !dxf::saveDrawing(*db, options_.out, error)) {
        return fail(kExitOutput, error);
    }
    if (!options_.svg.empty() && !render::exportSvg(*db, options_.svg, error)) {
        return fail(kExitOutput, error);
    }
    return kExitOk;
}

} // namespace veld::shell
