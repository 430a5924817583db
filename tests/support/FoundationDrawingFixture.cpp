// The test bed of the foundation drawing tests.
#include "support/FoundationDrawingFixture.h"

#include "aced.h"
#include "dbdict.h"
#include "dbdim.h"
#include "dbsymtb.h"
#include "host/db/DatabaseImpl.h"
#include "host/dxf/DrawingFile.h"
#include "host/ed/HeadlessHost.h"
#include "support/EzdxfAudit.h"
#include "support/TempFolder.h"
#include "support/TestDrawing.h"
#include "support/TestProfile.h"
#include "winprofile.h"

#include <cmath>
#include <filesystem>

namespace veld::test {

namespace {

bool finite(const AcGePoint3d& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

// The coordinates of the entity kinds the foundations create are all finite.
bool entityFinite(const AcDbEntity* entity) {
    if (const AcDbLine* line = AcDbLine::cast(entity)) {
        return finite(line->startPoint()) && finite(line->endPoint());
    }
    if (const AcDbPoint* point = AcDbPoint::cast(entity)) {
        return finite(point->position());
    }
    if (const AcDbAlignedDimension* dim = AcDbAlignedDimension::cast(entity)) {
        return finite(dim->xLine1Point()) && finite(dim->xLine2Point()) &&
               finite(dim->dimLinePoint()) && std::isfinite(dim->measurement());
    }
    if (const AcDbText* text = AcDbText::cast(entity)) {
        return finite(text->position()) && finite(text->alignmentPoint()) &&
               std::isfinite(text->height());
    }
    if (const AcDbBlockReference* block = AcDbBlockReference::cast(entity)) {
        return finite(block->position());
    }
    return true;
}

} // namespace

// Declared in this order so that the host (and its drawing) goes before the profile.
struct FoundationDrawingFixture::Bed {
    veld::test::TempFolder folder{"veld-shape"};
    veld::test::TestProfile profile{folder.path()};
    veld::ed::HeadlessHost host;
};

FoundationDrawingFixture::FoundationDrawingFixture() : bed_(std::make_unique<Bed>()) {
    EXPECT_TRUE(bed_->profile.installed());
    for (const char* layer : {kLookLayer, kOuterLayer, kDimLayer, kSymbolLayer}) {
        veld::test::TestDrawing(*database()).addLayer(layer);
    }
}

FoundationDrawingFixture::~FoundationDrawingFixture() {
    // Every operation closes what it opened.
    EXPECT_EQ(veld::db::openObjectCount(*database()), 0);
}

AcDbDatabase* FoundationDrawingFixture::database() const {
    return bed_->host.database();
}

std::string FoundationDrawingFixture::printed() const {
    return bed_->host.transcript();
}

void FoundationDrawingFixture::clearPrinted() {
    bed_->host.clearTranscript();
}

void FoundationDrawingFixture::setIniValue(const char* section, const char* key,
                                           const char* value) {
    const std::string path = bed_->profile.folder() + "/VELDOR.ini";
    ASSERT_TRUE(WritePrivateProfileStringA(section, key, value, path.c_str()));
}

void FoundationDrawingFixture::setRealVariable(const char* name, double value) {
    resbuf rb{};
    rb.restype = RTREAL;
    rb.resval.rreal = value;
    ASSERT_EQ(acedSetVar(name, &rb), RTNORM) << name;
}

double FoundationDrawingFixture::realVariable(const char* name) const {
    resbuf rb{};
    EXPECT_EQ(acedGetVar(name, &rb), RTNORM) << name;
    EXPECT_EQ(rb.restype, RTREAL) << name;
    return rb.resval.rreal;
}

void FoundationDrawingFixture::setIntVariable(const char* name, short value) {
    resbuf rb{};
    rb.restype = RTSHORT;
    rb.resval.rint = value;
    ASSERT_EQ(acedSetVar(name, &rb), RTNORM) << name;
}

short FoundationDrawingFixture::intVariable(const char* name) const {
    resbuf rb{};
    EXPECT_EQ(acedGetVar(name, &rb), RTNORM) << name;
    EXPECT_EQ(rb.restype, RTSHORT) << name;
    return rb.resval.rint;
}

std::string FoundationDrawingFixture::textVariable(const char* name) const {
    resbuf rb{};
    if (acedGetVar(name, &rb) != RTNORM || rb.restype != RTSTR) {
        return {};
    }
    std::string text = rb.resval.rstring != nullptr ? rb.resval.rstring : "";
    acutDelString(rb.resval.rstring);
    return text;
}

FoundationSettings FoundationDrawingFixture::deltaSettings() {
    FoundationSettings settings;
    const std::vector<std::string> values = {
        "500",      "500",       "476.315", "476.315", "0.05", "1500",  "-200", "0",   "F1",
        "0",        "0",         "0",       "0",       "0",    "0",     "0",    "0",   "0",
        kLookLayer, kOuterLayer, kDimLayer, "通り芯",  "3",    "3,4,5", "1000", "300", "150",
        "1000",     "100",       "952.63",  "2000",    "1000", "250"};
    settings.SetParameterArray(values);
    return settings;
}

FoundationSettings FoundationDrawingFixture::squareSettings() {
    FoundationSettings settings = deltaSettings();
    settings.SetSlot(FoundationSlot::ShiftX1, "500");
    settings.SetSlot(FoundationSlot::ShiftX2, "1500");
    settings.SetSlot(FoundationSlot::ShiftY1, "300");
    settings.SetSlot(FoundationSlot::ShiftY2, "700");
    settings.SetSlot(FoundationSlot::BaseSizeX, "2000");
    settings.SetSlot(FoundationSlot::BaseSizeY, "1000");
    return settings;
}

void FoundationDrawingFixture::setThickenings(FoundationSettings& settings,
                                              const std::string& value, int count) {
    for (int k = 0; k < count; ++k) {
        settings.SetSlot(
            static_cast<FoundationSlot>(static_cast<int>(FoundationSlot::Fukashi1) + k), value);
    }
}

AcDbObjectIdArray FoundationDrawingFixture::groupMembers(AcDbObjectId groupId) const {
    AcDbObjectIdArray ids;
    AcDbGroup* group = nullptr;
    if (acdbOpenObject(group, groupId, AcDb::kForRead) == Acad::eOk) {
        group->allEntityIds(ids);
        group->close();
    }
    return ids;
}

AcDbObjectIdArray FoundationDrawingFixture::modelSpaceEntities() const {
    AcDbObjectIdArray ids;
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, database()->modelSpaceId(), AcDb::kForRead) == Acad::eOk) {
        ids = space->entityIds();
        space->close();
    }
    return ids;
}

int FoundationDrawingFixture::groupCount() const {
    AcDbDictionary* groups = nullptr;
    if (database()->getGroupDictionary(groups, AcDb::kForRead) != Acad::eOk) {
        return -1;
    }
    const int count = static_cast<int>(groups->numEntries());
    groups->close();
    return count;
}

std::string FoundationDrawingFixture::tempFile(const std::string& name) const {
    return bed_->folder.file(name);
}

std::string FoundationDrawingFixture::saveChecked(const std::string& name) {
    const std::string path = tempFile(name);
    std::string error;
    EXPECT_TRUE(veld::dxf::saveDrawing(*database(), path, error)) << error;
    EXPECT_EZDXF_CLEAN(path);
    return path;
}

bool FoundationDrawingFixture::allCoordinatesFinite() const {
    for (const AcDbObjectId& id : modelSpaceEntities()) {
        AcDbEntity* entity = nullptr;
        if (acdbOpenObject(entity, id, AcDb::kForRead) != Acad::eOk) {
            continue;
        }
        const bool ok = entityFinite(entity);
        entity->close();
        if (!ok) {
            return false;
        }
    }
    return true;
}

} // namespace veld::test
