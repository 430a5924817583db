// Loading and unloading the extension module.
#include "host/shell/ModuleLoader.h"

#include "afxmodule.h"
#include "host/ed/DynamicLinker.h"

#include <dlfcn.h>
#include <filesystem>

namespace veld::shell {

namespace {

using ResourceTableFn = const VeldResourceTable* (*)();

const VeldResourceTable* resourceTable(void* library) {
    static const VeldResourceTable empty{nullptr, 0};
    auto table = reinterpret_cast<ResourceTableFn>(dlsym(library, "veldModuleResourceTable"));
    const VeldResourceTable* found = table != nullptr ? table() : nullptr;
    return found != nullptr ? found : &empty;
}

std::string hex(int value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "0x%X", static_cast<unsigned>(value));
    return buffer;
}

} // namespace

std::unique_ptr<LoadedModule> LoadedModule::load(const std::string& path, std::string& error) {
    std::unique_ptr<LoadedModule> m(new LoadedModule);
    m->library_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (m->library_ == nullptr) {
        const char* why = dlerror();
        error = "cannot load the module " + path + ": " + (why != nullptr ? why : "unknown error");
        return nullptr;
    }
    m->entryPoint_ = reinterpret_cast<VeldEntryPointFn>(dlsym(m->library_, "acrxEntryPoint"));
    auto version = reinterpret_cast<VeldApiVersionFn>(dlsym(m->library_, "acrxGetApiVersion"));
    m->dllMain_ = reinterpret_cast<DllMainFn>(dlsym(m->library_, "DllMain"));
    if (m->entryPoint_ == nullptr || version == nullptr) {
        error = path + " is not an extension module (no acrxEntryPoint or acrxGetApiVersion)";
        return nullptr;
    }
    std::string name = std::filesystem::path(path).stem().string();
    m->instance_ = veldCreateModuleInstance(name.c_str(), resourceTable(m->library_));
    if (m->dllMain_ != nullptr) {
        if (m->dllMain_(m->instance_, DLL_PROCESS_ATTACH, nullptr) == FALSE) {
            error = "the module " + path + " refused to attach";
            return nullptr;
        }
        m->attached_ = true;
    }
    if (version() != kHostApiVersion) {
        error = "the module " + path + " was built for API version " + hex(version()) +
                ", this host offers " + hex(kHostApiVersion);
        return nullptr;
    }
    ed::DynamicLinker::instance().addApplication(m.get(), name);
    m->initialised_ = true;
    if (m->entryPoint_(AcRx::kInitAppMsg, m.get()) != AcRx::kRetOK) {
        error = "the module " + path + " failed to initialise";
        return nullptr;
    }
    return m;
}

LoadedModule::~LoadedModule() {
    if (initialised_) {
        entryPoint_(AcRx::kUnloadAppMsg, this);
        ed::DynamicLinker::instance().removeApplication(this);
    }
    detachAndClose();
}

void LoadedModule::detachAndClose() {
    if (library_ == nullptr) {
        return;
    }
    if (attached_) {
        dllMain_(instance_, DLL_PROCESS_DETACH, nullptr);
    }
    dlclose(library_);
    library_ = nullptr;
}

} // namespace veld::shell
