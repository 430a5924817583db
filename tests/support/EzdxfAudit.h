// Runs the independent ezdxf check (tests/support/ezdxf_check.py under /usr/bin/python3) on a
// DXF file, and veld's own reader on a file veld wrote. Every test that writes a DXF file checks
// it so: nothing veld writes may be unreadable to either.
#pragma once
#include <map>
#include <string>
#include <vector>

namespace veld::test {

struct EzdxfReport {
    bool ran = false;    // python and ezdxf were there and the script answered
    bool loaded = false; // ezdxf's strict loader took the file
    int exitCode = -1;
    int errorCount = 0;
    std::string version;
    std::map<std::string, int> counts;      // model space entities per type
    std::map<std::string, int> blockCounts; // entities per type in blocks that are no layout
    std::string json;                       // the script's whole answer, for messages
    std::string veldError; // why veld's own reader refused the file; empty when it read it

    // Loaded by both readers, and neither ezdxf's audit nor the extra checks found an error.
    bool clean() const { return ran && loaded && errorCount == 0 && veldError.empty(); }
};

// Checks `path`. `lenient` decodes bytes invalid in the file's code page (for files from other
// programs, which veld's reader is not asked to take). When python3 cannot import ezdxf the report
// says why and ran stays false.
EzdxfReport runEzdxfCheck(const std::string& path, bool lenient = false);
// Several files in one run of the script (one report per file, in order).
std::vector<EzdxfReport> runEzdxfChecks(const std::vector<std::string>& paths,
                                        bool lenient = false);

} // namespace veld::test

// Asserts that the file passes the check, printing the script's answer when it does not. A
// missing ezdxf fails the test: `make test` installs it.
#define EXPECT_EZDXF_CLEAN(path)                                                                   \
    do {                                                                                           \
        const auto veldEzdxfReport = ::veld::test::runEzdxfCheck(path);                            \
        EXPECT_TRUE(veldEzdxfReport.clean())                                                       \
            << (path) << ": " << veldEzdxfReport.json << veldEzdxfReport.veldError;                \
    } while (0)
