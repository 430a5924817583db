// The module's shell: library attach and detach, registering exactly FNDD, FNSD and FNDE in
// QRN_VELDOR on load and removing them on unload, and resource switching around a command.
#include "aced.h"
#include "afxmodule.h"
#include "app/ExtensionModuleState.h"
#include "app/VeldFoundationApp.h"
#include "host/ed/CommandStack.h"
#include "host/ed/DynamicLinker.h"
#include "host/ed/HeadlessHost.h"

#include <gtest/gtest.h>

using veld::ed::CommandStack;
using veld::ed::DynamicLinker;
using veld::ed::HeadlessHost;

namespace {

const VeldResourceTable kNoResources{nullptr, 0};

// The module loaded as the host loads it, unloaded at the end.
class LoadedModule {
public:
    LoadedModule() : instance_(veldCreateModuleInstance("VeldFoundationApp", &kNoResources)) {
        EXPECT_EQ(DllMain(instance_, DLL_PROCESS_ATTACH, nullptr), TRUE);
        DynamicLinker::instance().addApplication(&appId_, "VeldFoundationApp");
        EXPECT_EQ(acrxEntryPoint(AcRx::kInitAppMsg, &appId_), AcRx::kRetOK);
    }
    ~LoadedModule() {
        EXPECT_EQ(acrxEntryPoint(AcRx::kUnloadAppMsg, &appId_), AcRx::kRetOK);
        DynamicLinker::instance().removeApplication(&appId_);
        EXPECT_EQ(DllMain(instance_, DLL_PROCESS_DETACH, nullptr), TRUE);
    }
    HINSTANCE instance() const { return instance_; }
    void* appId() { return &appId_; }

private:
    HINSTANCE instance_;
    int appId_ = 0;
};

std::vector<std::string> registeredNames() {
    std::vector<std::string> names;
    for (const AcEdCommand* c : CommandStack::instance().groupCommands("QRN_VELDOR")) {
        names.push_back(c->globalName());
        EXPECT_STREQ(c->localName(), c->globalName());
        EXPECT_EQ(c->commandFlags(), 0);
        EXPECT_EQ(c->resourceHandle(), nullptr);
    }
    return names;
}

} // namespace

TEST(AppModule, LoadingRegistersExactlyTheThreeCommandsAndUnloadingRemovesThem) {
    HeadlessHost host;
    {
        LoadedModule module;
        EXPECT_EQ(registeredNames(), (std::vector<std::string>{"FNDD", "FNSD", "FNDE"}));
        EXPECT_FALSE(DynamicLinker::instance().isLocked(module.appId()));
        EXPECT_TRUE(DynamicLinker::instance().isMdiAware(module.appId()));
    }
    EXPECT_TRUE(registeredNames().empty());
    EXPECT_EQ(CommandStack::instance().lookupGlobalCmd("FNDD"), nullptr);
    EXPECT_EQ(host.transcript(), "") << "the module prints nothing on load and unload";
}

TEST(AppModule, OtherMessagesLeaveTheModuleAlone) {
    HeadlessHost host;
    LoadedModule module;
    for (AcRx::AppMsgCode message :
         {AcRx::kNullMsg, AcRx::kLoadDwgMsg, AcRx::kUnloadDwgMsg, AcRx::kQuitMsg, AcRx::kSaveMsg}) {
        EXPECT_EQ(acrxEntryPoint(message, module.appId()), AcRx::kRetOK);
    }
    EXPECT_EQ(registeredNames().size(), 3u);
    EXPECT_EQ(acrxGetApiVersion(), 0x100000);
}

TEST(AppModule, AttachKeepsTheHostsResourceHandleAndTheModulesOwn) {
    HeadlessHost host;
    HINSTANCE hostResources = AfxGetResourceHandle();
    LoadedModule module;
    ExtensionModuleState& state = ExtensionModuleState::instance();
    EXPECT_TRUE(state.attached);
    EXPECT_EQ(state.defaultResource, hostResources);
    EXPECT_EQ(state.moduleResource, module.instance());
    DllMain(module.instance(), DLL_PROCESS_ATTACH, nullptr);
    EXPECT_EQ(state.moduleResource, module.instance()) << "a second attach changes nothing";
}

TEST(AppModule, AfterACommandTheResourceHandleIsTheOneSavedAtLoad) {
    HeadlessHost host;
    HINSTANCE hostResources = AfxGetResourceHandle();
    LoadedModule module;
    HINSTANCE other = veldCreateModuleInstance("OtherModule", &kNoResources);
    for (const char* command : {"FNDD", "FNSD", "FNDE"}) {
        AfxSetResourceHandle(other);
        host.runCommands({command});
        EXPECT_EQ(AfxGetResourceHandle(), hostResources) << command;
    }
    EXPECT_EQ(host.transcript().find("Unknown command"), std::string::npos);
}

TEST(AppModule, DetachEndsTheExtensionModule) {
    HeadlessHost host;
    { LoadedModule module; }
    EXPECT_FALSE(ExtensionModuleState::instance().attached);
}
