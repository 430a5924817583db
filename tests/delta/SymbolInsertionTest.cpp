// The symbol step of a placed foundation: what it sends to the host's -INSERT command, the
// system variables while that command runs and afterwards, the USERR1 scale rule, and the block
// and mark joining the group. A stand-in for -INSERT records the items it is given and places a
// block reference as the real command does; the host's own command is put back after each test.
#include "delta/DeltaShape.h"

#include "aced.h"
#include "dbsymtb.h"
#include "host/ed/CommandLine.h"
#include "host/ed/CurrentDrawing.h"
#include "host/ed/HostCommand.h"
#include "host/ed/HostCommandTable.h"
#include "settings/CArxComConfigFile.h"
#include "support/FoundationDrawingFixture.h"
#include "support/TestDrawing.h"

namespace {

using veld::ed::Answer;
using veld::ed::CommandItem;
using veld::test::FoundationDrawingFixture;

// What one run of the stand-in saw.
struct InsertRun {
    std::vector<CommandItem> items;
    bool askedBeyondItems = false; // a further answer was wanted after the items ran out
    short osmode = -1;
    short attdia = -1;
    short attreq = -1;
    std::string clayer;
};

short shortVariable(const char* name) {
    resbuf rb{};
    return acedGetVar(name, &rb) == RTNORM && rb.restype == RTSHORT ? rb.resval.rint : -1;
}

std::string textVariable(const char* name) {
    resbuf rb{};
    if (acedGetVar(name, &rb) != RTNORM || rb.restype != RTSTR) {
        return {};
    }
    std::string text = rb.resval.rstring;
    acutDelString(rb.resval.rstring);
    return text;
}

// Takes the nine answers of -INSERT with four attributes (file, point, X scale, Y scale,
// rotation, four attribute values) and places a reference to the block named `blockName` at the
// point, scaled by the X scale.
class RecordingInsert : public veld::ed::HostCommand {
public:
    RecordingInsert(std::vector<InsertRun>& runs, AcDbObjectId block)
        : runs_(runs), block_(block) {}
    std::string name() const override { return "INSERT"; }
    bool hasDashForm() const override { return true; }
    int run() override {
        InsertRun run;
        run.osmode = shortVariable("OSMODE");
        run.attdia = shortVariable("ATTDIA");
        run.attreq = shortVariable("ATTREQ");
        run.clayer = textVariable("CLAYER");
        for (int i = 0; i < 9; ++i) {
            const Answer answer = veld::ed::commandLine().ask("\nanswer: ");
            if (answer.kind == Answer::Kind::Escape || answer.item == nullptr) {
                break;
            }
            run.items.push_back(*answer.item);
        }
        run.askedBeyondItems =
            veld::ed::commandLine().ask("\nanything else: ").kind != Answer::Kind::Escape;
        runs_.push_back(run);
        if (run.items.size() < 3 || block_.isNull()) {
            // What the real command does for a file it cannot find: nothing is inserted.
            return RTERROR;
        }
        auto* reference = new AcDbBlockReference(run.items[1].point, block_);
        const double scale = run.items[2].number;
        reference->setScaleFactors(AcGeScale3d(scale, scale, scale));
        AcDbObjectId id;
        return veld::ed::CurrentDrawing::append(reference, id) == Acad::eOk ? RTNORM : RTERROR;
    }

private:
    std::vector<InsertRun>& runs_;
    AcDbObjectId block_;
};

class SymbolInsertion : public FoundationDrawingFixture {
protected:
    SymbolInsertion() {
        hostInsert = veld::ed::HostCommandTable::instance().add(
            std::make_unique<RecordingInsert>(runs, defineBlock("基礎符号-0")));
        group = shape.draw(deltaSettings());
        shape.rotation = 1.0; // the symbol is never turned with the foundation
        shape.symbolPoint = AcGePoint3d(1500, -1500, 250);
        setIntVariable("OSMODE", 37);
        setIntVariable("ATTDIA", 1);
        // A common user setting: the attributes would not be asked, and their values would run
        // as commands.
        setIntVariable("ATTREQ", 0);
        setRealVariable("USERR1", 2.0);
        clearPrinted();
    }
    // The stand-in must not outlive this test's record of its runs.
    ~SymbolInsertion() override {
        if (hostInsert) {
            veld::ed::HostCommandTable::instance().add(std::move(hostInsert));
        } else {
            static std::vector<InsertRun> unexpected;
            veld::ed::HostCommandTable::instance().add(
                std::make_unique<RecordingInsert>(unexpected, AcDbObjectId::kNull));
        }
    }

    AcDbObjectId defineBlock(const char* name) {
        return veld::test::TestDrawing(*database()).defineBlock(name);
    }

    static FoundationSettings withChecks(const char* label, const char* mark) {
        FoundationSettings settings = deltaSettings();
        settings.SetSlot(FoundationSlot::LabelCheck, label);
        settings.SetSlot(FoundationSlot::StructureMarkCheck, mark);
        settings.SetSlot(FoundationSlot::Mark, "F3");
        settings.SetSlot(FoundationSlot::BottomLevel, "-1200");
        settings.SetSlot(FoundationSlot::BaseHeight, "800");
        settings.SetSlot(FoundationSlot::UpperSlant, "50");
        return settings;
    }

    std::vector<InsertRun> runs;
    std::unique_ptr<veld::ed::HostCommand> hostInsert; // the host's own -INSERT, when it has one
    DeltaShape shape;
    AcDbObjectId group;
};

TEST_F(SymbolInsertion, BlockIsInsertedWithTheItemsInOrderWhileSnapAndDialogsAreOff) {
    EXPECT_TRUE(shape.insertSymbol(withChecks("1", "0"), group));
    ASSERT_EQ(runs.size(), 1u);
    const InsertRun& run = runs[0];
    ASSERT_EQ(run.items.size(), 9u);
    EXPECT_FALSE(run.askedBeyondItems);
    const std::string path = CArxComConfigFile().GetIniFolder() + "\\DWG\\基礎符号-0.dwg";
    const std::vector<std::pair<CommandItem::Type, std::string>> texts = {
        {CommandItem::Type::Text, path},    {CommandItem::Type::Point, ""},
        {CommandItem::Type::Number, ""},    {CommandItem::Type::Text, ""},
        {CommandItem::Type::Number, ""},    {CommandItem::Type::Text, "F3"},
        {CommandItem::Type::Text, "-1200"}, {CommandItem::Type::Text, "800"},
        {CommandItem::Type::Text, "50"}};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(run.items[i].type, texts[i].first) << "item " << i;
        if (texts[i].first == CommandItem::Type::Text) {
            EXPECT_EQ(run.items[i].text, texts[i].second) << "item " << i;
        }
    }
    EXPECT_EQ(run.items[1].point, AcGePoint3d(1500, -1500, 250)) << "the height is kept";
    EXPECT_DOUBLE_EQ(run.items[2].number, 2.0) << "USERR1 is the scale";
    EXPECT_DOUBLE_EQ(run.items[4].number, 0.0) << "never turned";
    EXPECT_EQ(run.osmode, 0);
    EXPECT_EQ(run.attdia, 0);
    EXPECT_EQ(run.attreq, 1);
    EXPECT_EQ(run.clayer, kSymbolLayer);

    EXPECT_EQ(intVariable("OSMODE"), 37);
    EXPECT_EQ(intVariable("ATTDIA"), 1);
    EXPECT_EQ(intVariable("ATTREQ"), 0);
    EXPECT_EQ(textVariable("CLAYER"), kSymbolLayer);
    const AcDbObjectIdArray members = groupMembers(group);
    ASSERT_EQ(members.length(), 20);
    AcDbBlockReference* reference = nullptr;
    ASSERT_EQ(acdbOpenObject(reference, members.last(), AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(reference->position(), AcGePoint3d(1500, -1500, 250));
    reference->close();
    AcDbObjectId tagged;
    EXPECT_EQ(shape.GetGroupOfEntity(members.last(), tagged), Acad::eOk);
    EXPECT_EQ(tagged, group);
    EXPECT_EQ(printed().find("USERR1"), std::string::npos);
}

TEST_F(SymbolInsertion, NonPositiveUserR1IsReportedAndTheScaleIsOne) {
    for (const auto& [value, shown] : {std::pair<double, const char*>{0.0, "0.000000"},
                                       std::pair<double, const char*>{-2.5, "-2.500000"}}) {
        setRealVariable("USERR1", value);
        clearPrinted();
        EXPECT_TRUE(shape.insertSymbol(withChecks("1", "0"), group));
        EXPECT_NE(printed().find(std::string("\n ｼｽﾃﾑ変数 USERR1の値が不正です = ") + shown),
                  std::string::npos)
            << printed();
        ASSERT_FALSE(runs.empty());
        ASSERT_GE(runs.back().items.size(), 3u);
        EXPECT_DOUBLE_EQ(runs.back().items[2].number, 1.0);
    }
}

// When -INSERT makes nothing, the drawing's last entity is an older one (here another
// foundation's point); it stays out of this foundation's group and keeps its own tag.
TEST_F(SymbolInsertion, AFailedInsertionPullsNoOtherEntityIntoTheGroup) {
    veld::ed::HostCommandTable::instance().add(
        std::make_unique<RecordingInsert>(runs, AcDbObjectId::kNull));
    DeltaShape other;
    other.basePoint = AcGePoint3d(10000, 0, 0);
    const AcDbObjectId otherGroup = other.draw(deltaSettings());
    const AcDbObjectId otherPoint = groupMembers(otherGroup).last();
    EXPECT_TRUE(shape.insertSymbol(withChecks("1", "0"), group));
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(groupMembers(group).length(), 19);
    AcDbObjectId tagged;
    EXPECT_EQ(shape.GetGroupOfEntity(otherPoint, tagged), Acad::eOk);
    EXPECT_EQ(tagged, otherGroup);
}

// Both checks: the block, then the mark text, join the group in that order. A symbol layer the
// drawing lacks is reported and the insertion goes on.
TEST_F(SymbolInsertion, BlockAndMarkJoinTheGroupEvenWithoutTheSymbolLayer) {
    setIniValue("SYSTEM", "SYMBOL_LAYER_F", "記号なし");
    EXPECT_TRUE(shape.insertSymbol(withChecks("1", "1"), group));
    EXPECT_NE(printed().find("\n図面に存在しないﾚｲﾔｰ名(記号なし)です"), std::string::npos)
        << printed();
    const AcDbObjectIdArray members = groupMembers(group);
    ASSERT_EQ(members.length(), 21);
    AcDbEntity* block = nullptr;
    ASSERT_EQ(acdbOpenObject(block, members[19], AcDb::kForRead), Acad::eOk);
    EXPECT_NE(AcDbBlockReference::cast(block), nullptr);
    block->close();
    AcDbText* text = nullptr;
    ASSERT_EQ(acdbOpenObject(text, members[20], AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(text->textString(), "F3");
    text->close();
    EXPECT_EQ(intVariable("OSMODE"), 37);
    EXPECT_EQ(intVariable("ATTDIA"), 1);
    EXPECT_EQ(intVariable("ATTREQ"), 0);
}

} // namespace
