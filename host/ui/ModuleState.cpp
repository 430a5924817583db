// Module state of the dialog framework: the current resource handle and the instance records of
// loaded modules, each pointing at the resource table its library embeds.
#include "afxmodule.h"

#include <memory>
#include <string>
#include <vector>

struct VeldModuleInstance {
    std::string name;
    const VeldResourceTable* resources = nullptr;
};

namespace {

struct ModuleState {
    // Instances live as long as the process: handles stay valid after a module is unloaded.
    std::vector<std::unique_ptr<VeldModuleInstance>> instances;
    std::vector<CDynLinkLibrary*> libraries;
    HINSTANCE hostInstance = nullptr;
    HINSTANCE currentResource = nullptr;
};

ModuleState& state() {
    static ModuleState s = [] {
        ModuleState init;
        static const VeldResourceTable noResources{nullptr, 0};
        init.instances.push_back(
            std::make_unique<VeldModuleInstance>(VeldModuleInstance{"veld", &noResources}));
        init.hostInstance = init.instances.back().get();
        init.currentResource = init.hostInstance;
        return init;
    }();
    return s;
}

} // namespace

HINSTANCE veldCreateModuleInstance(const char* name, const VeldResourceTable* resources) {
    auto& s = state();
    s.instances.push_back(std::make_unique<VeldModuleInstance>(
        VeldModuleInstance{name != nullptr ? name : "", resources}));
    return s.instances.back().get();
}

const VeldResourceTable* veldModuleResources(HINSTANCE instance) {
    return instance != nullptr ? instance->resources : nullptr;
}

HINSTANCE AfxGetResourceHandle() {
    return state().currentResource;
}

void AfxSetResourceHandle(HINSTANCE instance) {
    state().currentResource = instance;
}

HINSTANCE AfxGetInstanceHandle() {
    return state().hostInstance;
}

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& module, HINSTANCE instance) {
    if (instance == nullptr) {
        return FALSE;
    }
    module.hModule = instance;
    module.hResource = instance;
    module.bInitialized = true;
    return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& module, BOOL /*all*/) {
    auto& libs = state().libraries;
    for (auto it = libs.begin(); it != libs.end();) {
        if ((*it)->m_hModule == module.hModule) {
            delete *it;
            it = libs.erase(it);
        } else {
            ++it;
        }
    }
    module.bInitialized = false;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& module, BOOL /*system*/)
    : m_hModule(module.hModule), m_hResource(module.hResource) {
    state().libraries.push_back(this);
}

CDynLinkLibrary::~CDynLinkLibrary() = default;
