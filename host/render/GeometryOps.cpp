// FNV-1a over the values, with coordinates rounded for shape keys so that arithmetic noise
// (the same dimension computed at another place) does not split equal shapes.
#include "host/render/GeometryOps.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace veld::render {

namespace {

class Hasher {
public:
    explicit Hasher(double quantum) : quantum_(quantum) {}
    void bytes(const void* data, std::size_t n) {
        const auto* p = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < n; ++i) {
            h_ = (h_ ^ p[i]) * 1099511628211ull;
        }
    }
    void number(double v) {
        if (quantum_ > 0) {
            const long long q = std::llround(v / quantum_);
            bytes(&q, sizeof q);
        } else {
            bytes(&v, sizeof v);
        }
    }
    void word(std::uint64_t v) { bytes(&v, sizeof v); }
    void text(const std::string& s) {
        word(s.size());
        bytes(s.data(), s.size());
    }
    void numbers(const std::vector<double>& v) {
        word(v.size());
        for (double d : v) {
            number(d);
        }
    }
    void geometry(const Geometry& g) {
        numbers(g.lines);
        numbers(g.triangles);
        numbers(g.points);
        word(g.texts.size());
        for (const TextItem& t : g.texts) {
            for (double v : {t.x, t.y, t.height, t.rotation, t.widthFactor}) {
                number(v);
            }
            word(t.anchor | t.baseline << 8 | t.underline << 16 | t.overline << 17);
            text(t.text);
        }
    }
    std::uint64_t value() const { return h_; }

private:
    double quantum_;
    std::uint64_t h_ = 14695981039346656037ull;
};

void grow(double box[4], bool& empty, double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) {
        return;
    }
    if (empty) {
        box[0] = box[2] = x;
        box[1] = box[3] = y;
        empty = false;
        return;
    }
    box[0] = std::min(box[0], x);
    box[1] = std::min(box[1], y);
    box[2] = std::max(box[2], x);
    box[3] = std::max(box[3], y);
}

void growPairs(double box[4], bool& empty, const std::vector<double>& v) {
    for (std::size_t i = 0; i + 1 < v.size(); i += 2) {
        grow(box, empty, v[i], v[i + 1]);
    }
}

} // namespace

void append(Geometry& to, const Geometry& from) {
    to.lines.insert(to.lines.end(), from.lines.begin(), from.lines.end());
    to.triangles.insert(to.triangles.end(), from.triangles.begin(), from.triangles.end());
    to.points.insert(to.points.end(), from.points.begin(), from.points.end());
    to.texts.insert(to.texts.end(), from.texts.begin(), from.texts.end());
}

void translate(Geometry& g, double dx, double dy) {
    for (auto* v : {&g.lines, &g.triangles, &g.points}) {
        for (std::size_t i = 0; i + 1 < v->size(); i += 2) {
            (*v)[i] += dx;
            (*v)[i + 1] += dy;
        }
    }
    for (TextItem& t : g.texts) {
        t.x += dx;
        t.y += dy;
    }
}

void growBounds(double box[4], bool& empty, const Geometry& g) {
    growPairs(box, empty, g.lines);
    growPairs(box, empty, g.triangles);
    growPairs(box, empty, g.points);
    for (const TextItem& t : g.texts) {
        grow(box, empty, t.x, t.y);
    }
}

void shapeBounds(Shape& shape) {
    bool empty = true;
    for (const ShapePart& part : shape.parts) {
        growBounds(shape.bbox, empty, part.geometry);
    }
}

void snapToKeyGrid(Shape& shape) {
    constexpr double kQuantum = 1e-6;
    const auto snap = [](double& v) {
        v = static_cast<double>(std::llround(v / kQuantum)) * kQuantum;
    };
    for (ShapePart& part : shape.parts) {
        Geometry& g = part.geometry;
        for (auto* list : {&g.lines, &g.triangles, &g.points}) {
            std::for_each(list->begin(), list->end(), snap);
        }
        for (TextItem& t : g.texts) {
            for (double* v : {&t.x, &t.y, &t.height, &t.rotation, &t.widthFactor}) {
                snap(*v);
            }
        }
    }
}

std::string shapeKey(const Shape& shape) {
    Hasher h(1e-6);
    for (const ShapePart& part : shape.parts) {
        h.word(part.color | static_cast<std::uint64_t>(part.inherit) << 32);
        h.geometry(part.geometry);
    }
    char buffer[20];
    std::snprintf(buffer, sizeof buffer, "%016llx", static_cast<unsigned long long>(h.value()));
    return buffer;
}

std::uint64_t hashChunk(const Chunk& chunk) {
    Hasher h(0);
    h.text(chunk.layer);
    for (const auto& [color, g] : chunk.batches) {
        h.word(color);
        h.geometry(g);
    }
    for (const InstanceGroup& group : chunk.instances) {
        h.text(group.shape);
        h.word(group.byBlock | static_cast<std::uint64_t>(group.layer0) << 32);
        for (const Placement& p : group.placements) {
            h.bytes(p.m, sizeof p.m);
        }
    }
    return h.value();
}

} // namespace veld::render
