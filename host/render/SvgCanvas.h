// Collects drawing primitives in world coordinates (y up) and writes them as one SVG picture
// scaled to fit, with y pointing up as in the drawing.
#pragma once
#include <acge.h>
#include <string>
#include <vector>

namespace veld::render {

enum class TextAnchor { Start, Middle, End };
enum class TextBaseline { Alphabetic, Bottom, Middle, Top };

struct SvgText {
    AcGePoint3d position; // the anchor point
    double height = 1.0;
    double rotation = 0.0; // radians, counter-clockwise
    double widthFactor = 1.0;
    TextAnchor anchor = TextAnchor::Start;
    TextBaseline baseline = TextBaseline::Alphabetic;
    std::string text; // UTF-8
};

class SvgCanvas {
public:
    void line(const AcGePoint3d& a, const AcGePoint3d& b, const std::string& color);
    void circle(const AcGePoint3d& centre, double radius, const std::string& color);
    // Counter-clockwise from startAngle to endAngle (radians).
    void arc(const AcGePoint3d& centre, double radius, double startAngle, double endAngle,
             const std::string& color);
    // Vertices with bulges (tan of a quarter of the included angle; 0 is straight).
    void polyline(const std::vector<AcGePoint2d>& points, const std::vector<double>& bulges,
                  bool closed, const std::string& color);
    void filledPolygon(const std::vector<AcGePoint3d>& corners, const std::string& color);
    // A small cross; `light` draws it paler (points on the Defpoints layer).
    void pointMark(const AcGePoint3d& p, const std::string& color, bool light);
    void text(const SvgText& t, const std::string& color);

    // The whole picture; an empty drawing gives an empty picture of unit size.
    std::string finish(double pixelWidth = 1200.0) const;

private:
    void include(double x, double y);
    std::vector<std::string> shapes_;
    std::vector<AcGePoint3d> points_;
    std::vector<std::pair<std::string, bool>> pointColors_;
    double minX_ = 0, minY_ = 0, maxX_ = 0, maxY_ = 0;
    bool empty_ = true;
};

} // namespace veld::render
