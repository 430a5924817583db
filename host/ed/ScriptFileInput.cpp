// Answers from a script file, read line by line as the prompts ask for them.
#include "host/ed/ScriptFileInput.h"

#include "host/files/FileRead.h"

namespace veld::ed {

ScriptFileInput::ScriptFileInput(const std::string& path) : path_(path) {
    if (files::checkReadableFile(path, failure_)) {
        stream_.open(path, std::ios::binary);
        if (!stream_.is_open()) {
            failure_ = "cannot open " + path;
        }
    }
}

std::optional<std::string> ScriptFileInput::stop(std::string reason) {
    failure_ = std::move(reason);
    stream_.close();
    return std::nullopt;
}

std::optional<std::string> ScriptFileInput::nextLine() {
    if (!stream_.is_open()) {
        return std::nullopt;
    }
    std::string line;
    std::istream::int_type c = 0;
    while ((c = stream_.get()) != std::istream::traits_type::eof() && c != '\n') {
        if (line.size() >= kMaxLineLength) {
            return stop(path_ + " line " + std::to_string(lineNumber_ + 1) + ": longer than " +
                        std::to_string(kMaxLineLength) + " bytes");
        }
        line.push_back(static_cast<char>(c));
    }
    if (stream_.bad()) {
        return stop("cannot read " + path_);
    }
    if (c == std::istream::traits_type::eof() && line.empty()) {
        return std::nullopt;
    }
    ++lineNumber_;
    return line;
}

} // namespace veld::ed
