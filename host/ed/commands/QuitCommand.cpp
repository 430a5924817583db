// QUIT and the question about unsaved changes that a person hears before the session ends.
#include "host/ed/commands/QuitCommand.h"

#include "adsdef.h"
#include "host/ed/CommandLine.h"
#include "host/ed/CommandProcessor.h"
#include "host/ed/DocumentManager.h"
#include "host/ed/DrawingVariables.h"
#include "host/ed/Session.h"

namespace veld::ed {

int QuitCommand::run() {
    if (!mayEnd()) {
        return RTCAN;
    }
    commandLine().requestQuit();
    return RTNORM;
}

bool QuitCommand::mayEnd() {
    Document* doc = DocumentManager::instance().current();
    if (!ed::Session::current().interactive() || doc == nullptr || !doc->hasUnsavedChanges()) {
        return true;
    }
    InputSpec spec;
    spec.keywords = {"Yes", "No", "Cancel"};
    spec.invalidMessage = "Invalid option keyword.";
    const Input in = commandLine().askInput(
        "\nSave changes to " + DrawingVariables::drawingName() + "? [Yes/No/Cancel] <Yes>: ", spec);
    if (in.status == RTNONE || (in.status == RTKWORD && in.keyword == "Yes")) {
        return CommandProcessor::execute("SAVE", false) == RTNORM;
    }
    return in.status == RTKWORD && in.keyword == "No";
}

} // namespace veld::ed
