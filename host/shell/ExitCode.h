// The exit codes of veld.
#pragma once

namespace veld::shell {

enum ExitCode : int {
    kExitOk = 0,            // the script ran to its end (or QUIT)
    kExitScriptStopped = 1, // a script line nothing could take
    kExitUsage = 2,         // the command line makes no sense
    kExitInput = 3,         // the script or the drawing cannot be read
    kExitOutput = 4,        // --out or --svg cannot be written
    kExitSetup = 5,         // the profile or the module cannot be set up
};

} // namespace veld::shell
