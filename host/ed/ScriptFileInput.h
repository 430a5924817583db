// Answers from a script file, one line per answer, with line numbers for error messages.
#pragma once
#include "host/ed/Session.h"

#include <fstream>
#include <string>

namespace veld::ed {

class ScriptFileInput : public ed::InputSource {
public:
    // Lines longer than this are not a script's lines; reading stops with a failure.
    static constexpr std::size_t kMaxLineLength = 1 << 16;

    // Only a regular file is opened: a FIFO, a device or a folder is refused without blocking.
    // Lines are UTF-8, or Shift-JIS (converted) when `shiftJis`; a line that is neither stops
    // the reading with a failure rather than reaching the drawing as it is.
    explicit ScriptFileInput(const std::string& path, bool shiftJis = false);

    // False when the file could not be opened; failure() says why.
    bool isOpen() const { return stream_.is_open(); }
    // Why the script could not be opened or read to its end; empty when it could.
    const std::string& failure() const { return failure_; }
    std::optional<std::string> nextLine() override;
    int lineNumber() const override { return lineNumber_; }
    bool isInteractive() const override { return false; }

private:
    std::optional<std::string> stop(std::string reason);
    std::optional<std::string> asUtf8(std::string line);

    std::string path_;
    bool shiftJis_;
    std::ifstream stream_;
    std::string failure_;
    int lineNumber_ = 0;
};

} // namespace veld::ed
