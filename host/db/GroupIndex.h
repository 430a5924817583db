// Which groups of one database list an entity, and which groups may have no member left: what
// the walks that drop empty groups need without visiting every group of the drawing.
#pragma once
#include "Stub.h"

#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace veld::db {

class GroupIndex {
public:
    // A group's member list gained or lost `member` (lists, not counts: a group lists an id once).
    void addMember(AcDbStub* group, AcDbStub* member);
    void removeMember(AcDbStub* group, AcDbStub* member);
    // Forgets every membership (a load rebuilds them).
    void clearMembers() { groupsOf_.clear(); }

    // `group` may now be empty: its member list shrank, or it entered a dictionary.
    void noteMaybeEmpty(AcDbStub* group) { maybeEmpty_.insert(group); }
    // `stub` was erased, unerased or its creation undone: the groups listing it may now be
    // empty, and so may the object itself when it is a group.
    void noteListingChanged(AcDbStub* stub);

    // The groups in the database and not erased that list no member in the database and not
    // erased. Groups found to have members leave the set of candidates: only a later change
    // can empty them, and every such change notes them again.
    std::vector<AcDbStub*> emptyGroups();

private:
    std::unordered_multimap<AcDbStub*, AcDbStub*> groupsOf_; // member -> group
    std::unordered_set<AcDbStub*> maybeEmpty_;
};

} // namespace veld::db
