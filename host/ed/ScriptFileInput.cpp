// Answers from a script file, read line by line as the prompts ask for them.
#include "host/ed/ScriptFileInput.h"

#include "host/ed/TypedText.h"
#include "host/files/FileRead.h"

namespace veld::ed {

ScriptFileInput::ScriptFileInput(const std::string& path, bool shiftJis)
    : path_(path), shiftJis_(shiftJis) {
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
    return asUtf8(std::move(line));
}

std::optional<std::string> ScriptFileInput::asUtf8(std::string line) {
    if (std::optional<std::string> utf8 = typedTextAsUtf8(line, shiftJis_)) {
        return utf8;
    }
    return stop(path_ + " line " + std::to_string(lineNumber_) +
                (shiftJis_ ? ": not Shift-JIS text"
                           : ": not UTF-8 text (a Shift-JIS script needs --encoding cp932)"));
}

} // namespace veld::ed
