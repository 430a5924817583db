// Names compare without case, as the linetype table's do; LTSCALE comes from the header as read.
#include "host/render/LinetypeResolver.h"

#include "host/db/RawObjects.h"
#include "host/dxf/DbAccess.h"
#include "host/render/CurveFlatten.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <dbents.h>
#include <dbsymtb.h>

namespace veld::render {

namespace {

std::string upper(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

double headerReal(const AcDbDatabase& db, const std::string& name, double fallback) {
    for (const auto& [variable, tags] : veld::dxf::dbaccess::keptHeader(db)) {
        if (variable != name) {
            continue;
        }
        for (const auto& [code, value] : tags) {
            if (code == 40) {
                const double v = std::strtod(value.c_str(), nullptr);
                return std::isfinite(v) && v > 0 ? v : fallback;
            }
        }
    }
    return fallback;
}

} // namespace

bool LinetypeResolver::takesLinetype(const AcDbEntity& e) {
    if (const auto* raw = AcDbRawEntity::cast(&e)) {
        const std::string& type = raw->dxfType();
        return type == "SPLINE" || type == "ELLIPSE" || type == "POLYLINE";
    }
    return AcDbLine::cast(&e) != nullptr || AcDbCircle::cast(&e) != nullptr ||
           AcDbArc::cast(&e) != nullptr || AcDbPolyline::cast(&e) != nullptr;
}

LinetypeResolver::LinetypeResolver(const AcDbDatabase& db)
    : db_(db), globalScale_(headerReal(db, "$LTSCALE", 1.0)) {}

const LinetypeResolver::Linetype& LinetypeResolver::byId(AcDbObjectId id) {
    const auto found = byId_.find(id);
    if (found != byId_.end()) {
        return found->second;
    }
    Linetype type;
    type.kind = Kind::ByLayer;
    AcDbLinetypeTableRecord* record = nullptr;
    if (!id.isNull() && acdbOpenObject(record, id, AcDb::kForRead) == Acad::eOk) {
        const std::string name = upper(record->name());
        type.kind = name == "BYLAYER"   ? Kind::ByLayer
                    : name == "BYBLOCK" ? Kind::ByBlock
                                        : Kind::Own;
        type.dashes = record->dashes();
        record->close();
    }
    return byId_.emplace(id, std::move(type)).first->second;
}

const LinetypeResolver::Linetype& LinetypeResolver::byName(const std::string& name) {
    static const Linetype continuous;
    const std::string key = upper(name);
    const auto found = byName_.find(key);
    if (found != byName_.end()) {
        return *found->second;
    }
    AcDbObjectId id;
    AcDbLinetypeTable* table = nullptr;
    if (acdbOpenObject(table, db_.linetypeTableId(), AcDb::kForRead) == Acad::eOk) {
        table->getAt(name.c_str(), id);
        table->close();
    }
    const Linetype* type = id.isNull() ? &continuous : &byId(id);
    byName_.emplace(key, type);
    return *type;
}

const LinetypeResolver::Linetype* LinetypeResolver::effective(const AcDbEntity& e,
                                                              AcDbObjectId layerLinetype,
                                                              const Linetype* byBlock,
                                                              double& scale) {
    const Linetype* own = nullptr;
    if (const auto* raw = AcDbRawEntity::cast(&e)) {
        scale = firstNumber(raw->tags(), 48, 1.0);
        own = &byName(firstText(raw->tags(), 6, "BYLAYER"));
    } else {
        scale = e.linetypeScale();
        own = &byId(e.linetypeId());
    }
    if (own->kind == Kind::ByBlock) {
        return byBlock;
    }
    if (own->kind == Kind::ByLayer) {
        own = &byId(layerLinetype);
    }
    return own->kind == Kind::Own && !own->dashes.empty() ? own : nullptr;
}

bool LinetypeResolver::dashes(const AcDbEntity& e, AcDbObjectId layerLinetype,
                              const Linetype* byBlock, DashPattern& out) {
    double scale = 1.0;
    const Linetype* type = effective(e, layerLinetype, byBlock, scale);
    return type != nullptr && scale > 0 && makeDashPattern(type->dashes, globalScale_ * scale, out);
}

} // namespace veld::render
