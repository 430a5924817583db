// Stand-ins for the few command-line services of the host that the module's toolkit refers to,
// for test programs linked while the host's own command line is not part of the build. Each one
// hands the call to the host's definition when the host library has one.
#pragma once

namespace veldtest {

// Makes sure the stand-ins are linked into the test program (call it from a fixture).
void useHostStandIns();

} // namespace veldtest
