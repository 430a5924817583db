// A module source that includes a host internal. It is compiled only by the test "boundary",
// which passes when the compiler cannot find the header: the module sees the SDK headers and
// its own rooms, nothing else of the host.
#include "dbmain.h"
#include "host/db/DatabaseImpl.h"

int reachesIntoHostInternals() {
    return 0;
}
