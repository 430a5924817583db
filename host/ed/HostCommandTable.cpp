// The host's own commands by name.
#include "host/ed/HostCommandTable.h"

#include "host/ed/InputParser.h"
#include "host/ed/InsertCommand.h"
#include "host/ed/commands/DimStyleCommand.h"
#include "host/ed/commands/HelpCommand.h"
#include "host/ed/commands/LayerCommand.h"
#include "host/ed/commands/LineCommand.h"
#include "host/ed/commands/QuitCommand.h"
#include "host/ed/commands/SaveCommand.h"
#include "host/ed/commands/SetvarCommand.h"
#include "host/ed/commands/StandardsCommand.h"
#include "host/ed/commands/StyleCommand.h"
#include "host/ed/commands/UCommand.h"
#include "host/ed/commands/UndoCommand.h"

#include <algorithm>

namespace veld::ed {

HostCommandTable& HostCommandTable::instance() {
    static HostCommandTable table;
    return table;
}

HostCommandTable::HostCommandTable() {
    add(std::make_unique<LineCommand>());
    add(std::make_unique<LayerCommand>());
    add(std::make_unique<SetvarCommand>());
    add(std::make_unique<UndoCommand>());
    add(std::make_unique<UCommand>());
    add(std::make_unique<QuitCommand>());
    add(std::make_unique<SaveCommand>());
    add(std::make_unique<InsertCommand>());
    add(std::make_unique<HelpCommand>("HELP"));
    add(std::make_unique<HelpCommand>("?"));
    add(std::make_unique<StandardsCommand>());
    add(std::make_unique<DimStyleCommand>());
    add(std::make_unique<StyleCommand>());
}

std::unique_ptr<HostCommand> HostCommandTable::add(std::unique_ptr<HostCommand> command) {
    std::string name = InputParser::upper(command->name());
    std::unique_ptr<HostCommand> replaced;
    for (auto it = commands_.begin(); it != commands_.end(); ++it) {
        if (InputParser::upper((*it)->name()) == name) {
            replaced = std::move(*it);
            commands_.erase(it);
            break;
        }
    }
    commands_.push_back(std::move(command));
    return replaced;
}

HostCommand* HostCommandTable::find(std::string_view name) const {
    std::string wanted = InputParser::upper(name);
    bool dashed = !wanted.empty() && wanted.front() == '-';
    std::string bare = dashed ? wanted.substr(1) : wanted;
    for (const auto& c : commands_) {
        if (InputParser::upper(c->name()) == bare && (!dashed || c->hasDashForm())) {
            return c.get();
        }
    }
    return nullptr;
}

std::vector<std::string> HostCommandTable::names() const {
    std::vector<std::string> out;
    for (const auto& c : commands_) {
        out.push_back((c->hasDashForm() ? "-" : "") + InputParser::upper(c->name()));
    }
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace veld::ed
