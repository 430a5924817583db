// -STANDARDS in a headless host: the file typed (or not found), the plot scale asked only when
// USERR1 is 0, and one U taking back the records and the scale together.
#include "dbsymtb.h"
#include "host/ed/CurrentDrawing.h"
#include "host/ed/DrawingVariables.h"
#include "host/ed/HeadlessHost.h"
#include "host/ed/StyleVariables.h"

#include <gtest/gtest.h>

using veld::ed::CurrentDrawing;
using veld::ed::DrawingVariables;
using veld::ed::HeadlessHost;
using veld::ed::StyleVariables;

namespace {

const std::string kStandards = VELD_SOURCE_DIR "/support/TEMPLATE/VELDOR-STANDARDS";

std::size_t layerCount() {
    return CurrentDrawing::layers().size();
}

} // namespace

TEST(EdStandardsCommand, AFileThatIsNowhereIsNamedAndNothingChanges) {
    HeadlessHost host;
    host.runCommands({"-STANDARDS", "/no/such/office.dxf"});
    EXPECT_NE(host.transcript().find("Cannot find \"/no/such/office.dxf\"."), std::string::npos)
        << host.transcript();
    EXPECT_EQ(layerCount(), 1u);
}

TEST(EdStandardsCommand, OneUTakesBackTheRecordsAndThePlotScale) {
    HeadlessHost host;
    const std::size_t before = layerCount();
    host.runCommands({"-STANDARDS", kStandards, "0", "-5", ""});
    const std::string refusal = "Value must be positive and nonzero.";
    const std::size_t first = host.transcript().find(refusal);
    ASSERT_NE(first, std::string::npos) << host.transcript();
    EXPECT_NE(host.transcript().find(refusal, first + 1), std::string::npos) << "0 and -5 refused";
    EXPECT_EQ(DrawingVariables::userReal(1), 100.0) << "RETURN takes the standards' scale";
    EXPECT_EQ(layerCount(), before + 6) << "five foundation layers and DefPoints";
    EXPECT_FALSE(StyleVariables::dimStyle("FOUNDATION").isNull());
    EXPECT_EQ(StyleVariables::dimValue(StyleVariables::dimStyle("FOUNDATION"), "DIMSCALE"), 100.0);

    host.runCommands({"U"});
    EXPECT_EQ(layerCount(), before);
    EXPECT_TRUE(StyleVariables::dimStyle("FOUNDATION").isNull());
    EXPECT_TRUE(StyleVariables::textStyle("基礎文字").isNull());
    EXPECT_EQ(DrawingVariables::userReal(1), 0.0);
}
