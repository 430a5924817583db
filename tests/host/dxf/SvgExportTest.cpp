// The SVG picture: text anchoring by alignment, points on Defpoints, references to themselves.
// The picture is read from DXF text so that the cases stay short.
#include "host/render/SvgExport.h"
#include "host/dxf/DrawingFile.h"

#include <gtest/gtest.h>

namespace {

std::string svgOf(const std::string& dxf) {
    std::string error;
    auto db = veld::dxf::readDrawingData(dxf, error);
    EXPECT_NE(db, nullptr) << error;
    return db ? veld::render::modelSpaceSvg(*db) : std::string();
}

std::string textElement(const std::string& svg, const std::string& content) {
    const auto end = svg.find(">" + content + "</text>");
    if (end == std::string::npos) {
        return {};
    }
    return svg.substr(svg.rfind("<text", end), end - svg.rfind("<text", end));
}

const std::string kLayers = "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n0\nLAYER\n2\nDefpoints\n"
                            "70\n0\n62\n7\n0\nLAYER\n2\nRED\n70\n0\n62\n1\n0\nENDTAB\n0\nENDSEC\n";

} // namespace

TEST(SvgExport, AnchorsTextsAsTheirAlignmentSays) {
    const std::string svg = svgOf(
        kLayers +
        "0\nSECTION\n2\nENTITIES\n"
        "0\nTEXT\n8\nRED\n10\n1\n20\n2\n40\n1\n1\nleft\n"
        "0\nTEXT\n8\n0\n10\n0\n20\n0\n11\n9\n21\n8\n40\n1\n1\nright-bottom\n72\n2\n73\n1\n"
        "0\nTEXT\n8\n0\n10\n0\n20\n0\n11\n5\n21\n5\n40\n1\n1\nmiddle\n72\n4\n"
        "0\nPOINT\n8\nDefpoints\n10\n3\n20\n3\n0\nPOINT\n8\n0\n10\n4\n20\n4\n0\nENDSEC\n0\nEOF\n");
    const std::string left = textElement(svg, "left");
    EXPECT_NE(left.find("translate(1 2)"), std::string::npos) << left;
    EXPECT_NE(left.find("text-anchor=\"start\""), std::string::npos);
    EXPECT_NE(left.find("fill=\"#ff0000\""), std::string::npos) << "layer colour";
    const std::string right = textElement(svg, "right-bottom");
    EXPECT_NE(right.find("translate(9 8)"), std::string::npos) << "at the alignment point";
    EXPECT_NE(right.find("text-anchor=\"end\""), std::string::npos);
    EXPECT_NE(right.find("dominant-baseline=\"text-after-edge\""), std::string::npos);
    const std::string middle = textElement(svg, "middle");
    EXPECT_NE(middle.find("text-anchor=\"middle\" dominant-baseline=\"central\""),
              std::string::npos);
    EXPECT_NE(svg.find("stroke-opacity=\"0.35\""), std::string::npos) << "Defpoints are lighter";
}

TEST(SvgExport, ABlockThatHoldsItselfIsDrawnOnce) {
    const std::string svg = svgOf(
        "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n8\n0\n2\nSELF\n70\n0\n10\n0\n20\n0\n"
        "0\nLINE\n8\n0\n10\n0\n20\n0\n11\n1\n21\n0\n"
        "0\nINSERT\n8\n0\n2\nSELF\n10\n1\n20\n0\n0\nINSERT\n8\n0\n2\nSELF\n10\n0\n20\n1\n"
        "0\nENDBLK\n0\nENDSEC\n"
        "0\nSECTION\n2\nENTITIES\n0\nINSERT\n8\n0\n2\nSELF\n10\n0\n20\n0\n0\nENDSEC\n0\nEOF\n");
    std::size_t lines = 0;
    for (auto at = svg.find("<line"); at != std::string::npos; at = svg.find("<line", at + 1)) {
        ++lines;
    }
    EXPECT_EQ(lines, 1u);
}
