// A plain entity geometry for tests and benchmarks of the bulk intersection search: straight
// segments, infinite lines and entities that cannot be opened, met with exact line arithmetic.
#pragma once
#include "app/EntityGeometry.h"

#include <algorithm>
#include <cmath>
#include <vector>

class SegmentGeometry : public EntityGeometry {
public:
    enum class Kind { Segment, InfiniteLine, Unopenable };

    struct Entity {
        Kind kind = Kind::Segment;
        AcGePoint2d start;
        AcGePoint2d end;
    };

    // Adds a new entity at the next position and returns its id.
    int add(Kind kind, AcGePoint2d start, AcGePoint2d end) {
        entities_.push_back({kind, start, end});
        positions_.push_back(static_cast<int>(entities_.size()) - 1);
        return positions_.back();
    }
    int addSegment(double x1, double y1, double x2, double y2) {
        return add(Kind::Segment, {x1, y1}, {x2, y2});
    }
    // Lists an entity found before once more, at the next position.
    void repeat(int id) { positions_.push_back(id); }

    int count() const override { return static_cast<int>(positions_.size()); }

    bool sameEntity(int i, int j) const override { return positions_[i] == positions_[j]; }

    bool extents(int i, EntityExtents& out) const override {
        const Entity& e = entities_[positions_[i]];
        if (e.kind != Kind::Segment) {
            return false;
        }
        out = {std::min(e.start.x, e.end.x), std::min(e.start.y, e.end.y),
               std::max(e.start.x, e.end.x), std::max(e.start.y, e.end.y)};
        return true;
    }

    // One point where the two lines cross within both entities; nothing for parallel lines.
    void intersect(int i, int j, AcGePoint3dArray& points) const override {
        const Entity& a = entities_[positions_[i]];
        const Entity& b = entities_[positions_[j]];
        if (a.kind == Kind::Unopenable || b.kind == Kind::Unopenable) {
            return;
        }
        const AcGeVector2d r = a.end - a.start;
        const AcGeVector2d s = b.end - b.start;
        const double d = r.x * s.y - r.y * s.x;
        if (d == 0.0) {
            return;
        }
        const AcGeVector2d q = b.start - a.start;
        const double t = (q.x * s.y - q.y * s.x) / d;
        const double u = (q.x * r.y - q.y * r.x) / d;
        if (!within(a, t) || !within(b, u)) {
            return;
        }
        points.append(AcGePoint3d(a.start.x + t * r.x, a.start.y + t * r.y, 0.0));
    }

private:
    static bool within(const Entity& e, double parameter) {
        return e.kind == Kind::InfiniteLine || (parameter >= 0.0 && parameter <= 1.0);
    }

    std::vector<Entity> entities_;
    std::vector<int> positions_; // entity id at each position
};
