// The host's command stack: the commands extension modules register, by group, with their
// global and local names. Registered under "ACAD_REGISTERED_COMMANDS" in the system registry.
// The most recently added command wins when two groups register the same name.
#pragma once
#include "aced.h"

#include <memory>
#include <string>
#include <vector>

namespace veld::ed {

class RegisteredCommand : public AcEdCommand {
public:
    RegisteredCommand(std::string group, std::string global, std::string local, Adesk::Int32 flags,
                      AcRxFunctionPtr function, HINSTANCE resource)
        : group_(std::move(group)), global_(std::move(global)), local_(std::move(local)),
          flags_(flags), function_(function), resource_(resource) {}
    const char* globalName() const override { return global_.c_str(); }
    const char* localName() const override { return local_.c_str(); }
    const char* groupName() const override { return group_.c_str(); }
    Adesk::Int32 commandFlags() const override { return flags_; }
    AcRxFunctionPtr functionAddr() const override { return function_; }
    HINSTANCE resourceHandle() const override { return resource_; }

private:
    std::string group_, global_, local_;
    Adesk::Int32 flags_;
    AcRxFunctionPtr function_;
    HINSTANCE resource_;
};

class CommandStack : public AcEdCommandStack {
public:
    // The one stack of the process (HostRegistry enters it in the system registry).
    static CommandStack& instance();

    Acad::ErrorStatus addCommand(const char* groupName, const char* globalName,
                                 const char* localName, Adesk::Int32 flags,
                                 AcRxFunctionPtr function, AcEdUIContext* uiContext = nullptr,
                                 int functionCode = -1, HINSTANCE resourceHandle = nullptr,
                                 AcEdCommand** commandOut = nullptr) override;
    Acad::ErrorStatus removeCmd(const char* groupName, const char* globalName) override;
    Acad::ErrorStatus removeGroup(const char* groupName) override;
    AcEdCommand* lookupGlobalCmd(const char* globalName) override;
    AcEdCommand* lookupLocalCmd(const char* localName) override;
    AcEdCommand* lookupCmd(const char* name, bool globalFlag) override;

    // The commands of a group, in the order they were added (tests, the command list).
    std::vector<const AcEdCommand*> groupCommands(const char* groupName) const;
    // Every command, in the order they were added.
    std::vector<const AcEdCommand*> commands() const;

private:
    std::vector<std::unique_ptr<RegisteredCommand>> commands_;
};

} // namespace veld::ed
