// Runs commands: the command prompt loop, one typed command (a module's command from the
// command stack, a host command, or a system variable's name), and the commands acedCommand
// sends. A command typed at the command prompt is one undo step.
#pragma once
#include "host/ed/CommandLine.h"

#include <deque>
#include <string_view>

namespace veld::ed {

class CommandProcessor {
public:
    // Shows the command prompt and runs what is typed until the input ends, QUIT, or the run
    // is stopped.
    static void run();
    // Runs one command given by name. `topLevel`: typed at the command prompt (an undo step);
    // otherwise sent by acedCommand. RTNORM, RTCAN (cancelled), RTERROR (unknown command).
    static int execute(std::string_view typed, bool topLevel);
    // acedCommand: the first item names a command, the others answer its prompts; items left
    // when a command ends start the next command.
    static int runItems(std::deque<CommandItem> items);
};

} // namespace veld::ed
