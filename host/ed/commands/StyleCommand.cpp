// -STYLE: the command-line form of the text style command.
#include "host/ed/commands/StyleCommand.h"

#include "adsdef.h"
#include "dbsymtb.h"
#include "host/ed/CommandLine.h"
#include "host/ed/CurrentDrawing.h"
#include "host/ed/InputParser.h"
#include "host/ed/OpenedObject.h"
#include "host/ed/StyleVariables.h"

#include <cstdio>
#include <memory>
#include <optional>

namespace veld::ed {

namespace {

// A number typed at `prompt`, at least `minimum`; RETURN keeps `current`. nullopt for ESC.
std::optional<double> askNumber(const std::string& prompt, double current, double minimum,
                                const char* tooSmall) {
    InputSpec spec;
    spec.number = true;
    spec.invalidMessage = "Requires numeric value.";
    for (;;) {
        Input in = commandLine().askInput(prompt, spec);
        if (in.status == RTCAN) {
            return std::nullopt;
        }
        const double value = in.status == RTNONE ? current : in.number;
        if (value >= minimum) {
            return value;
        }
        commandLine().message(tooSmall);
    }
}

void copyFontValues(const AcDbTextStyleTableRecord& from, AcDbTextStyleTableRecord& to) {
    to.setFileName(from.fileName().c_str());
    to.setBigFontFileName(from.bigFontFileName().c_str());
    to.setTextSize(from.textSize());
    to.setXScale(from.xScale());
}

std::string fixed4(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.4f", value);
    return text;
}

} // namespace

int StyleCommand::run() {
    CommandLine& cl = commandLine();
    std::string name;
    for (;;) {
        const std::string current = StyleVariables::currentTextStyle();
        Answer a = cl.ask("\nEnter name of text style or [?] <" + current + ">: ");
        if (a.kind == Answer::Kind::Escape) {
            return RTCAN;
        }
        name = InputParser::trim(a.text);
        if (name != "?") {
            name = name.empty() ? current : name;
            break;
        }
        list();
    }
    AcDbObjectId id = StyleVariables::textStyle(name);
    // The answers go to a copy first, so that ESC halfway leaves the style as it was.
    auto answers = std::make_unique<AcDbTextStyleTableRecord>();
    if (id.isNull()) {
        if (answers->setName(name.c_str()) != Acad::eOk) {
            cl.message("\nInvalid text style name \"" + name + "\".");
            return RTNORM;
        }
        cl.message("\nNew style.");
    } else {
        Opened<AcDbTextStyleTableRecord> existing;
        if (existing.open(id, AcDb::kForRead) != Acad::eOk) {
            return RTERROR;
        }
        copyFontValues(*existing.get(), *answers);
        cl.message("\nExisting style.");
    }
    if (askProperties(*answers) == RTCAN) {
        return RTCAN;
    }
    if (id.isNull()) {
        Opened<AcDbTextStyleTable> table;
        if (CurrentDrawing::database()->getTextStyleTable(table.slot(), AcDb::kForWrite) !=
                Acad::eOk ||
            table->add(id, answers.get()) != Acad::eOk) {
            return RTERROR;
        }
        answers.release()->close();
    } else {
        Opened<AcDbTextStyleTableRecord> existing;
        if (existing.open(id, AcDb::kForWrite) != Acad::eOk) {
            return RTERROR;
        }
        copyFontValues(*answers, *existing.get());
    }
    StyleVariables::setCurrentTextStyle(name);
    cl.message("\n\"" + StyleVariables::recordName(id) + "\" is now the current text style.");
    return RTNORM;
}

int StyleCommand::askProperties(AcDbTextStyleTableRecord& style) {
    Answer font = commandLine().ask("\nSpecify full font name or font filename (TTF or SHX) <" +
                                    style.fileName() + ">: ");
    if (font.kind == Answer::Kind::Escape) {
        return RTCAN;
    }
    const std::string fontName = InputParser::trim(font.text);
    if (!fontName.empty()) {
        style.setFileName(fontName.c_str());
    }
    auto height =
        askNumber("\nSpecify height of text <" + fixed4(style.textSize()) + ">: ", style.textSize(),
                  0.0, "\nValue must be 0 or more.");
    if (!height) {
        return RTCAN;
    }
    style.setTextSize(*height);
    auto width =
        askNumber("\nSpecify width factor <" + fixed4(style.xScale()) + ">: ", style.xScale(), 0.01,
                  "\nValue must be 0.01 or more.");
    if (!width) {
        return RTCAN;
    }
    style.setXScale(*width);
    return RTNORM;
}

int StyleCommand::list() {
    Answer a = commandLine().ask("\nEnter text style(s) to list <*>: ");
    if (a.kind == Answer::Kind::Escape) {
        return RTCAN;
    }
    const std::string typed = InputParser::trim(a.text);
    const std::string pattern = typed.empty() ? "*" : typed;
    Opened<AcDbTextStyleTable> table;
    if (CurrentDrawing::database()->getTextStyleTable(table.slot(), AcDb::kForRead) != Acad::eOk) {
        return RTNORM;
    }
    const AcDbObjectIdArray ids = table->recordIds();
    table.close();
    std::string text;
    for (const AcDbObjectId& id : ids) {
        Opened<AcDbTextStyleTableRecord> r;
        if (r.open(id, AcDb::kForRead) != Acad::eOk ||
            !InputParser::matchesWildcard(pattern, r->name())) {
            continue;
        }
        text += "\n\nStyle name: \"" + r->name() + "\"  Font files: " + r->fileName() +
                "\n   Height: " + fixed4(r->textSize()) + "  Width factor: " + fixed4(r->xScale());
    }
    commandLine().message(text + "\n\nCurrent text style:  " + StyleVariables::currentTextStyle());
    return RTNORM;
}

} // namespace veld::ed
