// Memberships and candidates for empty groups, kept by the group and object changes that can
// empty a group (member list changes, erase and unerase, undone creations).
#include "GroupIndex.h"

#include "ObjectAccess.h"

namespace veld::db {

namespace {

bool isListed(const AcDbStub* stub) {
    return stub->isLive() && !stub->erased;
}

bool hasListedMember(AcDbGroup& group) {
    for (AcDbStub* member : ObjectAccess::groupMembers(group).ids) {
        if (isListed(member)) {
            return true;
        }
    }
    return false;
}

} // namespace

void GroupIndex::addMember(AcDbStub* group, AcDbStub* member) {
    groupsOf_.emplace(member, group);
}

void GroupIndex::removeMember(AcDbStub* group, AcDbStub* member) {
    auto [first, last] = groupsOf_.equal_range(member);
    for (auto it = first; it != last; ++it) {
        if (it->second == group) {
            groupsOf_.erase(it);
            break;
        }
    }
    maybeEmpty_.insert(group);
}

void GroupIndex::noteListingChanged(AcDbStub* stub) {
    auto [first, last] = groupsOf_.equal_range(stub);
    for (auto it = first; it != last; ++it) {
        maybeEmpty_.insert(it->second);
    }
    if (stub->object != nullptr && AcDbGroup::cast(stub->object) != nullptr) {
        maybeEmpty_.insert(stub);
    }
}

std::vector<AcDbStub*> GroupIndex::emptyGroups() {
    std::vector<AcDbStub*> empty;
    for (auto it = maybeEmpty_.begin(); it != maybeEmpty_.end();) {
        AcDbGroup* group = isListed(*it) ? AcDbGroup::cast((*it)->object) : nullptr;
        if (group == nullptr || hasListedMember(*group)) {
            it = maybeEmpty_.erase(it);
        } else {
            empty.push_back(*it);
            ++it;
        }
    }
    return empty;
}

} // namespace veld::db
