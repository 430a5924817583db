// Elliptical arcs in steps of at most 5 degrees of parameter; splines by de Boor's algorithm in
// homogeneous coordinates, eight steps per knot span, never more than a few thousand points.
#include "host/render/CurveFlatten.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace veld::render {

namespace {

constexpr double kStep = M_PI / 36.0;
constexpr int kStepsPerSpan = 8;
constexpr int kMaxSplinePoints = 4000;

double parse(const std::string& value, double fallback) {
    double v = fallback;
    const std::size_t start = value.find_first_not_of(' ');
    if (start == std::string::npos) {
        return fallback;
    }
    std::from_chars(value.data() + start, value.data() + value.size(), v);
    return std::isfinite(v) ? v : fallback;
}

struct Homogeneous {
    double x, y, z, w;
};

// The spline's point at t, which lies in knot span k (knots[k] <= t <= knots[k + 1]).
AcGePoint3d deBoor(int p, int k, double t, const std::vector<double>& u, const Points& c,
                   const std::vector<double>& w) {
    std::vector<Homogeneous> d(static_cast<std::size_t>(p + 1));
    for (int j = 0; j <= p; ++j) {
        const std::size_t at = static_cast<std::size_t>(j + k - p);
        const double wj = w.empty() ? 1.0 : w[at];
        d[static_cast<std::size_t>(j)] = {c[at].x * wj, c[at].y * wj, c[at].z * wj, wj};
    }
    for (int r = 1; r <= p; ++r) {
        for (int j = p; j >= r; --j) {
            const double lo = u[static_cast<std::size_t>(j + k - p)];
            const double hi = u[static_cast<std::size_t>(j + 1 + k - r)];
            const double a = hi - lo > 1e-15 ? (t - lo) / (hi - lo) : 0.0;
            Homogeneous& dj = d[static_cast<std::size_t>(j)];
            const Homogeneous& prev = d[static_cast<std::size_t>(j - 1)];
            dj = {(1 - a) * prev.x + a * dj.x, (1 - a) * prev.y + a * dj.y,
                  (1 - a) * prev.z + a * dj.z, (1 - a) * prev.w + a * dj.w};
        }
    }
    const Homogeneous& h = d[static_cast<std::size_t>(p)];
    const double w0 = std::fabs(h.w) > 1e-15 ? h.w : 1.0;
    return {h.x / w0, h.y / w0, h.z / w0};
}

} // namespace

void ellipsePoints(const AcGePoint3d& centre, const AcGeVector3d& major, const AcGeVector3d& minor,
                   double t0, double t1, Points& out) {
    double sweep = t1 - t0;
    while (sweep <= 1e-12) {
        sweep += 2 * M_PI;
    }
    sweep = std::min(sweep, 2 * M_PI);
    const int steps = std::max(4, static_cast<int>(std::ceil(sweep / kStep)));
    for (int i = 0; i <= steps; ++i) {
        const double t = t0 + sweep * i / steps;
        out.push_back(centre + major * std::cos(t) + minor * std::sin(t));
    }
}

bool splinePoints(int degree, const std::vector<double>& knots, const Points& controls,
                  const std::vector<double>& weights, Points& out) {
    const int n = static_cast<int>(controls.size());
    if (degree < 1 || n < degree + 1 || knots.size() != controls.size() + degree + 1 ||
        (!weights.empty() && weights.size() != controls.size())) {
        return false;
    }
    const std::size_t p = static_cast<std::size_t>(degree);
    const double start = knots[p], end = knots[controls.size()];
    if (!(end > start)) {
        return false;
    }
    const int steps =
        std::min(kMaxSplinePoints, std::max(kStepsPerSpan, (n - degree) * kStepsPerSpan));
    int span = degree;
    for (int i = 0; i <= steps; ++i) {
        const double t = i == steps ? end : start + (end - start) * i / steps;
        while (span < n - 1 && knots[static_cast<std::size_t>(span + 1)] <= t) {
            ++span;
        }
        out.push_back(deBoor(degree, span, t, knots, controls, weights));
    }
    return true;
}

double TagCursor::number(int code, double fallback) {
    if (!at(code)) {
        return fallback;
    }
    return parse(tags_[i_++].second, fallback);
}

AcGePoint3d TagCursor::point2d(int code) {
    const double x = number(code);
    const double y = number(code + 10);
    return {x, y, 0.0};
}

bool TagCursor::seek(int code) {
    while (i_ < tags_.size() && tags_[i_].first != code) {
        ++i_;
    }
    return i_ < tags_.size();
}

double firstNumber(const veld::db::Tags& tags, int code, double fallback) {
    for (const auto& [c, value] : tags) {
        if (c == code) {
            return parse(value, fallback);
        }
    }
    return fallback;
}

std::string firstText(const veld::db::Tags& tags, int code, const std::string& fallback) {
    for (const auto& [c, value] : tags) {
        if (c == code) {
            return value;
        }
    }
    return fallback;
}

} // namespace veld::render
