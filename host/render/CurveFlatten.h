// Curves of kept entities flattened to points as CAD programs draw them: elliptical arcs by
// their parameter, B-splines (rational too) evaluated from their control points and knots, or
// through their fit points when they have none; and a cursor over kept tags in file order.
#pragma once
#include "host/db/RawObjects.h"

#include <acge.h>
#include <string>
#include <vector>

namespace veld::render {

using Points = std::vector<AcGePoint3d>;

// Appends the arc of the ellipse from parameter t0 to t1 (radians, counter-clockwise; a full
// turn when they are equal), both ends included.
void ellipsePoints(const AcGePoint3d& centre, const AcGeVector3d& major, const AcGeVector3d& minor,
                   double t0, double t1, Points& out);

// Appends the spline's points from its first to its last knot in its domain. Weights may be
// empty (all 1). False when knots and control points do not make a spline of that degree.
bool splinePoints(int degree, const std::vector<double>& knots, const Points& controls,
                  const std::vector<double>& weights, Points& out);

// Reads kept tags in order: `take` consumes the current tag when it has the code.
class TagCursor {
public:
    explicit TagCursor(const veld::db::Tags& tags, std::size_t from = 0) : tags_(tags), i_(from) {}
    bool at(int code) const { return i_ < tags_.size() && tags_[i_].first == code; }
    bool done() const { return i_ >= tags_.size(); }
    double number(int code, double fallback = 0.0);
    int integer(int code, int fallback = 0) { return static_cast<int>(number(code, fallback)); }
    AcGePoint3d point2d(int code); // code and code + 10
    // Moves to the next tag with the code; false (at the end) when there is none.
    bool seek(int code);
    void skip() { ++i_; }

private:
    const veld::db::Tags& tags_;
    std::size_t i_;
};

// The number of the first tag with the code, or the fallback.
double firstNumber(const veld::db::Tags& tags, int code, double fallback = 0.0);
// The text of the first tag with the code, or the fallback.
std::string firstText(const veld::db::Tags& tags, int code, const std::string& fallback = {});

} // namespace veld::render
