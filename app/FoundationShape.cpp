// The shared part of both foundation kinds: symbol insertion, base-point marker, position
// lookups, the parameter records and the dimension and group steps of drawing.
#include "app/FoundationShape.h"

#include "aced.h"
#include "app/SystemVariableOverride.h"
#include "arxcom/ArxObjectRefs.h"
#include "arxcom/ArxOpened.h"
#include "arxcom/CArxComAppXdata.h"
#include "arxcom/CArxComDimension.h"
#include "arxcom/CArxComFigure.h"
#include "arxcom/CArxComGroup.h"
#include "arxcom/CArxComLayer.h"
#include "arxcom/CArxComPlacement.h"
#include "crt.h"
#include "dbents.h"
#include "settings/CArxComConfigFile.h"

namespace {

constexpr const char* kSymbolFileName = "基礎符号-0.dwg";
constexpr const char* kDefPointsLayer = "DefPoints";
// An extended-data string holds at most this many bytes; a longer value would make the host
// refuse the whole record.
constexpr std::size_t kRecordTextBytes = 255;

// The value cut to kRecordTextBytes without splitting a UTF-8 character: continuation bytes
// (10xxxxxx) at the cut are dropped together with the lead byte of their character.
std::string recordText(const std::string& value) {
    if (value.size() <= kRecordTextBytes) {
        return value;
    }
    std::size_t cut = kRecordTextBytes;
    while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0u) == 0x80u) {
        --cut;
    }
    return value.substr(0, cut);
}

// USERR1 as a real; false when the host does not give one.
bool readUserR1(double& value) {
    resbuf result{};
    if (acedGetVar("USERR1", &result) != RTNORM || result.restype != RTREAL) {
        if (result.restype == RTSTR) {
            acutDelString(result.resval.rstring);
        }
        return false;
    }
    value = result.resval.rreal;
    return true;
}

// The drawing's last main entity, null when it has none.
AcDbObjectId lastEntity() {
    ads_name last = {0, 0};
    AcDbObjectId id;
    if (acdbEntLast(last) != RTNORM || acdbGetObjectId(id, last) != Acad::eOk) {
        id.setNull();
    }
    return id;
}

bool isChecked(const std::string& checkText) {
    return checkText == "1";
}

} // namespace

FoundationShape::FoundationShape() = default;

FoundationShape::~FoundationShape() = default;

bool FoundationShape::insertSymbol(FoundationSettings settings, AcDbObjectId groupId) {
    AcDbObjectIdArray created;
    SystemVariableOverride osmode("OSMODE", 0);
    SystemVariableOverride attdia("ATTDIA", 0);
    // With ATTREQ 0 the insertion would not ask for the attributes, and the four values sent
    // for them would reach the command prompt as commands.
    SystemVariableOverride attreq("ATTREQ", 1);
    if (isChecked(settings.GetLabelCheck())) {
        insertSymbolBlock(settings, created);
    }
    if (isChecked(settings.GetStructureMarkCheck())) {
        insertStructureMark(settings, created);
    }
    CArxComGroup group;
    group.AppendToGroup(groupId, created);
    SetGroupType(created, groupId);
    osmode.restore();
    attdia.restore();
    attreq.restore();
    return true;
}

// The block comes from the installation's drawing folder; its four attribute prompts are
// answered, in the block's order, with MARK, BOTTOM_LEVEL, BASE_HEIGHT and UPPER_SLANT.
void FoundationShape::insertSymbolBlock(const FoundationSettings& settings,
                                        AcDbObjectIdArray& created) {
    CArxComConfigFile config;
    const std::string path = veldFormat("%s\\%s\\%s", config.GetIniFolder().c_str(),
                                        config.GetDwgFolder().c_str(), kSymbolFileName);
    double userR1 = 0.0;
    readUserR1(userR1);
    double scale = 1.0;
    // A scale that is not a usable drawing value (beyond the largest size or not finite) is
    // refused like a non-positive one, so the block never gets an infinite size.
    if (userR1 > 0.0 && CArxComPlacement::IsUsableValue(userR1)) {
        scale = userR1;
    } else {
        acutPrintf("\n ｼｽﾃﾑ変数 USERR1の値が不正です = %f", userR1);
    }
    CArxComLayer().SetCurrentLayer(config.GetSymbolLayerF().c_str());

    const ads_point position = {symbolPoint.x, symbolPoint.y, symbolPoint.z};
    const std::string mark = settings.GetMark();
    const std::string bottomLevel = settings.GetBottomLevel();
    const std::string baseHeight = settings.GetBaseHeight();
    const std::string upperSlant = settings.GetUpperSlant();
    const AcDbObjectId lastBefore = lastEntity();
    acedCommand(RTSTR, "-INSERT", RTSTR, path.c_str(), RT3DPOINT, position, RTREAL, scale, RTSTR,
                "", RTREAL, 0.0, RTSTR, mark.c_str(), RTSTR, bottomLevel.c_str(), RTSTR,
                baseHeight.c_str(), RTSTR, upperSlant.c_str(), RTNONE);

    // The command's result says nothing reliable; the block reference it made is the drawing's
    // last entity. When the insertion made nothing (e.g. the file was not found) the last entity
    // is an older one, possibly of another foundation, and must not be pulled into this group.
    const AcDbObjectId blockId = lastEntity();
    if (!blockId.isNull() && blockId != lastBefore) {
        created.append(blockId);
    }
}

// The text is made by a figure in its default state, so it lands on layer "0" whatever the
// current layer is; its right-bottom corner sits on symbolPoint.
void FoundationShape::insertStructureMark(const FoundationSettings& settings,
                                          AcDbObjectIdArray& created) {
    const double height = veldAtof(settings.GetMarkSize().c_str());
    CArxComLayer().SetCurrentLayer(CArxComConfigFile().GetSymbolLayerF().c_str());
    CArxComFigure figure;
    AcDbObjectId textId;
    figure.AddText(textId, symbolPoint, settings.GetMark().c_str(), height, 0.0, 0.0,
                   AcDb::kTextRight, AcDb::kTextBottom, AcDbObjectId::kNull, 256);
    if (!textId.isNull()) {
        created.append(textId);
    }
}

AcDbObjectId FoundationShape::addBasePointMarker(const AcGePoint3d& point) {
    CArxComLayer layers;
    AcDbObjectId layerId;
    if (layers.GetLayerId(layerId, kDefPointsLayer, AcDb::kForRead).isNull()) {
        layers.CreateLayer(kDefPointsLayer, 0, true, false, false, "");
    }
    CArxComFigure figure;
    figure.AddDefPoint(point);
    return figure.lastId;
}

bool FoundationShape::findBasePoint(const AcDbObjectIdArray& ids) {
    for (const AcDbObjectId& id : ids) {
        ArxOpened<AcDbEntity> entity;
        if (entity.open(id, AcDb::kForRead) != Acad::eOk) {
            continue;
        }
        if (const AcDbPoint* point = AcDbPoint::cast(entity.get())) {
            basePoint = point->position();
        }
    }
    return true;
}

bool FoundationShape::findSymbolPoint(const AcDbObjectIdArray& ids) {
    symbolFound = false;
    for (const AcDbObjectId& id : ids) {
        ArxOpened<AcDbEntity> entity;
        if (entity.open(id, AcDb::kForRead) != Acad::eOk) {
            continue;
        }
        if (const AcDbBlockReference* block = AcDbBlockReference::cast(entity.get())) {
            symbolPoint = block->position();
            symbolFound = true;
        }
    }
    return symbolFound;
}

Acad::ErrorStatus FoundationShape::writeFoundationRecords(AcDbObjectId groupId,
                                                          const FoundationSettings& settings,
                                                          const char* typeText,
                                                          const char* dialogApp,
                                                          const char* shapeApp) {
    AcDbObjectIdArray members;
    CArxComGroup().GetGroupEntitiesById(groupId, members);
    std::vector<std::string> values;
    settings.GetParameterArray(values);
    Acad::ErrorStatus status = Acad::eOk;
    for (const AcDbObjectId& id : members) {
        SetObjectType(id, typeText);
        status = writeDialogRecord(id, values, dialogApp);
        if (status != Acad::eOk) {
            acutPrintf("\nダイアログデータの設定ができませんでした");
            return status;
        }
        status = writeShapeRecord(id, shapeApp);
    }
    return status;
}

Acad::ErrorStatus FoundationShape::writeDialogRecord(AcDbObjectId id,
                                                     const std::vector<std::string>& values,
                                                     const char* dialogApp) {
    ArxOpened<AcDbObject> entity;
    Acad::ErrorStatus status = entity.open(id, AcDb::kForRead);
    if (status == Acad::eOk) {
        status = entity->upgradeOpen();
    }
    if (status != Acad::eOk) {
        return status;
    }
    CArxComAppXdata record(dialogApp, entity->database());
    for (std::size_t i = 0; i < values.size(); ++i) {
        record.SetStringEntry(static_cast<int>(i), recordText(values[i]).c_str());
    }
    return record.WriteTo(entity.get());
}

// A member that cannot be opened here keeps its other records; the caller goes on.
Acad::ErrorStatus FoundationShape::writeShapeRecord(AcDbObjectId id, const char* shapeApp) {
    const std::string handle = HandleTextOfId(id);
    ArxOpened<AcDbObject> entity;
    Acad::ErrorStatus status = entity.open(id, AcDb::kForWrite);
    if (status != Acad::eOk) {
        return status;
    }
    CArxComAppXdata record(shapeApp, entity->database());
    record.SetStringEntry(0, handle.c_str());
    record.SetPointEntry(1, basePoint);
    record.SetPointEntry(2, symbolPoint);
    return record.WriteTo(entity.get());
}

Acad::ErrorStatus FoundationShape::readFoundationRecords(AcDbObjectId entityId,
                                                         const char* typeText,
                                                         FoundationSettings& settings,
                                                         const char* dialogApp,
                                                         const char* shapeApp) {
    Acad::ErrorStatus status = CheckObjectType(entityId, typeText);
    if (status != Acad::eOk) {
        return status;
    }
    ArxOpened<AcDbObject> entity;
    status = entity.open(entityId, AcDb::kForRead);
    if (status != Acad::eOk) {
        return status;
    }
    CArxComAppXdata record(dialogApp, entity->database());
    if (record.ReadFrom(entity.get()) != Acad::eOk) {
        acutPrintf("\nダイアログデータの取得ができませんでした");
        return Acad::eIllegalEntityType;
    }
    // Items are taken from index 0 up to the first one missing. A record with fewer items than
    // there are slots leaves the remaining slots as they were.
    std::vector<std::string> values;
    std::string value;
    while (static_cast<int>(values.size()) < FoundationParameterSet::kCount &&
           record.GetStringEntry(static_cast<int>(values.size()), value)) {
        values.push_back(value);
    }
    settings.SetParameterArray(values);
    readShapeRecord(entity.get(), shapeApp);
    return Acad::eOk;
}

// Item 0 (the member's own handle) is only checked: an unknown handle is reported. Missing
// position items leave the positions as they were.
void FoundationShape::readShapeRecord(const AcDbObject* entity, const char* shapeApp) {
    CArxComAppXdata record(shapeApp, entity->database());
    if (record.ReadFrom(entity) != Acad::eOk) {
        return;
    }
    std::string handle;
    if (record.GetStringEntry(0, handle)) {
        AcDbObjectId ownId;
        IdFromHandle(entity->database(), handle.c_str(), ownId, true);
    }
    record.GetPointEntry(1, basePoint);
    record.GetPointEntry(2, symbolPoint);
}

CArxComDimensionTiers FoundationShape::dimensionTiers() {
    double scale = 0.0;
    readUserR1(scale);
    return CArxComDimensionTiers::FromSettings(CArxComConfigFile().GetDimIntervalF(), scale,
                                               veldAtof);
}

void FoundationShape::drawDimensionRows(const std::vector<CArxComDimensionRow>& rows,
                                        const std::string& layer, AcDbObjectIdArray& ids) {
    CArxComDimension dimension(CArxComConfigFile().GetDimStyle().c_str());
    dimension.layer = layer;
    for (const CArxComDimensionRow& row : rows) {
        AcGePoint3d lineOffsetPoint;
        dimension.GetDimensionLinePoint(row.first, row.second, row.offset, lineOffsetPoint);
        AcDbObjectId id;
        dimension.AddAlignedDimension(id, lineOffsetPoint, row.first, row.second, "");
        if (!id.isNull()) {
            ids.append(id);
        }
    }
}

AcDbObjectId FoundationShape::bindGroup(const AcDbObjectIdArray& dimensions,
                                        const AcDbObjectIdArray& lookLines,
                                        const AcDbObjectIdArray& outerLines, AcDbObjectId point) {
    CArxComGroup group;
    group.PurgeEmptyGroups();
    AcDbObjectIdArray members;
    for (const AcDbObjectIdArray* part : {&dimensions, &lookLines, &outerLines}) {
        for (const AcDbObjectId& id : *part) {
            if (!id.isNull()) {
                members.append(id);
            }
        }
    }
    if (!point.isNull()) {
        members.append(point);
    }
    const AcDbObjectId groupId = group.CreateAnonymousGroup(members);
    if (!groupId.isNull()) {
        SetGroupType(members, groupId);
    }
    return groupId;
}
