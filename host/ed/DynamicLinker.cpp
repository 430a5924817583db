// The host's dynamic linker and the application registration services of the SDK.
#include "host/ed/DynamicLinker.h"

#include "host/ed/InputParser.h"

#include <algorithm>

ACRX_DEFINE_MEMBERS(AcRxDynamicLinker, AcRxObject)

namespace veld::ed {

DynamicLinker& DynamicLinker::instance() {
    static DynamicLinker linker;
    return linker;
}

DynamicLinker::Application* DynamicLinker::find(void* appId) const {
    auto it = std::find_if(applications_.begin(), applications_.end(),
                           [&](const Application& a) { return a.id == appId; });
    return it != applications_.end() ? &*it : nullptr;
}

void DynamicLinker::addApplication(void* appId, std::string name) {
    if (find(appId) == nullptr) {
        applications_.push_back(Application{appId, std::move(name), true, false});
    }
}

void DynamicLinker::removeApplication(void* appId) {
    std::erase_if(applications_, [&](const Application& a) { return a.id == appId; });
}

bool DynamicLinker::setMdiAware(void* appId) {
    Application* app = find(appId);
    if (app == nullptr) {
        return false;
    }
    app->mdiAware = true;
    return true;
}

bool DynamicLinker::isMdiAware(void* appId) const {
    const Application* app = find(appId);
    return app != nullptr && app->mdiAware;
}

bool DynamicLinker::isLocked(void* appId) const {
    const Application* app = find(appId);
    return app != nullptr && app->locked;
}

bool DynamicLinker::unlockApplication(void* appId) const {
    Application* app = find(appId);
    if (app == nullptr) {
        return false;
    }
    app->locked = false;
    return true;
}

bool DynamicLinker::lockApplication(void* appId) const {
    Application* app = find(appId);
    if (app == nullptr) {
        return false;
    }
    app->locked = true;
    return true;
}

bool DynamicLinker::isApplicationLocked(const char* name) const {
    if (name == nullptr) {
        return false;
    }
    std::string wanted = InputParser::upper(name);
    return std::any_of(applications_.begin(), applications_.end(), [&](const Application& a) {
        return a.locked && InputParser::upper(a.name) == wanted;
    });
}

} // namespace veld::ed

bool acrxRegisterAppMDIAware(void* appId) {
    return veld::ed::DynamicLinker::instance().setMdiAware(appId);
}

// The class tree is complete as soon as each class descriptor exists; nothing is left to link.
void acrxBuildClassHierarchy() {}
