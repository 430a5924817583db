// AcDbGroup: an ordered selection of entities. A member carries the group as a persistent
// reactor; erased members stay in the list but are not counted or listed.
#include "DatabaseImpl.h"
#include "ObjectAccess.h"
#include "SetterSupport.h"

#include <algorithm>

using veld::db::ObjectAccess;
using veld::db::ObjectExtras;

ACRX_DEFINE_MEMBERS(AcDbGroup, AcDbObject)

namespace {

bool isListed(const AcDbStub* member) {
    return member->isLive() && !member->erased;
}

// Plants (or pulls) the group's reactor on a member, journaled on the member.
void plantReactor(AcDbStub* member, AcDbStub* group) {
    ObjectExtras* extras = ObjectAccess::extras(*member->object);
    if (extras != nullptr && std::find(extras->reactors.begin(), extras->reactors.end(), group) !=
                                 extras->reactors.end()) {
        return;
    }
    ObjectAccess::insertReactor(*member->object, group, SIZE_MAX);
    group->database->impl().journal().recordReactor(member, group, true, 0);
}

veld::db::GroupIndex& groupIndex(AcDbStub* group) {
    return group->database->impl().groupIndex();
}

void pullReactor(AcDbStub* member, AcDbStub* group) {
    if (!member->isLive()) {
        return;
    }
    std::size_t index = 0;
    if (ObjectAccess::eraseReactor(*member->object, group, &index)) {
        group->database->impl().journal().recordReactor(member, group, false, index);
    }
}

} // namespace

AcDbGroup::AcDbGroup(const char* description, bool selectable)
    : members_(std::make_unique<Members>()) {
    members_->description = description != nullptr ? description : "";
    members_->selectable = selectable;
}

AcDbGroup::~AcDbGroup() = default;

namespace {

Acad::ErrorStatus checkNewMember(AcDbStub* self, const std::vector<AcDbStub*>& members,
                                 AcDbObjectId id) {
    AcDbStub* stub = id.stub();
    if (stub == nullptr) {
        return Acad::eNullObjectId;
    }
    if (stub->database != self->database) {
        return Acad::eWrongDatabase;
    }
    if (!stub->isLive()) {
        return Acad::ePermanentlyErased;
    }
    if (AcDbEntity::cast(stub->object) == nullptr) {
        return Acad::eNotThatKindOfClass;
    }
    if (stub->erased) {
        return Acad::eWasErased;
    }
    if (std::find(members.begin(), members.end(), stub) != members.end()) {
        return Acad::eAlreadyInGroup;
    }
    return Acad::eOk;
}

} // namespace

Acad::ErrorStatus AcDbGroup::append(AcDbObjectId id) {
    AcDbObjectIdArray ids;
    ids.append(id);
    return append(ids);
}

Acad::ErrorStatus AcDbGroup::append(const AcDbObjectIdArray& ids) {
    AcDbStub* self = ObjectAccess::stub(*this);
    if (self == nullptr) {
        return Acad::eInvalidInput;
    }
    if (!self->writer) {
        return Acad::eNotOpenForWrite;
    }
    // All or nothing: every id is checked (against the members and the ids before it) first.
    std::vector<AcDbStub*> after = members_->ids;
    for (const AcDbObjectId& id : ids) {
        const Acad::ErrorStatus es = checkNewMember(self, after, id);
        if (es != Acad::eOk) {
            return es;
        }
        after.push_back(id.stub());
    }
    VELD_WRITE_OR_RETURN();
    for (const AcDbObjectId& id : ids) {
        members_->ids.push_back(id.stub());
        groupIndex(self).addMember(self, id.stub());
        plantReactor(id.stub(), self);
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbGroup::remove(AcDbObjectId id) {
    auto found = std::find(members_->ids.begin(), members_->ids.end(), id.stub());
    if (id.isNull() || found == members_->ids.end()) {
        return Acad::eNotInGroup;
    }
    VELD_WRITE_OR_RETURN();
    found = std::find(members_->ids.begin(), members_->ids.end(), id.stub());
    members_->ids.erase(found);
    if (AcDbStub* self = ObjectAccess::stub(*this)) {
        groupIndex(self).removeMember(self, id.stub());
        pullReactor(id.stub(), self);
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbGroup::clear() {
    VELD_WRITE_OR_RETURN();
    std::vector<AcDbStub*> members = std::move(members_->ids);
    members_->ids.clear();
    if (AcDbStub* self = ObjectAccess::stub(*this)) {
        for (AcDbStub* member : members) {
            groupIndex(self).removeMember(self, member);
            pullReactor(member, self);
        }
    }
    return Acad::eOk;
}

bool AcDbGroup::has(const AcDbEntity* entity) const {
    AcDbStub* stub = entity != nullptr ? ObjectAccess::stub(*entity) : nullptr;
    return stub != nullptr && isListed(stub) &&
           std::find(members_->ids.begin(), members_->ids.end(), stub) != members_->ids.end();
}

Adesk::UInt32 AcDbGroup::numEntities() const {
    return static_cast<Adesk::UInt32>(
        std::count_if(members_->ids.begin(), members_->ids.end(), isListed));
}

Adesk::UInt32 AcDbGroup::allEntityIds(AcDbObjectIdArray& ids) const {
    ids.removeAll();
    for (AcDbStub* member : members_->ids) {
        if (isListed(member)) {
            ids.append(AcDbObjectId(member));
        }
    }
    return static_cast<Adesk::UInt32>(ids.length());
}

std::string AcDbGroup::description() const {
    return members_->description;
}

Acad::ErrorStatus AcDbGroup::setDescription(const char* text) {
    VELD_WRITE_OR_RETURN();
    members_->description = text != nullptr ? text : "";
    return Acad::eOk;
}

bool AcDbGroup::isSelectable() const {
    return members_->selectable;
}

Acad::ErrorStatus AcDbGroup::setSelectable(bool on) {
    VELD_WRITE_OR_RETURN();
    members_->selectable = on;
    return Acad::eOk;
}

bool AcDbGroup::isAnonymous() const {
    const std::string key = name();
    return !key.empty() && key[0] == '*';
}

std::string AcDbGroup::name() const {
    AcDbStub* self = ObjectAccess::stub(*this);
    auto* dict =
        self != nullptr ? AcDbDictionary::cast(veld::db::liveObject(self->owner)) : nullptr;
    std::string key;
    if (dict != nullptr && dict->nameAt(AcDbObjectId(self), key) == Acad::eOk) {
        return key;
    }
    return {};
}

AcDbObject* AcDbGroup::cloneState() const {
    auto* copy = new AcDbGroup;
    copy->restoreState(*this);
    return copy;
}

void AcDbGroup::restoreState(const AcDbObject& saved) {
    const auto& from = static_cast<const AcDbGroup&>(saved);
    copyBaseState(from);
    AcDbStub* self = ObjectAccess::stub(*this);
    if (self == nullptr || self->object != this) {
        *members_ = *from.members_; // a state copy: no index to keep
        return;
    }
    veld::db::GroupIndex& index = groupIndex(self);
    for (AcDbStub* member : members_->ids) {
        index.removeMember(self, member);
    }
    *members_ = *from.members_;
    for (AcDbStub* member : members_->ids) {
        index.addMember(self, member);
    }
    index.noteMaybeEmpty(self);
}
