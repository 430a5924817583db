// The trace hook of the placement commands: it takes one text and shows nothing.
#pragma once

void DebugTrace(const char* text);
