// A command of the host itself (LINE, -LAYER, UNDO ...): what the command table holds.
#pragma once
#include <string>

namespace veld::ed {

class HostCommand {
public:
    virtual ~HostCommand() = default;
    // The name typed at the command prompt ("LINE", "LAYER").
    virtual std::string name() const = 0;
    // Also answers to the name with a leading '-' ("-LAYER"): the command-line form.
    virtual bool hasDashForm() const { return false; }
    // Whether a run at the command prompt is one undo step. UNDO and U work on the steps and
    // are not steps themselves; nor are commands that leave the drawing alone.
    virtual bool isUndoStep() const { return true; }
    // Runs the command with the answers of the current command line. RTNORM when it ended
    // normally, RTCAN when it was cancelled (ESC, the end of the input), RTERROR on failure.
    virtual int run() = 0;
};

} // namespace veld::ed
