// Answers typed by a person at a real terminal, read with the system's line editor (libedit):
// the arrow keys edit the line and walk the history. ESC alone and Ctrl-C are the person's ESC.
#pragma once
#include "host/ed/Session.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace veld::ed {

class LineEditorInput : public ed::InputSource {
public:
    // `cancel` is called for ESC and Ctrl-C (the session's cancel); `typed` each time the
    // person pressed ENTER. Takes over SIGINT while it lives.
    LineEditorInput(std::function<void()> cancel, std::function<void()> typed);
    ~LineEditorInput() override;
    LineEditorInput(const LineEditorInput&) = delete;
    LineEditorInput& operator=(const LineEditorInput&) = delete;

    std::optional<std::string> nextLine() override;
    int lineNumber() const override { return lineNumber_; }
    bool isInteractive() const override { return true; }
    bool personStillThere() const override { return !closed_; }

    // The transcript's bytes for the screen. The unfinished last line (the prompt) is held back
    // and handed to the line editor, which draws it again whenever it redraws the line.
    void write(std::string_view bytes);
    // Writes out what is held back (the end of the run).
    void flush();

    // Called by the line editor for each character (see the source).
    int readCharacter(wchar_t* out);

private:
    std::optional<std::string> readLine();
    int readByte(unsigned char& byte);
    bool escapeStandsAlone() const;

    struct Editor;
    std::unique_ptr<Editor> editor_;
    std::function<void()> cancel_;
    std::function<void()> typed_;
    std::string heldBack_;
    std::string prompt_;
    int lineNumber_ = 0;
    bool cancelled_ = false;
    bool closed_ = false;
    bool invalidText_ = false; // bytes of the line being read were not UTF-8
};

} // namespace veld::ed
