// A stand-in for the command-line session (host/ed/Session.h) while its own implementation is
// not on this branch: weak definitions, so the real ones replace them when both are linked.
// Delete this file once host/ed/Session.cpp is merged.
#include "host/ed/Session.h"

#include <cstdio>

#define VELD_WEAK __attribute__((weak))

namespace veld::host {

namespace {

Session*& currentSession() {
    static Session* current = nullptr;
    return current;
}

} // namespace

VELD_WEAK Session::Session() = default;

VELD_WEAK Session::~Session() = default;

VELD_WEAK Session& Session::current() {
    static Session defaultSession;
    Session* current = currentSession();
    return current != nullptr ? *current : defaultSession;
}

VELD_WEAK Session::Scope::Scope(Session& session) : previous_(currentSession()) {
    currentSession() = &session;
}

VELD_WEAK Session::Scope::~Scope() {
    currentSession() = previous_;
}

VELD_WEAK std::optional<std::string> Session::nextLine() {
    if (aborted_ || input_ == nullptr) {
        return std::nullopt;
    }
    return input_->nextLine();
}

VELD_WEAK void Session::print(std::string_view utf8) {
    if (output_) {
        output_(utf8);
        return;
    }
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    std::fflush(stdout);
}

VELD_WEAK void Session::abort(std::string reason) {
    if (!aborted_) {
        aborted_ = true;
        abortReason_ = std::move(reason);
    }
}

} // namespace veld::host
