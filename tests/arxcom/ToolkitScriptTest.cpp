// The group scheme end to end in the real veld: lines drawn with the host's LINE command are
// grouped and tagged by the toolkit (test module command TKGROUP), and a pick on any member
// resolves through its tag to all members of the group (TKPICK).
#include "support/VeldWorkspace.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

namespace {

struct ScriptRun {
    int exitCode = -1;
    std::string transcript;
};

// Runs a script with the toolkit's test module in a fresh folder and profile.
ScriptRun runWithProbe(const std::vector<std::string>& lines) {
    veld::test::VeldWorkspace workspace;
    const veld::test::VeldResult result = workspace.run(
        {"run", workspace.script("probe.veld", lines).string(), "--module", VELD_TOOLKIT_PROBE});
    return {result.exitCode, result.out + result.err};
}

TEST(ToolkitScript, APickOnAnyMemberResolvesToAllMembersOfItsGroup) {
    const ScriptRun run = runWithProbe({
        "LINE",    "0,0",     "100,0",   "",      // member
        "LINE",    "0,10",    "100,10",  "",      // member
        "LINE",    "0,50",    "100,50",  "",      // not grouped
        "TKGROUP", "-10,-5",  "110,15",  "",      // window around the two members
        "TKPICK",  "50,0",    "TKPICK",  "50,10", // either member
        "TKPICK",  "50,50",                       // the untagged line
        "TKPICK",  "200,200", "300,300",          // nothing
    });
    ASSERT_EQ(run.exitCode, 0) << run.transcript;
    std::smatch made;
    ASSERT_TRUE(std::regex_search(run.transcript, made, std::regex("\nGroup (\\w+) of 2\n")))
        << run.transcript;
    const std::string group = made[1];

    // Both picks list the same two members.
    const std::regex resolved("\nGroup " + group + " has 2: (\\w+) (\\w+)\n");
    std::vector<std::smatch> lists(
        std::sregex_iterator(run.transcript.begin(), run.transcript.end(), resolved),
        std::sregex_iterator());
    ASSERT_EQ(lists.size(), 2u) << run.transcript;
    EXPECT_EQ(lists[0][0], lists[1][0]);
    EXPECT_NE(lists[0][1], lists[0][2]);

    EXPECT_NE(run.transcript.find("Select objects: 50,50\n1 found\nNo group\n"), std::string::npos)
        << run.transcript;
    EXPECT_NE(run.transcript.find("0 found\nｵﾌﾞｼﾞｪｸﾄが選択されていません"), std::string::npos)
        << run.transcript;
}

} // namespace
