// Every toolkit test starts from a fresh drawing, the current document and working database of a
// host without a screen, whose transcript is kept so printed messages can be checked byte for
// byte and whose prompts take the answers a test gives.
#pragma once
#include "dbdict.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "host/db/DatabaseImpl.h"
#include "host/ed/HeadlessHost.h"
#include "support/TestDrawing.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

// A chain as "code:value" words, e.g. "1001:APP 1070:0 1000:A 1010:(1,2,3)".
inline std::string describeChain(const resbuf* item) {
    std::ostringstream out;
    for (; item != nullptr; item = item->rbnext) {
        if (out.tellp() > 0) {
            out << ' ';
        }
        out << item->restype << ':';
        if (item->restype == 1070) {
            out << item->resval.rint;
        } else if (item->restype >= 1010 && item->restype <= 1013) {
            out << '(' << item->resval.rpoint[0] << ',' << item->resval.rpoint[1] << ','
                << item->resval.rpoint[2] << ')';
        } else if (item->resval.rstring != nullptr) {
            out << item->resval.rstring;
        }
    }
    return out.str();
}

// The extended data of one application on an object, described as above ("" for none).
inline std::string xdataOf(AcDbObjectId id, const char* app) {
    AcDbObject* object = nullptr;
    if (acdbOpenAcDbObject(object, id, AcDb::kForRead) != Acad::eOk) {
        return "<cannot open>";
    }
    resbuf* chain = object->xData(app);
    object->close();
    std::string text = describeChain(chain);
    acutRelRb(chain);
    return text;
}

class ToolkitTest : public ::testing::Test {
protected:
    // Whatever a toolkit operation opened, it has closed again.
    void TearDown() override {
        EXPECT_EQ(veld::db::openObjectCount(*db()), 0);
        acdbHostApplicationServices()->setWorkingDatabase(db());
    }

    // Answers for the prompts that follow.
    void answer(std::vector<std::string> lines) { host_.answer(std::move(lines)); }

    veld::ed::HeadlessHost& host() { return host_; }
    AcDbDatabase* db() const { return host_.database(); }
    const std::string& transcript() const { return host_.transcript(); }
    void clearTranscript() { host_.clearTranscript(); }

    // A line in model space on the given layer (created when missing), closed again.
    AcDbObjectId addLine(const AcGePoint3d& from, const AcGePoint3d& to, const char* layer = "0") {
        ensureLayer(layer);
        return appendTo(db()->modelSpaceId(), new AcDbLine(from, to), layer);
    }
    // `count` lines in model space on layer "0".
    AcDbObjectIdArray lines(int count) {
        AcDbObjectIdArray ids;
        for (int i = 0; i < count; ++i) {
            ids.append(addLine({0, 0, 0}, {1.0 + i, 0, 0}));
        }
        return ids;
    }
    AcDbObjectId appendTo(AcDbObjectId blockId, AcDbEntity* entity, const char* layer) {
        ensureLayer(layer);
        entity->setLayer(layer);
        return veld::test::TestDrawing(*db()).appendTo(blockId, entity);
    }
    void ensureLayer(const char* name) { veld::test::TestDrawing(*db()).addLayer(name); }
    void erase(AcDbObjectId id) {
        AcDbObject* object = nullptr;
        ASSERT_EQ(acdbOpenAcDbObject(object, id, AcDb::kForWrite), Acad::eOk);
        object->erase();
        object->close();
    }
    // Opens an object for read for a check; the caller closes it (Opened does).
    template <class T> struct Opened {
        T* object = nullptr;
        Opened(AcDbObjectId id) {
            EXPECT_EQ(acdbOpenObject(object, id, AcDb::kForRead), Acad::eOk);
        }
        ~Opened() {
            if (object != nullptr) {
                object->close();
            }
        }
        T* operator->() const { return object; }
    };

private:
    veld::ed::HeadlessHost host_;
};
