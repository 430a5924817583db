// The runner of veld serve.
#include "host/shell/ServeRunner.h"

#include "host/dxf/DrawingFile.h"
#include "host/ed/CommandLine.h"
#include "host/ed/CommandProcessor.h"
#include "host/ed/DocumentManager.h"
#include "host/ed/Session.h"
#include "host/ed/TranscriptFilter.h"
#include "host/shell/ExitCode.h"
#include "host/shell/ModuleLoader.h"
#include "host/shell/Profile.h"
#include "host/shell/Runner.h"
#include "host/ui/BrowserDialogDriver.h"
#include "host/ui/DialogDriver.h"
#include "host/web/DisplayFeed.h"
#include "host/web/DrawingFiles.h"
#include "host/web/EventHub.h"
#include "host/web/WebInput.h"
#include "host/web/WebServer.h"
#include "host/win/FileSearch.h"

#include <cctype>
#include <nlohmann/json.hpp>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <pthread.h>
#include <spawn.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace veld::shell {

namespace fs = std::filesystem;

struct ServeRunner::Parts {
    ed::Session session;
    web::EventHub hub;
    ed::TranscriptFilter transcript{[this](std::string_view text) { hub.transcript(text); }};
    std::unique_ptr<web::DisplayFeed> feed;
    std::unique_ptr<web::DrawingFiles> files;
    std::unique_ptr<web::WebInput> input;
    std::unique_ptr<web::WebServer> server;
    std::unique_ptr<LoadedModule> module;
    std::thread sessionThread;
    bool fileShown = false;
};

namespace {

// Stop signals are taken by the main thread alone (sigwait); every other thread blocks them.
sigset_t stopSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    sigaddset(&set, SIGUSR1); // the session thread: the command loop has ended (QUIT)
    return set;
}

// The user's browser on the page, when the desktop has a way to open one.
bool openBrowser(const std::string& url) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::string program = "xdg-open";
    char* argv[] = {program.data(), const_cast<char*>(url.c_str()), nullptr};
    pid_t child = 0;
    int status = posix_spawnp(&child, "xdg-open", &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    return status == 0;
}

} // namespace

ServeRunner::ServeRunner(Options options)
    : options_(std::move(options)), parts_(std::make_unique<Parts>()) {}

ServeRunner::~ServeRunner() = default;

int ServeRunner::fail(int code, const std::string& reason) const {
    std::fflush(stdout);
    std::fprintf(stderr, "veld: %s\n", reason.c_str());
    return code;
}

int ServeRunner::run() {
    std::string error;
    const std::string profile = Profile::folder(options_.profile);
    if (!Profile::prepare(profile, error)) {
        return fail(kExitSetup, error);
    }
    sigset_t signals = stopSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    ed::Session::Scope scope(parts_->session);
    if (!openDrawing(error)) {
        return fail(kExitInput, error);
    }
    parts_->module = LoadedModule::load(Runner::modulePath(options_), error);
    if (!parts_->module) {
        return fail(kExitSetup, error);
    }
    parts_->files = std::make_unique<web::DrawingFiles>(profile);
    wireSession();
    if (!parts_->server->start(options_.port, error)) {
        shutDown();
        return fail(kExitSetup, error);
    }
    announce();
    parts_->sessionThread = std::thread([] {
        ed::CommandProcessor::run();
        ::kill(::getpid(), SIGUSR1);
    });
    waitForStop();
    shutDown();
    if (parts_->session.aborted()) {
        return fail(kExitScriptStopped, "the session stopped: " + parts_->session.abortReason());
    }
    return kExitOk;
}

bool ServeRunner::openDrawing(std::string& error) {
    std::unique_ptr<AcDbDatabase> database;
    if (options_.drawing.empty()) {
        if (!(database = Profile::newDrawing(options_.templateDrawing, error))) {
            return false;
        }
    } else if (!(database = dxf::openDrawing(options_.drawing, error))) {
        return false;
    }
    parts_->session.setOutput([this](std::string_view text) { parts_->transcript.write(text); });
    ed::DocumentManager::instance().open(std::move(database), options_.drawing);
    if (!options_.drawing.empty()) {
        win::SearchPath::setDrawingFolder(fs::absolute(options_.drawing).parent_path().string());
    }
    return true;
}

// The session's input, prompts and transcript go to and come from the page. Whenever the
// session waits, the page's picture, the changed flag and the snap settings are brought up to
// date on the session thread.
void ServeRunner::wireSession() {
    Parts& p = *parts_;
    p.feed = std::make_unique<web::DisplayFeed>([&p](std::uint64_t rev) { p.hub.display(rev); });
    p.input = std::make_unique<web::WebInput>(
        [&p](const std::string& typed) { p.session.print(typed); },
        [&p] {
            if (ed::Document* doc = ed::DocumentManager::instance().current()) {
                p.feed->refresh(*doc->database());
            }
            if (p.files->noteState(p.feed->fingerprint()) || !p.fileShown) {
                p.fileShown = true;
                p.hub.publish(nlohmann::json{{"type", "file"},
                                             {"name", p.files->fileName()},
                                             {"modified", p.files->modified()}}
                                  .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
            }
            ed::SystemVariables& variables = ed::commandLine().variables();
            p.server->snapSettingsChanged(variables.integer("OSMODE"),
                                          variables.integer("APERTURE"));
        });
    p.server = std::make_unique<web::WebServer>(p.hub, *p.input, *p.feed, *p.files);
    p.session.setInput(p.input.get());
    p.session.setPromptObserver(
        [&p](const ed::PromptState& state) { p.server->promptChanged(state); });
    ui::setDialogDriverFactory([&p] {
        return ui::makeBrowserDialogDriver([&p](const std::string& json) { p.hub.publish(json); });
    });
}

void ServeRunner::announce() const {
    const std::string url = parts_->server->url();
    std::printf("%s\n", url.c_str());
    if (options_.openBrowser && !openBrowser(url)) {
        std::printf("Open the address above in a browser.\n");
    }
    std::printf("Press Ctrl+C here to stop veld serve.\n");
    std::fflush(stdout);
}

void ServeRunner::waitForStop() {
    sigset_t signals = stopSignals();
    for (;;) {
        int received = 0;
        if (sigwait(&signals, &received) != 0) {
            continue;
        }
        if (received == SIGUSR1 || confirmStop()) {
            return;
        }
    }
}

// Unsaved changes: asks on the terminal whether to save first (no answer at all: the end of
// the terminal's input, as when veld runs without one, keeps the file as it was).
bool ServeRunner::confirmStop() {
    if (!parts_->files->modified()) {
        return true;
    }
    std::string name = parts_->files->fileName();
    std::printf("\nSave changes to %s? [Yes/No/Cancel] <Yes>: ",
                name.empty() ? "Drawing1.dxf" : name.c_str());
    std::fflush(stdout);
    std::string answer;
    if (!std::getline(std::cin, answer)) {
        std::fprintf(stderr, "veld: stopped with unsaved changes (no terminal to ask)\n");
        return true;
    }
    char first = answer.empty() ? 'y' : static_cast<char>(std::tolower(answer[0]));
    if (first == 'c') {
        std::printf("veld serve goes on.\n");
        std::fflush(stdout);
        return false;
    }
    return first != 'y' || saveBeforeStop();
}

bool ServeRunner::saveBeforeStop() {
    std::string error;
    bool saved = false;
    parts_->input->runOnSession([&] {
        ed::Document* doc = ed::DocumentManager::instance().current();
        std::string path = *doc->fileName() != '\0' ? doc->fileName() : "Drawing1.dxf";
        saved = dxf::saveDrawing(*doc->database(), path, error);
    });
    if (!saved) {
        std::fprintf(stderr, "veld: %s\n",
                     error.empty() ? "the drawing was not saved" : error.c_str());
        std::printf("veld serve goes on.\n");
        std::fflush(stdout);
    }
    return saved;
}

void ServeRunner::shutDown() {
    Parts& p = *parts_;
    if (p.input) {
        p.input->close();
    }
    if (p.sessionThread.joinable()) {
        p.sessionThread.join();
    }
    if (p.server) {
        p.server->stop();
    }
    p.session.finishLine();
    p.module.reset();
    ed::DocumentManager& documents = ed::DocumentManager::instance();
    while (ed::Document* doc = documents.current()) {
        documents.close(doc);
    }
}

} // namespace veld::shell
