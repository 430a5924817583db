// The empty-group iterator of a dictionary against a full walk over its entries, after random
// runs of group and member changes, erasures, entry removals and their undo; and the key and
// value lookups of a dictionary that no longer scan its entries.
#include "DbTestSupport.h"
#include "host/db/DatabaseImpl.h"
#include "host/db/XData.h"

#include <memory>
#include <random>

namespace veld::test {
using namespace veld::db;
namespace {

using Listing = std::vector<std::pair<std::string, AcDbObjectId>>;

Listing listingOf(AcDbDictionaryIterator* raw) {
    std::unique_ptr<AcDbDictionaryIterator> it(raw);
    Listing listing;
    for (; !it->done(); it->next()) {
        listing.emplace_back(it->name(), it->objectId());
    }
    return listing;
}

AcDbObjectIdArray one(AcDbObjectId id) {
    AcDbObjectIdArray ids;
    ids.append(id);
    return ids;
}

class DbGroupIndex : public DbTest {
protected:
    UndoJournal& journal() { return db().impl().journal(); }

    template <class T> T* open(AcDbObjectId id, AcDb::OpenMode mode) {
        T* object = nullptr;
        EXPECT_EQ(acdbOpenObject(object, id, mode, true), Acad::eOk);
        return object;
    }
    AcDbDictionary* groups(AcDb::OpenMode mode = AcDb::kForRead) {
        AcDbDictionary* dict = nullptr;
        EXPECT_EQ(db().getGroupDictionary(dict, mode), Acad::eOk);
        return dict;
    }
    bool isEmptyGroup(AcDbObjectId id) {
        AcDbGroup* group = nullptr;
        if (acdbOpenObject(group, id, AcDb::kForRead) != Acad::eOk) {
            return false;
        }
        const bool empty = group->numEntities() == 0;
        group->close();
        return empty;
    }
    // What a walk over every entry finds: the empty groups, and the entries of id or key.
    Listing fullWalk(AcDbObjectId id, const std::string& key) {
        AcDbDictionary* dict = groups();
        Listing all = listingOf(dict->newIterator());
        dict->close();
        Listing found;
        for (const auto& [name, value] : all) {
            const bool byKey = !key.empty() && upperAscii(name) == upperAscii(key);
            if (value == id || byKey || isEmptyGroup(value)) {
                found.emplace_back(name, value);
            }
        }
        return found;
    }
    Listing indexed(AcDbObjectId id, const std::string& key) {
        AcDbDictionary* dict = groups();
        Listing found =
            listingOf(dict->newEmptyGroupIterator(id, key.empty() ? nullptr : key.c_str()));
        dict->close();
        return found;
    }
    void setErased(AcDbObjectId id, bool erased) {
        AcDbObject* object = nullptr;
        ASSERT_EQ(acdbOpenAcDbObject(object, id, AcDb::kForWrite, true), Acad::eOk);
        object->erase(erased);
        object->close();
    }
};

// One random change to the drawing's groups and their members.
class RandomChanges {
public:
    explicit RandomChanges(AcDbDatabase& db) : db_(db) {}

    void step(std::mt19937& random) {
        switch (pick(random, 7)) {
        case 0:
            newGroup(random);
            break;
        case 1:
        case 2:
            toggleErased(random, entities_);
            break;
        case 3:
            toggleErased(random, groups_);
            break;
        case 4:
            dropMember(random);
            break;
        case 5:
            removeEntry(random);
            break;
        default:
            appendMember(random);
            break;
        }
    }
    const std::vector<AcDbObjectId>& groups() const { return groups_; }

private:
    static std::size_t pick(std::mt19937& random, std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    }
    AcDbObjectId newLine() {
        const AcDbObjectId id =
            veld::test::TestDrawing(db_).addLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0));
        entities_.push_back(id);
        return id;
    }
    void newGroup(std::mt19937& random) {
        AcDbObjectIdArray members;
        for (std::size_t n = pick(random, 4); n > 0; --n) {
            members.append(newLine());
        }
        groups_.push_back(veld::test::TestDrawing(db_).addGroup(members));
    }
    void toggleErased(std::mt19937& random, const std::vector<AcDbObjectId>& ids) {
        if (ids.empty()) {
            return;
        }
        AcDbObject* object = nullptr;
        const AcDbObjectId id = ids[pick(random, ids.size())];
        if (acdbOpenAcDbObject(object, id, AcDb::kForWrite, true) == Acad::eOk) {
            object->erase(!object->isErased());
            object->close();
        }
    }
    AcDbGroup* someGroup(std::mt19937& random) {
        AcDbGroup* group = nullptr;
        if (groups_.empty() || acdbOpenObject(group, groups_[pick(random, groups_.size())],
                                              AcDb::kForWrite) != Acad::eOk) {
            return nullptr;
        }
        return group;
    }
    void dropMember(std::mt19937& random) {
        AcDbGroup* group = someGroup(random);
        if (group == nullptr) {
            return;
        }
        AcDbObjectIdArray ids;
        group->allEntityIds(ids);
        if (ids.isEmpty() || pick(random, 4) == 0) {
            group->clear();
        } else {
            group->remove(ids[static_cast<int>(pick(random, ids.length()))]);
        }
        group->close();
    }
    void appendMember(std::mt19937& random) {
        if (AcDbGroup* group = someGroup(random)) {
            group->append(newLine());
            group->close();
        }
    }
    // Taking an entry out of the middle, and undo putting it back there, renumbers the list.
    void removeEntry(std::mt19937& random) {
        AcDbDictionary* dict = nullptr;
        db_.getGroupDictionary(dict, AcDb::kForWrite);
        Listing all = listingOf(dict->newIterator());
        if (!all.empty()) {
            dict->remove(all[pick(random, all.size())].first.c_str());
        }
        dict->close();
    }

    AcDbDatabase& db_;
    std::vector<AcDbObjectId> entities_;
    std::vector<AcDbObjectId> groups_;
};

TEST_F(DbGroupIndex, EmptyGroupsAreThoseAFullWalkFindsThroughChangesAndUndo) {
    std::mt19937 random(7);
    RandomChanges changes(db());
    journal().clear();
    std::size_t emptySeen = 0;
    for (int round = 0; round < 400; ++round) {
        journal().beginCommand("CHANGE");
        for (int k = std::uniform_int_distribution<int>(1, 3)(random); k > 0; --k) {
            changes.step(random);
        }
        journal().endCommand();
        if (std::uniform_int_distribution<int>(0, 3)(random) == 0) {
            journal().undo(std::uniform_int_distribution<int>(1, 3)(random));
        }
        const Listing empty = indexed(AcDbObjectId::kNull, "");
        ASSERT_EQ(empty, fullWalk(AcDbObjectId::kNull, "")) << "round " << round;
        emptySeen += empty.size();
        if (!changes.groups().empty()) {
            const AcDbObjectId target = changes.groups()[round % changes.groups().size()];
            ASSERT_EQ(indexed(target, "*a1"), fullWalk(target, "*a1")) << "round " << round;
        }
    }
    EXPECT_GT(emptySeen, 100u) << "the runs hardly ever made an empty group";
}

// A purge erases a group its members left; undoing the purge brings back an empty group, and
// undoing the member's erasure fills it again.
TEST_F(DbGroupIndex, UndoOfAPurgeBringsTheEmptyGroupBack) {
    const AcDbObjectId line = appendLine(0, 0, 1, 1);
    const AcDbObjectId group = addGroup(one(line));
    journal().clear();
    journal().beginCommand("ERASE");
    setErased(line, true);
    journal().endCommand();
    const Listing emptied = indexed(AcDbObjectId::kNull, "");
    ASSERT_EQ(emptied.size(), 1u);
    EXPECT_EQ(emptied[0].second, group);

    journal().beginCommand("PURGE");
    setErased(group, true);
    journal().endCommand();
    EXPECT_TRUE(indexed(AcDbObjectId::kNull, "").empty());
    journal().undo(1);
    EXPECT_EQ(indexed(AcDbObjectId::kNull, ""), emptied);
    journal().undo(1);
    EXPECT_TRUE(indexed(AcDbObjectId::kNull, "").empty());
}

// Undoing the creation of a group's members (a placement taken back) empties nothing that is
// still in the drawing, and the lookups by value and key follow the entries.
TEST_F(DbGroupIndex, UndoneCreationsLeaveNoStaleEntries) {
    journal().clear();
    journal().beginCommand("PLACE");
    const AcDbObjectId a = appendLine(0, 0, 1, 1);
    const AcDbObjectId group = addGroup(one(a));
    journal().endCommand();
    std::string name;
    AcDbDictionary* dict = groups();
    EXPECT_EQ(dict->nameAt(group, name), Acad::eOk);
    dict->close();
    journal().undo(1);
    EXPECT_TRUE(indexed(AcDbObjectId::kNull, "").empty());
    EXPECT_TRUE(indexed(group, name).empty());
    dict = groups();
    EXPECT_EQ(dict->nameAt(group, name), Acad::eKeyNotFound);
    AcDbObjectId found;
    EXPECT_EQ(dict->getAt(name.c_str(), found), Acad::eKeyNotFound);
    dict->close();
}

} // namespace
} // namespace veld::test
