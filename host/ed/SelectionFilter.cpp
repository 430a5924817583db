// The selection filter of acedSSGet on entity type and layer.
#include "host/ed/SelectionFilter.h"

#include "dbdim.h"
#include "host/ed/InputParser.h"

#include <algorithm>

namespace veld::ed {

namespace {

bool anyMatches(const std::vector<std::string>& patterns, const std::string& value) {
    return patterns.empty() ||
           std::any_of(patterns.begin(), patterns.end(), [&](const std::string& list) {
               std::size_t start = 0;
               for (;;) {
                   std::size_t comma = list.find(',', start);
                   if (InputParser::matchesWildcard(list.substr(start, comma - start), value)) {
                       return true;
                   }
                   if (comma == std::string::npos) {
                       return false;
                   }
                   start = comma + 1;
               }
           });
}

} // namespace

bool SelectionFilter::parse(const resbuf* filter) {
    for (const resbuf* rb = filter; rb != nullptr; rb = rb->rbnext) {
        const char* text = rb->resval.rstring != nullptr ? rb->resval.rstring : "";
        if (rb->restype == 0) {
            types_.emplace_back(text);
        } else if (rb->restype == 8) {
            layers_.emplace_back(text);
        } else {
            return false;
        }
    }
    return true;
}

bool SelectionFilter::accepts(AcDbObjectId id) const {
    if (types_.empty() && layers_.empty()) {
        return true;
    }
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk) {
        return false;
    }
    bool ok = anyMatches(types_, dxfName(entity)) && anyMatches(layers_, entity->layer());
    entity->close();
    return ok;
}

std::string SelectionFilter::dxfName(const AcDbEntity* e) {
    if (AcDbLine::cast(e)) {
        return "LINE";
    }
    if (AcDbPoint::cast(e)) {
        return "POINT";
    }
    if (AcDbAttributeDefinition::cast(e)) {
        return "ATTDEF";
    }
    if (AcDbAttribute::cast(e)) {
        return "ATTRIB";
    }
    if (AcDbText::cast(e)) {
        return "TEXT";
    }
    if (AcDbBlockReference::cast(e)) {
        return "INSERT";
    }
    if (AcDbArc::cast(e)) {
        return "ARC";
    }
    if (AcDbCircle::cast(e)) {
        return "CIRCLE";
    }
    if (AcDbPolyline::cast(e)) {
        return "LWPOLYLINE";
    }
    if (AcDbDimension::cast(e)) {
        return "DIMENSION";
    }
    return "";
}

} // namespace veld::ed
