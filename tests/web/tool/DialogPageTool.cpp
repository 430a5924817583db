// A test tool for the browser tests of dialog.js: runs one of the module's property pages
// (VELD_DIALOG_PAGE = 1020 or 1021, VELD_DIALOG_EDIT = 1 for change mode) in a fresh profile
// and drawing with the browser dialog driver. Action lines are read from standard input as the
// server would pass them on; every published event is written as "@event JSON" and every
// transcript piece as "@text JSON", one per line, so a test can play the server's part.
#include "delta/DeltaPage.h"
#include "host/ed/Session.h"
#include "host/ui/BrowserDialogDriver.h"
#include "settings/FoundationSettings.h"
#include "square/SquarePage.h"
#include "support/PageFixture.h"

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <iostream>
#include <string>

namespace {

namespace ui = veld::ui;
using veld::ed::Session;

class StandardInput : public veld::ed::InputSource {
public:
    std::optional<std::string> nextLine() override {
        std::string line;
        if (!std::getline(std::cin, line)) {
            return std::nullopt;
        }
        ++count_;
        return line;
    }
    int lineNumber() const override { return count_; }
    bool isInteractive() const override { return false; }

private:
    int count_ = 0;
};

void emit(const char* tag, const std::string& payload) {
    std::cout << tag << ' ' << payload << std::endl; // flushed: the test waits for it
}

int envNumber(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::atoi(value) : fallback;
}

class DialogPageTool : public veld::test::PageFixture {};

TEST_F(DialogPageTool, Run) {
    static const HINSTANCE module =
        veldCreateModuleInstance("VeldFoundationApp", veldModuleResourceTable());
    AfxSetResourceHandle(module);
    StandardInput input;
    Session session;
    session.setInput(&input);
    session.setOutput([](std::string_view text) {
        emit("@text", nlohmann::json(std::string(text))
                          .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
    });
    ui::setDialogDriverFactory([] {
        return ui::makeBrowserDialogDriver([](const std::string& e) { emit("@event", e); });
    });
    FoundationSettings settings(true);
    const bool edit = envNumber("VELD_DIALOG_EDIT", 0) != 0;
    INT_PTR result = 0;
    {
        Session::Scope current(session);
        if (envNumber("VELD_DIALOG_PAGE", 1020) == 1021) {
            SquarePage page;
            page.editMode = edit;
            page.settings = &settings;
            result = page.DoModal();
        } else {
            DeltaPage page;
            page.editMode = edit;
            page.settings = &settings;
            result = page.DoModal();
        }
    }
    ui::setDialogDriverFactory(nullptr);
    emit("@result", std::to_string(result));
}

} // namespace
