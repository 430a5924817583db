// DXF R2013 form of the modelled entities, the kept raw ones and the computed dimension geometry.
// Optional codes are left out when they hold their default value.
#include "host/dxf/EntityWriter.h"

#include "host/dxf/DbAccess.h"
#include "host/dxf/KeptRecord.h"
#include "host/dxf/XDataCodec.h"
#include "host/geom/TextLayout.h"

#include <algorithm>
#include <cmath>
#include <dbdim.h>
#include <dbsymtb.h>

namespace veld::dxf {

namespace {

constexpr double kDegrees = 180.0 / M_PI;

std::string recordName(AcDbObjectId id) {
    AcDbSymbolTableRecord* record = nullptr;
    if (id.isNull() || acdbOpenObject(record, id, AcDb::kForRead) != Acad::eOk) {
        return {};
    }
    std::string name = record->name();
    record->close();
    return name;
}

template <class T> const T& as(const AcDbEntity& e) {
    return static_cast<const T&>(e);
}

// A world point in the object coordinates of the plane with this normal.
AcGePoint3d inPlane(const AcGeVector3d& normal, AcGePoint3d p) {
    return normal == AcGeVector3d::kZAxis ? p : p.transformBy(AcGeMatrix3d::worldToPlane(normal));
}

// The start of a text centred (horizontally and vertically) on `centre`.
AcGePoint3d centredTextStart(const AcGePoint3d& centre, double height, double rotation,
                             const std::string& text) {
    AcDbText t(centre, text.c_str(), AcDbObjectId::kNull, height, rotation);
    t.setHorizontalMode(AcDb::kTextCenter);
    t.setVerticalMode(AcDb::kTextVertMid);
    return geom::textLayoutOf(t).start;
}

} // namespace

void EntityWriter::common(const AcDbEntity& e, const char* type, std::uint64_t owner) {
    out_.text(0, type);
    out_.handle(5, e.objectId().handle().value());
    const AcDbObjectIdArray reactors = e.persistentReactors();
    if (!reactors.isEmpty()) {
        out_.text(102, "{ACAD_REACTORS");
        for (const AcDbObjectId& r : reactors) {
            out_.handle(330, r.handle().value());
        }
        out_.text(102, "}");
    }
    out_.handle(330, owner);
    out_.text(100, "AcDbEntity");
    if (owner != 0 && owner == plan_.paperSpace()) {
        out_.integer(67, 1);
    }
    commonProps(e);
}

void EntityWriter::commonProps(const AcDbEntity& e) {
    out_.text(8, e.layer().empty() ? std::string("0") : e.layer());
    const std::string linetype = e.linetype();
    if (!linetype.empty() && linetype != "ByLayer" && linetype != "BYLAYER") {
        out_.text(6, linetype);
    }
    if (e.colorIndex() != 256) {
        out_.integer(62, e.colorIndex());
    }
    if (e.linetypeScale() != 1.0) {
        out_.real(48, e.linetypeScale());
    }
}

void EntityWriter::xdata(const AcDbObject& o) {
    writeXData(out_, o);
}

void EntityWriter::write(const AcDbEntity& e, std::uint64_t owner) {
    std::string rawType;
    if (const veld::db::RawTags* raw = dbaccess::rawTags(e, rawType)) {
        out_.text(0, rawType);
        out_.handle(5, e.objectId().handle().value());
        if (!raw->hasCode(330)) {
            out_.handle(330, owner); // read from a file that wrote no owners
        }
        raw->forEach([&](int code, std::string_view value) { out_.raw(code, value); });
        xdata(e);
        return;
    }
    if (writeAsKept(out_, e, 5, owner,
                    [&](TagWriter& to) { EntityWriter(to, plan_).modelled(e, owner); })) {
        xdata(e);
        if (const auto* ref = AcDbBlockReference::cast(&e)) {
            attributes(*ref);
        }
        return;
    }
    modelled(e, owner);
}

void EntityWriter::modelled(const AcDbEntity& e, std::uint64_t owner) {
    const AcRxClass* cls = e.isA();
    if (cls->isDerivedFrom(AcDbText::desc())) { // attribute definitions and attributes too
        text(e, owner);
    } else if (cls->isDerivedFrom(AcDbLine::desc())) {
        common(e, "LINE", owner);
        line(e);
    } else if (cls->isDerivedFrom(AcDbBlockReference::desc())) {
        insert(e, owner);
    } else if (cls->isDerivedFrom(AcDbAlignedDimension::desc())) {
        common(e, "DIMENSION", owner);
        dimension(e);
    } else if (cls->isDerivedFrom(AcDbPoint::desc())) {
        common(e, "POINT", owner);
        point(e);
    } else if (cls->isDerivedFrom(AcDbArc::desc())) {
        common(e, "ARC", owner);
        arc(e);
    } else if (cls->isDerivedFrom(AcDbCircle::desc())) {
        common(e, "CIRCLE", owner);
        circle(e);
    } else if (cls->isDerivedFrom(AcDbPolyline::desc())) {
        common(e, "LWPOLYLINE", owner);
        polyline(e);
    }
}

// The extrusion, left out when it is +Z.
void EntityWriter::normal(const AcGeVector3d& n) {
    if (n != AcGeVector3d::kZAxis) {
        out_.point(210, AcGePoint3d(n.x, n.y, n.z));
    }
}

void EntityWriter::line(const AcDbEntity& e) {
    out_.text(100, "AcDbLine");
    out_.point(10, as<AcDbLine>(e).startPoint());
    out_.point(11, as<AcDbLine>(e).endPoint());
    xdata(e);
}

void EntityWriter::point(const AcDbEntity& e) {
    out_.text(100, "AcDbPoint");
    out_.point(10, as<AcDbPoint>(e).position());
    xdata(e);
}

void EntityWriter::circle(const AcDbEntity& e) {
    const auto& c = as<AcDbCircle>(e);
    out_.text(100, "AcDbCircle");
    out_.point(10, inPlane(c.normal(), c.center()));
    out_.real(40, c.radius());
    normal(c.normal());
    xdata(e);
}

void EntityWriter::arc(const AcDbEntity& e) {
    const auto& a = as<AcDbArc>(e);
    out_.text(100, "AcDbCircle");
    out_.point(10, inPlane(a.normal(), a.center()));
    out_.real(40, a.radius());
    normal(a.normal());
    out_.text(100, "AcDbArc");
    out_.real(50, a.startAngle() * kDegrees);
    out_.real(51, a.endAngle() * kDegrees);
    xdata(e);
}

void EntityWriter::polyline(const AcDbEntity& e) {
    const auto& p = as<AcDbPolyline>(e);
    out_.text(100, "AcDbPolyline");
    out_.integer(90, p.numVerts());
    out_.integer(70, (p.isClosed() ? 1 : 0) | (p.hasPlinegen() ? 128 : 0));
    if (p.constantWidth() != 0.0) {
        out_.real(43, p.constantWidth());
    }
    if (p.elevation() != 0.0) {
        out_.real(38, p.elevation());
    }
    for (unsigned int i = 0; i < p.numVerts(); ++i) {
        AcGePoint2d pt;
        double bulge = 0.0, startWidth = 0.0, endWidth = 0.0;
        p.getPointAt(i, pt);
        p.getBulgeAt(i, bulge);
        p.getWidthsAt(i, startWidth, endWidth);
        out_.point2d(10, pt.x, pt.y);
        if (startWidth != 0.0 || endWidth != 0.0) {
            out_.real(40, startWidth);
            out_.real(41, endWidth);
        }
        if (bulge != 0.0) {
            out_.real(42, bulge);
        }
    }
    normal(p.normal());
    xdata(e);
}

// The AcDbText part shared by TEXT, ATTDEF and ATTRIB (up to the alignment point).
void EntityWriter::textBody(const AcDbEntity& e) {
    const auto& t = as<AcDbText>(e);
    out_.text(100, "AcDbText");
    // A text placed by its alignment point starts where that point puts it.
    const bool aligned = geom::placedByAlignmentPoint(t);
    out_.point(10, aligned ? geom::textLayoutOf(t).start : inPlane(t.normal(), t.position()));
    out_.real(40, t.height());
    out_.text(1, t.textString());
    if (t.rotation() != 0.0) {
        out_.real(50, t.rotation() * kDegrees);
    }
    if (t.widthFactor() != 1.0) {
        out_.real(41, t.widthFactor());
    }
    if (t.oblique() != 0.0) {
        out_.real(51, t.oblique() * kDegrees);
    }
    const std::string style = recordName(t.textStyle());
    out_.text(7, style.empty() ? std::string("STANDARD") : style);
    if (t.horizontalMode() != AcDb::kTextLeft) {
        out_.integer(72, t.horizontalMode());
    }
    if (t.horizontalMode() != AcDb::kTextLeft || t.verticalMode() != AcDb::kTextBase) {
        out_.point(11, inPlane(t.normal(), t.alignmentPoint()));
    }
    normal(t.normal());
}

void EntityWriter::text(const AcDbEntity& e, std::uint64_t owner) {
    const auto& t = as<AcDbText>(e);
    const AcRxClass* cls = e.isA();
    if (cls->isDerivedFrom(AcDbAttributeDefinition::desc())) {
        const auto& d = as<AcDbAttributeDefinition>(e);
        common(e, "ATTDEF", owner);
        textBody(e);
        out_.text(100, "AcDbAttributeDefinition");
        out_.integer(280, 0);
        out_.text(3, d.prompt());
        out_.text(2, d.tag());
        out_.integer(70, (d.isInvisible() ? 1 : 0) | (d.isConstant() ? 2 : 0) |
                             (d.isVerifiable() ? 4 : 0) | (d.isPreset() ? 8 : 0));
        if (t.verticalMode() != AcDb::kTextBase) {
            out_.integer(74, t.verticalMode());
        }
    } else if (cls->isDerivedFrom(AcDbAttribute::desc())) {
        const auto& a = as<AcDbAttribute>(e);
        common(e, "ATTRIB", owner);
        textBody(e);
        out_.text(100, "AcDbAttribute");
        out_.integer(280, 0);
        out_.text(2, a.tag());
        out_.integer(70, a.isInvisible() ? 1 : 0);
        if (t.verticalMode() != AcDb::kTextBase) {
            out_.integer(74, t.verticalMode());
        }
    } else {
        common(e, "TEXT", owner);
        textBody(e);
        out_.text(100, "AcDbText");
        if (t.verticalMode() != AcDb::kTextBase) {
            out_.integer(73, t.verticalMode());
        }
    }
    xdata(e);
}

void EntityWriter::insert(const AcDbEntity& e, std::uint64_t owner) {
    const auto& r = as<AcDbBlockReference>(e);
    const AcDbObjectIdArray attributes = r.attributeIds();
    common(e, "INSERT", owner);
    out_.text(100, "AcDbBlockReference");
    if (!attributes.isEmpty()) {
        out_.integer(66, 1);
    }
    out_.text(2, recordName(r.blockTableRecord()));
    out_.point(10, inPlane(r.normal(), r.position()));
    const AcGeScale3d s = r.scaleFactors();
    if (s.sx != 1.0 || s.sy != 1.0 || s.sz != 1.0) {
        out_.real(41, s.sx);
        out_.real(42, s.sy);
        out_.real(43, s.sz);
    }
    if (r.rotation() != 0.0) {
        out_.real(50, r.rotation() * kDegrees);
    }
    normal(r.normal());
    xdata(e);
    this->attributes(r);
}

// The attributes of a block reference and the SEQEND after them.
void EntityWriter::attributes(const AcDbBlockReference& r) {
    const AcDbObjectIdArray attributes = r.attributeIds();
    if (attributes.isEmpty()) {
        return;
    }
    const AcDbEntity& e = r;
    const std::uint64_t self = e.objectId().handle().value();
    for (const AcDbObjectId& id : attributes) {
        AcDbEntity* attribute = nullptr;
        if (acdbOpenAcDbEntity(attribute, id, AcDb::kForRead) == Acad::eOk) {
            write(*attribute, self);
            attribute->close();
        }
    }
    out_.text(0, "SEQEND");
    out_.handle(5, plan_.sequenceEnd(e.objectId()));
    out_.handle(330, self);
    out_.text(100, "AcDbEntity");
    commonProps(e);
}

void EntityWriter::dimension(const AcDbEntity& e) {
    const auto& d = as<AcDbAlignedDimension>(e);
    const DimensionBlock* block = plan_.dimensionOf(e.objectId());
    out_.text(100, "AcDbDimension");
    out_.integer(280, 0);
    out_.text(2, block != nullptr ? block->name : std::string());
    out_.point(10, d.dimLinePoint()); // any point of the dimension line places it
    out_.point(11, block != nullptr ? block->geometry.text.position : d.textPosition());
    out_.integer(70, 1 | 32 | (d.isUsingDefaultTextPosition() ? 0 : 128));
    out_.integer(71, 5);
    out_.integer(72, 1);
    // The valid range of the line spacing factor is 0.25 .. 4; callers may have stored more.
    const double spacing = std::clamp(d.textLineSpacingFactor(), 0.25, 4.0);
    out_.real(41, std::isfinite(spacing) ? spacing : 1.0);
    out_.real(42, d.measurement());
    if (!d.dimensionText().empty()) {
        out_.text(1, d.dimensionText());
    }
    const std::string style = recordName(d.dimensionStyle());
    out_.text(3, style.empty() ? std::string("STANDARD") : style);
    out_.text(100, "AcDbAlignedDimension");
    out_.point(13, d.xLine1Point());
    out_.point(14, d.xLine2Point());
    if (d.oblique() != 0.0) {
        out_.real(52, d.oblique() * kDegrees);
    }
    xdata(e);
}

void EntityWriter::writeGeometry(const DimensionBlock& block) {
    std::size_t next = 0;
    auto head = [&](const char* type) {
        out_.text(0, type);
        out_.handle(5, block.entityHandles[next++]);
        out_.handle(330, block.record);
        out_.text(100, "AcDbEntity");
        out_.text(8, "0");
        out_.integer(62, 0); // by block: the dimension's own colour
    };
    for (const auto& segment : block.geometry.lines) {
        head("LINE");
        out_.text(100, "AcDbLine");
        out_.point(10, segment.start);
        out_.point(11, segment.end);
    }
    for (const auto& solid : block.geometry.solids) {
        head("SOLID");
        out_.text(100, "AcDbTrace");
        for (int i = 0; i < 4; ++i) {
            out_.point(10 + i, solid.corners[i]);
        }
    }
    const auto& text = block.geometry.text;
    head("TEXT");
    out_.text(100, "AcDbText");
    out_.point(10, centredTextStart(text.position, text.height, text.rotation, text.text));
    out_.real(40, text.height);
    out_.text(1, text.text);
    if (text.rotation != 0.0) {
        out_.real(50, text.rotation * kDegrees);
    }
    out_.text(7, block.textStyle);
    out_.integer(72, 1);
    out_.point(11, text.position);
    out_.text(100, "AcDbText");
    out_.integer(73, 2);
}

} // namespace veld::dxf
