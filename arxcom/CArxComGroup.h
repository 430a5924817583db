// Binds the entities of one foundation into an anonymous group of the drawing's group
// dictionary, extends such a group, lists a group's members and drops empty groups. Every walk
// over the dictionary erases the empty groups it passes (except the group it is looking for).
// The walks visit only the empty groups and the entries they look for: the other groups would
// be passed by without effect, and visiting them would make every walk cost the whole drawing.
#pragma once
#include "dbdict.h"

#include <functional>
#include <string>

class CArxComGroup {
public:
    CArxComGroup();
    virtual ~CArxComGroup();

    // GetGroupEntities looks a group up by its dictionary key (without regard to case) or id.
    std::string groupName;
    AcDbObjectId groupId;

    // A new anonymous, selectable group with description "*" holding the non-null ids in order;
    // null when the group dictionary is not available.
    AcDbObjectId CreateAnonymousGroup(const AcDbObjectIdArray& ids);
    // Appends the ids to the group with that id. Prints "\nｸﾞﾙｰﾌﾟｵﾌﾞｼﾞｪｸﾄではありません" when
    // the dictionary has no such group. False only when the dictionary cannot be walked.
    bool AppendToGroup(AcDbObjectId targetGroupId, const AcDbObjectIdArray& ids);
    // Replaces `ids` with the members of the group named by groupName or groupId and returns
    // their number (printing the message above when no group matches).
    int GetGroupEntities(AcDbObjectIdArray& ids);
    // The same for the group with that id; a null id gives 0 (and no ids) at once and prints
    // nothing.
    int GetGroupEntitiesById(AcDbObjectId targetGroupId, AcDbObjectIdArray& ids);
    // Erases every group that has no members left.
    void PurgeEmptyGroups();

private:
    // Called for each group (open for read) until it returns true; the groups it passes by
    // that are empty are erased. Only the empty groups and the entries of `target` and
    // `targetKey` (either may be null) are visited: `visit` must return false for any other.
    // False when the dictionary or its iterator is not available.
    using GroupVisitor = std::function<bool(const char* key, AcDbGroup* group)>;
    bool WalkGroups(AcDbObjectId target, const char* targetKey, const GroupVisitor& visit);
};
