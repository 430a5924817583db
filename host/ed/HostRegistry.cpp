// Enters the host's services in the system registry.
#include "host/ed/HostRegistry.h"

#include "aced.h"
#include "host/ed/CommandStack.h"
#include "host/ed/DynamicLinker.h"

namespace veld::ed {

namespace {

void enterClass(AcRxClass* cls) {
    AcRxDictionary* classes = acrxClassDictionary;
    if (classes != nullptr && !classes->has(cls->name())) {
        classes->atPut(cls->name(), cls);
    }
}

} // namespace

void HostRegistry::install() {
    static bool installed = false;
    if (installed) {
        return;
    }
    installed = true;
    enterClass(AcEdCommandStack::desc());
    enterClass(AcRxDynamicLinker::desc());
    AcRxDictionary* registry = acrxSysRegistry();
    registry->atPut(ACRX_COMMAND_DOCK, &CommandStack::instance());
    registry->atPut(ACRX_DYNAMIC_LINKER, &DynamicLinker::instance());
}

namespace {
// Also when the host library is loaded, so that code that never makes a session (a unit test
// sending kInitAppMsg) finds the services. Everything install() touches is made on first use.
[[maybe_unused]] const bool installedAtLoad = (HostRegistry::install(), true);
} // namespace

} // namespace veld::ed
