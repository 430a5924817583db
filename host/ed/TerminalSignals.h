// The terminal's signals in a session with a person: Ctrl-C (SIGINT) is the person's ESC and a
// hang-up (SIGHUP, the terminal closed, or the output's pipe closed) the end of the input; both
// are only noted here, and the input sources act on them where they read.
#pragma once
#include <csignal>

namespace veld::ed {

class TerminalSignals {
public:
    // While one lives, Ctrl-C is noted instead of ending the process, and a read in progress
    // returns EINTR.
    class InterruptCatcher {
    public:
        InterruptCatcher();
        ~InterruptCatcher();
        InterruptCatcher(const InterruptCatcher&) = delete;
        InterruptCatcher& operator=(const InterruptCatcher&) = delete;

    private:
        struct sigaction previous_ {};
    };

    // True once, for each Ctrl-C noted since the last call.
    static bool takeInterrupt();

    // From now on a hang-up is noted instead of ending the process, and a write to a pipe whose
    // reader is gone fails instead of ending it (the session still has work to save).
    static void catchHangUp();
    // The output is gone (`veld shell | tee log` and tee ended): the same as a hang-up.
    static void noteOutputLost();
    static bool hungUp();
};

} // namespace veld::ed
