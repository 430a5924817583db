// The module as an extension module of the dialog framework, and resource switching around each
// command.
#include "app/ExtensionModuleState.h"

#include "app/FoundationCommand.h"

ExtensionModuleState& ExtensionModuleState::instance() {
    static ExtensionModuleState state;
    return state;
}

void ExtensionModuleState::attach(HINSTANCE module) {
    if (attached) {
        return;
    }
    attached = AfxInitExtensionModule(extensionModule, module) != FALSE;
    if (attached) {
        defaultResource = AfxGetResourceHandle();
        moduleResource = module;
        // The framework owns the entry and deletes it when the module is terminated.
        new CDynLinkLibrary(extensionModule);
    }
}

void ExtensionModuleState::detach() {
    if (attached) {
        AfxTermExtensionModule(extensionModule);
        attached = false;
    }
}

void ExtensionModuleState::runCommand(void (FoundationCommand::*body)()) {
    AfxSetResourceHandle(moduleResource);
    {
        FoundationCommand command;
        (command.*body)();
    }
    AfxSetResourceHandle(defaultResource);
}
