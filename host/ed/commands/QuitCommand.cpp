// QUIT: asks the command loop to end after this command.
#include "host/ed/commands/QuitCommand.h"

#include "adsdef.h"
#include "host/ed/CommandLine.h"

namespace veld::ed {

int QuitCommand::run() {
    commandLine().requestQuit();
    return RTNORM;
}

} // namespace veld::ed
