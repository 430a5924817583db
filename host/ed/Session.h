// The command-line session of the host: where answers come from, where the transcript goes, and
// whether a script has been stopped. One session is current at a time; tests make their own.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace veld::host {

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
    // Reads the next answer line; nullopt at the end of the input or after abort().
    std::optional<std::string> nextLine();

    // The transcript: everything the command line shows. Standard output by default.
    void print(std::string_view utf8);
    void setOutput(std::function<void(std::string_view)> sink) { output_ = std::move(sink); }

    // A script line that nothing could take: the run stops. From then on every prompt answers
    // ESC and every dialog cancels, so the running command unwinds through its normal paths.
    void abort(std::string reason);
    bool aborted() const { return aborted_; }
    const std::string& abortReason() const { return abortReason_; }

private:
    InputSource* input_ = nullptr;
    std::function<void(std::string_view)> output_;
    bool aborted_ = false;
    std::string abortReason_;
};

} // namespace veld::host
