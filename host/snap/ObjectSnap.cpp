// Finding the snap point under the cursor.
#include "host/snap/ObjectSnap.h"

#include <algorithm>
#include <cmath>

namespace veld::snap {

namespace {

double segmentDistance(const AcGePoint2d& p, const SnapSegment& s) {
    AcGeVector2d ab = s.b - s.a;
    double lengthSquared = ab.dotProduct(ab);
    double t =
        lengthSquared > 0.0 ? std::clamp((p - s.a).dotProduct(ab) / lengthSquared, 0.0, 1.0) : 0.0;
    return p.distanceTo(s.a + ab * t);
}

double arcDistance(const AcGePoint2d& p, const SnapArc& arc) {
    double angle = std::atan2(p.y - arc.center.y, p.x - arc.center.x);
    if (arc.covers(angle)) {
        return std::abs(p.distanceTo(arc.center) - arc.radius);
    }
    return std::min(p.distanceTo(arc.at(arc.start)), p.distanceTo(arc.at(arc.end)));
}

bool onSegment(const AcGePoint2d& p, const SnapSegment& s) {
    const double slack = 1e-9 * std::max(1.0, s.a.distanceTo(s.b));
    return segmentDistance(p, s) <= slack;
}

bool onArc(const AcGePoint2d& p, const SnapArc& arc) {
    return arc.covers(std::atan2(p.y - arc.center.y, p.x - arc.center.x));
}

} // namespace

std::vector<AcGePoint2d> ObjectSnap::intersect(const SnapSegment& s, const SnapSegment& t) {
    AcGeVector2d r = s.b - s.a;
    AcGeVector2d q = t.b - t.a;
    double denominator = r.x * q.y - r.y * q.x;
    if (denominator == 0.0) {
        return {};
    }
    AcGeVector2d w = t.a - s.a;
    double u = (w.x * q.y - w.y * q.x) / denominator;
    AcGePoint2d p = s.a + r * u;
    // Grid lines run along the axes: take their coordinates as they are, not as computed.
    for (const SnapSegment* line : {&s, &t}) {
        if (line->a.x == line->b.x) {
            p.x = line->a.x;
        }
        if (line->a.y == line->b.y) {
            p.y = line->a.y;
        }
    }
    if (!onSegment(p, s) || !onSegment(p, t)) {
        return {};
    }
    return {p};
}

std::vector<AcGePoint2d> ObjectSnap::intersect(const SnapSegment& s, const SnapArc& arc) {
    AcGeVector2d d = s.b - s.a;
    AcGeVector2d f = s.a - arc.center;
    double a = d.dotProduct(d);
    double b = 2.0 * f.dotProduct(d);
    double c = f.dotProduct(f) - arc.radius * arc.radius;
    double discriminant = b * b - 4.0 * a * c;
    if (a == 0.0 || discriminant < 0.0) {
        return {};
    }
    std::vector<AcGePoint2d> out;
    double root = std::sqrt(discriminant);
    for (double t : {(-b - root) / (2.0 * a), (-b + root) / (2.0 * a)}) {
        AcGePoint2d p = s.a + d * t;
        if (t >= -1e-12 && t <= 1.0 + 1e-12 && onArc(p, arc)) {
            out.push_back(p);
        }
    }
    return out;
}

std::vector<AcGePoint2d> ObjectSnap::intersect(const SnapArc& a, const SnapArc& b) {
    double d = a.center.distanceTo(b.center);
    if (d == 0.0 || d > a.radius + b.radius || d < std::abs(a.radius - b.radius)) {
        return {};
    }
    double along = (d * d + a.radius * a.radius - b.radius * b.radius) / (2.0 * d);
    double h = std::sqrt(std::max(0.0, a.radius * a.radius - along * along));
    AcGeVector2d unit = (b.center - a.center) * (1.0 / d);
    AcGePoint2d mid = a.center + unit * along;
    AcGeVector2d normal(-unit.y, unit.x);
    std::vector<AcGePoint2d> out;
    for (const AcGePoint2d& p : {mid + normal * h, mid - normal * h}) {
        if (onArc(p, a) && onArc(p, b)) {
            out.push_back(p);
        }
    }
    return out;
}

std::optional<SnapHit> ObjectSnap::find(const AcGePoint2d& cursor) {
    if ((osmode_ & kSnapsOff) != 0 || aperture_ <= 0.0) {
        return std::nullopt;
    }
    cursor_ = cursor;
    std::optional<SnapHit> best;
    double bestDistance = aperture_;
    for (const SnapSegment& s : scene_.segments) {
        offerSegment(s, best, bestDistance);
    }
    for (const SnapArc& arc : scene_.arcs) {
        offerArc(arc, best, bestDistance);
    }
    if (on(kNode)) {
        for (const AcGePoint2d& p : scene_.nodes) {
            offer(p, kNode, best, bestDistance);
        }
    }
    if (on(kIntersection)) {
        offerIntersections(best, bestDistance);
    }
    return best ? best : nearest();
}

void ObjectSnap::offer(const AcGePoint2d& p, SnapMode mode, std::optional<SnapHit>& best,
                       double& bestDistance) const {
    offerAt(p, mode, p.distanceTo(cursor_), best, bestDistance);
}

void ObjectSnap::offerAt(const AcGePoint2d& p, SnapMode mode, double distance,
                         std::optional<SnapHit>& best, double& bestDistance) const {
    if (distance <= bestDistance && (!best || distance < bestDistance)) {
        best = SnapHit{p, mode};
        bestDistance = distance;
    }
}

void ObjectSnap::offerSegment(const SnapSegment& s, std::optional<SnapHit>& best, double& d) const {
    if (on(kEndpoint)) {
        offer(s.a, kEndpoint, best, d);
        offer(s.b, kEndpoint, best, d);
    }
    if (on(kMidpoint)) {
        offer(AcGePoint2d((s.a.x + s.b.x) / 2.0, (s.a.y + s.b.y) / 2.0), kMidpoint, best, d);
    }
}

void ObjectSnap::offerArc(const SnapArc& arc, std::optional<SnapHit>& best, double& d) const {
    // The centre is in reach when the cursor is on the curve as well as near the centre itself.
    if (on(kCenter)) {
        double reach = std::min(cursor_.distanceTo(arc.center), arcDistance(cursor_, arc));
        offerAt(arc.center, kCenter, reach, best, d);
    }
    if (!arc.full && on(kEndpoint)) {
        offer(arc.at(arc.start), kEndpoint, best, d);
        offer(arc.at(arc.end), kEndpoint, best, d);
    }
    if (!arc.full && on(kMidpoint)) {
        double sweep = std::fmod(arc.end - arc.start + 4.0 * M_PI, 2.0 * M_PI);
        offer(arc.at(arc.start + sweep / 2.0), kMidpoint, best, d);
    }
    if (on(kQuadrant)) {
        for (int i = 0; i < 4; ++i) {
            double angle = i * M_PI / 2.0;
            if (arc.covers(angle)) {
                offer(arc.at(angle), kQuadrant, best, d);
            }
        }
    }
}

// Only shapes passing within the aperture can cross inside it.
void ObjectSnap::offerIntersections(std::optional<SnapHit>& best, double& d) const {
    std::vector<const SnapSegment*> segments;
    std::vector<const SnapArc*> arcs;
    for (const SnapSegment& s : scene_.segments) {
        if (segmentDistance(cursor_, s) <= aperture_) {
            segments.push_back(&s);
        }
    }
    for (const SnapArc& arc : scene_.arcs) {
        if (arcDistance(cursor_, arc) <= aperture_) {
            arcs.push_back(&arc);
        }
    }
    auto offerAll = [&](const std::vector<AcGePoint2d>& points) {
        for (const AcGePoint2d& p : points) {
            offer(p, kIntersection, best, d);
        }
    };
    for (std::size_t i = 0; i < segments.size(); ++i) {
        for (std::size_t j = i + 1; j < segments.size(); ++j) {
            offerAll(intersect(*segments[i], *segments[j]));
        }
        for (const SnapArc* arc : arcs) {
            offerAll(intersect(*segments[i], *arc));
        }
    }
    for (std::size_t i = 0; i < arcs.size(); ++i) {
        for (std::size_t j = i + 1; j < arcs.size(); ++j) {
            offerAll(intersect(*arcs[i], *arcs[j]));
        }
    }
}

std::optional<SnapHit> ObjectSnap::nearest() const {
    if (!on(kNearest)) {
        return std::nullopt;
    }
    std::optional<SnapHit> best;
    double bestDistance = aperture_;
    for (const SnapSegment& s : scene_.segments) {
        AcGeVector2d ab = s.b - s.a;
        double lengthSquared = ab.dotProduct(ab);
        double t = lengthSquared > 0.0
                       ? std::clamp((cursor_ - s.a).dotProduct(ab) / lengthSquared, 0.0, 1.0)
                       : 0.0;
        offer(s.a + ab * t, kNearest, best, bestDistance);
    }
    for (const SnapArc& arc : scene_.arcs) {
        double angle = std::atan2(cursor_.y - arc.center.y, cursor_.x - arc.center.x);
        if (arc.covers(angle) && cursor_.distanceTo(arc.center) > 0.0) {
            offer(arc.at(angle), kNearest, best, bestDistance);
        }
    }
    return best;
}

} // namespace veld::snap
