// The command-line session of the host: where answers come from, where the transcript goes, and
// whether a script has been stopped. One session is current at a time; tests make their own.
#pragma once
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace veld::ed {
class CommandLine;
}

namespace veld::ed {

// A click in a drawing view: the point under the cursor in drawing coordinates and the size of
// one screen pixel there (pick boxes and snap apertures are given in pixels). `startsWindow`
// marks the first corner of a dragged window, which never picks an object by itself.
struct Pick {
    double x = 0.0;
    double y = 0.0;
    double pixel = 0.0;
    bool startsWindow = false;
};

// What the session waits for, told to a front end before each answer is read: the kind of
// answer, the prompt's text and, for rubber bands and window boxes, the base point.
struct PromptState {
    enum class Kind { Command, Point, Corner, Select, Text, Keyword };
    Kind kind = Kind::Command;
    std::string text;
    bool hasBase = false;
    double base[3] = {0.0, 0.0, 0.0};
};

// Where answers come from: a script file, a terminal, a test's list of lines.
class InputSource {
public:
    virtual ~InputSource() = default;
    // The next line (without its line end); nullopt at the end of the input, which every
    // prompt takes as ESC.
    virtual std::optional<std::string> nextLine() = 0;
    // The number of the line last returned (1-based), for error messages.
    virtual int lineNumber() const = 0;
    // A person at a terminal (prompts are shown before reading) rather than a script.
    virtual bool isInteractive() const = 0;
    // The last end of input was typed by a person who is still there to answer (Ctrl-D at a
    // terminal), rather than the end of a script or a closed terminal.
    virtual bool personStillThere() const { return false; }
    // The line last returned stands for a click in a view (a front end with a pointer); the
    // line itself then holds the same point as text.
    virtual std::optional<Pick> lastPick() const { return std::nullopt; }
};

class Session {
public:
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // The current session; a default one (standard output, no input) exists from the start.
    static Session& current();
    // Makes `session` current until the returned guard's end (tests, nested runs).
    class Scope {
    public:
        explicit Scope(Session& session);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        Session* previous_;
    };

    void setInput(InputSource* input) { input_ = input; }
    InputSource* input() const { return input_; }
    bool interactive() const { return input_ != nullptr && input_->isInteractive(); }
    // Reads the next answer line; nullopt at the end of the input or after abort(). Lines that
    // start with ';' are comments and are skipped; a trailing CR and a leading UTF-8 byte-order
    // mark are dropped.
    std::optional<std::string> nextLine();
    // The line number of the line last read (0 before the first).
    int lineNumber() const;
    // The observer is told what the session waits for each time before a line is read at a
    // prompt; a front end shows the prompt kind (rubber band, pick box) from it.
    void setPromptObserver(std::function<void(const PromptState&)> observer) {
        promptObserver_ = std::move(observer);
    }
    void waitingAt(const PromptState& state) const {
        if (promptObserver_) {
            promptObserver_(state);
        }
    }

    // ESC from the person (a key at the terminal, a call from another front end): the read in
    // progress, or else the next one, answers kCancelLine, which every prompt takes as ESC and
    // a dialog as its Cancel. An input source blocked in a read returns nullopt after calling
    // this. Safe from another thread.
    void cancel() { cancelPending_ = true; }
    static constexpr std::string_view kCancelLine = "^C";

    // The transcript: everything the command line shows, exactly as printed (texts begin with
    // "\n" to start a new line, as on the original command line; see TranscriptFilter for the
    // console's view). Standard output by default.
    void print(std::string_view utf8);
    void setOutput(std::function<void(std::string_view)> sink) { output_ = std::move(sink); }
    // Ends the line being written, if one is open (the end of a run).
    void finishLine();

    // A script line that nothing could take: the run stops. From then on every prompt answers
    // ESC and every dialog cancels, so the running command unwinds through its normal paths.
    // The reason is prefixed with "line N: " (the line last read) unless it starts with "line ".
    void abort(std::string reason);
    bool aborted() const { return aborted_; }
    const std::string& abortReason() const { return abortReason_; }

    // The command-line state of this session (system variables that live outside the drawing,
    // selection sets, command echo).
    ed::CommandLine& commandLine() { return *commandLine_; }

private:
    void write(std::string_view text);

    InputSource* input_ = nullptr;
    std::function<void(std::string_view)> output_;
    std::atomic<bool> cancelPending_ = false;
    std::function<void(const PromptState&)> promptObserver_;
    bool aborted_ = false;
    std::string abortReason_;
    bool atLineStart_ = true;
    bool firstLineRead_ = false;
    std::unique_ptr<ed::CommandLine> commandLine_;
};

} // namespace veld::ed
