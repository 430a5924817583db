// A test-only extension module whose two commands drive the drawing toolkit's group scheme from
// the real command line, for the toolkit's end-to-end tests:
//   TKGROUP  select entities; they become one anonymous group, each tagged with its handle.
//   TKPICK   pick one entity; prints the members of the group its tag names.
#include "aced.h"
#include "arxcom/ArxObjectRefs.h"
#include "arxcom/CArxComGroup.h"
#include "arxcom/CArxComObjectShape.h"
#include "rxregsvc.h"

namespace {

const char* const kProbeGroup = "VELD_TOOLKIT_PROBE";

AcDbObjectIdArray selectEntities() {
    AcDbObjectIdArray ids;
    ads_name selection = {0, 0};
    if (acedSSGet(nullptr, nullptr, nullptr, nullptr, selection) != RTNORM) {
        return ids;
    }
    Adesk::Int32 length = 0;
    acedSSLength(selection, &length);
    for (Adesk::Int32 i = 0; i < length; ++i) {
        ads_name name = {0, 0};
        AcDbObjectId id;
        if (acedSSName(selection, i, name) == RTNORM && IdFromEname(name, id) == Acad::eOk) {
            ids.append(id);
        }
    }
    acedSSFree(selection);
    return ids;
}

void groupSelection() {
    const AcDbObjectIdArray ids = selectEntities();
    CArxComGroup groups;
    groups.PurgeEmptyGroups();
    const AcDbObjectId group = groups.CreateAnonymousGroup(ids);
    CArxComObjectShape().SetGroupType(ids, group);
    acutPrintf("\nGroup %s of %d", HandleTextOfId(group).c_str(), ids.length());
}

void pickGroup() {
    AcDbObjectIdArray groups, entities;
    CArxComObjectShape().SelectSingleShape("\nPick a member: ", groups, entities);
    for (const AcDbObjectId& group : groups) {
        if (group.isNull()) {
            acutPrintf("\nNo group");
            continue;
        }
        AcDbObjectIdArray members;
        const int count = CArxComGroup().GetGroupEntitiesById(group, members);
        acutPrintf("\nGroup %s has %d:", HandleTextOfId(group).c_str(), count);
        for (const AcDbObjectId& member : members) {
            acutPrintf(" %s", HandleTextOfId(member).c_str());
        }
    }
}

} // namespace

extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode message, void* appId) {
    AcEdCommandStack* stack = acedRegCmds;
    if (message == AcRx::kInitAppMsg && stack != nullptr) {
        acrxRegisterAppMDIAware(appId);
        stack->addCommand(kProbeGroup, "TKGROUP", "TKGROUP", ACRX_CMD_MODAL, groupSelection);
        stack->addCommand(kProbeGroup, "TKPICK", "TKPICK", ACRX_CMD_MODAL, pickGroup);
    } else if (message == AcRx::kUnloadAppMsg && stack != nullptr) {
        stack->removeGroup(kProbeGroup);
    }
    return AcRx::kRetOK;
}

extern "C" int acrxGetApiVersion() {
    return 0x100000;
}
