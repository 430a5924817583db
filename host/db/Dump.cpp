// The canonical text of a database: one block per object, fields in a fixed order.
#include "Dump.h"

#include "DatabaseImpl.h"
#include "ObjectAccess.h"
#include "RawObjects.h"
#include "ResBufKind.h"
#include "dbdim.h"

#include <cstdio>
#include <sstream>

namespace veld::db {

namespace {

class Dumper {
public:
    std::string text() const { return out_.str(); }

    void object(const AcDbObject& object);

private:
    std::string num(double v) const {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.17g", v);
        return buffer;
    }
    std::string pt(const AcGePoint3d& p) const {
        return num(p.x) + "," + num(p.y) + "," + num(p.z);
    }
    std::string id(AcDbObjectId oid) const { return oid.isNull() ? "0" : oid.handle().text(); }
    std::string id(const AcDbStub* stub) const {
        return stub == nullptr ? "0" : AcDbHandle(stub->handle).text();
    }
    void field(const char* name, const std::string& value) {
        out_ << "  " << name << "=" << value << "\n";
    }
    void stubs(const char* name, const std::vector<AcDbStub*>& list) {
        out_ << "  " << name << "=";
        for (const AcDbStub* s : list) {
            out_ << " " << id(s);
        }
        out_ << "\n";
    }

    void entity(const AcDbEntity& e);
    void text(const AcDbText& t);
    void entityData(const AcDbObject& o);
    void textEntity(const AcDbText& text);
    void blockReference(const AcDbBlockReference& ref);
    void polyline(const AcDbPolyline& pline);
    void dimension(const AcDbAlignedDimension& dim);
    void tableData(const AcDbObject& o);
    void containerData(const AcDbObject& o);
    void rawData(const AcDbObject& o);
    void tags(const Tags& list);
    void xdata(const AcDbObject& o);

    std::ostringstream out_;
};

void Dumper::object(const AcDbObject& o) {
    const AcDbStub* stub = ObjectAccess::stub(o);
    out_ << o.isA()->name() << " " << id(stub) << " owner=" << id(stub->owner)
         << (stub->erased ? " erased" : "") << "\n";
    if (auto* e = AcDbEntity::cast(&o)) {
        entity(*e);
    }
    entityData(o);
    tableData(o);
    containerData(o);
    rawData(o);
    xdata(o);
    if (ObjectExtras* extras = ObjectAccess::extras(o); extras != nullptr) {
        stubs("reactors", extras->reactors);
    }
}

void Dumper::entity(const AcDbEntity& e) {
    field("layer", e.layer() + "(" + id(e.layerId()) + ")");
    field("linetype", e.linetype() + "(" + id(e.linetypeId()) + ")");
    field("color", std::to_string(e.colorIndex()));
    field("ltscale", num(e.linetypeScale()));
}

void Dumper::text(const AcDbText& t) {
    field("position", pt(t.position()));
    field("alignment", pt(t.alignmentPoint()));
    field("height", num(t.height()));
    field("rotation", num(t.rotation()));
    field("oblique", num(t.oblique()));
    field("width", num(t.widthFactor()));
    field("text", t.textString());
    field("style", id(t.textStyle()));
    field("modes", std::to_string(t.horizontalMode()) + "," + std::to_string(t.verticalMode()));
}

void Dumper::entityData(const AcDbObject& o) {
    if (auto* line = AcDbLine::cast(&o)) {
        field("start", pt(line->startPoint()));
        field("end", pt(line->endPoint()));
    } else if (auto* point = AcDbPoint::cast(&o)) {
        field("position", pt(point->position()));
    } else if (auto* text = AcDbText::cast(&o)) {
        textEntity(*text);
    } else if (auto* ref = AcDbBlockReference::cast(&o)) {
        blockReference(*ref);
    } else if (auto* circle = AcDbCircle::cast(&o)) {
        field("center", pt(circle->center()));
        field("radius", num(circle->radius()));
    } else if (auto* arc = AcDbArc::cast(&o)) {
        field("center", pt(arc->center()));
        field("radius", num(arc->radius()));
        field("angles", num(arc->startAngle()) + "," + num(arc->endAngle()));
    } else if (auto* pline = AcDbPolyline::cast(&o)) {
        polyline(*pline);
    } else if (auto* dim = AcDbAlignedDimension::cast(&o)) {
        dimension(*dim);
    }
}

void Dumper::textEntity(const AcDbText& text) {
    this->text(text);
    if (auto* def = AcDbAttributeDefinition::cast(&text)) {
        field("tag", def->tag());
        field("prompt", def->prompt());
        field("flags", std::to_string(def->isConstant()) + std::to_string(def->isInvisible()) +
                           std::to_string(def->isPreset()) + std::to_string(def->isVerifiable()));
    } else if (auto* att = AcDbAttribute::cast(&text)) {
        field("tag", att->tag());
        field("invisible", std::to_string(att->isInvisible()));
    }
}

void Dumper::blockReference(const AcDbBlockReference& ref) {
    field("position", pt(ref.position()));
    field("block", id(ref.blockTableRecord()));
    const AcGeScale3d s = ref.scaleFactors();
    field("scale", num(s.sx) + "," + num(s.sy) + "," + num(s.sz));
    field("rotation", num(ref.rotation()));
    std::vector<AcDbStub*> attributes;
    for (const AcDbObjectId& a : ObjectAccess::attributes(const_cast<AcDbBlockReference&>(ref))) {
        attributes.push_back(a.stub());
    }
    stubs("attributes", attributes);
}

void Dumper::polyline(const AcDbPolyline& pline) {
    field("closed", std::to_string(pline.isClosed()));
    if (pline.hasPlinegen()) {
        field("plinegen", "1");
    }
    field("elevation", num(pline.elevation()));
    field("width", num(pline.constantWidth()));
    for (unsigned i = 0; i < pline.numVerts(); ++i) {
        AcGePoint2d p;
        double bulge = 0.0, sw = 0.0, ew = 0.0;
        pline.getPointAt(i, p);
        pline.getBulgeAt(i, bulge);
        pline.getWidthsAt(i, sw, ew);
        field("vertex", num(p.x) + "," + num(p.y) + " bulge " + num(bulge) + " widths " + num(sw) +
                            "," + num(ew));
    }
}

void Dumper::dimension(const AcDbAlignedDimension& dim) {
    field("xline1", pt(dim.xLine1Point()));
    field("xline2", pt(dim.xLine2Point()));
    field("dimline", pt(dim.dimLinePoint()));
    field("oblique", num(dim.oblique()));
    field("style", id(dim.dimensionStyle()));
    field("text", dim.dimensionText());
    field("spacing", num(dim.textLineSpacingFactor()));
    field("textpos",
          (dim.isUsingDefaultTextPosition() ? "default " : "user ") + pt(dim.textPosition()));
    field("dimblock", id(dim.dimBlockId()));
}

void Dumper::tableData(const AcDbObject& o) {
    auto* record = AcDbSymbolTableRecord::cast(&o);
    if (record == nullptr) {
        return;
    }
    field("name", record->name());
    if (auto* layer = AcDbLayerTableRecord::cast(&o)) {
        field("color", std::to_string(layer->color().colorIndex()));
        field("flags", std::to_string(layer->isOff()) + std::to_string(layer->isFrozen()) +
                           std::to_string(layer->isLocked()) +
                           std::to_string(layer->isPlottable()));
        field("linetype", id(layer->linetypeObjectId()));
    } else if (auto* ltype = AcDbLinetypeTableRecord::cast(&o)) {
        field("comments", ltype->comments());
        std::string dashes;
        for (double d : ltype->dashes()) {
            dashes += " " + num(d);
        }
        field("dashes", dashes);
    } else if (auto* style = AcDbTextStyleTableRecord::cast(&o)) {
        field("size", num(style->textSize()));
        field("xscale", num(style->xScale()));
        field("fonts", style->fileName() + "," + style->bigFontFileName());
    } else if (auto* dim = AcDbDimStyleTableRecord::cast(&o)) {
        field("sizes", num(dim->dimasz()) + "," + num(dim->dimexe()) + "," + num(dim->dimexo()) +
                           "," + num(dim->dimgap()) + "," + num(dim->dimtxt()) + "," +
                           num(dim->dimscale()) + "," + num(dim->dimtsz()));
        field("dimdec", std::to_string(dim->dimdec()));
        field("dimtad", std::to_string(dim->dimtad()));
        field("dimtxsty", id(dim->dimtxsty()));
    } else if (auto* block = AcDbBlockTableRecord::cast(&o)) {
        field("origin", pt(block->origin()));
        field("path", block->pathName());
    }
}

void Dumper::containerData(const AcDbObject& o) {
    auto& object = const_cast<AcDbObject&>(o);
    if (auto* block = AcDbBlockTableRecord::cast(&object)) {
        stubs("entities", ObjectAccess::blockEntities(*block));
    } else if (auto* table = AcDbSymbolTable::cast(&object)) {
        stubs("records", ObjectAccess::tableRecords(*table).order);
    } else if (auto* dict = AcDbDictionary::cast(&object)) {
        for (const auto& entry : ObjectAccess::dictEntries(*dict).list) {
            field("entry", entry.key + " -> " + id(entry.value));
        }
    } else if (auto* group = AcDbGroup::cast(&object)) {
        const auto& members = ObjectAccess::groupMembers(*group);
        field("description", members.description);
        field("selectable", std::to_string(members.selectable));
        stubs("members", members.ids);
    }
}

void Dumper::tags(const Tags& list) {
    for (const auto& [code, value] : list) {
        out_ << "  tag " << code << " " << value << "\n";
    }
}

void Dumper::rawData(const AcDbObject& o) {
    if (auto* raw = AcDbRawEntity::cast(&o)) {
        field("dxf", raw->dxfType());
        tags(raw->tags());
    } else if (auto* rawObject = AcDbRawObject::cast(&o)) {
        field("dxf", rawObject->dxfType());
        tags(rawObject->tags());
    } else if (auto* rawTable = AcDbRawSymbolTable::cast(&o)) {
        field("dxf", rawTable->dxfType());
        tags(rawTable->tags());
    } else if (auto* rawRecord = AcDbRawTableRecord::cast(&o)) {
        field("dxf", rawRecord->dxfType());
        tags(rawRecord->tags());
    }
}

void Dumper::xdata(const AcDbObject& o) {
    resbuf* chain = o.xData();
    for (const resbuf* rb = chain; rb != nullptr; rb = rb->rbnext) {
        out_ << "  xdata " << rb->restype << " ";
        switch (valueKindOf(rb->restype)) {
        case ValueKind::String:
            out_ << (rb->resval.rstring != nullptr ? rb->resval.rstring : "");
            break;
        case ValueKind::Point:
            out_ << pt(
                AcGePoint3d(rb->resval.rpoint[0], rb->resval.rpoint[1], rb->resval.rpoint[2]));
            break;
        case ValueKind::Real:
            out_ << num(rb->resval.rreal);
            break;
        case ValueKind::Short:
            out_ << rb->resval.rint;
            break;
        case ValueKind::Long:
            out_ << rb->resval.rlong;
            break;
        case ValueKind::Binary:
            for (int i = 0; i < rb->resval.rbinary.clen; ++i) {
                char hex[3];
                std::snprintf(hex, sizeof hex, "%02X",
                              static_cast<unsigned char>(rb->resval.rbinary.buf[i]));
                out_ << hex;
            }
            break;
        default:
            break;
        }
        out_ << "\n";
    }
    acutRelRb(chain);
}

} // namespace

std::string dumpDatabase(const AcDbDatabase& database) {
    Dumper dumper;
    for (const AcDbObjectId& oid : database.impl().objectsInHandleOrder(true)) {
        dumper.object(*oid.stub()->object);
    }
    return dumper.text();
}

} // namespace veld::db
