// The groups of a saved drawing as ezdxf reads them back: members in group order with their
// type, layer, defining points and raw extended data, so tests can check a written drawing
// through a reader nobody on the team wrote.
#pragma once
#include <string>
#include <utility>
#include <vector>

namespace veld::test {

struct EzdxfPoint {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

struct EzdxfMember {
    std::string handle;
    std::string type; // DXF entity type: LINE, POINT, DIMENSION, TEXT, INSERT ...
    std::string layer;
    // LINE start, end; POINT location; DIMENSION defpoint (dimension line), defpoint2, defpoint3
    // (extension line origins); TEXT insert, align point; INSERT insert.
    std::vector<EzdxfPoint> points;
    // Every extended-data item as stored, applications in turn (1001 items included); points
    // as "x,y,z" with each number in Python's shortest form.
    std::vector<std::pair<int, std::string>> xdata;

    // The items of one application, from its 1001 item up to the next 1001; empty when absent.
    std::vector<std::pair<int, std::string>> xdataOf(const std::string& appName) const;
};

struct EzdxfGroup {
    std::string handle;
    std::vector<EzdxfMember> members;
};

struct EzdxfGroupDump {
    bool loaded = false;
    std::string error; // why the file did not load or the script did not run
    std::vector<EzdxfGroup> groups;
};

// Runs tests/support/ezdxf_group_dump.py (under /usr/bin/python3) on the file.
EzdxfGroupDump dumpGroupsWithEzdxf(const std::string& path);

} // namespace veld::test
