// The line editor at a real terminal. libedit draws the prompt and the line; the characters it
// edits come from readCharacter, which reads standard input byte by byte so that an ESC that
// starts no key sequence, Ctrl-C and a closed terminal can be told apart from editing keys.
#include "host/ed/LineEditorInput.h"

#include "host/ed/TerminalSignals.h"

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <histedit.h>
#include <langinfo.h>
#include <poll.h>
#include <unistd.h>

namespace veld::ed {

namespace {

constexpr unsigned char kEscape = 0x1b;
constexpr unsigned char kCtrlC = 0x03;
constexpr unsigned char kCtrlD = 0x04;
// The keys that send a sequence (arrows, Home, ...) send it at once; an ESC followed by nothing
// for this long was the ESC key itself.
constexpr int kSequenceGapMs = 60;
constexpr int kHistorySize = 500;

// Multibyte input needs a character set; typed layer names are UTF-8 whatever the locale.
void useUtf8Characters() {
    std::setlocale(LC_CTYPE, "");
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) {
        std::setlocale(LC_CTYPE, "C.UTF-8");
    }
}

void writeAll(std::string_view bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

LineEditorInput* owner(EditLine* el) {
    void* data = nullptr;
    el_get(el, EL_CLIENTDATA, &data);
    return static_cast<LineEditorInput*>(data);
}

} // namespace

struct LineEditorInput::Editor {
    EditLine* line = nullptr;
    History* lines = nullptr; // the lines typed before
    HistEvent event{};
    TerminalSignals::InterruptCatcher interrupts;

    ~Editor() {
        if (line != nullptr) {
            el_end(line);
        }
        if (lines != nullptr) {
            history_end(lines);
        }
    }
};

LineEditorInput::LineEditorInput(std::function<void()> cancel, std::function<void()> typed)
    : editor_(std::make_unique<Editor>()), cancel_(std::move(cancel)), typed_(std::move(typed)) {
    useUtf8Characters();
    editor_->lines = history_init();
    history(editor_->lines, &editor_->event, H_SETSIZE, kHistorySize);
    history(editor_->lines, &editor_->event, H_SETUNIQUE, 1);
    EditLine* el = editor_->line = el_init("veld", stdin, stdout, stderr);
    el_set(el, EL_CLIENTDATA, this);
    el_set(el, EL_EDITOR, "emacs");
    el_set(el, EL_HIST, history, editor_->lines);
    el_set(
        el, EL_PROMPT, +[](EditLine* e) { return const_cast<char*>(owner(e)->prompt_.c_str()); });
    el_set(
        el, EL_GETCFN, +[](EditLine* e, wchar_t* out) { return owner(e)->readCharacter(out); });
    el_source(el, nullptr); // the person's ~/.editrc
}

LineEditorInput::~LineEditorInput() {
    flush();
}

void LineEditorInput::write(std::string_view bytes) {
    heldBack_.append(bytes);
    const std::size_t end = heldBack_.rfind('\n');
    if (end != std::string::npos) {
        writeAll(std::string_view(heldBack_).substr(0, end + 1));
        heldBack_.erase(0, end + 1);
    }
}

void LineEditorInput::flush() {
    writeAll(heldBack_);
    heldBack_.clear();
    std::fflush(stdout);
}

std::optional<std::string> LineEditorInput::nextLine() {
    if (TerminalSignals::hungUp()) {
        closed_ = true;
    }
    if (closed_) {
        return std::nullopt;
    }
    if (TerminalSignals::takeInterrupt()) {
        flush(); // Ctrl-C came while a command worked: this prompt is cancelled at once
        cancel_();
        return std::nullopt;
    }
    prompt_ = std::move(heldBack_);
    heldBack_.clear();
    std::optional<std::string> text;
    while (!(text = readLine()) && invalidText_ && !closed_) {
        // Never kept as raw bytes: the person types it again at the same prompt.
        invalidText_ = false;
        writeAll("Not UTF-8 text; the line was ignored. Type it again.\n");
    }
    invalidText_ = false;
    prompt_.clear();
    return text;
}

std::optional<std::string> LineEditorInput::readLine() {
    std::fflush(stdout);
    // libedit draws the prompt before it sets the terminal up for editing: a key pressed
    // right after the prompt appeared would still meet the line discipline.
    el_set(editor_->line, EL_PREP_TERM, 1);
    int count = 0;
    const char* line = el_gets(editor_->line, &count);
    // A read ended by ESC may still hand back what was typed so far: it is dropped.
    if (cancelled_) {
        cancelled_ = false;
        invalidText_ = false;
        cancel_();
        return std::nullopt;
    }
    if (line == nullptr || count <= 0 || closed_ || invalidText_) {
        return std::nullopt;
    }
    std::string text(line, static_cast<std::size_t>(count));
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    if (!text.empty()) {
        history(editor_->lines, &editor_->event, H_ENTER, text.c_str());
    }
    ++lineNumber_;
    if (typed_) {
        typed_();
    }
    return text;
}

// 1 with the byte, 0 when the terminal is gone, -1 for ESC (Ctrl-C came as a signal).
int LineEditorInput::readByte(unsigned char& byte) {
    for (;;) {
        const ssize_t n = ::read(STDIN_FILENO, &byte, 1);
        if (n == 1) {
            return 1;
        }
        if (n < 0 && errno == EINTR) {
            if (TerminalSignals::takeInterrupt()) {
                return -1;
            }
            if (!TerminalSignals::hungUp()) {
                continue;
            }
        }
        closed_ = true;
        return 0;
    }
}

bool LineEditorInput::escapeStandsAlone() const {
    pollfd input{STDIN_FILENO, POLLIN, 0};
    return ::poll(&input, 1, kSequenceGapMs) == 0;
}

// libedit's character reader: 1 with a character, 0 at the end of the input, -1 to end the
// read at once (ESC, Ctrl-C): libedit then drops the line being typed.
int LineEditorInput::readCharacter(wchar_t* out) {
    std::mbstate_t state{};
    for (;;) {
        unsigned char byte = 0;
        const int got = readByte(byte);
        if (got <= 0) {
            cancelled_ = got < 0;
            return got;
        }
        if (byte == kCtrlC || (byte == kEscape && escapeStandsAlone())) {
            cancelled_ = true;
            return -1;
        }
        if (byte == 0) {
            byte = kCtrlD; // a Ctrl-D typed ahead while no line was read reaches us as NUL
        }
        const char c = static_cast<char>(byte);
        const std::size_t used = std::mbrtowc(out, &c, 1, &state);
        if (used == static_cast<std::size_t>(-2)) {
            continue; // more bytes of this character follow
        }
        if (used == static_cast<std::size_t>(-1)) {
            state = std::mbstate_t{}; // not UTF-8: the line will be refused
            invalidText_ = true;
            // An ASCII byte that broke a sequence (ENTER after a stray lead byte) still counts.
            if (byte < 0x80 && std::mbrtowc(out, &c, 1, &state) == 1) {
                return 1;
            }
            continue;
        }
        return 1;
    }
}

} // namespace veld::ed
