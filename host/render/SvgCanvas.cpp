// SVG output: geometry inside one group that flips y; texts flipped back so they read upright.
// The view box is the drawing's extent plus a margin; strokes are about one pixel wide.
#include "host/render/SvgCanvas.h"

#include "host/dxf/TagWriter.h"
#include "host/render/DimensionGeometry.h"

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

void SvgCanvas::line(const AcGePoint3d& a, const AcGePoint3d& b, const std::string& color) {
    include(a.x, a.y);
    include(b.x, b.y);
    shapes_.push_back("<line x1=\"" + num(a.x) + "\" y1=\"" + num(a.y) + "\" x2=\"" + num(b.x) +
                      "\" y2=\"" + num(b.y) + "\"" + stroke(color) + "/>");
}

void SvgCanvas::circle(const AcGePoint3d& c, double r, const std::string& color) {
    include(c.x - r, c.y - r);
    include(c.x + r, c.y + r);
    shapes_.push_back("<circle cx=\"" + num(c.x) + "\" cy=\"" + num(c.y) + "\" r=\"" + num(r) +
                      "\"" + stroke(color) + "/>");
}

void SvgCanvas::arc(const AcGePoint3d& c, double r, double a0, double a1,
                    const std::string& color) {
    double sweep = std::fmod(a1 - a0, 2 * M_PI);
    if (sweep <= 0) {
        sweep += 2 * M_PI;
    }
    const double x0 = c.x + r * std::cos(a0), y0 = c.y + r * std::sin(a0);
    const double x1 = c.x + r * std::cos(a0 + sweep), y1 = c.y + r * std::sin(a0 + sweep);
    include(c.x - r, c.y - r);
    include(c.x + r, c.y + r);
    // In the flipped group a counter-clockwise arc of the drawing is sweep-flag 1.
    shapes_.push_back("<path d=\"M" + num(x0) + " " + num(y0) + " A" + num(r) + " " + num(r) +
                      " 0 " + (sweep > M_PI ? "1" : "0") + " 1 " + num(x1) + " " + num(y1) + "\"" +
                      stroke(color) + "/>");
}

void SvgCanvas::polyline(const std::vector<AcGePoint2d>& pts, const std::vector<double>& bulges,
                         bool closed, const std::string& color) {
    if (pts.empty()) {
        return;
    }
    std::string d = "M" + num(pts[0].x) + " " + num(pts[0].y);
    const std::size_t segments = closed ? pts.size() : pts.size() - 1;
    for (std::size_t i = 0; i < segments; ++i) {
        const AcGePoint2d& a = pts[i];
        const AcGePoint2d& b = pts[(i + 1) % pts.size()];
        const double bulge = i < bulges.size() ? bulges[i] : 0.0;
        include(a.x, a.y);
        if (std::fabs(bulge) < 1e-12) {
            d += " L" + num(b.x) + " " + num(b.y);
            continue;
        }
        const double chord = a.distanceTo(b);
        const double radius = chord * (1 + bulge * bulge) / (4 * std::fabs(bulge));
        include(a.x - radius, a.y - radius); // generous bounds around the arc
        include(a.x + radius, a.y + radius);
        d += " A" + num(radius) + " " + num(radius) + " 0 " + (std::fabs(bulge) > 1 ? "1" : "0") +
             (bulge > 0 ? " 1 " : " 0 ") + num(b.x) + " " + num(b.y);
    }
    include(pts.back().x, pts.back().y);
    shapes_.push_back("<path d=\"" + d + (closed ? " Z" : "") + "\"" + stroke(color) + "/>");
}

void SvgCanvas::filledPolygon(const std::vector<AcGePoint3d>& corners, const std::string& color) {
    std::string list;
    for (const auto& p : corners) {
        include(p.x, p.y);
        list += (list.empty() ? "" : " ") + num(p.x) + "," + num(p.y);
    }
    shapes_.push_back("<polygon points=\"" + list + "\" fill=\"" + color + "\" stroke=\"" + color +
                      "\"/>");
}

void SvgCanvas::pointMark(const AcGePoint3d& p, const std::string& color, bool light) {
    include(p.x, p.y);
    points_.push_back(p); // drawn at the end, sized to the picture
    pointColors_.emplace_back(color, light);
}

void SvgCanvas::text(const SvgText& t, const std::string& color) {
    const double width = estimateTextWidth(t.text, t.height) * t.widthFactor;
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
                      "\" dominant-baseline=\"" + kBaseline[static_cast<int>(t.baseline)] +
                      "\" fill=\"" + color + "\">" + escapeXml(t.text) + "</text>");
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
        const auto& [color, light] = pointColors_[i];
        out += "<path d=\"M" + num(p.x - mark) + " " + num(p.y) + " H" + num(p.x + mark) + " M" +
               num(p.x) + " " + num(p.y - mark) + " V" + num(p.y + mark) + "\"" + stroke(color) +
               (light ? " stroke-opacity=\"0.35\"" : "") + "/>\n";
    }
    out += "</g>\n</svg>\n";
    return out;
}

} // namespace veld::render
