// SVG output: geometry inside one group that flips y; texts flipped back so they read upright.
// The view box is the drawing's extent plus a margin; strokes are about one pixel wide.
#include "host/render/SvgCanvas.h"

#include "host/dxf/TagWriter.h"
#include "host/geom/DimensionGeometry.h"

#include <algorithm>
#include <cmath>

namespace veld::render {

namespace {

std::string num(double v) {
    // Shortest exact form; never locale-dependent.
    std::string s = veld::dxf::formatReal(std::fabs(v) < 1e-12 ? 0.0 : v);
    if (s.size() > 2 && s.compare(s.size() - 2, 2, ".0") == 0) {
        s.resize(s.size() - 2);
    }
    return s;
}

std::string escapeXml(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '&':
            out += "&amp;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') {
                out += c;
            }
        }
    }
    return out;
}

std::string stroke(const std::string& color) {
    return " fill=\"none\" stroke=\"" + color + "\"";
}

} // namespace

void SvgCanvas::include(double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) {
        return;
    }
    if (empty_) {
        minX_ = maxX_ = x;
        minY_ = maxY_ = y;
        empty_ = false;
        return;
    }
    minX_ = std::min(minX_, x);
    maxX_ = std::max(maxX_, x);
    minY_ = std::min(minY_, y);
    maxY_ = std::max(maxY_, y);
}

void SvgCanvas::segments(const std::vector<double>& xy, const std::string& color) {
    if (xy.size() < 4) {
        return;
    }
    // One path per batch; a segment that starts where the last one ended continues it.
    std::string d;
    double lastX = 0, lastY = 0;
    for (std::size_t i = 0; i + 3 < xy.size(); i += 4) {
        include(xy[i], xy[i + 1]);
        include(xy[i + 2], xy[i + 3]);
        if (d.empty() || xy[i] != lastX || xy[i + 1] != lastY) {
            d += (d.empty() ? "M" : " M") + num(xy[i]) + " " + num(xy[i + 1]);
        }
        d += " L" + num(xy[i + 2]) + " " + num(xy[i + 3]);
        lastX = xy[i + 2];
        lastY = xy[i + 3];
    }
    shapes_.push_back("<path d=\"" + d + "\"" + stroke(color) + "/>");
}

void SvgCanvas::triangles(const std::vector<double>& xy, const std::string& color) {
    if (xy.size() < 6) {
        return;
    }
    std::string d;
    for (std::size_t i = 0; i + 5 < xy.size(); i += 6) {
        for (int k = 0; k < 3; ++k) {
            include(xy[i + 2 * k], xy[i + 2 * k + 1]);
            d += (k == 0 ? (d.empty() ? "M" : " M") : " L") + num(xy[i + 2 * k]) + " " +
                 num(xy[i + 2 * k + 1]);
        }
        d += " Z";
    }
    shapes_.push_back("<path d=\"" + d + "\" fill=\"" + color + "\" stroke=\"" + color + "\"/>");
}

void SvgCanvas::pointMark(const AcGePoint3d& p, const std::string& color) {
    include(p.x, p.y);
    points_.push_back(p); // drawn at the end, sized to the picture
    pointColors_.push_back(color);
}

void SvgCanvas::text(const SvgText& t, const std::string& color) {
    const double width = geom::estimateTextWidth(t.text, t.height) * t.widthFactor;
    const double c = std::cos(t.rotation), s = std::sin(t.rotation);
    for (double dx : {-width, 0.0, width}) {
        for (double dy : {-t.height, t.height}) {
            include(t.position.x + dx * c - dy * s, t.position.y + dx * s + dy * c);
        }
    }
    static constexpr const char* kAnchor[] = {"start", "middle", "end"};
    static constexpr const char* kBaseline[] = {"alphabetic", "text-after-edge", "central",
                                                "text-before-edge"};
    std::string transform = "translate(" + num(t.position.x) + " " + num(t.position.y) + ")";
    if (std::fabs(t.rotation) > 1e-12) {
        transform += " rotate(" + num(t.rotation * 180.0 / M_PI) + ")";
    }
    transform += " scale(" + num(t.widthFactor) + " -1)";
    shapes_.push_back("<text transform=\"" + transform + "\" font-size=\"" + num(t.height) +
                      "\" text-anchor=\"" + kAnchor[static_cast<int>(t.anchor)] +
                      "\" dominant-baseline=\"" + kBaseline[static_cast<int>(t.baseline)] + "\"" +
                      (t.underline ? " text-decoration=\"underline\"" : "") +
                      (t.overline ? " text-decoration=\"overline\"" : "") + " fill=\"" + color +
                      "\">" + escapeXml(t.text) + "</text>");
}

std::string SvgCanvas::finish(double pixelWidth) const {
    const double w = empty_ ? 1.0 : std::max(maxX_ - minX_, 1e-9);
    const double h = empty_ ? 1.0 : std::max(maxY_ - minY_, 1e-9);
    const double margin = 0.02 * std::max(w, h);
    const double vx = minX_ - margin, vy = -(maxY_ + margin);
    const double vw = w + 2 * margin, vh = h + 2 * margin;
    const double pixelHeight = std::max(1.0, std::round(pixelWidth * vh / vw));
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + num(pixelWidth) + "\" height=\"" +
           num(pixelHeight) + "\" viewBox=\"" + num(vx) + " " + num(vy) + " " + num(vw) + " " +
           num(vh) + "\">\n";
    out += "<rect x=\"" + num(vx) + "\" y=\"" + num(vy) + "\" width=\"" + num(vw) + "\" height=\"" +
           num(vh) + "\" fill=\"white\"/>\n";
    // About one pixel wide at the picture's size, whether or not the viewer knows
    // non-scaling strokes.
    const std::string pixel = num(vw / pixelWidth);
    out += "<g transform=\"scale(1 -1)\" stroke-width=\"" + pixel +
           "\" stroke-linecap=\"round\" font-family=\"'Noto Sans CJK JP', sans-serif\">\n";
    for (const auto& shape : shapes_) {
        out += shape;
        out += '\n';
    }
    const double mark = 0.004 * std::max(vw, vh);
    for (std::size_t i = 0; i < points_.size(); ++i) {
        const auto& p = points_[i];
        const std::string& color = pointColors_[i];
        out += "<path d=\"M" + num(p.x - mark) + " " + num(p.y) + " H" + num(p.x + mark) + " M" +
               num(p.x) + " " + num(p.y - mark) + " V" + num(p.y + mark) + "\"" + stroke(color) +
               "/>\n";
    }
    out += "</g>\n</svg>\n";
    return out;
}

} // namespace veld::render
