// Record to entity: common properties, then each kind's own codes.
// Values that do not fit their codes raise the reader's error naming the line.
#include "host/dxf/EntityBuilder.h"

#include "host/db/ObjectAccess.h"
#include "host/dxf/DbAccess.h"
#include "host/dxf/LegacyEntity.h"

#include <cmath>
#include <dbdim.h>
#include <dbsymtb.h>
#include <memory>

namespace veld::dxf {

namespace {

constexpr double kRadians = M_PI / 180.0;

bool isAlignedDimension(const Record& r) {
    return r.type == "DIMENSION" && (r.integer(70) & 0x0F) == 1 && r.find(13) != nullptr;
}

// The extrusion (210/220/230): the normal of the plane the record's own coordinates lie in.
AcGeVector3d normalOf(const Record& r) {
    if (r.find(210) == nullptr && r.find(220) == nullptr && r.find(230) == nullptr) {
        return AcGeVector3d::kZAxis;
    }
    const AcGeVector3d n(r.real(210), r.real(220), r.real(230, 1.0));
    return n.length() > 0.0 ? n.normal() : AcGeVector3d::kZAxis;
}

// A point of the record's plane as a world point.
AcGePoint3d toWorld(const AcGeVector3d& normal, AcGePoint3d p) {
    return normal == AcGeVector3d::kZAxis ? p : p.transformBy(AcGeMatrix3d::planeToWorld(normal));
}

void commonProps(const Record& r, AcDbEntity& e, const NameLookup& names) {
    const AcDbObjectId layer = names.layer(r.text(8, "0"));
    if (!layer.isNull()) {
        veld::db::ObjectAccess::setRawLayer(e, layer);
    }
    const std::string linetype = r.text(6);
    if (!linetype.empty()) {
        const AcDbObjectId id = names.linetype(linetype);
        if (!id.isNull()) {
            veld::db::ObjectAccess::setRawLinetype(e, id);
        }
    }
    if (const ReadTag* color = r.find(62)) {
        const auto index = r.integerOf(*color);
        e.setColorIndex(static_cast<Adesk::UInt16>(index >= 0 && index <= 256 ? index : 256));
    }
    if (const ReadTag* scale = r.find(48)) {
        e.setLinetypeScale(r.realOf(*scale));
    }
}

// The AcDbText part: position, height, text, angles, style and alignment.
void textBody(const Record& r, AcDbText& t, const NameLookup& names, int verticalCode) {
    const AcGeVector3d normal = normalOf(r);
    t.setNormal(normal);
    t.setPosition(toWorld(normal, r.point(10)));
    t.setHeight(r.real(40));
    t.setTextString(r.text(1).c_str());
    t.setRotation(r.real(50) * kRadians);
    t.setWidthFactor(r.real(41, 1.0));
    t.setOblique(r.real(51) * kRadians);
    const AcDbObjectId style = names.textStyle(r.text(7, "STANDARD"));
    if (!style.isNull()) {
        t.setTextStyle(style);
    }
    const auto horizontal = r.integer(72);
    const auto vertical = r.integer(verticalCode);
    t.setHorizontalMode(
        static_cast<AcDb::TextHorzMode>(horizontal >= 0 && horizontal <= 5 ? horizontal : 0));
    t.setVerticalMode(
        static_cast<AcDb::TextVertMode>(vertical >= 0 && vertical <= 3 ? vertical : 0));
    t.setAlignmentPoint(toWorld(normal, r.point(r.find(11) != nullptr ? 11 : 10)));
}

AcDbEntity* text(const Record& r, const NameLookup& names) {
    if (r.type == "ATTDEF") {
        auto d = std::make_unique<AcDbAttributeDefinition>();
        textBody(r, *d, names, 74);
        d->setTag(r.text(2).c_str());
        d->setPrompt(r.text(3).c_str());
        const auto flags = r.integer(70);
        d->setInvisible(flags & 1);
        d->setConstant(flags & 2);
        d->setVerifiable(flags & 4);
        d->setPreset(flags & 8);
        return d.release();
    }
    if (r.type == "ATTRIB") {
        auto a = std::make_unique<AcDbAttribute>();
        textBody(r, *a, names, 74);
        a->setTag(r.text(2).c_str());
        a->setInvisible(r.integer(70) & 1);
        return a.release();
    }
    auto t = std::make_unique<AcDbText>();
    textBody(r, *t, names, 73);
    return t.release();
}

AcDbEntity* circle(const Record& r) {
    const AcGeVector3d normal = normalOf(r);
    auto c = std::make_unique<AcDbCircle>(toWorld(normal, r.point(10)), r.real(40));
    c->setNormal(normal);
    return c.release();
}

// The angles stay in the arc's plane, measured about its normal.
AcDbEntity* arc(const Record& r) {
    const AcGeVector3d normal = normalOf(r);
    auto a = std::make_unique<AcDbArc>(toWorld(normal, r.point(10)), r.real(40),
                                       r.real(50) * kRadians, r.real(51) * kRadians);
    a->setNormal(normal);
    return a.release();
}

AcDbEntity* polyline(const Record& r) {
    auto p = std::make_unique<AcDbPolyline>();
    p->setClosed(r.integer(70) & 1);
    p->setPlinegen(r.integer(70) & 128);
    p->setElevation(r.real(38));
    p->setNormal(normalOf(r)); // the vertices stay in the polyline's plane
    if (const ReadTag* width = r.find(43)) {
        p->setConstantWidth(r.realOf(*width));
    }
    // Vertices: each 10 starts one; 20, 40, 41, 42 after it belong to it.
    struct V {
        double x = 0, y = 0, bulge = 0, start = 0, end = 0;
    };
    std::vector<V> vertices;
    for (const ReadTag& tag : r.body) {
        if (tag.code == 10) {
            vertices.push_back({r.realOf(tag)});
        } else if (!vertices.empty() && tag.code == 20) {
            vertices.back().y = r.realOf(tag);
        } else if (!vertices.empty() && tag.code == 42) {
            vertices.back().bulge = r.realOf(tag);
        } else if (!vertices.empty() && tag.code == 40) {
            vertices.back().start = r.realOf(tag);
        } else if (!vertices.empty() && tag.code == 41) {
            vertices.back().end = r.realOf(tag);
        }
    }
    for (const V& v : vertices) {
        p->addVertexAt(p->numVerts(), AcGePoint2d(v.x, v.y), v.bulge, v.start, v.end);
    }
    return p.release();
}

AcDbEntity* insert(const Record& r, const NameLookup& names) {
    auto ref = std::make_unique<AcDbBlockReference>();
    const AcGeVector3d normal = normalOf(r);
    ref->setNormal(normal);
    ref->setPosition(toWorld(normal, r.point(10)));
    ref->setBlockTableRecord(names.block(r.text(2)));
    ref->setScaleFactors(AcGeScale3d(r.real(41, 1.0), r.real(42, 1.0), r.real(43, 1.0)));
    ref->setRotation(r.real(50) * kRadians);
    return ref.release();
}

AcDbEntity* dimension(const Record& r, const NameLookup& names) {
    auto d = std::make_unique<AcDbAlignedDimension>();
    d->setXLine1Point(r.point(13));
    d->setXLine2Point(r.point(14));
    d->setDimLinePoint(r.point(10));
    d->setDimensionText(r.text(1).c_str());
    const AcDbObjectId style = names.dimStyle(r.text(3, "STANDARD"));
    if (!style.isNull()) {
        d->setDimensionStyle(style);
    }
    d->setTextLineSpacingFactor(r.real(41, 1.0));
    if (r.integer(70) & 128) {
        d->setTextPosition(r.point(11)); // a text moved by the user
    }
    d->setOblique(r.real(52) * kRadians);
    const std::string block = r.text(2);
    if (!block.empty()) {
        d->setDimBlockId(names.block(block));
    }
    return d.release();
}

} // namespace

bool isModelledEntity(const Record& r) {
    static const char* const kModelled[] = {"LINE",   "POINT",  "TEXT",       "ATTDEF", "ATTRIB",
                                            "INSERT", "CIRCLE", "LWPOLYLINE", "ARC"};
    for (const char* type : kModelled) {
        if (r.type == type) {
            return true;
        }
    }
    return isAlignedDimension(r);
}

AcDbEntity* buildEntity(const Record& r, const NameLookup& names) {
    AcDbEntity* e = nullptr;
    if (r.type == "LINE") {
        e = new AcDbLine(r.point(10), r.point(11));
    } else if (r.type == "POINT") {
        e = new AcDbPoint(r.point(10));
    } else if (r.type == "CIRCLE") {
        e = circle(r);
    } else if (r.type == "ARC") {
        e = arc(r);
    } else if (r.type == "TEXT" || r.type == "ATTDEF" || r.type == "ATTRIB") {
        e = text(r, names);
    } else if (r.type == "LWPOLYLINE") {
        e = polyline(r);
    } else if (r.type == "INSERT") {
        e = insert(r, names);
    } else if (isAlignedDimension(r)) {
        e = dimension(r, names);
    } else {
        return nullptr;
    }
    std::unique_ptr<AcDbEntity> owned(e);
    commonProps(r, *owned, names);
    return owned.release();
}

} // namespace veld::dxf
