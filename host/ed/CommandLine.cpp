// The command line of one session: answers from the input or from acedCommand's items, and the
// echo of prompts and answers into the transcript.
#include "host/ed/CommandLine.h"

#include "adsdef.h"
#include "host/ed/CurrentDrawing.h"
#include "host/ed/InputParser.h"
#include "host/ed/Session.h"
#include "host/snap/ObjectSnap.h"

namespace veld::ed {

namespace {

constexpr std::string_view kCancelEcho = "*Cancel*";
constexpr std::string_view kPause = "\\";

bool isEscapeLine(std::string_view line) {
    return InputParser::trim(line) == ed::Session::kCancelLine;
}

ed::PromptState promptState(std::string_view prompt, const PromptShape& shape) {
    ed::PromptState state;
    state.kind = shape.kind.value_or(ed::PromptState::Kind::Text);
    state.text = std::string(prompt);
    if (shape.base) {
        state.hasBase = true;
        state.base[0] = shape.base->x;
        state.base[1] = shape.base->y;
        state.base[2] = shape.base->z;
    }
    return state;
}

PromptShape shapeOf(const InputSpec& spec) {
    PromptShape shape = spec.shape;
    if (!shape.kind) {
        using Kind = PromptShape::Kind;
        shape.kind = spec.point
                         ? Kind::Point
                         : (!spec.keywords.empty() && !spec.number ? Kind::Keyword : Kind::Text);
    }
    return shape;
}

// A click at a point prompt lands on the object snap in reach (OSMODE, APERTURE pixels).
AcGePoint3d snappedPick(const ed::Pick& pick, const SystemVariables& variables) {
    AcGePoint3d clicked(pick.x, pick.y, 0.0);
    snap::SnapScene scene = snap::SnapScene::build(CurrentDrawing::database());
    snap::ObjectSnap snapper(scene, variables.integer("OSMODE"),
                             variables.integer("APERTURE") * pick.pixel);
    std::optional<snap::SnapHit> hit = snapper.find(clicked.convert2d());
    return hit ? AcGePoint3d(hit->point.x, hit->point.y, 0.0) : clicked;
}

} // namespace

CommandLine& commandLine() {
    return ed::Session::current().commandLine();
}

CommandLine::CommandLine() = default;

Answer CommandLine::ask(std::string_view prompt, const PromptShape& shape) {
    if (ed::Session::current().aborted()) {
        return Answer{};
    }
    return feeds_.empty() ? askSession(prompt, true, shape) : askFeed(prompt, shape);
}

Answer CommandLine::askSession(std::string_view prompt, bool showPrompt, const PromptShape& shape) {
    ed::Session& session = ed::Session::current();
    const bool interactive = session.interactive();
    if (interactive && showPrompt) {
        session.print(prompt);
    }
    session.waitingAt(promptState(prompt, shape));
    std::optional<std::string> line = session.nextLine();
    if (!line || isEscapeLine(*line)) {
        if (showPrompt) {
            session.print(interactive ? std::string(kCancelEcho)
                                      : std::string(prompt) + std::string(kCancelEcho));
        }
        return Answer{};
    }
    if (!interactive && showPrompt) {
        session.print(std::string(prompt) + *line);
    }
    Answer answer;
    answer.kind = line->empty() ? Answer::Kind::Return : Answer::Kind::Text;
    answer.text = std::move(*line);
    answer.pick = session.input()->lastPick();
    return answer;
}

Answer CommandLine::askFeed(std::string_view prompt, const PromptShape& shape) {
    std::deque<CommandItem>& feed = feeds_.back();
    if (feed.empty()) {
        echo(std::string(prompt) + std::string(kCancelEcho));
        return Answer{};
    }
    currentItem_ = std::move(feed.front());
    feed.pop_front();
    if (currentItem_.type == CommandItem::Type::Text && currentItem_.text == kPause) {
        return askSession(prompt, true, shape);
    }
    echo(std::string(prompt) + currentItem_.text);
    Answer answer;
    answer.kind = currentItem_.type == CommandItem::Type::Text && currentItem_.text.empty()
                      ? Answer::Kind::Return
                      : Answer::Kind::Text;
    answer.text = currentItem_.text;
    answer.item = &currentItem_;
    return answer;
}

Input CommandLine::askInput(std::string_view prompt, const InputSpec& spec) {
    for (;;) {
        Answer answer = ask(prompt, shapeOf(spec));
        Input input;
        if (answer.kind == Answer::Kind::Escape) {
            input.status = RTCAN;
            return input;
        }
        if (answer.kind == Answer::Kind::Return || InputParser::trim(answer.text).empty()) {
            input.status = RTNONE;
            return input;
        }
        if (fits(answer, spec, input)) {
            if (input.status == RTNORM && spec.point) {
                setLastPoint(input.point);
            }
            return input;
        }
        if (!reject(answer, spec.invalidMessage)) {
            input.status = RTCAN;
            return input;
        }
    }
}

bool CommandLine::fits(const Answer& answer, const InputSpec& spec, Input& input) const {
    if (answer.pick && spec.point) {
        // Typed coordinates are taken as typed; only clicks snap, and never to select.
        const bool snaps = shapeOf(spec).kind != PromptShape::Kind::Select;
        input.point = snaps ? snappedPick(*answer.pick, variables_)
                            : AcGePoint3d(answer.pick->x, answer.pick->y, 0.0);
        input.pick = answer.pick;
        input.status = RTNORM;
        return true;
    }
    const CommandItem* item = answer.item;
    if (item != nullptr && item->type == CommandItem::Type::Point) {
        input.point = item->point;
        input.status = RTNORM;
        return spec.point;
    }
    if (item != nullptr && item->type == CommandItem::Type::Number) {
        input.number = item->number;
        input.status = RTNORM;
        return spec.number;
    }
    if (auto kw = InputParser::keyword(answer.text, spec.keywords)) {
        input.keyword = *kw;
        input.status = RTKWORD;
        return true;
    }
    if (spec.point) {
        if (auto p = InputParser::point(answer.text, lastPoint())) {
            input.point = *p;
            input.status = RTNORM;
            return true;
        }
    }
    if (spec.number) {
        if (auto v = InputParser::number(answer.text)) {
            input.number = *v;
            input.status = RTNORM;
            return true;
        }
    }
    return false;
}

bool CommandLine::reject(const Answer& answer, std::string_view message) {
    if (answer.item == nullptr && !ed::Session::current().interactive() &&
        InputParser::isDialogAction(answer.text)) {
        ed::Session::current().abort("\"" + InputParser::trim(answer.text) +
                                     "\" is a dialog action, but no dialog is open");
        return false;
    }
    this->message("\n" + std::string(message));
    return !ed::Session::current().aborted();
}

AcGePoint3d CommandLine::lastPoint() const {
    const std::optional<SystemVariables::Value> value = variables_.value("LASTPOINT");
    const AcGePoint3d* point = value ? std::get_if<AcGePoint3d>(&*value) : nullptr;
    return point != nullptr ? *point : AcGePoint3d();
}

void CommandLine::setLastPoint(const AcGePoint3d& p) {
    std::string why;
    variables_.set("LASTPOINT", SystemVariables::Value(p), why);
}

void CommandLine::message(std::string_view text) {
    ed::Session::current().print(text);
}

void CommandLine::echo(std::string_view text) {
    if (echoing()) {
        ed::Session::current().print(text);
    }
}

bool CommandLine::echoing() const {
    return feeds_.empty() || variables_.commandEcho();
}

void CommandLine::pushItems(std::deque<CommandItem> items) {
    feeds_.push_back(std::move(items));
}

void CommandLine::popItems() {
    if (!feeds_.empty()) {
        feeds_.pop_back();
    }
}

bool CommandLine::nextFeedItem(CommandItem& item) {
    if (feeds_.empty() || feeds_.back().empty()) {
        return false;
    }
    item = std::move(feeds_.back().front());
    feeds_.back().pop_front();
    return true;
}

} // namespace veld::ed
