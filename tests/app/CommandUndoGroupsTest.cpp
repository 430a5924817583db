// The undo groups the three commands leave in the drawing's journal, run in process on scripted
// answers: none when the page is cancelled, one (empty) group for a pass that placed nothing,
// nothing left of a withdrawn pass, and one group for a change that one undo step takes back.
#include "afxmodule.h"
#include "afxwin.h"
#include "app/FoundationCommand.h"
#include "host/db/DatabaseImpl.h"
#include "host/ed/LineListInput.h"
#include "host/ed/Session.h"
#include "support/FoundationDrawingFixture.h"

#include <gtest/gtest.h>

namespace {

class CommandUndoGroups : public veld::test::FoundationDrawingFixture {
protected:
    CommandUndoGroups() {
        static const HINSTANCE module =
            veldCreateModuleInstance("VeldFoundationApp", veldModuleResourceTable());
        previousResources_ = AfxGetResourceHandle();
        AfxSetResourceHandle(module);
    }
    ~CommandUndoGroups() override {
        veld::ed::Session::current().setInput(previousInput_);
        AfxSetResourceHandle(previousResources_);
    }

    // Runs a command body on these answers, the journal emptied first; the answers must all
    // be used.
    template <class Body> void run(Body body, std::vector<std::string> answers) {
        input_ = std::make_unique<veld::ed::LineListInput>(std::move(answers));
        veld::ed::Session::current().setInput(input_.get());
        journal().clear();
        FoundationCommand command;
        (command.*body)();
        EXPECT_EQ(input_->remaining(), 0u) << printed();
    }

    veld::db::UndoJournal& journal() { return database()->impl().journal(); }

    int entityCount() const { return modelSpaceEntities().length(); }

private:
    HINSTANCE previousResources_ = nullptr;
    veld::ed::InputSource* previousInput_ = veld::ed::Session::current().input();
    std::unique_ptr<veld::ed::LineListInput> input_;
};

} // namespace

TEST_F(CommandUndoGroups, ACancelledPageLeavesNoUndoMark) {
    run(&FoundationCommand::placeDelta, {"cancel"});
    EXPECT_FALSE(journal().canUndo());
    run(&FoundationCommand::placeSquare, {"cancel"});
    EXPECT_FALSE(journal().canUndo());
}

TEST_F(CommandUndoGroups, APassThatPlacedNothingIsOneEmptyGroup) {
    run(&FoundationCommand::placeDelta, {"check LABEL_CHECK off", "ok", "", "cancel"});
    EXPECT_EQ(journal().undo(5), std::vector<std::string>{"GROUP"});
    EXPECT_EQ(entityCount(), 0);
}

TEST_F(CommandUndoGroups, AWithdrawnPassLeavesNothingToUndoAndAKeptPassIsOneStep) {
    run(&FoundationCommand::placeSquare,
        {"check LABEL_CHECK on", "ok", "0,0", "900,-900", "5000,0", "", "cancel"});
    EXPECT_EQ(entityCount(), 0);
    EXPECT_FALSE(journal().canUndo()) << "the withdrawn group was taken back at once";

    run(&FoundationCommand::placeSquare,
        {"check LABEL_CHECK off", "ok", "0,0", "5000,0", "", "cancel"});
    EXPECT_EQ(groupCount(), 2);
    EXPECT_EQ(journal().undo(5), std::vector<std::string>{"GROUP"});
    EXPECT_EQ(entityCount(), 0);
}

TEST_F(CommandUndoGroups, AChangeIsOneGroupAndACancelledChangeLeavesNoMark) {
    run(&FoundationCommand::placeDelta, {"check LABEL_CHECK off", "ok", "0,0", "", "cancel"});
    const AcDbObjectIdArray before = modelSpaceEntities();
    ASSERT_GT(before.length(), 0);

    run(&FoundationCommand::editFoundation, {"0,0", "cancel"});
    EXPECT_FALSE(journal().canUndo());

    run(&FoundationCommand::editFoundation, {"0,0", "set ROATE_ANGLE 45", "ok"});
    EXPECT_EQ(groupCount(), 1);
    EXPECT_NE(modelSpaceEntities(), before);
    EXPECT_EQ(journal().undo(5), std::vector<std::string>{"GROUP"});
    EXPECT_EQ(modelSpaceEntities(), before) << "the old members, with their ids, are back";
}
