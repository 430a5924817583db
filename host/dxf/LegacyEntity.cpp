// Subclass markers for the entity kinds of R12 files.
// Which marker a POLYLINE, VERTEX or DIMENSION takes depends on its flags.
#include "host/dxf/LegacyEntity.h"

#include "host/dxf/Tag.h"

#include <algorithm>

namespace veld::dxf {

namespace {

bool isCommonCode(int code) {
    switch (code) {
    case 8:
    case 6:
    case 62:
    case 48:
    case 60:
    case 67:
    case 370:
    case 420:
    case 430:
    case 440:
    case 284:
    case 347:
    case 390:
    case 330:
    case 102:
    case 360:
        return true;
    default:
        return false;
    }
}

bool isDimensionCode(int code) {
    switch (code) {
    case 2:
    case 3:
    case 1:
    case 10:
    case 20:
    case 30:
    case 11:
    case 21:
    case 31:
    case 12:
    case 22:
    case 32:
    case 70:
    case 71:
    case 72:
    case 41:
    case 42:
    case 53:
    case 51:
    case 210:
    case 220:
    case 230:
        return true;
    default:
        return false;
    }
}

int flagsOf(const KeptTags& tags) {
    for (const auto& [code, value] : tags) {
        std::int64_t v = 0;
        if (code == 70 && parseInteger(value, v)) {
            return static_cast<int>(v);
        }
    }
    return 0;
}

std::vector<std::string> markersFor(const std::string& type, int flags) {
    if (type == "SOLID" || type == "TRACE") {
        return {"AcDbTrace"};
    }
    if (type == "3DFACE") {
        return {"AcDbFace"};
    }
    if (type == "SHAPE") {
        return {"AcDbShape"};
    }
    if (type == "3DLINE") {
        return {"AcDbLine"};
    }
    if (type == "VIEWPORT") {
        return {"AcDbViewport"};
    }
    if (type == "LINE" || type == "POINT" || type == "CIRCLE") {
        return {type == "LINE" ? "AcDbLine" : type == "POINT" ? "AcDbPoint" : "AcDbCircle"};
    }
    if (type == "INSERT") {
        return {"AcDbBlockReference"};
    }
    if (type == "BLOCK" || type == "ENDBLK") {
        return {type == "BLOCK" ? "AcDbBlockBegin" : "AcDbBlockEnd"};
    }
    if (type == "POLYLINE") {
        return {flags & 8    ? "AcDb3dPolyline"
                : flags & 16 ? "AcDbPolygonMesh"
                : flags & 64 ? "AcDbPolyFaceMesh"
                             : "AcDb2dPolyline"};
    }
    if (type == "VERTEX") {
        if ((flags & 128) && !(flags & 64)) {
            return {"AcDbFaceRecord"};
        }
        return {"AcDbVertex", flags & 128  ? "AcDbPolyFaceMeshVertex"
                              : flags & 32 ? "AcDb3dPolylineVertex"
                              : flags & 64 ? "AcDbPolygonMeshVertex"
                                           : "AcDb2dVertex"};
    }
    return {};
}

const char* dimensionKind(int flags) {
    static constexpr const char* kKinds[] = {
        "AcDbAlignedDimension",   "AcDbAlignedDimension", "AcDb2LineAngularDimension",
        "AcDbDiametricDimension", "AcDbRadialDimension",  "AcDb3PointAngularDimension",
        "AcDbOrdinateDimension",  "AcDbAlignedDimension"};
    return kKinds[flags & 7];
}

// AcDbDimension, the kind's subclass (with the angle codes of rotated dimensions), and for
// rotated dimensions the AcDbRotatedDimension marker, which holds no codes.
void dimensionBody(const KeptTags& body, int flags, KeptTags& out) {
    out.emplace_back(100, "AcDbDimension");
    KeptTags own;
    for (const auto& tag : body) {
        (isDimensionCode(tag.first) ? out : own).push_back(tag);
    }
    out.emplace_back(100, dimensionKind(flags));
    out.insert(out.end(), own.begin(), own.end());
    if ((flags & 7) == 0) {
        out.emplace_back(100, "AcDbRotatedDimension");
    }
}

// Kinds whose codes are split over two subclasses: the codes of the second one.
bool splitKind(const std::string& type, int code, const char*& second) {
    if (type == "ARC") {
        second = "AcDbArc";
        return code == 50 || code == 51;
    }
    if (type == "TEXT") {
        second = "AcDbText";
        return code == 73;
    }
    if (type == "ATTDEF" || type == "ATTRIB") {
        second = type == "ATTDEF" ? "AcDbAttributeDefinition" : "AcDbAttribute";
        return code == 2 || code == 3 || code == 70 || code == 73 || code == 74 || code == 280;
    }
    return false;
}

void twoSubclasses(const std::string& type, const KeptTags& body, KeptTags& out) {
    const char* second = nullptr;
    splitKind(type, 0, second);
    out.emplace_back(100, type == "ARC" ? "AcDbCircle" : "AcDbText");
    KeptTags rest;
    for (const auto& tag : body) {
        (splitKind(type, tag.first, second) ? rest : out).push_back(tag);
    }
    out.emplace_back(100, second);
    out.insert(out.end(), rest.begin(), rest.end());
}

} // namespace

void addSubclassMarkers(const std::string& type, KeptTags& tags) {
    if (std::any_of(tags.begin(), tags.end(), [](const auto& t) { return t.first == 100; })) {
        return;
    }
    KeptTags out, body;
    out.reserve(tags.size() + 4);
    if (!tags.empty() && tags.front().first == 0) {
        out.push_back(tags.front()); // the type stays in front
    }
    for (auto& tag : tags) {
        if (tag.first == 0 ||
            (isCommonCode(tag.first) && tag.first != 330 && tag.first != 102 && tag.first != 360)) {
            continue;
        }
        if (tag.first == 330 || tag.first == 102 || tag.first == 360) {
            out.push_back(tag); // owner and reactors come before the subclass markers
        }
    }
    out.emplace_back(100, "AcDbEntity");
    for (auto& tag : tags) {
        if (tag.first == 0) {
            continue;
        }
        if (isCommonCode(tag.first) && tag.first != 330 && tag.first != 102 && tag.first != 360) {
            out.push_back(tag);
        } else if (!isCommonCode(tag.first)) {
            body.push_back(tag);
        }
    }
    const int flags = flagsOf(tags);
    const char* second = nullptr;
    if (type == "DIMENSION") {
        dimensionBody(body, flags, out);
    } else if (splitKind(type, 0, second) || second != nullptr) {
        twoSubclasses(type, body, out);
    } else {
        for (const std::string& marker : markersFor(type, flags)) {
            out.emplace_back(100, marker);
        }
        out.insert(out.end(), body.begin(), body.end());
    }
    tags = std::move(out);
}

} // namespace veld::dxf
