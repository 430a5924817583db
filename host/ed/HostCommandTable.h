// The host's own commands by name. The built-in ones are there from the start; other parts of
// the host may add theirs (add), e.g. -INSERT.
#pragma once
#include "host/ed/HostCommand.h"

#include <memory>
#include <string_view>
#include <vector>

namespace veld::ed {

class HostCommandTable {
public:
    static HostCommandTable& instance();

    // Adds a command. A command of the same name is replaced and handed back (null when there
    // was none), so that a test can put it back afterwards.
    std::unique_ptr<HostCommand> add(std::unique_ptr<HostCommand> command);
    // By name without regard to case; "-NAME" finds a command that has the dash form.
    HostCommand* find(std::string_view name) const;
    std::vector<std::string> names() const;

private:
    HostCommandTable();
    std::vector<std::unique_ptr<HostCommand>> commands_;
};

} // namespace veld::ed
