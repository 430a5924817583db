// LINE: draws line segments from point to point on the current layer; Undo takes the last
// segment back, Close returns to the first point.
#pragma once
#include "host/ed/HostCommand.h"

namespace veld::ed {

class LineCommand : public HostCommand {
public:
    std::string name() const override { return "LINE"; }
    int run() override;
};

} // namespace veld::ed
