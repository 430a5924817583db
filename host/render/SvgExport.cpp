// Walks model space (and the blocks it references) into an SvgCanvas.
// Block contents are drawn through the reference's transform; attributes where they stand.
#include "host/render/SvgExport.h"

#include "host/dxf/SavePlan.h"
#include "host/files/SafeReplace.h"
#include "host/render/AciColor.h"
#include "host/render/SvgCanvas.h"

#include <algorithm>
#include <cmath>
#include <dbdim.h>
#include <dbsymtb.h>

namespace veld::render {

namespace {

struct Layer {
    std::string color;
    bool defpoints = false;
};

class Painter {
public:
    explicit Painter(const AcDbDatabase& db) : db_(db) {}

    void space(AcDbObjectId block, const AcGeMatrix3d& xform, int depth) {
        // A block that (indirectly) holds itself is drawn once; deeper nesting than real
        // drawings have, or more entities than a picture can show, stop the expansion.
        if (depth > 16 || std::find(open_.begin(), open_.end(), block) != open_.end()) {
            return;
        }
        AcDbBlockTableRecord* record = nullptr;
        if (acdbOpenObject(record, block, AcDb::kForRead) != Acad::eOk) {
            return;
        }
        const AcDbObjectIdArray ids = record->entityIds();
        record->close();
        open_.push_back(block);
        for (const AcDbObjectId& id : ids) {
            if (++visited_ > kMaxEntities) {
                break;
            }
            AcDbEntity* e = nullptr;
            if (acdbOpenAcDbEntity(e, id, AcDb::kForRead) == Acad::eOk) {
                entity(*e, xform, depth);
                e->close();
            }
        }
        open_.pop_back();
    }

    SvgCanvas canvas;

private:
    Layer layerOf(const AcDbEntity& e) {
        AcDbLayerTableRecord* layer = nullptr;
        Layer out{aciToRgb(7)};
        if (acdbOpenObject(layer, e.layerId(), AcDb::kForRead) == Acad::eOk) {
            out.color = aciToRgb(layer->color().colorIndex());
            const std::string name = layer->name();
            out.defpoints = name.size() == 9 &&
                            (name == "Defpoints" || name == "DEFPOINTS" || name == "defpoints");
            layer->close();
        }
        if (e.colorIndex() >= 1 && e.colorIndex() <= 255) {
            out.color = aciToRgb(e.colorIndex());
        }
        return out;
    }

    static AcGePoint3d at(AcGePoint3d p, const AcGeMatrix3d& m) { return p.transformBy(m); }
    static double scaleOf(const AcGeMatrix3d& m) {
        return std::hypot(m.entry[0][0], m.entry[1][0]);
    }
    static double angleOf(const AcGeMatrix3d& m) {
        return std::atan2(m.entry[1][0], m.entry[0][0]);
    }

    void text(const AcDbText& t, const AcGeMatrix3d& m, const std::string& color) {
        SvgText out;
        const bool atAlignment =
            t.horizontalMode() != AcDb::kTextLeft || t.verticalMode() != AcDb::kTextBase;
        // Left, aligned and fit on the baseline anchor at the position; others at the
        // alignment point.
        const bool usePosition =
            !atAlignment ||
            ((t.horizontalMode() == AcDb::kTextAlign || t.horizontalMode() == AcDb::kTextFit) &&
             t.verticalMode() == AcDb::kTextBase);
        out.position = at(usePosition ? t.position() : t.alignmentPoint(), m);
        out.height = t.height() * scaleOf(m);
        out.rotation = t.rotation() + angleOf(m);
        out.widthFactor = t.widthFactor() > 0 ? t.widthFactor() : 1.0;
        out.text = t.textString();
        switch (t.horizontalMode()) {
        case AcDb::kTextCenter:
        case AcDb::kTextMid:
            out.anchor = TextAnchor::Middle;
            break;
        case AcDb::kTextRight:
            out.anchor = TextAnchor::End;
            break;
        default:
            out.anchor = TextAnchor::Start;
        }
        if (t.horizontalMode() == AcDb::kTextMid) {
            out.baseline = TextBaseline::Middle;
        } else if (!usePosition) {
            static constexpr TextBaseline kVertical[] = {TextBaseline::Alphabetic,
                                                         TextBaseline::Bottom, TextBaseline::Middle,
                                                         TextBaseline::Top};
            out.baseline = kVertical[t.verticalMode()];
        }
        canvas.text(out, color);
    }

    void dimension(const AcDbAlignedDimension& d, const AcGeMatrix3d& m, const std::string& color) {
        AlignedDimensionInput in;
        in.xLine1 = d.xLine1Point();
        in.xLine2 = d.xLine2Point();
        in.dimLine = d.dimLinePoint();
        in.text = d.dimensionText();
        in.userTextPosition = !d.isUsingDefaultTextPosition();
        in.textPosition = d.textPosition();
        const AcDbObjectId style =
            d.dimensionStyle().isNull() ? db_.dimstyle() : d.dimensionStyle();
        const DimensionGeometry g = computeAlignedDimension(in, veld::dxf::styleValuesOf(style));
        for (const auto& s : g.lines) {
            canvas.line(at(s.start, m), at(s.end, m), color);
        }
        for (const auto& s : g.solids) {
            canvas.filledPolygon({at(s.corners[0], m), at(s.corners[1], m), at(s.corners[2], m)},
                                 color);
        }
        SvgText t;
        t.position = at(g.text.position, m);
        t.height = g.text.height * scaleOf(m);
        t.rotation = g.text.rotation + angleOf(m);
        t.anchor = TextAnchor::Middle;
        t.baseline = TextBaseline::Middle;
        t.text = g.text.text;
        canvas.text(t, color);
    }

    void reference(const AcDbBlockReference& r, const AcGeMatrix3d& m, int depth) {
        space(r.blockTableRecord(), m * r.blockTransform(), depth + 1);
        for (const AcDbObjectId& id : r.attributeIds()) {
            AcDbAttribute* a = nullptr;
            if (acdbOpenObject(a, id, AcDb::kForRead) == Acad::eOk) {
                if (!a->isInvisible()) {
                    text(*a, m, layerOf(*a).color); // attributes are stored in world position
                }
                a->close();
            }
        }
    }

    void entity(const AcDbEntity& e, const AcGeMatrix3d& m, int depth) {
        const Layer layer = layerOf(e);
        const std::string& c = layer.color;
        if (auto* line = AcDbLine::cast(&e)) {
            canvas.line(at(line->startPoint(), m), at(line->endPoint(), m), c);
        } else if (auto* arc = AcDbArc::cast(&e)) {
            const double a = angleOf(m);
            canvas.arc(at(arc->center(), m), arc->radius() * scaleOf(m), arc->startAngle() + a,
                       arc->endAngle() + a, c);
        } else if (auto* circle = AcDbCircle::cast(&e)) {
            canvas.circle(at(circle->center(), m), circle->radius() * scaleOf(m), c);
        } else if (auto* p = AcDbPolyline::cast(&e)) {
            std::vector<AcGePoint2d> points;
            std::vector<double> bulges;
            for (unsigned int i = 0; i < p->numVerts(); ++i) {
                AcGePoint3d pt;
                double bulge = 0.0;
                p->getPointAt(i, pt);
                p->getBulgeAt(i, bulge);
                points.push_back(at(pt, m).convert2d());
                bulges.push_back(bulge);
            }
            canvas.polyline(points, bulges, p->isClosed(), c);
        } else if (auto* point = AcDbPoint::cast(&e)) {
            canvas.pointMark(at(point->position(), m), c, layer.defpoints);
        } else if (auto* dim = AcDbAlignedDimension::cast(&e)) {
            dimension(*dim, m, c);
        } else if (auto* ref = AcDbBlockReference::cast(&e)) {
            reference(*ref, m, depth);
        } else if (AcDbAttributeDefinition::cast(&e) != nullptr) {
            // definitions show only inside their block's own picture
        } else if (auto* t = AcDbText::cast(&e)) {
            text(*t, m, c);
        }
    }

    static constexpr std::size_t kMaxEntities = 5'000'000;
    const AcDbDatabase& db_;
    std::vector<AcDbObjectId> open_; // blocks being drawn, outermost first
    std::size_t visited_ = 0;
};

} // namespace

std::string modelSpaceSvg(const AcDbDatabase& db) {
    Painter painter(db);
    painter.space(db.modelSpaceId(), AcGeMatrix3d::kIdentity, 0);
    return painter.canvas.finish();
}

bool exportSvg(const AcDbDatabase& db, const std::string& path, std::string& error) {
    return files::replaceFile(path, modelSpaceSvg(db), {.keepBackup = true}, error);
}

} // namespace veld::render
