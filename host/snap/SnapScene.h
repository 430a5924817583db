// The shapes object snaps look at, taken from the current space in one pass: straight segments,
// circles and arcs, and point entities (nodes), lightweight and old-style 2D/3D polylines; block
// references add their block's shapes where they place them. A scene is a plain copy, so another
// thread may search it while the drawing changes.
#pragma once
#include "dbents.h"
#include "host/render/OldPolylineDisplay.h"

#include <vector>

namespace veld::snap {

struct SnapSegment {
    AcGePoint2d a, b;
};

// A circle when `full`; otherwise the arc runs counter-clockwise from `start` to `end`.
struct SnapArc {
    AcGePoint2d center;
    double radius = 0.0;
    double start = 0.0;
    double end = 0.0;
    bool full = true;
    bool covers(double angle) const;
    AcGePoint2d at(double angle) const;
};

class SnapScene {
public:
    // The visible shapes of the database's current space (empty for a null database).
    static SnapScene build(AcDbDatabase* db);

    std::vector<SnapSegment> segments;
    std::vector<SnapArc> arcs;
    std::vector<AcGePoint2d> nodes;

private:
    // An old-style POLYLINE whose VERTEX entities are being collected.
    struct OldPolyline {
        bool open = false;
        AcGeMatrix3d m;
        int flags = 0;
        double elevation = 0.0;
        std::vector<render::PolylineVertex> vertices;
    };

    void addEntity(const AcDbEntity* entity, const AcGeMatrix3d& toWorld, int depth,
                   OldPolyline& polyline);
    void addBlock(AcDbObjectId blockId, const AcGeMatrix3d& toWorld, int depth);
    void addArc(const AcGeMatrix3d& m, const AcGePoint3d& center, double radius, double start,
                double end, bool full);
    void addPolyline(const AcGeMatrix3d& m, const AcDbPolyline& pl);
    void addOldPolyline(OldPolyline& polyline);
    void addPath(const AcGeMatrix3d& m, const std::vector<AcGePoint3d>& points,
                 const std::vector<double>& bulges, bool closed);
};

} // namespace veld::snap
