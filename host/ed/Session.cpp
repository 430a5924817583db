// The command-line session: reading answer lines, writing the transcript, stopping a script.
// The transcript is written as printed; texts start new lines with a leading "\n".
#include "host/ed/Session.h"

#include "host/ed/CommandLine.h"
#include "host/ed/HostRegistry.h"

#include <cstdio>

namespace veld::ed {

namespace {

Session*& currentSlot() {
    static Session* slot = nullptr;
    return slot;
}

void writeToStandardOutput(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

void dropLineEnd(std::string& line) {
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
}

void dropByteOrderMark(std::string& line) {
    if (line.rfind("\xEF\xBB\xBF", 0) == 0) {
        line.erase(0, 3);
    }
}

} // namespace

Session::Session() : commandLine_(std::make_unique<ed::CommandLine>()) {
    ed::HostRegistry::install();
}

Session::~Session() {
    if (currentSlot() == this) {
        currentSlot() = nullptr;
    }
}

Session& Session::current() {
    if (currentSlot() == nullptr) {
        static Session defaultSession;
        currentSlot() = &defaultSession;
    }
    return *currentSlot();
}

Session::Scope::Scope(Session& session) : previous_(currentSlot()) {
    currentSlot() = &session;
}

Session::Scope::~Scope() {
    currentSlot() = previous_;
}

std::optional<std::string> Session::nextLine() {
    while (!aborted_ && input_ != nullptr) {
        if (cancelPending_.exchange(false)) {
            return std::string(kCancelLine);
        }
        std::optional<std::string> line = input_->nextLine();
        if (!line) {
            return cancelPending_.exchange(false) ? std::optional(std::string(kCancelLine))
                                                  : std::nullopt;
        }
        if (input_->isInteractive()) {
            // The person pressed ENTER: the terminal is at the start of a new line.
            atLineStart_ = true;
        }
        dropLineEnd(*line);
        if (!firstLineRead_) {
            firstLineRead_ = true;
            dropByteOrderMark(*line);
        }
        if (!line->empty() && line->front() == ';') {
            continue;
        }
        return line;
    }
    return std::nullopt;
}

int Session::lineNumber() const {
    return input_ != nullptr ? input_->lineNumber() : 0;
}

void Session::print(std::string_view utf8) {
    if (utf8.empty()) {
        return;
    }
    atLineStart_ = utf8.back() == '\n';
    write(utf8);
}

void Session::finishLine() {
    if (!atLineStart_) {
        write("\n");
        atLineStart_ = true;
    }
}

void Session::write(std::string_view text) {
    if (output_) {
        output_(text);
    } else {
        writeToStandardOutput(text);
    }
}

void Session::abort(std::string reason) {
    if (aborted_) {
        return;
    }
    aborted_ = true;
    if (reason.rfind("line ", 0) != 0 && lineNumber() > 0) {
        reason = "line " + std::to_string(lineNumber()) + ": " + reason;
    }
    abortReason_ = std::move(reason);
}

} // namespace veld::ed
