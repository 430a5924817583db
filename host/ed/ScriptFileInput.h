// Answers from a script file, one line per answer, with line numbers for error messages.
#pragma once
#include "host/ed/Session.h"

#include <fstream>
#include <string>

namespace veld::ed {

class ScriptFileInput : public host::InputSource {
public:
    explicit ScriptFileInput(const std::string& path);

    // False when the file could not be opened.
    bool isOpen() const { return stream_.is_open(); }
    std::optional<std::string> nextLine() override;
    int lineNumber() const override { return lineNumber_; }
    bool isInteractive() const override { return false; }

private:
    std::ifstream stream_;
    int lineNumber_ = 0;
};

} // namespace veld::ed
