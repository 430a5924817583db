// The trace hook of the placement commands. Traces are not shown in normal use.
#include "app/DebugTrace.h"

void DebugTrace(const char* /*text*/) {}
