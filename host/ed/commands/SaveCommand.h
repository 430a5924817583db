// SAVE: writes the drawing as a DXF file, under its own name or the one given; the document
// then has that name. A failed save leaves the file as it was and is reported at the end of a
// run.
#pragma once
#include "host/ed/HostCommand.h"

namespace veld::ed {

class SaveCommand : public HostCommand {
public:
    std::string name() const override { return "SAVE"; }
    bool isUndoStep() const override { return false; }
    int run() override;
};

} // namespace veld::ed
