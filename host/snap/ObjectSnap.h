// Object snaps: the point a click near an entity stands for, chosen by the OSMODE bits
// (endpoint 1, midpoint 2, centre 4, node 8, quadrant 16, intersection 32, nearest 512) within
// the aperture around the cursor. The closest snap point wins; nearest only when nothing else
// is in reach. Bit 16384 turns all snaps off.
#pragma once
#include "host/snap/SnapScene.h"

#include <optional>

namespace veld::snap {

enum SnapMode : int {
    kEndpoint = 1,
    kMidpoint = 2,
    kCenter = 4,
    kNode = 8,
    kQuadrant = 16,
    kIntersection = 32,
    kNearest = 512,
    kSnapsOff = 16384,
};

struct SnapHit {
    AcGePoint2d point;
    SnapMode mode = kEndpoint;
};

class ObjectSnap {
public:
    // `aperture` is the reach around the cursor in drawing units.
    ObjectSnap(const SnapScene& scene, int osmode, double aperture)
        : scene_(scene), osmode_(osmode), aperture_(aperture) {}

    std::optional<SnapHit> find(const AcGePoint2d& cursor);

    // The crossings of two shapes (exact on axis-parallel lines).
    static std::vector<AcGePoint2d> intersect(const SnapSegment& s, const SnapSegment& t);
    static std::vector<AcGePoint2d> intersect(const SnapSegment& s, const SnapArc& arc);
    static std::vector<AcGePoint2d> intersect(const SnapArc& a, const SnapArc& b);

private:
    bool on(SnapMode mode) const { return (osmode_ & mode) != 0; }
    void offer(const AcGePoint2d& p, SnapMode mode, std::optional<SnapHit>& best,
               double& bestDistance) const;
    void offerAt(const AcGePoint2d& p, SnapMode mode, double distance, std::optional<SnapHit>& best,
                 double& bestDistance) const;
    void offerSegment(const SnapSegment& s, std::optional<SnapHit>& best, double& d) const;
    void offerArc(const SnapArc& arc, std::optional<SnapHit>& best, double& d) const;
    void offerIntersections(std::optional<SnapHit>& best, double& d) const;
    std::optional<SnapHit> nearest() const;

    const SnapScene& scene_;
    int osmode_;
    double aperture_;
    AcGePoint2d cursor_;
};

} // namespace veld::snap
