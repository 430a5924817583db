// Runs ezdxf_check.py and reads its JSON answer (flat objects of counts suffice, so a small
// scanner does instead of a JSON library).
#include "support/EzdxfAudit.h"

#include "host/dxf/DrawingFile.h"
#include "support/CommandOutput.h"

#include <array>
#include <cstdio>
#include <sys/wait.h>

namespace veld::test {

namespace {

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

EzdxfReport reportFrom(const std::string& json, int exitCode) {
    EzdxfReport report;
    report.exitCode = exitCode;
    report.json = json;
    if (exitCode < 0 || exitCode > 2 || json.find('{') == std::string::npos ||
        json.find("\"no_ezdxf\"") != std::string::npos) {
        report.json = "ezdxf check did not run (is python3-ezdxf installed?): " + json;
        return report;
    }
    report.ran = true;
    report.loaded = hasTrue(json, "loaded");
    report.errorCount = intValue(json, "error_count");
    report.version = stringValue(json, "version");
    report.counts = countsValue(json, "counts");
    report.blockCounts = countsValue(json, "block_counts");
    return report;
}

} // namespace

std::vector<EzdxfReport> runEzdxfChecks(const std::vector<std::string>& paths, bool lenient) {
    const std::string script = std::string(VELD_SOURCE_DIR) + "/tests/support/ezdxf_check.py";
    std::string command = "/usr/bin/python3 " + shellQuote(script) + (lenient ? " --lenient" : "");
    for (const std::string& path : paths) {
        command += " " + shellQuote(path);
    }
    int exitCode = 0;
    const std::string output = runCommand(command + " 2>&1", exitCode);
    std::vector<EzdxfReport> reports;
    std::size_t start = 0;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::size_t end = output.find('\n', start);
        const std::string line = output.substr(start, end == std::string::npos ? end : end - start);
        // Each file's own result: the worst exit code only says something went wrong somewhere.
        int code = exitCode > 2 || exitCode < 0 ? exitCode : 0;
        if (code == 0) {
            code = line.find("\"loaded\": false") != std::string::npos ? 2
                   : intValue(line, "error_count") > 0                 ? 1
                                                                       : 0;
        }
        reports.push_back(reportFrom(line, line.empty() ? -1 : code));
        if (!lenient && !veld::dxf::openDrawing(paths[i], reports.back().veldError)) {
            reports.back().veldError = "veld's reader: " + reports.back().veldError;
        }
        start = end == std::string::npos ? output.size() : end + 1;
    }
    return reports;
}

EzdxfReport runEzdxfCheck(const std::string& path, bool lenient) {
    return runEzdxfChecks({path}, lenient).front();
}

} // namespace veld::test
