// Object selection on the command line: picks (the nearest visible entity within PICKDIST of a
// typed point), windows (entities fully inside, corners given left to right) and crossings
// (entities touching, corners given right to left), and the drawing-wide modes of acedSSGet.
#pragma once
#include "adsdef.h"
#include "dbmain.h"
#include "host/ed/EntityGeometry.h"

#include <vector>

namespace veld::ed {

class Selector {
public:
    // The selectable entities: those of the current space on layers that are on and thawed.
    Selector();

    // Asks "Select objects:" until RETURN (or once with `single`). RTNORM with at least one
    // entity, RTERROR when nothing was selected, RTCAN on ESC.
    int ask(bool single, std::vector<AcDbObjectId>& selected);

    // The nearest entity within PICKDIST; a click (`pixel` > 0, the size of a screen pixel)
    // measures PICKDIST in pixels.
    AcDbObjectId pick(const AcGePoint2d& p, double pixel = 0.0) const;
    std::vector<AcDbObjectId> window(const Rectangle& r) const;
    std::vector<AcDbObjectId> crossing(const Rectangle& r) const;
    std::vector<AcDbObjectId> all() const;

private:
    struct Candidate {
        AcDbObjectId id;
        Outline outline;
    };
    // One attempt at "Select objects:"; RTNORM (something or nothing found), RTNONE, RTCAN.
    int attempt(std::vector<AcDbObjectId>& selected);
    std::vector<Candidate> candidates_;
};

} // namespace veld::ed
