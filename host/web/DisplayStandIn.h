// A stand-in for the drawing's display description until the real one is merged: every visible
// entity of the current space as its outline (segments and points) with its colour, in JSON.
// Same interface as the display list the page's view reads.
#pragma once
#include "dbmain.h"

#include <string>

namespace veld::render {

class DisplayList {
public:
    static DisplayList build(const AcDbDatabase& db);
    std::string serialize() const { return body_; }
    // The stand-in has no deltas: the whole scene again.
    std::string serializeDelta(const DisplayList&) const { return body_; }
    static const char* contentType() { return "application/json"; }

private:
    std::string body_;
};

} // namespace veld::render
