// The pattern walk keeps its place across the joints of a chain, so that an arc cut into short
// pieces is dashed as one curve.
#include "host/render/LinetypeDash.h"

#include <algorithm>
#include <cmath>

namespace veld::render {

namespace {

constexpr double kMaxRepeats = 2000.0;

double segmentLength(const double* s) {
    return std::hypot(s[2] - s[0], s[3] - s[1]);
}

// Where the walk along a chain stands in the pattern.
class PatternWalk {
public:
    PatternWalk(const DashPattern& pattern, Geometry& out) : pattern_(pattern), out_(out) {
        left_ = std::fabs(pattern_.dashes[0]);
    }

    void segment(const double* s) {
        if (!started_ && pattern_.dashes[0] == 0.0) {
            add(out_.points, s, 0.0); // a pattern that starts with a dot
        }
        started_ = true;
        const double length = segmentLength(s);
        double at = 0.0;
        while (length - at > 1e-12) {
            if (left_ <= 1e-12) {
                next(s, at / length);
                continue;
            }
            const double step = std::min(left_, length - at);
            if (pattern_.dashes[element_] > 0) {
                add(out_.lines, s, at / length);
                add(out_.lines, s, (at + step) / length);
            }
            at += step;
            left_ -= step;
        }
    }

private:
    // On to the next element; a dot is drawn where it falls.
    void next(const double* s, double t) {
        element_ = (element_ + 1) % pattern_.dashes.size();
        left_ = std::fabs(pattern_.dashes[element_]);
        if (pattern_.dashes[element_] == 0.0) {
            add(out_.points, s, t);
        }
    }

    static void add(std::vector<double>& v, const double* s, double t) {
        v.push_back(s[0] + (s[2] - s[0]) * t);
        v.push_back(s[1] + (s[3] - s[1]) * t);
    }

    const DashPattern& pattern_;
    Geometry& out_;
    std::size_t element_ = 0;
    double left_ = 0.0;
    bool started_ = false;
};

// The end of the chain that starts at segment `first`: joined segments follow each other.
std::size_t chainEnd(const std::vector<double>& lines, std::size_t first) {
    std::size_t end = first + 4;
    while (end + 3 < lines.size() && lines[end] == lines[end - 2] &&
           lines[end + 1] == lines[end - 1]) {
        end += 4;
    }
    return end;
}

} // namespace

bool makeDashPattern(const std::vector<double>& dashes, double scale, DashPattern& out) {
    out.dashes.clear();
    out.length = 0.0;
    for (double d : dashes) {
        out.dashes.push_back(d * scale);
        out.length += std::fabs(d * scale);
    }
    return out.length > 0 && std::isfinite(out.length);
}

void addDashed(Geometry& out, const std::vector<double>& drawn, const DashPattern& pattern) {
    for (std::size_t first = 0; first + 3 < drawn.size();) {
        const std::size_t end = chainEnd(drawn, first);
        double length = 0.0;
        for (std::size_t i = first; i < end; i += 4) {
            length += segmentLength(&drawn[i]);
        }
        if (length / pattern.length > kMaxRepeats) {
            out.lines.insert(out.lines.end(), drawn.begin() + static_cast<std::ptrdiff_t>(first),
                             drawn.begin() + static_cast<std::ptrdiff_t>(end));
        } else {
            PatternWalk walk(pattern, out);
            for (std::size_t i = first; i < end; i += 4) {
                walk.segment(&drawn[i]);
            }
        }
        first = end;
    }
}

void addDashedGeometry(Geometry& out, const Geometry& drawn, const DashPattern& pattern) {
    addDashed(out, drawn.lines, pattern);
    out.triangles.insert(out.triangles.end(), drawn.triangles.begin(), drawn.triangles.end());
    out.points.insert(out.points.end(), drawn.points.begin(), drawn.points.end());
    out.texts.insert(out.texts.end(), drawn.texts.begin(), drawn.texts.end());
}

} // namespace veld::render
