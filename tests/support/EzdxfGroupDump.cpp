// Runs ezdxf_group_dump.py and reads its tab-separated lines.
#include "support/EzdxfGroupDump.h"

#include "support/CommandOutput.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <sys/wait.h>

namespace veld::test {

namespace {

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos) {
            return fields;
        }
        start = tab + 1;
    }
}

EzdxfMember memberOf(const std::vector<std::string>& fields) {
    EzdxfMember member;
    member.handle = fields.size() > 1 ? fields[1] : "";
    member.type = fields.size() > 2 ? fields[2] : "";
    member.layer = fields.size() > 3 ? fields[3] : "";
    for (std::size_t i = 4; i + 2 < fields.size(); i += 3) {
        member.points.push_back({std::strtod(fields[i].c_str(), nullptr),
                                 std::strtod(fields[i + 1].c_str(), nullptr),
                                 std::strtod(fields[i + 2].c_str(), nullptr)});
    }
    return member;
}

// One line of the dump into the groups read so far; false for a line the dump does not make.
bool takeLine(const std::string& line, EzdxfGroupDump& dump) {
    const std::vector<std::string> fields = splitTabs(line);
    const std::string& kind = fields[0];
    if (kind == "GROUP") {
        dump.groups.push_back({fields.size() > 1 ? fields[1] : "", {}});
    } else if (kind == "MEMBER" && !dump.groups.empty()) {
        dump.groups.back().members.push_back(memberOf(fields));
    } else if (kind == "XDATA" && !dump.groups.empty() && !dump.groups.back().members.empty() &&
               fields.size() == 3) {
        dump.groups.back().members.back().xdata.emplace_back(std::atoi(fields[1].c_str()),
                                                             fields[2]);
    } else {
        return false;
    }
    return true;
}

} // namespace

std::vector<std::pair<int, std::string>> EzdxfMember::xdataOf(const std::string& appName) const {
    std::vector<std::pair<int, std::string>> items;
    bool inside = false;
    for (const auto& item : xdata) {
        if (item.first == 1001) {
            inside = item.second == appName;
        }
        if (inside) {
            items.push_back(item);
        }
    }
    return items;
}

EzdxfGroupDump dumpGroupsWithEzdxf(const std::string& path) {
    EzdxfGroupDump dump;
    const std::string script = std::string(VELD_SOURCE_DIR) + "/tests/support/ezdxf_group_dump.py";
    int exitCode = -1;
    const std::string output =
        runCommand("/usr/bin/python3 " + shellQuote(script) + " " + shellQuote(path), exitCode);
    if (exitCode != 0) {
        dump.error = "ezdxf group dump failed (" + std::to_string(exitCode) + "): " + output;
        return dump;
    }
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && !takeLine(line, dump)) {
            dump.error = "unexpected line from the ezdxf group dump: " + line;
            return dump;
        }
    }
    dump.loaded = true;
    return dump;
}

} // namespace veld::test
