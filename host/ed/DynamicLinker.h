// The host's dynamic linker: the loaded applications, whether each may be unloaded (locked
// applications may not) and whether it declared itself MDI-aware. Registered under
// "DynamicLinker" in the system registry.
#pragma once
#include "rxregsvc.h"

#include <string>
#include <vector>

namespace veld::ed {

class DynamicLinker : public AcRxDynamicLinker {
public:
    static DynamicLinker& instance();

    // The loader enters an application before sending it kInitAppMsg; it starts locked.
    void addApplication(void* appId, std::string name);
    void removeApplication(void* appId);
    bool setMdiAware(void* appId);
    bool isMdiAware(void* appId) const;
    bool isLocked(void* appId) const;

    bool unlockApplication(void* appId) const override;
    bool lockApplication(void* appId) const override;
    bool isApplicationLocked(const char* name) const override;

private:
    struct Application {
        void* id = nullptr;
        std::string name;
        bool locked = true;
        bool mdiAware = false;
    };
    Application* find(void* appId) const;

    // The SDK's lock calls are const; the records are the linker's bookkeeping.
    mutable std::vector<Application> applications_;
};

} // namespace veld::ed
