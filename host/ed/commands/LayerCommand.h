// -LAYER: the command-line form of the layer command: Make, Set, New, ON, OFF, Color, Freeze,
// Thaw and the ? list, each asked in turn until RETURN ends the command.
#pragma once
#include "host/ed/HostCommand.h"

#include <string>
#include <vector>

namespace veld::ed {

class LayerCommand : public HostCommand {
public:
    std::string name() const override { return "LAYER"; }
    bool hasDashForm() const override { return true; }
    int run() override;

private:
    int make();
    int set();
    int createNew();
    int switchState(const std::string& option);
    int color();
    int list();
};

} // namespace veld::ed
