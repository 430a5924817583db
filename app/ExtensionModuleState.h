// The module as an extension module of the dialog framework: whether it is attached, the
// resource handle that was current when it was attached (the host's) and its own instance, so
// that its dialogs load from its own resources while one of its commands runs.
#pragma once
#include "afxmodule.h"

class FoundationCommand;

class ExtensionModuleState {
public:
    // The one record of the module, living as long as the module is loaded.
    static ExtensionModuleState& instance();

    // Library attach: initialises the extension module once.
    void attach(HINSTANCE module);
    // Library detach: terminates this extension module only.
    void detach();

    // Runs a command body on a FoundationCommand with the module's resources current, then
    // makes the handle saved at attach current again.
    void runCommand(void (FoundationCommand::*body)());

    bool attached = false;
    HINSTANCE defaultResource = nullptr;
    HINSTANCE moduleResource = nullptr;
    AFX_EXTENSION_MODULE extensionModule;
};
