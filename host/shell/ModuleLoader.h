// Loads the extension module as the original host loads an application: opens the library,
// makes its instance handle with its embedded resources, attaches it (DllMain), checks the API
// version it was built for, and sends kInitAppMsg. Destroying the loaded module sends
// kUnloadAppMsg, detaches it and closes the library.
#pragma once
#include "rxregsvc.h"
#include "windef.h"

#include <memory>
#include <string>

namespace veld::shell {

class LoadedModule {
public:
    // The API version this host offers (the original host's release 16).
    static constexpr int kHostApiVersion = 0x100000;

    // Nullptr with `error` set when the module cannot be loaded.
    static std::unique_ptr<LoadedModule> load(const std::string& path, std::string& error);
    ~LoadedModule();
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    HINSTANCE instance() const { return instance_; }

private:
    using DllMainFn = BOOL (*)(HINSTANCE, DWORD, LPVOID);
    LoadedModule() = default;
    void detachAndClose();

    void* library_ = nullptr;
    HINSTANCE instance_ = nullptr;
    DllMainFn dllMain_ = nullptr;
    VeldEntryPointFn entryPoint_ = nullptr;
    bool attached_ = false;
    bool initialised_ = false;
};

} // namespace veld::shell
