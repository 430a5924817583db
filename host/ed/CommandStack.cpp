// The host's command stack. Names are compared without regard to case.
#include "host/ed/CommandStack.h"

#include "host/ed/InputParser.h"

#include <algorithm>

ACRX_DEFINE_MEMBERS(AcEdCommandStack, AcRxObject)

namespace veld::ed {

namespace {

bool sameName(const char* a, const std::string& b) {
    return a != nullptr && InputParser::upper(a) == InputParser::upper(b);
}

} // namespace

CommandStack& CommandStack::instance() {
    static CommandStack stack;
    return stack;
}

Acad::ErrorStatus CommandStack::addCommand(const char* groupName, const char* globalName,
                                           const char* localName, Adesk::Int32 flags,
                                           AcRxFunctionPtr function, AcEdUIContext*, int,
                                           HINSTANCE resourceHandle, AcEdCommand** commandOut) {
    if (groupName == nullptr || globalName == nullptr || *globalName == '\0' ||
        function == nullptr) {
        return Acad::eInvalidInput;
    }
    for (const auto& c : commands_) {
        if (sameName(groupName, c->groupName()) && sameName(globalName, c->globalName())) {
            return Acad::eDuplicateKey;
        }
    }
    const char* local = localName != nullptr && *localName != '\0' ? localName : globalName;
    commands_.push_back(std::make_unique<RegisteredCommand>(
        groupName, InputParser::upper(globalName), InputParser::upper(local), flags, function,
        resourceHandle));
    if (commandOut != nullptr) {
        *commandOut = commands_.back().get();
    }
    return Acad::eOk;
}

Acad::ErrorStatus CommandStack::removeCmd(const char* groupName, const char* globalName) {
    auto it = std::find_if(commands_.begin(), commands_.end(), [&](const auto& c) {
        return sameName(groupName, c->groupName()) && sameName(globalName, c->globalName());
    });
    if (it == commands_.end()) {
        return Acad::eKeyNotFound;
    }
    commands_.erase(it);
    return Acad::eOk;
}

Acad::ErrorStatus CommandStack::removeGroup(const char* groupName) {
    std::size_t before = commands_.size();
    std::erase_if(commands_, [&](const auto& c) { return sameName(groupName, c->groupName()); });
    return commands_.size() < before ? Acad::eOk : Acad::eKeyNotFound;
}

AcEdCommand* CommandStack::lookupGlobalCmd(const char* globalName) {
    return lookupCmd(globalName, true);
}

AcEdCommand* CommandStack::lookupLocalCmd(const char* localName) {
    return lookupCmd(localName, false);
}

AcEdCommand* CommandStack::lookupCmd(const char* name, bool globalFlag) {
    for (auto it = commands_.rbegin(); it != commands_.rend(); ++it) {
        const char* candidate = globalFlag ? (*it)->globalName() : (*it)->localName();
        if (sameName(name, candidate)) {
            return it->get();
        }
    }
    return nullptr;
}

std::vector<const AcEdCommand*> CommandStack::groupCommands(const char* groupName) const {
    std::vector<const AcEdCommand*> out;
    for (const auto& c : commands_) {
        if (sameName(groupName, c->groupName())) {
            out.push_back(c.get());
        }
    }
    return out;
}

std::vector<const AcEdCommand*> CommandStack::commands() const {
    std::vector<const AcEdCommand*> out;
    for (const auto& c : commands_) {
        out.push_back(c.get());
    }
    return out;
}

} // namespace veld::ed
