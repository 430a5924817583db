// The command line of one session: asking for answers (from the session's input, or from the
// items acedCommand gives), echoing prompts and answers into the transcript, and the state that
// lives outside the drawing (system variables of the session, selection sets, the last point).
#pragma once
#include "acge.h"
#include "host/ed/SelectionSets.h"
#include "host/ed/Session.h"
#include "host/ed/SystemVariables.h"

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veld::ed {

// One item of acedCommand: a text, a number or a point.
struct CommandItem {
    enum class Type { Text, Number, Point };
    Type type = Type::Text;
    std::string text; // as it is echoed (a number or point formatted)
    double number = 0.0;
    AcGePoint3d point;
};

// A raw answer: a line (or item), RETURN, or ESC.
struct Answer {
    enum class Kind { Text, Return, Escape };
    Kind kind = Kind::Escape;
    std::string text;
    const CommandItem* item = nullptr; // set while the item is alive (acedCommand input)
    std::optional<ed::Pick> pick;      // the line stands for a click in a view
};

// How a prompt is shown to a front end with a pointer (see ed::PromptState).
struct PromptShape {
    using Kind = ed::PromptState::Kind;
    std::optional<Kind> kind; // unset: Point for a point prompt, else Keyword or Text
    std::optional<AcGePoint3d> base;
};

// What a typed prompt accepts; the first that fits wins (keywords before points and numbers).
struct InputSpec {
    bool point = false;
    bool number = false;
    std::vector<std::string> keywords;
    // Shown when nothing fits ("Invalid point."); the prompt is then asked again.
    std::string invalidMessage;
    PromptShape shape;
};

// The result of a typed prompt: RTNORM (point or number), RTKWORD (keyword), RTNONE (RETURN),
// RTCAN (ESC, end of input, a stopped run).
struct Input {
    int status = 0;
    AcGePoint3d point;
    double number = 0.0;
    std::string keyword;
    std::optional<ed::Pick> pick; // the point came from a click (never snapped at Select)
};

class CommandLine {
public:
    CommandLine();

    // Asks one answer. A prompt that takes any text takes a dialog-action line as text; other
    // prompts reject it (see reject).
    Answer ask(std::string_view prompt, const PromptShape& shape = {});
    // Asks until the answer fits what the prompt accepts, showing its message after each misfit.
    Input askInput(std::string_view prompt, const InputSpec& spec);
    // The line was not acceptable at this prompt: shows `message` so the same prompt can be
    // asked again, or, for a dialog-action line in a script with no dialog open, stops the run
    // (returns false then: the caller must answer as for ESC). A person is only told.
    bool reject(const Answer& answer, std::string_view message);

    // Host messages (always shown) and echo (prompts and answers, hidden while commands sent
    // by acedCommand run with CMDECHO 0).
    void message(std::string_view text);
    void echo(std::string_view text);
    bool echoing() const;

    // acedCommand: the items of the commands it sends are answered from these feeds.
    void pushItems(std::deque<CommandItem> items);
    void popItems();
    bool feeding() const { return !feeds_.empty(); }
    // Takes the next item of the innermost feed as a command name; false when none is left.
    bool nextFeedItem(CommandItem& item);

    // The command loop: QUIT asks it to end; RETURN at the command prompt repeats the last
    // command typed there.
    void requestQuit() { quitRequested_ = true; }
    bool quitRequested() const { return quitRequested_; }
    void clearQuit() { quitRequested_ = false; }
    const std::string& lastCommand() const { return lastCommand_; }
    void setLastCommand(std::string name) { lastCommand_ = std::move(name); }

    // A failure the run must report at its end although the script went on (a failed SAVE).
    void noteFailure(std::string reason) { failure_ = std::move(reason); }
    const std::string& failure() const { return failure_; }

    SystemVariables& variables() { return variables_; }
    SelectionSets& selectionSets() { return selectionSets_; }
    // The LASTPOINT variable: the base of "@" input, set by every point typed at a prompt.
    AcGePoint3d lastPoint() const;
    void setLastPoint(const AcGePoint3d& p);

private:
    Answer askSession(std::string_view prompt, bool showPrompt, const PromptShape& shape);
    Answer askFeed(std::string_view prompt, const PromptShape& shape);
    bool fits(const Answer& answer, const InputSpec& spec, Input& input) const;

    SystemVariables variables_;
    SelectionSets selectionSets_;
    std::vector<std::deque<CommandItem>> feeds_;
    CommandItem currentItem_;
    bool quitRequested_ = false;
    std::string lastCommand_;
    std::string failure_;
};

// The command line of the current session.
CommandLine& commandLine();

} // namespace veld::ed
