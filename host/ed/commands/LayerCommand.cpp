// -LAYER: the command-line form of the layer command.
#include "host/ed/commands/LayerCommand.h"

#include "adsdef.h"
#include "host/ed/CommandLine.h"
#include "host/ed/CurrentDrawing.h"
#include "host/ed/DrawingVariables.h"
#include "host/ed/InputParser.h"
#include "host/ed/commands/LayerNames.h"

#include <array>
#include <cctype>
#include <cstdio>

namespace veld::ed {

namespace {

const std::vector<std::string> kOptions{"?",   "Make",  "Set",    "New", "ON",
                                        "OFF", "Color", "Freeze", "Thaw"};

const std::array<const char*, 8> kColorNames{"",     "red",  "yellow",  "green",
                                             "cyan", "blue", "magenta", "white"};

std::string colorText(int index) {
    return index >= 1 && index <= 7 ? std::to_string(index) + " (" + kColorNames[index] + ")"
                                    : std::to_string(index);
}

// Asks a text answer; nullopt for ESC. RETURN gives `fallback`.
std::optional<std::string> askText(const std::string& prompt, const std::string& fallback) {
    Answer a = commandLine().ask(prompt);
    if (a.kind == Answer::Kind::Escape) {
        return std::nullopt;
    }
    std::string text = InputParser::trim(a.text);
    return text.empty() ? fallback : text;
}

// Changes one layer record with `change`; the message names what went wrong.
template <class Change> bool changeLayer(AcDbObjectId id, Change change) {
    AcDbLayerTableRecord* record = nullptr;
    if (acdbOpenObject(record, id, AcDb::kForWrite) != Acad::eOk) {
        return false;
    }
    change(*record);
    record->close();
    return true;
}

std::optional<int> colorIndex(const std::string& text) {
    if (auto n = InputParser::integer(text, 1, 255)) {
        return static_cast<int>(*n);
    }
    std::string lower = text;
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    for (int i = 1; i <= 7; ++i) {
        if (lower == kColorNames[i]) {
            return i;
        }
    }
    return std::nullopt;
}

} // namespace

int LayerCommand::run() {
    CommandLine& cl = commandLine();
    InputSpec spec;
    spec.keywords = kOptions;
    spec.invalidMessage = "Invalid option keyword.";
    for (;;) {
        Input option =
            cl.askInput("\nEnter an option [?/Make/Set/New/ON/OFF/Color/Freeze/Thaw]: ", spec);
        if (option.status == RTNONE) {
            return RTNORM;
        }
        if (option.status != RTKWORD) {
            return RTCAN;
        }
        int result = RTNORM;
        if (option.keyword == "?") {
            result = list();
        } else if (option.keyword == "Make") {
            result = make();
        } else if (option.keyword == "Set") {
            result = set();
        } else if (option.keyword == "New") {
            result = createNew();
        } else if (option.keyword == "Color") {
            result = color();
        } else {
            result = switchState(option.keyword);
        }
        if (result == RTCAN) {
            return RTCAN;
        }
    }
}

int LayerCommand::make() {
    std::string current = DrawingVariables::currentLayer();
    auto name = askText(
        "\nEnter name for new layer (becomes the current layer) <" + current + ">: ", current);
    if (!name) {
        return RTCAN;
    }
    if (CurrentDrawing::layer(*name).isNull() && !LayerNames::create(*name)) {
        return RTNORM;
    }
    std::string refusal = DrawingVariables::setCurrentLayer(*name);
    if (!refusal.empty()) {
        commandLine().message("\n" + refusal);
    }
    return RTNORM;
}

int LayerCommand::set() {
    auto name = askText("\nEnter layer name to make current: ", "");
    if (!name) {
        return RTCAN;
    }
    if (!name->empty()) {
        std::string refusal = DrawingVariables::setCurrentLayer(*name);
        if (!refusal.empty()) {
            commandLine().message("\n" + refusal);
        }
    }
    return RTNORM;
}

int LayerCommand::createNew() {
    auto names = askText("\nEnter name list for new layer(s): ", "");
    if (!names) {
        return RTCAN;
    }
    for (const std::string& name : LayerNames::split(*names)) {
        if (CurrentDrawing::layer(name).isNull()) {
            LayerNames::create(name);
        }
    }
    return RTNORM;
}

int LayerCommand::switchState(const std::string& option) {
    const std::string current = DrawingVariables::currentLayer();
    std::string what = option == "ON"       ? "to turn On"
                       : option == "OFF"    ? "to turn Off"
                       : option == "Freeze" ? "to freeze"
                                            : "to thaw";
    auto names = askText("\nEnter name list of layer(s) " + what + ": ", "");
    if (!names) {
        return RTCAN;
    }
    if (names->empty()) {
        return RTNORM;
    }
    std::vector<std::pair<AcDbObjectId, std::string>> layers = LayerNames::matching(*names);
    if (layers.empty()) {
        commandLine().message("\nNo matching layer names found.");
    }
    for (const auto& [id, name] : layers) {
        if (option == "Freeze" && InputParser::upper(name) == InputParser::upper(current)) {
            commandLine().message("\nCannot freeze layer \"" + name +
                                  "\".  It is the CURRENT layer.");
            continue;
        }
        changeLayer(id, [&](AcDbLayerTableRecord& r) {
            if (option == "ON" || option == "OFF") {
                r.setIsOff(option == "OFF");
            } else {
                r.setIsFrozen(option == "Freeze");
            }
        });
    }
    return RTNORM;
}

int LayerCommand::color() {
    std::optional<int> index;
    while (!index) {
        auto text = askText("\nEnter color name or number (1-255): ", "");
        if (!text) {
            return RTCAN;
        }
        if (text->empty()) {
            return RTNORM;
        }
        index = colorIndex(*text);
        if (!index) {
            commandLine().message("\nInvalid color name or number.");
        }
    }
    std::string current = DrawingVariables::currentLayer();
    auto names = askText("\nEnter name list of layer(s) for color " + colorText(*index) + " <" +
                             current + ">: ",
                         current);
    if (!names) {
        return RTCAN;
    }
    std::vector<std::pair<AcDbObjectId, std::string>> layers = LayerNames::matching(*names);
    if (layers.empty()) {
        commandLine().message("\nNo matching layer names found.");
    }
    for (const auto& [id, name] : layers) {
        changeLayer(id, [&](AcDbLayerTableRecord& r) {
            AcCmColor c;
            c.setColorIndex(static_cast<Adesk::UInt16>(*index));
            r.setColor(c);
        });
    }
    return RTNORM;
}

int LayerCommand::list() {
    auto pattern = askText("\nEnter layer name(s) to list <*>: ", "*");
    if (!pattern) {
        return RTCAN;
    }
    CommandLine& cl = commandLine();
    cl.message("\n\nLayer name                     State        Color       Linetype");
    for (const auto& [id, name] : LayerNames::matching(*pattern)) {
        AcDbLayerTableRecord* r = nullptr;
        if (acdbOpenObject(r, id, AcDb::kForRead) != Acad::eOk) {
            continue;
        }
        std::string state = std::string(r->isOff() ? "Off" : "On") +
                            (r->isFrozen() ? " Frozen" : "") + (r->isLocked() ? " Locked" : "");
        char line[512];
        std::snprintf(line, sizeof line, "\n%-30s %-12s %-11s %s", name.c_str(), state.c_str(),
                      colorText(r->color().colorIndex()).c_str(),
                      LayerNames::linetypeName(r->linetypeObjectId()).c_str());
        r->close();
        cl.message(line);
    }
    cl.message("\n\nCurrent layer:  " + DrawingVariables::currentLayer());
    return RTNORM;
}

} // namespace veld::ed
