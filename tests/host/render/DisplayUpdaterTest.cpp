// The display list kept up to date change by change against one built from scratch: after
// random runs of additions, moves, colour and layer changes, erasures, layer switches and undo
// the two must serialize byte for byte alike; an unchanged drawing costs no new list.
#include "host/render/DisplayUpdater.h"
#include "host/db/DatabaseImpl.h"
#include "host/render/DisplayList.h"

#include <cstring>
#include <dbdict.h>
#include <dbdim.h>
#include <dbents.h>
#include <dbsymtb.h>
#include <gtest/gtest.h>
#include <memory>
#include <nlohmann/json.hpp>
#include <random>

namespace veld::render {
namespace {

// The body's index as indented text, then its floats: a difference reads as a line.
std::string readable(const std::string& body) {
    std::uint32_t length = 0;
    for (int k = 0; k < 4; ++k) {
        length |= static_cast<std::uint32_t>(static_cast<unsigned char>(body[4 + k])) << (8 * k);
    }
    std::string out = nlohmann::json::parse(body.substr(8, length)).dump(1);
    const std::size_t start = (8 + length + 3) / 4 * 4;
    for (std::size_t i = start; i + 4 <= body.size(); i += 4) {
        float f = 0;
        std::memcpy(&f, body.data() + i, 4);
        out += "\n" + std::to_string(f);
    }
    return out;
}

class DisplayUpdaterTest : public ::testing::Test {
protected:
    DisplayUpdaterTest() : db_(std::make_unique<AcDbDatabase>()) {
        acdbHostApplicationServices()->setWorkingDatabase(db_.get());
        for (const char* name : {"A", "B"}) {
            AcDbLayerTable* table = nullptr;
            db_->getLayerTable(table, AcDb::kForWrite);
            auto* layer = new AcDbLayerTableRecord();
            layer->setName(name);
            table->add(layer);
            layer->close();
            table->close();
        }
        block_ = makeBlock();
        journal().clear();
    }
    ~DisplayUpdaterTest() override { acdbHostApplicationServices()->setWorkingDatabase(nullptr); }

    db::UndoJournal& journal() { return db_->impl().journal(); }

    AcDbObjectId makeBlock() {
        AcDbBlockTable* table = nullptr;
        db_->getBlockTable(table, AcDb::kForWrite);
        auto* record = new AcDbBlockTableRecord();
        record->setName("FOOT");
        AcDbObjectId id;
        table->add(id, record);
        auto* square = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(100, 0, 0));
        square->setColorIndex(0);
        record->appendAcDbEntity(square);
        square->close();
        auto* ring = new AcDbCircle(AcGePoint3d(50, 50, 0), 20);
        record->appendAcDbEntity(ring);
        ring->close();
        record->close();
        table->close();
        return id;
    }

    static std::size_t pick(std::mt19937& random, std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    }
    static double coordinate(std::mt19937& random) {
        return std::uniform_int_distribution<int>(-5000, 5000)(random);
    }
    static const char* layerName(std::mt19937& random) {
        static const char* const kNames[] = {"0", "A", "B"};
        return kNames[pick(random, 3)];
    }

    AcDbEntity* newEntity(std::mt19937& random) {
        const AcGePoint3d p(coordinate(random), coordinate(random), 0);
        switch (pick(random, 4)) {
        case 0:
            return new AcDbLine(p, AcGePoint3d(coordinate(random), coordinate(random), 0));
        case 1:
            return new AcDbCircle(p, 10 + pick(random, 50));
        case 2:
            return new AcDbBlockReference(p, block_);
        default:
            return new AcDbAlignedDimension(p, p + AcGeVector3d(100.0 + pick(random, 3), 0, 0),
                                            p + AcGeVector3d(0, 50, 0));
        }
    }

    void add(std::mt19937& random) {
        if (pick(random, 4) == 0) {
            // Far handles land in other chunks of the same layer.
            db_->impl().setHandseed(db_->impl().handseed() + 70000);
        }
        AcDbEntity* e = newEntity(random);
        e->setLayer(layerName(random));
        e->setColorIndex(
            static_cast<Adesk::UInt16>(pick(random, 3) == 0 ? 1 + pick(random, 7) : 256));
        AcDbBlockTableRecord* space = nullptr;
        acdbOpenObject(space, db_->modelSpaceId(), AcDb::kForWrite);
        AcDbObjectId id;
        space->appendAcDbEntity(id, e);
        e->close();
        space->close();
        entities_.push_back(id);
    }

    void modify(std::mt19937& random) {
        AcDbEntity* e = nullptr;
        if (entities_.empty() || acdbOpenAcDbEntity(e, entities_[pick(random, entities_.size())],
                                                    AcDb::kForWrite) != Acad::eOk) {
            return;
        }
        switch (pick(random, 3)) {
        case 0:
            e->setLayer(layerName(random));
            break;
        case 1:
            e->setColorIndex(static_cast<Adesk::UInt16>(pick(random, 8)));
            break;
        default:
            if (auto* line = AcDbLine::cast(e)) {
                line->setStartPoint(AcGePoint3d(coordinate(random), coordinate(random), 0));
            } else if (auto* ref = AcDbBlockReference::cast(e)) {
                ref->setPosition(AcGePoint3d(coordinate(random), coordinate(random), 0));
            } else {
                e->erase();
            }
        }
        e->close();
    }

    void switchLayer(std::mt19937& random) {
        AcDbLayerTable* table = nullptr;
        db_->getLayerTable(table, AcDb::kForRead);
        AcDbLayerTableRecord* layer = nullptr;
        table->getAt(pick(random, 2) == 0 ? "A" : "B", layer, AcDb::kForWrite);
        table->close();
        if (pick(random, 2) == 0) {
            layer->setIsFrozen(!layer->isFrozen());
        } else {
            AcCmColor color;
            color.setColorIndex(static_cast<Adesk::UInt16>(1 + pick(random, 9)));
            layer->setColor(color);
        }
        layer->close();
    }

    void command(std::mt19937& random) {
        journal().beginCommand("CHANGE");
        for (std::size_t n = 1 + pick(random, 3); n > 0; --n) {
            const std::size_t what = pick(random, 12);
            if (what < 5) {
                add(random);
            } else if (what < 10) {
                modify(random);
            } else if (what < 11) {
                switchLayer(random);
            } else {
                AcDbEntity* e = nullptr;
                if (!entities_.empty() &&
                    acdbOpenAcDbEntity(e, entities_[pick(random, entities_.size())],
                                       AcDb::kForWrite) == Acad::eOk) {
                    e->erase();
                    e->close();
                }
            }
        }
        journal().endCommand();
        if (pick(random, 4) == 0) {
            journal().undo(1 + static_cast<int>(pick(random, 2)));
        }
    }

    std::unique_ptr<AcDbDatabase> db_;
    AcDbObjectId block_;
    std::vector<AcDbObjectId> entities_;
};

TEST_F(DisplayUpdaterTest, KeptListMatchesAFreshBuildAfterRandomChanges) {
    for (unsigned seed = 1; seed <= 4; ++seed) {
        std::mt19937 random(seed);
        DisplayUpdater updater;
        updater.update(*db_);
        for (int step = 0; step < 50; ++step) {
            command(random);
            const std::string before = updater.list()->serialize();
            const bool changed = updater.update(*db_);
            const std::string kept = updater.list()->serialize();
            ASSERT_EQ(readable(kept), readable(DisplayList::build(*db_).serialize()))
                << "seed " << seed << " step " << step;
            EXPECT_EQ(changed, kept != before) << "seed " << seed << " step " << step;
        }
    }
}

TEST_F(DisplayUpdaterTest, UnchangedDrawingAndUndrawnChangesMakeNoNewList) {
    std::mt19937 random(7);
    for (int n = 0; n < 20; ++n) {
        add(random);
    }
    DisplayUpdater updater;
    ASSERT_TRUE(updater.update(*db_));
    const auto first = updater.list();
    EXPECT_FALSE(updater.update(*db_));
    // A group holds what is drawn but draws nothing itself.
    AcDbDictionary* groups = nullptr;
    db_->getGroupDictionary(groups, AcDb::kForWrite);
    auto* group = new AcDbGroup("*", true);
    AcDbObjectId groupId;
    groups->setAt("*", group, groupId);
    group->close();
    groups->close();
    EXPECT_FALSE(updater.update(*db_));
    EXPECT_EQ(updater.list(), first) << "the same list, not a rebuilt copy";
}

TEST_F(DisplayUpdaterTest, DeltaAfterAChangeCarriesOnlyItsChunk) {
    std::mt19937 random(8);
    for (int n = 0; n < 30; ++n) {
        add(random);
        db_->impl().setHandseed(db_->impl().handseed() + 70000);
    }
    DisplayUpdater updater;
    updater.update(*db_);
    const auto before = updater.list();
    AcDbBlockTableRecord* space = nullptr;
    acdbOpenObject(space, db_->modelSpaceId(), AcDb::kForWrite);
    auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0));
    space->appendAcDbEntity(line);
    line->close();
    space->close();
    ASSERT_TRUE(updater.update(*db_));
    std::size_t shared = 0;
    for (const auto& [id, chunk] : updater.list()->chunks()) {
        const auto old = before->chunks().find(id);
        shared += old != before->chunks().end() && old->second == chunk ? 1 : 0;
    }
    EXPECT_EQ(shared + 1, updater.list()->chunks().size()) << "every other chunk is shared";
    EXPECT_GT(shared, 10u);
}

} // namespace
} // namespace veld::render

namespace veld::render {
namespace {

TEST_F(DisplayUpdaterTest, AnEntityStillOpenAtAPromptIsDrawnOnceClosed) {
    std::mt19937 random(9);
    add(random);
    DisplayUpdater updater;
    updater.update(*db_);
    AcDbLine* line = nullptr;
    AcDbBlockTableRecord* space = nullptr;
    acdbOpenObject(space, db_->modelSpaceId(), AcDb::kForWrite);
    line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(7, 7, 0));
    space->appendAcDbEntity(line);
    space->close();
    line->setEndPoint(AcGePoint3d(9, 9, 0));
    updater.update(*db_); // the line is open: passed over
    line->close();
    updater.update(*db_);
    EXPECT_EQ(readable(updater.list()->serialize()),
              readable(DisplayList::build(*db_).serialize()));
}

} // namespace
} // namespace veld::render
