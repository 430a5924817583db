// Ctrl-C and hang-up noted for the input sources of a session at a terminal.
#include "host/ed/TerminalSignals.h"

namespace veld::ed {

namespace {

volatile std::sig_atomic_t interrupted = 0;
volatile std::sig_atomic_t hungUpFlag = 0;

void noteInterrupt(int) {
    interrupted = 1;
}

void noteHangUp(int) {
    hungUpFlag = 1;
}

// No SA_RESTART: a read in progress returns EINTR and the reader looks at the flags.
void install(int signal, void (*handler)(int), struct sigaction* previous) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;
    sigaction(signal, &action, previous);
}

} // namespace

TerminalSignals::InterruptCatcher::InterruptCatcher() {
    install(SIGINT, noteInterrupt, &previous_);
}

TerminalSignals::InterruptCatcher::~InterruptCatcher() {
    sigaction(SIGINT, &previous_, nullptr);
}

bool TerminalSignals::takeInterrupt() {
    const bool was = interrupted != 0;
    interrupted = 0;
    return was;
}

void TerminalSignals::catchHangUp() {
    install(SIGHUP, noteHangUp, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

void TerminalSignals::noteOutputLost() {
    hungUpFlag = 1;
}

bool TerminalSignals::hungUp() {
    return hungUpFlag != 0;
}

} // namespace veld::ed
