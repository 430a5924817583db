// The module's entry points and its command table.
#include "app/VeldFoundationApp.h"

#include "aced.h"
#include "app/ExtensionModuleState.h"
#include "app/FoundationCommand.h"

namespace {

void fndd() {
    ExtensionModuleState::instance().runCommand(&FoundationCommand::placeDelta);
}
void fnsd() {
    ExtensionModuleState::instance().runCommand(&FoundationCommand::placeSquare);
}
void fnde() {
    ExtensionModuleState::instance().runCommand(&FoundationCommand::editFoundation);
}

struct CommandRow {
    const char* name;
    AcRxFunctionPtr handler;
};
constexpr CommandRow kCommands[] = {{"FNDD", fndd}, {"FNSD", fnsd}, {"FNDE", fnde}};

// The command stack class from the class dictionary, looked up once for the module's life.
AcRxClass* commandStackClass() {
    static AcRxClass* cls = nullptr;
    if (cls == nullptr) {
        AcRxDictionary* classes = acrxClassDictionary;
        cls = classes != nullptr ? AcRxClass::cast(classes->at("AcEdCommandStack")) : nullptr;
    }
    return cls;
}

AcEdCommandStack* commandStack() {
    AcRxObject* registered = acrxSysRegistry()->at(ACRX_COMMAND_DOCK);
    AcRxClass* cls = commandStackClass();
    if (registered == nullptr || cls == nullptr || !registered->isKindOf(cls)) {
        return nullptr;
    }
    return static_cast<AcEdCommandStack*>(registered);
}

void initApplication(void* appId) {
    if (AcRxDynamicLinker* linker =
            AcRxDynamicLinker::cast(acrxSysRegistry()->at(ACRX_DYNAMIC_LINKER))) {
        linker->unlockApplication(appId);
    }
    acrxRegisterAppMDIAware(appId);
    if (AcEdCommandStack* stack = commandStack()) {
        for (const CommandRow& row : kCommands) {
            stack->addCommand(kVeldCommandGroup, row.name, row.name, ACRX_CMD_MODAL, row.handler);
        }
    }
    acrxBuildClassHierarchy();
}

void unloadApplication() {
    if (AcEdCommandStack* stack = commandStack()) {
        stack->removeGroup(kVeldCommandGroup);
    }
}

} // namespace

extern "C" BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        ExtensionModuleState::instance().attach(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
        ExtensionModuleState::instance().detach();
    }
    return TRUE;
}

extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode message, void* appId) {
    switch (message) {
    case AcRx::kInitAppMsg:
        initApplication(appId);
        break;
    case AcRx::kUnloadAppMsg:
        unloadApplication();
        break;
    default:
        break;
    }
    return AcRx::kRetOK;
}

extern "C" int acrxGetApiVersion() {
    return kVeldApiVersion;
}
