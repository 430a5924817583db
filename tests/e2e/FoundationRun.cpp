// Foundation command scripts through the real veld, and their saved drawings read by ezdxf.
#include "FoundationRun.h"

#include "support/CommandOutput.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace veld::test {

namespace fs = std::filesystem;

namespace {

std::vector<std::string> split(const std::string& line, char separator) {
    std::vector<std::string> fields;
    std::stringstream in(line);
    std::string field;
    while (std::getline(in, field, separator)) {
        fields.push_back(field);
    }
    return fields;
}

std::string runPython(const std::string& script, const fs::path& argument) {
    int exitCode = 0;
    return veld::test::runCommand("/usr/bin/python3 " + veld::test::shellQuote(script) + " " +
                                      veld::test::shellQuote(argument.string()),
                                  exitCode);
}

} // namespace

fs::path gridDrawing() {
    return fs::path(VELD_SOURCE_DIR) / "support" / "sample" / "grid.dxf";
}

FoundationRun FoundationBench::run(const std::string& name, const std::vector<std::string>& lines,
                                   std::optional<fs::path> drawing) {
    FoundationRun run;
    run.saved = ws_.folder() / (name + ".dxf");
    const fs::path input = drawing.value_or(gridDrawing());
    std::vector<std::string> args{"run", ws_.script(name + ".veld", lines).string(), "--out",
                                  run.saved.string()};
    if (!input.empty()) {
        args.insert(args.end(), {"--drawing", input.string()});
    }
    run.result = ws_.run(args);
    run.dump = veld::test::dumpGroupsWithEzdxf(run.saved.string());
    return run;
}

std::vector<std::string> pageOk(std::vector<std::string> actions) {
    actions.push_back("ok");
    return actions;
}

std::vector<std::string> join(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> lines;
    for (const auto& part : parts) {
        lines.insert(lines.end(), part.begin(), part.end());
    }
    return lines;
}

std::size_t countOf(const std::string& text, const std::string& what) {
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos;
         at = text.find(what, at + what.size())) {
        ++count;
    }
    return count;
}

std::string recordItem(const veld::test::EzdxfMember& member, const std::string& app, int index) {
    const auto items = member.xdataOf(app);
    for (std::size_t i = 0; i + 1 < items.size(); ++i) {
        if (items[i].first == 1070 && items[i].second == std::to_string(index)) {
            return items[i + 1].second;
        }
    }
    return "";
}

std::string basePointOf(const veld::test::EzdxfGroup& group) {
    if (group.members.empty()) {
        return "";
    }
    for (const char* app : {"FOUND_DELTASHAPE", "FOUND_SQUARESHAPE"}) {
        const std::string point = recordItem(group.members.front(), app, 1);
        if (!point.empty()) {
            return point;
        }
    }
    return "";
}

std::vector<InsertSeen> insertsOf(const fs::path& dxf) {
    std::vector<InsertSeen> inserts;
    std::stringstream lines(runPython(VELD_SOURCE_DIR "/tests/e2e/ezdxf_inserts.py", dxf));
    std::string line;
    while (std::getline(lines, line)) {
        const std::vector<std::string> f = split(line, '\t');
        if (f.size() < 6 || f[0] == "ERROR") {
            continue;
        }
        InsertSeen seen{f[0],
                        std::stod(f[1]),
                        std::stod(f[2]),
                        std::stod(f[3]),
                        std::stod(f[4]),
                        std::stod(f[5]),
                        {}};
        for (std::size_t i = 6; i < f.size(); ++i) {
            const std::size_t eq = f[i].find('=');
            seen.attributes.emplace_back(f[i].substr(0, eq), f[i].substr(eq + 1));
        }
        inserts.push_back(std::move(seen));
    }
    return inserts;
}

// Group codes whose values are real numbers.
bool isRealCode(int code) {
    return (code >= 10 && code <= 59) || (code >= 110 && code <= 149) ||
           (code >= 210 && code <= 239) || (code >= 460 && code <= 469) ||
           (code >= 1010 && code <= 1059);
}

bool allNumbersFinite(const fs::path& dxf) {
    std::stringstream lines(readBytes(dxf));
    std::string code, value;
    while (std::getline(lines, code) && std::getline(lines, value)) {
        char* end = nullptr;
        const long number = std::strtol(code.c_str(), &end, 10);
        if (end == code.c_str() || !isRealCode(static_cast<int>(number))) {
            continue;
        }
        const double real = std::strtod(value.c_str(), &end);
        if (end == value.c_str() || !std::isfinite(real)) {
            return false;
        }
    }
    return true;
}

} // namespace veld::test
