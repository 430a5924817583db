// SETVAR and the variable names typed as commands.
#include "host/ed/commands/SetvarCommand.h"

#include "adsdef.h"
#include "host/ed/CommandLine.h"
#include "host/ed/InputParser.h"

namespace veld::ed {

int SetvarCommand::run() {
    CommandLine& cl = commandLine();
    for (;;) {
        Answer a = cl.ask("\nEnter variable name or [?]: ");
        if (a.kind == Answer::Kind::Escape) {
            return RTCAN;
        }
        std::string name = InputParser::upper(InputParser::trim(a.text));
        if (name.empty()) {
            return RTNORM;
        }
        if (name == "?") {
            return list();
        }
        if (cl.variables().find(name) == nullptr) {
            if (!cl.reject(a, "Unknown variable name.  Type SETVAR ? for a list of variables.")) {
                return RTCAN;
            }
            continue;
        }
        return askValue(name);
    }
}

int SetvarCommand::list() {
    CommandLine& cl = commandLine();
    Answer a = cl.ask("\nEnter variable(s) to list <*>: ");
    if (a.kind == Answer::Kind::Escape) {
        return RTCAN;
    }
    std::string pattern = InputParser::upper(InputParser::trim(a.text));
    if (pattern.empty()) {
        pattern = "*";
    }
    SystemVariables& vars = cl.variables();
    for (const std::string& name : vars.names()) {
        if (InputParser::matchesWildcard(pattern, name)) {
            std::string line = "\n" + name;
            line.resize(std::max<std::size_t>(line.size(), 17), ' ');
            line += vars.display(name);
            if (vars.find(name)->readOnly) {
                line += "  (read only)";
            }
            cl.message(line);
        }
    }
    return RTNORM;
}

int SetvarCommand::askValue(const std::string& variableName) {
    CommandLine& cl = commandLine();
    SystemVariables& vars = cl.variables();
    const SystemVariables::Variable* variable = vars.find(variableName);
    if (variable == nullptr) {
        cl.message("\nUnknown variable name.  Type SETVAR ? for a list of variables.");
        return RTERROR;
    }
    if (variable->readOnly) {
        cl.message("\n" + variable->name + " = " + vars.display(variable->name) + " (read only)");
        return RTNORM;
    }
    for (;;) {
        Answer a = cl.ask("\nEnter new value for " + variable->name + " <" +
                          vars.display(variable->name) + ">: ");
        if (a.kind == Answer::Kind::Escape) {
            return RTCAN;
        }
        if (a.kind == Answer::Kind::Return) {
            return RTNORM;
        }
        // A text variable is emptied with a single '.', as on the original command line.
        std::string text = variable->type == SystemVariables::Type::Text
                               ? (InputParser::trim(a.text) == "." ? "" : a.text)
                               : InputParser::trim(a.text);
        std::string why;
        if (vars.setFromText(variable->name, text, why) == SystemVariables::Refusal::None) {
            return RTNORM;
        }
        if (!cl.reject(a, why)) {
            return RTCAN;
        }
    }
}

} // namespace veld::ed
