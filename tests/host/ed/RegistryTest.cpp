// The command stack, the dynamic linker and the document manager as the SDK offers them.
#include "aced.h"
#include "host/ed/CommandStack.h"
#include "host/ed/DynamicLinker.h"
#include "host/ed/HeadlessHost.h"

#include <gtest/gtest.h>

using veld::ed::CommandStack;
using veld::ed::DynamicLinker;
using veld::ed::HeadlessHost;

namespace {
void first() {}
void second() {}
} // namespace

TEST(EdRegistry, TheCommandStackIsRegisteredAndItsClassIsInTheClassDictionary) {
    HeadlessHost host;
    AcRxObject* registered = acrxSysRegistry()->at(ACRX_COMMAND_DOCK);
    AcRxClass* cls = AcRxClass::cast(acrxClassDictionary->at("AcEdCommandStack"));
    ASSERT_NE(cls, nullptr);
    ASSERT_NE(registered, nullptr);
    EXPECT_TRUE(registered->isKindOf(cls));
    EXPECT_EQ(acedRegCmds, &CommandStack::instance());
    EXPECT_NE(acrxDynamicLinker, nullptr);
}

TEST(EdRegistry, CommandsAreAddedLookedUpAndRemovedByGroup) {
    CommandStack& stack = CommandStack::instance();
    AcEdCommand* added = nullptr;
    ASSERT_EQ(stack.addCommand("G1", "ONE", "eins", 0, first, nullptr, -1, nullptr, &added),
              Acad::eOk);
    EXPECT_EQ(stack.addCommand("g1", "one", "x", 0, first), Acad::eDuplicateKey);
    EXPECT_EQ(stack.addCommand("G1", "", "x", 0, first), Acad::eInvalidInput);
    ASSERT_EQ(stack.addCommand("G1", "TWO", nullptr, 0, second), Acad::eOk);
    ASSERT_EQ(stack.addCommand("G2", "ONE", "ONE", 0, second), Acad::eOk);
    EXPECT_EQ(stack.lookupLocalCmd("EINS"), added);
    EXPECT_EQ(stack.lookupGlobalCmd("one")->functionAddr(), second) << "the newest wins";
    EXPECT_STREQ(stack.lookupLocalCmd("two")->localName(), "TWO");
    EXPECT_EQ(stack.removeCmd("G2", "ONE"), Acad::eOk);
    EXPECT_EQ(stack.lookupGlobalCmd("ONE"), added);
    EXPECT_EQ(stack.removeGroup("G1"), Acad::eOk);
    EXPECT_EQ(stack.lookupGlobalCmd("ONE"), nullptr);
    EXPECT_EQ(stack.lookupGlobalCmd("TWO"), nullptr);
    EXPECT_EQ(stack.removeGroup("G1"), Acad::eKeyNotFound);
    EXPECT_EQ(stack.removeCmd("G1", "ONE"), Acad::eKeyNotFound);
}

TEST(EdRegistry, ApplicationsStartLockedUntilTheyUnlockThemselves) {
    DynamicLinker& linker = DynamicLinker::instance();
    int appId = 0;
    linker.addApplication(&appId, "TestApp");
    EXPECT_TRUE(linker.isApplicationLocked("testapp"));
    EXPECT_TRUE(acrxDynamicLinker->unlockApplication(&appId));
    EXPECT_FALSE(linker.isApplicationLocked("TestApp"));
    EXPECT_TRUE(acrxRegisterAppMDIAware(&appId));
    EXPECT_TRUE(linker.isMdiAware(&appId));
    linker.removeApplication(&appId);
    EXPECT_FALSE(acrxRegisterAppMDIAware(&appId));
}

TEST(EdRegistry, TheCurrentDocumentHoldsTheWorkingDatabaseAndNestedLocks) {
    AcDbDatabase* before = acdbHostApplicationServices()->workingDatabase();
    {
        HeadlessHost host;
        AcApDocument* doc = acDocManager->curDocument();
        ASSERT_NE(doc, nullptr);
        EXPECT_EQ(doc->database(), acdbHostApplicationServices()->workingDatabase());
        EXPECT_EQ(doc->myLockMode(), AcAp::kNone);
        EXPECT_EQ(acDocManager->lockDocument(doc, AcAp::kWrite), Acad::eOk);
        EXPECT_EQ(acDocManager->lockDocument(doc, AcAp::kRead), Acad::eOk);
        EXPECT_EQ(doc->myLockMode(), AcAp::kRead);
        EXPECT_EQ(acDocManager->unlockDocument(doc), Acad::eOk);
        EXPECT_EQ(doc->myLockMode(), AcAp::kWrite);
        EXPECT_EQ(acDocManager->unlockDocument(doc), Acad::eOk);
        EXPECT_EQ(acDocManager->unlockDocument(doc), Acad::eNotApplicable);
        EXPECT_EQ(acDocManager->lockDocument(nullptr), Acad::eInvalidInput);
    }
    EXPECT_EQ(acdbHostApplicationServices()->workingDatabase(), before);
}
