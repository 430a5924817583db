// Anonymous groups of the drawing's group dictionary.
#include "arxcom/CArxComGroup.h"

#include "aced.h"
#include "arxcom/ArxOpened.h"
#include "arxcom/ArxText.h"

#include <memory>

namespace {

AcDbDatabase* workingDatabase() {
    return acdbHostApplicationServices()->workingDatabase();
}

void reportNoGroup() {
    acutPrintf("\nｸﾞﾙｰﾌﾟｵﾌﾞｼﾞｪｸﾄではありません");
}

void eraseIfEmpty(AcDbGroup* group) {
    if (group->numEntities() == 0 && group->upgradeOpen() == Acad::eOk) {
        group->erase();
    }
}

// Null ids (entities that were never created) are left out; one id the group refuses does not
// keep the others out.
void appendMembers(AcDbGroup* group, const AcDbObjectIdArray& ids) {
    for (const AcDbObjectId& id : ids) {
        if (!id.isNull()) {
            group->append(id);
        }
    }
}

} // namespace

CArxComGroup::CArxComGroup() = default;

CArxComGroup::~CArxComGroup() = default;

bool CArxComGroup::WalkGroups(AcDbObjectId target, const char* targetKey,
                              const GroupVisitor& visit) {
    AcDbDatabase* database = workingDatabase();
    ArxOpened<AcDbDictionary> dictionary;
    if (database == nullptr ||
        database->getGroupDictionary(dictionary.receive(), AcDb::kForRead) != Acad::eOk) {
        acutPrintf("\nグループディクショナリが取得できませんでした");
        return false;
    }
    const std::unique_ptr<AcDbDictionaryIterator> entries(
        dictionary->newEmptyGroupIterator(target, targetKey));
    if (!entries) {
        dictionary.close();
        acutPrintf("\nグループディクショナリイテレータが取得できませんでした");
        return false;
    }
    for (; !entries->done(); entries->next()) {
        ArxOpened<AcDbGroup> group;
        if (group.open(entries->objectId(), AcDb::kForRead) != Acad::eOk) {
            continue;
        }
        if (visit(entries->name(), group.get())) {
            break;
        }
        eraseIfEmpty(group.get());
    }
    return true;
}

// The group goes into the dictionary before it gets members: adding a member plants the group
// as a reactor on it, which needs the group to be in the database.
AcDbObjectId CArxComGroup::CreateAnonymousGroup(const AcDbObjectIdArray& ids) {
    AcDbDatabase* database = workingDatabase();
    ArxOpened<AcDbDictionary> dictionary;
    ArxOpened<AcDbGroup> group(new AcDbGroup("*", true));
    if (database == nullptr ||
        database->getGroupDictionary(dictionary.receive(), AcDb::kForWrite) != Acad::eOk) {
        return AcDbObjectId::kNull;
    }
    AcDbObjectId newGroupId;
    if (dictionary->setAt("*", group.get(), newGroupId) != Acad::eOk) {
        return AcDbObjectId::kNull;
    }
    dictionary.close();
    appendMembers(group.get(), ids);
    return newGroupId;
}

bool CArxComGroup::AppendToGroup(AcDbObjectId targetGroupId, const AcDbObjectIdArray& ids) {
    bool appended = false;
    const bool walked = WalkGroups(targetGroupId, nullptr, [&](const char*, AcDbGroup* group) {
        if (targetGroupId.isNull() || group->objectId() != targetGroupId ||
            group->upgradeOpen() != Acad::eOk) {
            return false;
        }
        appendMembers(group, ids);
        appended = true;
        return true;
    });
    if (walked && !appended) {
        reportNoGroup();
    }
    return walked;
}

int CArxComGroup::GetGroupEntities(AcDbObjectIdArray& ids) {
    ids.removeAll();
    bool found = false;
    const char* targetKey = groupName.empty() ? nullptr : groupName.c_str();
    const bool walked = WalkGroups(groupId, targetKey, [&](const char* key, AcDbGroup* group) {
        const bool byName = !groupName.empty() && ArxEqualsNoCase(groupName, key);
        const bool byId = !groupId.isNull() && group->objectId() == groupId;
        if (!byName && !byId) {
            return false;
        }
        group->allEntityIds(ids);
        found = true;
        return true;
    });
    if (!walked) {
        return 0;
    }
    if (!found) {
        reportNoGroup();
    }
    return ids.length();
}

int CArxComGroup::GetGroupEntitiesById(AcDbObjectId targetGroupId, AcDbObjectIdArray& ids) {
    if (targetGroupId.isNull()) {
        ids.removeAll();
        return 0;
    }
    groupId = targetGroupId;
    return GetGroupEntities(ids);
}

void CArxComGroup::PurgeEmptyGroups() {
    WalkGroups(AcDbObjectId::kNull, nullptr, [](const char*, AcDbGroup*) { return false; });
}
