// Ctrl-C and hang-up noted for the input sources of a session at a terminal.
#include "host/ed/TerminalSignals.h"

#include <cerrno>
#include <poll.h>
#include <pthread.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

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

// When the output is a pipe whose reader ends while the session waits for a line (`veld shell |
// tee log` and Ctrl-C ends tee too), no write tells of it until the person types again, and they
// no longer see anything. A watcher notices at once and wakes the waiting read as a hang-up does.
void watchOutputPipe() {
    struct stat out {};
    if (fstat(STDOUT_FILENO, &out) != 0 || !S_ISFIFO(out.st_mode)) {
        return;
    }
    const pthread_t reader = pthread_self();
    sigset_t all;
    sigset_t previous;
    sigfillset(&all);
    // The watcher inherits a mask that takes no signal: Ctrl-C and hang-up still reach the reader.
    pthread_sigmask(SIG_BLOCK, &all, &previous);
    std::thread([reader] {
        pollfd pipe{STDOUT_FILENO, 0, 0}; // no events asked: a closed reader still reports POLLERR
        while (poll(&pipe, 1, -1) < 0 && errno == EINTR) {
        }
        if ((pipe.revents & (POLLERR | POLLHUP)) != 0) {
            hungUpFlag = 1;
            pthread_kill(reader, SIGHUP);
        }
    }).detach();
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
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
    static bool caught = false;
    if (caught) {
        return;
    }
    caught = true;
    install(SIGHUP, noteHangUp, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    watchOutputPipe();
}

void TerminalSignals::noteOutputLost() {
    hungUpFlag = 1;
}

bool TerminalSignals::hungUp() {
    return hungUpFlag != 0;
}

} // namespace veld::ed
