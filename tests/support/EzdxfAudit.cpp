// Runs ezdxf_check.py and reads its JSON answer (flat objects of counts suffice, so a small
// scanner does instead of a JSON library).
#include "support/EzdxfAudit.h"

#include <array>
#include <cstdio>
#include <sys/wait.h>

namespace veld::test {

namespace {

std::string shellQuote(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return out + "'";
}

std::string runCommand(const std::string& command, int& exitCode) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        exitCode = -1;
        return output;
    }
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        output.append(buffer.data(), n);
    }
    const int status = pclose(pipe);
    exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return output;
}

bool hasTrue(const std::string& json, const std::string& key) {
    return json.find("\"" + key + "\": true") != std::string::npos;
}

int intValue(const std::string& json, const std::string& key) {
    const auto at = json.find("\"" + key + "\": ");
    return at == std::string::npos ? 0 : std::atoi(json.c_str() + at + key.size() + 4);
}

std::string stringValue(const std::string& json, const std::string& key) {
    const auto at = json.find("\"" + key + "\": \"");
    if (at == std::string::npos) {
        return {};
    }
    const auto start = at + key.size() + 5;
    return json.substr(start, json.find('"', start) - start);
}

// {"LINE": 3, "ATTRIB(attached)": 2}: type names hold no quotes.
std::map<std::string, int> countsValue(const std::string& json, const std::string& key) {
    std::map<std::string, int> counts;
    auto at = json.find("\"" + key + "\": {");
    if (at == std::string::npos) {
        return counts;
    }
    at += key.size() + 5;
    const auto end = json.find('}', at);
    while (true) {
        const auto open = json.find('"', at);
        if (open == std::string::npos || open > end) {
            break;
        }
        const auto close = json.find('"', open + 1);
        counts[json.substr(open + 1, close - open - 1)] = std::atoi(json.c_str() + close + 3);
        at = close + 1;
    }
    return counts;
}

} // namespace

EzdxfReport runEzdxfCheck(const std::string& path, bool lenient) {
    EzdxfReport report;
    const std::string script = std::string(VELD_SOURCE_DIR) + "/tests/support/ezdxf_check.py";
    const std::string command = "/usr/bin/python3 " + shellQuote(script) +
                                (lenient ? " --lenient " : " ") + shellQuote(path) + " 2>&1";
    report.json = runCommand(command, report.exitCode);
    if (report.exitCode < 0 || report.exitCode > 2 || report.json.find('{') == std::string::npos) {
        report.json = "ezdxf check did not run (is python3-ezdxf installed?): " + report.json;
        return report;
    }
    report.ran = true;
    report.loaded = hasTrue(report.json, "loaded");
    report.errorCount = intValue(report.json, "error_count");
    report.version = stringValue(report.json, "version");
    report.counts = countsValue(report.json, "counts");
    report.blockCounts = countsValue(report.json, "block_counts");
    return report;
}

} // namespace veld::test
