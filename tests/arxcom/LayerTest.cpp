// Layers: creation never changes an existing layer, colours and states, linetype choice,
// listing and lookup.
#include "ToolkitFixture.h"
#include "arxcom/CArxComLayer.h"

namespace {

class LayerTest : public ToolkitTest {
protected:
    AcDbObjectId layerId(const char* name) {
        AcDbObjectId id;
        CArxComLayer().GetLayerId(id, name, AcDb::kForRead);
        return id;
    }
};

TEST_F(LayerTest, CreateLayerLeavesAnExistingLayerAsItWas) {
    CArxComLayer layers;
    ASSERT_TRUE(layers.CreateLayer("WALL", 1, true, false, false, ""));
    EXPECT_FALSE(layers.CreateLayer("wall", 3, false, true, true, ""));
    layers.useNamedLinetype = true;
    EXPECT_FALSE(layers.CreateLayer("WALL", 3, false, true, true, "ByBlock"));

    Opened<AcDbLayerTableRecord> wall(layerId("WALL"));
    EXPECT_EQ(wall->color().colorIndex(), 1);
    EXPECT_FALSE(wall->isOff());
    EXPECT_FALSE(wall->isLocked());
    EXPECT_FALSE(wall->isFrozen());
    EXPECT_EQ(wall->linetypeObjectId(), db()->continuousLinetype());
}

TEST_F(LayerTest, CreateLayerSetsOnlyValidColoursAndFollowsTheFlags) {
    CArxComLayer layers;
    ASSERT_TRUE(layers.CreateLayer("C256", 256, true, false, false, ""));
    ASSERT_TRUE(layers.CreateLayer("CNEG", -1, true, false, false, ""));
    ASSERT_TRUE(layers.CreateLayer("C255", 255, false, true, true, "ByBlock"));
    EXPECT_EQ(Opened<AcDbLayerTableRecord>(layerId("C256"))->color().colorIndex(), 7);
    EXPECT_EQ(Opened<AcDbLayerTableRecord>(layerId("CNEG"))->color().colorIndex(), 7);
    Opened<AcDbLayerTableRecord> last(layerId("C255"));
    EXPECT_EQ(last->color().colorIndex(), 255);
    EXPECT_TRUE(last->isOff());
    EXPECT_TRUE(last->isLocked());
    EXPECT_TRUE(last->isFrozen());
    // The named-linetype switch is off: the name is not used.
    EXPECT_EQ(last->linetypeObjectId(), db()->continuousLinetype());
}

TEST_F(LayerTest, NamedLinetypeSwitchUsesTheLinetypeFoundWithoutRegardToCase) {
    CArxComLayer layers;
    layers.useNamedLinetype = true;
    ASSERT_TRUE(layers.CreateLayer("NAMED", 2, true, false, false, "byblock"));
    ASSERT_TRUE(layers.CreateLayer("UNKNOWN", 2, true, false, false, "NO_SUCH"));
    EXPECT_EQ(Opened<AcDbLayerTableRecord>(layerId("NAMED"))->linetypeObjectId(),
              db()->byBlockLinetype());
    EXPECT_EQ(Opened<AcDbLayerTableRecord>(layerId("UNKNOWN"))->linetypeObjectId(),
              db()->continuousLinetype());

    AcDbObjectId id = db()->byBlockLinetype();
    layers.FindLinetypeId("CONTINUOUS", id);
    EXPECT_EQ(id, db()->continuousLinetype());
    layers.FindLinetypeId("NO_SUCH", id);
    EXPECT_TRUE(id.isNull());
}

TEST_F(LayerTest, CreateLayerRefusesAnInvalidName) {
    CArxComLayer layers;
    EXPECT_FALSE(layers.CreateLayer("A<B", 1, true, false, false, ""));
    EXPECT_FALSE(layers.CreateLayer("", 1, true, false, false, ""));
    std::vector<std::string> names;
    AcDbObjectIdArray ids;
    layers.ListLayers(names, ids);
    EXPECT_EQ(names, std::vector<std::string>{"0"});
}

TEST_F(LayerTest, GetLayerIdFindsExistingLayersOnly) {
    ensureLayer("基礎");
    AcDbObjectId id;
    EXPECT_EQ(CArxComLayer().GetLayerId(id, "基礎", AcDb::kForRead), id);
    ASSERT_FALSE(id.isNull());
    EXPECT_EQ(Opened<AcDbLayerTableRecord>(id)->name(), "基礎");
    EXPECT_TRUE(layerId("MISSING").isNull());
}

TEST_F(LayerTest, ListLayersAppendsNamesAndIdsInTableOrder) {
    ensureLayer("A");
    std::vector<std::string> names{"kept"};
    AcDbObjectIdArray ids;
    ids.append(AcDbObjectId::kNull);
    CArxComLayer().ListLayers(names, ids);
    EXPECT_EQ(names, (std::vector<std::string>{"kept", "0", "A"}));
    ASSERT_EQ(ids.length(), 3);
    EXPECT_EQ(ids[1], layerId("0"));
    EXPECT_EQ(ids[2], layerId("A"));
}

// The lock taken around the change is released on success and on failure alike.
TEST_F(LayerTest, SetCurrentLayerSwitchesOrSaysTheLayerIsMissing) {
    ensureLayer("A");
    CArxComLayer layers;
    EXPECT_TRUE(layers.SetCurrentLayer("A"));
    EXPECT_EQ(db()->clayer(), layerId("A"));
    EXPECT_EQ(host().document()->lockDepth(), 0);
    EXPECT_EQ(transcript(), "");

    EXPECT_FALSE(layers.SetCurrentLayer("NOPE"));
    EXPECT_EQ(transcript(), "\n図面に存在しないﾚｲﾔｰ名(NOPE)です");
    EXPECT_EQ(db()->clayer(), layerId("A"));
    EXPECT_EQ(host().document()->lockDepth(), 0);

    ASSERT_TRUE(layers.CreateLayer("COLD", 1, true, false, true, ""));
    EXPECT_FALSE(layers.SetCurrentLayer("COLD"));
    EXPECT_EQ(db()->clayer(), layerId("A"));
    EXPECT_EQ(host().document()->lockDepth(), 0);
}

} // namespace
