// Reads the few codes a picture needs from the kept tags: corners (10..13), insertion point,
// height (40), attachment (71), rotation (50, or the direction 11/21) and the text (3 then 1);
// an ellipse's centre, major axis, ratio and parameters; a spline's degree, knots, weights and
// control points (or its fit points); a multiline's vertices (11), mitre directions (13) and
// the offset of each element along them (its first 41); a multileader's context data; an
// image's or wipeout's placement, size and clip boundary.
#include "host/render/RawEntityDisplay.h"

#include "host/db/RawObjects.h"
#include "host/render/CurveFlatten.h"
#include "host/render/GeometryEmit.h"
#include "host/render/HatchDisplay.h"
#include "host/render/MTextWrap.h"
#include "host/render/TextCodes.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <sstream>
#include <vector>

namespace veld::render {

namespace {

constexpr int kMaxMlineElements = 16; // as many as a multiline style can hold

double number(const veld::db::Tags& tags, int code, double fallback = 0.0) {
    for (const auto& [c, value] : tags) {
        if (c == code) {
            double v = fallback;
            const auto* begin = value.data() + value.find_first_not_of(' ');
            std::from_chars(begin, value.data() + value.size(), v);
            return std::isfinite(v) ? v : fallback;
        }
    }
    return fallback;
}

bool has(const veld::db::Tags& tags, int code) {
    for (const auto& tag : tags) {
        if (tag.first == code) {
            return true;
        }
    }
    return false;
}

AcGePoint3d point(const veld::db::Tags& tags, int code) {
    return {number(tags, code), number(tags, code + 10), number(tags, code + 20)};
}

void solid(Geometry& g, const AcGeMatrix3d& m, const veld::db::Tags& tags) {
    const AcGePoint3d a = point(tags, 10), b = point(tags, 11), c = point(tags, 12);
    const AcGePoint3d d = has(tags, 13) ? point(tags, 13) : c;
    // Corners come in the order 1 2 4 3 around the outline.
    addTriangle(g, m, a, b, c);
    if (d.x != c.x || d.y != c.y) {
        addTriangle(g, m, b, d, c);
    }
}

void mtext(Geometry& g, const AcGeMatrix3d& m, const veld::db::Tags& tags) {
    std::string raw;
    for (const auto& [code, value] : tags) {
        if (code == 3) {
            raw += value;
        }
    }
    for (const auto& [code, value] : tags) {
        if (code == 1) {
            raw += value;
        }
    }
    AcGePoint3d p = point(tags, 10);
    p.transformBy(m);
    TextItem t;
    t.height = number(tags, 40, 1.0) * scaleOf(m);
    const double rotation = has(tags, 11) ? std::atan2(number(tags, 21), number(tags, 11))
                                          : number(tags, 50) * M_PI / 180.0;
    t.rotation = rotation + angleOf(m);
    // Attachment 1..9: top/middle/bottom rows of left/centre/right.
    const int attachment = std::clamp(static_cast<int>(number(tags, 71, 1)), 1, 9);
    const int row = (attachment - 1) / 3;
    t.anchor = static_cast<std::uint8_t>((attachment - 1) % 3);
    static constexpr std::uint8_t kRow[3] = {3, 2, 1};
    t.baseline = kRow[row];
    // Paragraphs one below the other, wrapped at the reference rectangle's width (41), lines
    // 5/3 of the height apart times the spacing factor; the attachment row holds the whole block
    // at the insertion point.
    struct Line {
        std::string text;
        bool underline;
    };
    std::vector<Line> lines;
    std::istringstream paragraphs(plainMText(raw));
    for (std::string paragraph; std::getline(paragraphs, paragraph);) {
        DecodedText decoded = decodeTextCodes(paragraph);
        for (std::string& text :
             wrapParagraph(decoded.text, number(tags, 40, 1.0), number(tags, 41))) {
            lines.push_back({std::move(text), decoded.underline});
        }
    }
    const double pitch = t.height * 5.0 / 3.0 * number(tags, 44, 1.0);
    const double first = row == 0   ? 0.0
                         : row == 1 ? -(lines.size() - 1.0) / 2.0
                                    : -(lines.size() - 1.0);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].text.empty()) {
            continue;
        }
        TextItem line = t;
        const double down = (first + static_cast<double>(i)) * pitch;
        line.x = p.x + down * std::sin(t.rotation);
        line.y = p.y - down * std::cos(t.rotation);
        line.text = std::move(lines[i].text);
        line.underline = lines[i].underline;
        g.texts.push_back(std::move(line));
    }
}

void polyline(Geometry& g, const AcGeMatrix3d& m, const Points& points) {
    for (std::size_t i = 1; i < points.size(); ++i) {
        addSegment(g, m, points[i - 1], points[i]);
    }
}

AcGeVector3d normalOf(const veld::db::Tags& tags) {
    AcGeVector3d n(number(tags, 210), number(tags, 220), number(tags, 230, 1.0));
    return n.length() > 1e-12 ? n.normal() : AcGeVector3d(0, 0, 1);
}

// Edges 1..4 of a 3D face are hidden by flags 1, 2, 4, 8; a triangle repeats its third corner.
void face(Geometry& g, const AcGeMatrix3d& m, const veld::db::Tags& tags) {
    const AcGePoint3d corners[4] = {point(tags, 10), point(tags, 11), point(tags, 12),
                                    has(tags, 13) ? point(tags, 13) : point(tags, 12)};
    const int hidden = static_cast<int>(number(tags, 70));
    for (int i = 0; i < 4; ++i) {
        const AcGePoint3d& a = corners[i];
        const AcGePoint3d& b = corners[(i + 1) % 4];
        if (!(hidden & (1 << i)) && a != b) {
            addSegment(g, m, a, b);
        }
    }
}

// A leader's path through its vertices (the arrowhead is left to its dimension style).
void leader(Geometry& g, const AcGeMatrix3d& m, const veld::db::Tags& tags, double arrowSize) {
    Points points;
    for (std::size_t i = 0; i < tags.size(); ++i) {
        if (tags[i].first == 10) {
            TagCursor at(tags, i);
            AcGePoint3d p = at.point2d(10);
            p.z = at.number(30);
            points.push_back(p);
        }
    }
    polyline(g, m, points);
    if (points.size() >= 2 && number(tags, 71, 1) != 0) { // 71: with an arrowhead
        addArrowhead(g, m, points[0], points[1], arrowSize);
    }
}

// A multiline's vertex: where it is, the direction of the piece that starts there, the mitre
// direction and, for each element, its parameters.
struct MlineVertex {
    AcGePoint3d at;
    AcGeVector3d along, mitre;
    std::vector<std::vector<double>> elements;
};

std::vector<MlineVertex> mlineVertices(const veld::db::Tags& tags, int elements) {
    std::vector<MlineVertex> vertices;
    for (std::size_t i = 0; i < tags.size(); ++i) {
        if (tags[i].first != 11) {
            continue;
        }
        TagCursor at(tags, i);
        MlineVertex v;
        v.at = at.point2d(11);
        v.at.z = at.number(31);
        v.along = at.point2d(12).asVector();
        v.along.z = at.number(32);
        v.mitre = at.point2d(13).asVector();
        v.mitre.z = at.number(33);
        // The counts (74, 75) only repeat how many parameters follow.
        for (int e = 0; e < elements; ++e) {
            at.integer(74);
            std::vector<double>& parameters = v.elements.emplace_back();
            while (at.at(41)) {
                parameters.push_back(at.number(41));
            }
            at.integer(75);
            while (at.at(42)) {
                at.skip();
            }
        }
        vertices.push_back(std::move(v));
    }
    return vertices;
}

// Where an element crosses a vertex's mitre line: its first parameter along the mitre.
AcGePoint3d elementPoint(const MlineVertex& v, std::size_t element) {
    const std::vector<double>& p = v.elements[element];
    return v.at + v.mitre * (p.empty() ? 0.0 : p[0]);
}

// One element from vertex `from` to the next: the further parameters give, along the piece,
// where its dashes start and end (a piece cut by an edit at a junction); the last dash runs to
// the next vertex.
void mlinePiece(Geometry& g, const AcGeMatrix3d& m, const MlineVertex& from, const MlineVertex& to,
                std::size_t element) {
    const AcGePoint3d start = elementPoint(from, element), end = elementPoint(to, element);
    const double length = start.distanceTo(end);
    if (length < 1e-12) {
        return;
    }
    const AcGeVector3d along = (end - start) * (1.0 / length);
    const std::vector<double>& p = from.elements[element];
    for (std::size_t k = 1; k < std::max<std::size_t>(p.size(), 2); k += 2) {
        const double a = k < p.size() ? std::clamp(p[k], 0.0, length) : 0.0;
        const double b = k + 1 < p.size() ? std::clamp(p[k + 1], a, length) : length;
        if (b > a) {
            addSegment(g, m, start + along * a, start + along * b);
        }
    }
}

// Each element runs alongside the vertices, crossing each mitre line at its offset. End caps
// and fills are not drawn; points are in world coordinates.
void mline(Geometry& g, const AcGeMatrix3d& m, const veld::db::Tags& tags) {
    const int elements = static_cast<int>(firstNumber(tags, 73));
    if (elements <= 0 || elements > kMaxMlineElements) {
        return;
    }
    const std::vector<MlineVertex> vertices = mlineVertices(tags, elements);
    const std::size_t n = vertices.size();
    const bool closed = static_cast<int>(firstNumber(tags, 71)) & 2;
    for (std::size_t i = 0; i + 1 < n || (closed && n > 2 && i < n); ++i) {
        for (std::size_t e = 0; e < static_cast<std::size_t>(elements); ++e) {
            mlinePiece(g, m, vertices[i], vertices[(i + 1) % n], e);
        }
    }
}

// A multileader's parts as read from its context data: the MTEXT content's own tags, made up
// as an MTEXT would hold them, and each leader's lines, landing point and dogleg.
struct MultileaderParts {
    veld::db::Tags text;
    double arrowSize = 0.0;
    struct Leader {
        AcGePoint3d landing;
        AcGeVector3d dogleg;
        double doglegLength = 0.0;
        std::vector<Points> lines;
    };
    std::vector<Leader> leaders;
};

// The context's text codes and the MTEXT codes they stand for.
constexpr std::pair<int, int> kMultileaderTextCodes[] = {
    {12, 10}, {22, 20}, {32, 30}, {41, 40}, {13, 11}, {23, 21}, {33, 31}, {171, 71}, {45, 44}};

double tagNumber(const std::string& value) {
    const double v = std::strtod(value.c_str(), nullptr);
    return std::isfinite(v) ? v : 0.0;
}

// Sets x, y or z of `p` from a point code (10, 20, 30 and the like).
void takeCoordinate(AcGePoint3d& p, int code, double value) {
    (code % 100 < 20 ? p.x : code % 100 < 30 ? p.y : p.z) = value;
}

MultileaderParts multileaderParts(const veld::db::Tags& tags) {
    MultileaderParts parts;
    enum class In { Entity, Context, Leader, Line } in = In::Entity;
    for (const auto& [code, value] : tags) {
        const double v = tagNumber(value);
        if (code == 300 && value == "CONTEXT_DATA{") {
            in = In::Context;
        } else if (code == 302 && value == "LEADER{") {
            parts.leaders.emplace_back();
            in = In::Leader;
        } else if (code == 304 && value == "LEADER_LINE{" && in == In::Leader) {
            parts.leaders.back().lines.emplace_back();
            in = In::Line;
        } else if (code == 305 || code == 303 || code == 301) {
            in = code == 305 ? In::Leader : code == 303 ? In::Context : In::Entity;
        } else if (in == In::Context && code == 304) {
            parts.text.emplace_back(1, value);
        } else if (in == In::Context && code == 140) {
            parts.arrowSize = v;
        } else if (in == In::Context) {
            for (const auto& [from, to] : kMultileaderTextCodes) {
                if (code == from) {
                    parts.text.emplace_back(to, value);
                }
            }
        } else if (in == In::Leader && (code == 10 || code == 20 || code == 30)) {
            takeCoordinate(parts.leaders.back().landing, code, v);
        } else if (in == In::Leader && (code == 11 || code == 21 || code == 31)) {
            AcGePoint3d d = AcGePoint3d::kOrigin + parts.leaders.back().dogleg;
            takeCoordinate(d, code, v);
            parts.leaders.back().dogleg = d.asVector();
        } else if (in == In::Leader && code == 40) {
            parts.leaders.back().doglegLength = v;
        } else if (in == In::Line && (code == 10 || code == 20 || code == 30)) {
            Points& line = parts.leaders.back().lines.back();
            if (code == 10) {
                line.emplace_back();
            }
            if (!line.empty()) {
                takeCoordinate(line.back(), code, v);
            }
        }
    }
    return parts;
}

// Each leader line from its arrowhead through its vertices to the landing, the dogleg on from
// there, and the MTEXT content. Arrowheads are drawn closed and filled whatever block the style
// names; block content is not drawn.
void multileader(Geometry& g, const AcGeMatrix3d& m, const veld::db::Tags& tags) {
    const MultileaderParts parts = multileaderParts(tags);
    for (const MultileaderParts::Leader& leader : parts.leaders) {
        for (Points line : leader.lines) {
            line.push_back(leader.landing);
            polyline(g, m, line);
            if (line.size() >= 2) {
                addArrowhead(g, m, line[0], line[1], parts.arrowSize);
            }
        }
        if (leader.doglegLength > 0) {
            addSegment(g, m, leader.landing, leader.landing + leader.dogleg * leader.doglegLength);
        }
    }
    if (has(parts.text, 1)) {
        mtext(g, m, parts.text);
    }
}

// The outline of an IMAGE or WIPEOUT: its clip boundary where clipping is on (two vertices a
// rectangle), else the whole picture. Boundary vertices are pixel coordinates from the picture's
// top left corner (its centre at half a pixel), taken to the drawing by the pixel vectors 11
// and 12. The picture itself is not drawn, as a CAD program shows an image it cannot load.
void pictureFrame(Geometry& g, const AcGeMatrix3d& m, const veld::db::Tags& tags) {
    const AcGePoint3d size = point(tags, 13);
    std::vector<AcGePoint3d> boundary;
    if (number(tags, 280) != 0) {
        for (std::size_t i = 0; i < tags.size(); ++i) {
            if (tags[i].first == 14) {
                boundary.push_back(TagCursor(tags, i).point2d(14));
            }
        }
    }
    if (boundary.size() < 2) {
        boundary = {{-0.5, -0.5, 0}, {size.x - 0.5, size.y - 0.5, 0}};
    }
    if (boundary.size() == 2) {
        const AcGePoint3d a = boundary[0], b = boundary[1];
        boundary = {a, {b.x, a.y, 0}, b, {a.x, b.y, 0}};
    }
    const AcGeVector3d u = point(tags, 11).asVector(), v = point(tags, 12).asVector();
    const AcGePoint3d origin = point(tags, 10) + u * 0.5 - v * 0.5;
    Points outline;
    for (const AcGePoint3d& p : boundary) {
        outline.push_back(origin + u * p.x + v * (size.y - p.y));
    }
    if (!outline.front().isEqualTo(outline.back())) {
        outline.push_back(outline.front());
    }
    polyline(g, m, outline);
}

void ellipse(Geometry& g, const AcGeMatrix3d& m, const veld::db::Tags& tags) {
    const AcGeVector3d major = point(tags, 11).asVector();
    const AcGeVector3d minor = normalOf(tags).crossProduct(major) * number(tags, 40, 1.0);
    Points points;
    ellipsePoints(point(tags, 10), major, minor, number(tags, 41), number(tags, 42, 2 * M_PI),
                  points);
    polyline(g, m, points);
}

void spline(Geometry& g, const AcGeMatrix3d& m, const veld::db::Tags& tags) {
    std::vector<double> knots, weights;
    Points controls, fits;
    for (std::size_t i = 0; i < tags.size(); ++i) {
        const int code = tags[i].first;
        const double v = std::strtod(tags[i].second.c_str(), nullptr);
        if (code == 40) {
            knots.push_back(v);
        } else if (code == 41) {
            weights.push_back(v);
        } else if (code == 10 || code == 11) {
            TagCursor at(tags, i + 1);
            AcGePoint3d p(v, at.number(code + 10), 0.0);
            p.z = at.number(code + 20);
            (code == 10 ? controls : fits).push_back(p);
        }
    }
    Points points;
    if (!splinePoints(static_cast<int>(number(tags, 71, 3)), knots, controls, weights, points)) {
        points = fits.size() >= 2 ? fits : controls; // no usable knots: through what is known
    }
    polyline(g, m, points);
}

} // namespace

std::string plainMText(const std::string& raw) {
    std::string out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (c == '{' || c == '}') {
            continue;
        }
        if (c != '\\' || i + 1 >= raw.size()) {
            out += c;
            continue;
        }
        const char code = raw[++i];
        if (code == 'P') {
            out += '\n';
        } else if (code == 'X' || code == '~') {
            out += ' ';
        } else if (code == '\\' || code == '{' || code == '}') {
            out += code;
        } else if (std::string_view("LlOoKk").find(code) == std::string_view::npos) {
            // Codes with an argument run to the next ';' (font, height, colour ...).
            const auto end = raw.find(';', i);
            i = end == std::string::npos ? raw.size() : end;
        }
    }
    return out;
}

bool addRawEntity(Geometry& g, const AcGeMatrix3d& m, const AcDbRawEntity& e,
                  double leaderArrowSize) {
    const std::string& type = e.dxfType();
    if (type == "SOLID" || type == "TRACE") {
        solid(g, m, e.tags());
    } else if (type == "MTEXT") {
        mtext(g, m, e.tags());
    } else if (type == "ELLIPSE") {
        ellipse(g, m, e.tags());
    } else if (type == "SPLINE") {
        spline(g, m, e.tags());
    } else if (type == "HATCH") {
        addHatch(g, m, e.tags());
    } else if (type == "3DFACE") {
        face(g, m, e.tags());
    } else if (type == "3DLINE") {
        addSegment(g, m, point(e.tags(), 10), point(e.tags(), 11));
    } else if (type == "LEADER") {
        leader(g, m, e.tags(), leaderArrowSize);
    } else if (type == "MULTILEADER" || type == "MLEADER") {
        multileader(g, m, e.tags());
    } else if (type == "IMAGE" || type == "WIPEOUT") {
        pictureFrame(g, m, e.tags());
    } else if (type == "MLINE") {
        mline(g, m, e.tags());
    } else {
        return false;
    }
    return true;
}

std::string dimensionBlockName(const AcDbRawEntity& e) {
    if (e.dxfType() != "DIMENSION") {
        return {};
    }
    return firstText(e.tags(), 2);
}

} // namespace veld::render
