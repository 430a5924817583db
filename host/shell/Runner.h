// The runner: sets up the profile, the drawing and the module, runs the command line on a
// script (veld run) or a terminal (veld shell), writes the outputs and gives the exit code.
// Errors go to standard error as one line "veld: reason".
#pragma once
#include "host/shell/Options.h"

#include <string>

namespace veld::shell {

class Runner {
public:
    explicit Runner(Options options) : options_(std::move(options)) {}
    int run();
    // The module to load: --module, else $VELD_MODULE, else the one beside the executable.
    static std::string modulePath(const Options& options);

private:
    int fail(int code, const std::string& reason) const;
    int writeOutputs();
    int saveRecoveryCopy();
    // Where the work goes when the terminal is closed: NAME.recovered.dxf beside NAME.dxf.
    static std::string recoveryPath(const std::string& drawing);

    Options options_;
};

} // namespace veld::shell
