// Draws the display list on white: the same chunks, shapes and placements as the page's view,
// with the colours of the light background.
#include "host/render/SvgExport.h"

#include "host/files/SafeReplace.h"
#include "host/render/AciColor.h"
#include "host/render/DisplayList.h"
#include "host/render/SvgCanvas.h"

#include <cmath>

namespace veld::render {

namespace {

class SvgPainter {
public:
    explicit SvgPainter(const DisplayList& list) : list_(list) {}

    std::string paint() {
        for (const auto& [id, chunk] : list_.chunks()) {
            for (const auto& [color, g] : chunk->batches) {
                geometry(g, cssColor(colorOnLight(color)));
            }
            for (const InstanceGroup& group : chunk->instances) {
                instances(group);
            }
        }
        return canvas_.finish();
    }

private:
    void geometry(const Geometry& g, const std::string& color) {
        canvas_.segments(g.lines, color);
        canvas_.triangles(g.triangles, color);
        for (std::size_t i = 0; i + 1 < g.points.size(); i += 2) {
            canvas_.pointMark(AcGePoint3d(g.points[i], g.points[i + 1], 0), color);
        }
        for (const TextItem& t : g.texts) {
            text(t, color);
        }
    }

    void text(const TextItem& t, const std::string& color) {
        SvgText out;
        out.position = AcGePoint3d(t.x, t.y, 0);
        out.height = t.height;
        out.rotation = t.rotation;
        out.widthFactor = t.widthFactor;
        out.anchor = static_cast<TextAnchor>(t.anchor);
        out.baseline = static_cast<TextBaseline>(t.baseline);
        out.underline = t.underline;
        out.overline = t.overline;
        out.text = t.text;
        canvas_.text(out, color);
    }

    void instances(const InstanceGroup& group) {
        const auto found = list_.shapes().find(group.shape);
        if (found == list_.shapes().end()) {
            return;
        }
        for (const Placement& p : group.placements) {
            for (const ShapePart& part : found->second->parts) {
                const ColorRef c = part.inherit == Inherit::ByBlock  ? group.byBlock
                                   : part.inherit == Inherit::Layer0 ? group.layer0
                                                                     : part.color;
                geometry(placed(part.geometry, p), cssColor(colorOnLight(c)));
            }
        }
    }

    static void placePairs(std::vector<double>& v, const Placement& p) {
        for (std::size_t i = 0; i + 1 < v.size(); i += 2) {
            place(p, v[i], v[i + 1], v[i], v[i + 1]);
        }
    }

    static Geometry placed(Geometry g, const Placement& p) {
        placePairs(g.lines, p);
        placePairs(g.triangles, p);
        placePairs(g.points, p);
        const double scale = std::hypot(p.m[0], p.m[1]);
        const double angle = std::atan2(p.m[1], p.m[0]);
        for (TextItem& t : g.texts) {
            place(p, t.x, t.y, t.x, t.y);
            t.height *= scale;
            t.rotation += angle;
        }
        return g;
    }

    const DisplayList& list_;
    SvgCanvas canvas_;
};

} // namespace

std::string modelSpaceSvg(const AcDbDatabase& db) {
    return SvgPainter(DisplayList::build(db)).paint();
}

bool exportSvg(const AcDbDatabase& db, const std::string& path, std::string& error) {
    return files::replaceFile(path, modelSpaceSvg(db), {.keepBackup = true}, error);
}

} // namespace veld::render
