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
    bool underline = false, overline = false;
    std::string text; // UTF-8
};

class SvgCanvas {
public:
    // Segments as x0 y0 x1 y1 quadruples, one stroked path.
    void segments(const std::vector<double>& xy, const std::string& color);
    // Filled triangles as three x y pairs each.
    void triangles(const std::vector<double>& xy, const std::string& color);
    // A small cross, sized to the picture.
    void pointMark(const AcGePoint3d& p, const std::string& color);
    void text(const SvgText& t, const std::string& color);

    // The whole picture; an empty drawing gives an empty picture of unit size.
    std::string finish(double pixelWidth = 1200.0) const;

private:
    void include(double x, double y);
    std::vector<std::string> shapes_;
    std::vector<AcGePoint3d> points_;
    std::vector<std::string> pointColors_;
    double minX_ = 0, minY_ = 0, maxX_ = 0, maxY_ = 0;
    bool empty_ = true;
};

} // namespace veld::render
