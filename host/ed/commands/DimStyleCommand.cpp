// -DIMSTYLE: the command-line form of the dimension style command.
#include "host/ed/commands/DimStyleCommand.h"

#include "adsdef.h"
#include "host/ed/CommandLine.h"
#include "host/ed/CurrentDrawing.h"
#include "host/ed/InputParser.h"
#include "host/ed/OpenedObject.h"
#include "host/ed/StyleVariables.h"

#include <memory>

namespace veld::ed {

namespace {

const std::vector<std::string> kOptions{"Save", "Restore", "STatus", "Variables", "?"};

std::optional<std::string> askText(const std::string& prompt, const std::string& fallback) {
    Answer a = commandLine().ask(prompt);
    if (a.kind == Answer::Kind::Escape) {
        return std::nullopt;
    }
    std::string text = InputParser::trim(a.text);
    return text.empty() ? fallback : text;
}

// A new style with the current settings; eOk and the id, or the reason it was refused.
Acad::ErrorStatus addStyle(const std::string& name, AcDbObjectId current, AcDbObjectId& id) {
    Opened<AcDbDimStyleTableRecord> from;
    Acad::ErrorStatus es = from.open(current, AcDb::kForRead);
    if (es != Acad::eOk) {
        return es;
    }
    auto record = std::make_unique<AcDbDimStyleTableRecord>();
    if ((es = record->setName(name.c_str())) != Acad::eOk) {
        return es;
    }
    StyleVariables::copyDimVariables(*from.get(), *record);
    from.close();
    Opened<AcDbDimStyleTable> table;
    if ((es = CurrentDrawing::database()->getDimStyleTable(table.slot(), AcDb::kForWrite)) !=
            Acad::eOk ||
        (es = table->add(id, record.get())) != Acad::eOk) {
        return es;
    }
    record.release()->close();
    return Acad::eOk;
}

// The current settings written over an existing style.
void redefine(AcDbObjectId style, AcDbObjectId current) {
    if (style == current) {
        return;
    }
    Opened<AcDbDimStyleTableRecord> from, to;
    if (from.open(current, AcDb::kForRead) == Acad::eOk &&
        to.open(style, AcDb::kForWrite) == Acad::eOk) {
        StyleVariables::copyDimVariables(*from.get(), *to.get());
    }
}

} // namespace

int DimStyleCommand::run() {
    CommandLine& cl = commandLine();
    cl.message("\nCurrent dimension style: " + StyleVariables::currentDimStyle());
    InputSpec spec;
    spec.keywords = kOptions;
    spec.invalidMessage = "Invalid option keyword.";
    Input option = cl.askInput(
        "\nEnter a dimension style option [Save/Restore/STatus/Variables/?] <Restore>: ", spec);
    if (option.status == RTCAN) {
        return RTCAN;
    }
    const std::string keyword = option.status == RTNONE ? "Restore" : option.keyword;
    if (keyword == "Save") {
        return save();
    }
    if (keyword == "Restore") {
        return restore();
    }
    if (keyword == "STatus") {
        cl.message(StyleVariables::listDimVariables(CurrentDrawing::database()->dimstyle()));
        return RTNORM;
    }
    if (keyword == "Variables") {
        return variables();
    }
    auto pattern = askText("\nEnter dimension style(s) to list <*>: ", "*");
    return pattern ? list(*pattern) : RTCAN;
}

std::optional<std::string> DimStyleCommand::askStyleName(const std::string& prompt,
                                                         const std::string& fallback) {
    for (;;) {
        auto name = askText(prompt, fallback);
        if (!name || *name != "?") {
            return name;
        }
        auto pattern = askText("\nEnter dimension style(s) to list <*>: ", "*");
        if (!pattern) {
            return std::nullopt;
        }
        list(*pattern);
    }
}

int DimStyleCommand::save() {
    auto name = askStyleName("\nEnter name for new dimension style or [?]: ", "");
    if (!name) {
        return RTCAN;
    }
    if (name->empty()) {
        return RTNORM;
    }
    const AcDbObjectId current = CurrentDrawing::database()->dimstyle();
    const AcDbObjectId existing = StyleVariables::dimStyle(*name);
    if (!existing.isNull()) {
        auto answer = askText("\nThat name is already in use, redefine it? <N>: ", "N");
        if (!answer) {
            return RTCAN;
        }
        if (InputParser::upper(answer->substr(0, 1)) != "Y") {
            return RTNORM;
        }
        redefine(existing, current);
    } else {
        AcDbObjectId id;
        if (addStyle(*name, current, id) != Acad::eOk) {
            commandLine().message("\nInvalid dimension style name \"" + *name + "\".");
            return RTNORM;
        }
    }
    StyleVariables::setCurrentDimStyle(*name);
    return RTNORM;
}

int DimStyleCommand::restore() {
    const std::string current = StyleVariables::currentDimStyle();
    auto name = askStyleName("\nEnter a dimension style name or [?] <" + current + ">: ", current);
    if (!name) {
        return RTCAN;
    }
    const std::string refusal = StyleVariables::setCurrentDimStyle(*name);
    if (!refusal.empty()) {
        commandLine().message("\n" + refusal);
    }
    return RTNORM;
}

int DimStyleCommand::variables() {
    const std::string current = StyleVariables::currentDimStyle();
    auto name = askStyleName("\nEnter a dimension style name or [?] <" + current + ">: ", current);
    if (!name) {
        return RTCAN;
    }
    const AcDbObjectId style = StyleVariables::dimStyle(*name);
    if (style.isNull()) {
        commandLine().message("\nCannot find dimension style \"" + *name + "\".");
        return RTNORM;
    }
    commandLine().message("\nDimension style: " + StyleVariables::recordName(style) +
                          StyleVariables::listDimVariables(style));
    return RTNORM;
}

int DimStyleCommand::list(const std::string& pattern) {
    Opened<AcDbDimStyleTable> table;
    if (CurrentDrawing::database()->getDimStyleTable(table.slot(), AcDb::kForRead) != Acad::eOk) {
        return RTNORM;
    }
    const AcDbObjectIdArray ids = table->recordIds();
    table.close();
    std::string text = "\n\nNamed dimension styles:";
    for (const AcDbObjectId& id : ids) {
        const std::string name = StyleVariables::recordName(id);
        if (InputParser::matchesWildcard(pattern, name)) {
            text += "\n  " + name;
        }
    }
    commandLine().message(text + "\n");
    return RTNORM;
}

} // namespace veld::ed
