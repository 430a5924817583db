// The SVG picture: text anchoring by alignment, points on Defpoints, references to themselves,
// layer states, inherited colours, text codes and colours that read on white.
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

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

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
    EXPECT_EQ(count(svg, " H"), 1u) << "the marker on Defpoints is hidden, the other point shows";
}

TEST(SvgExport, ABlockThatHoldsItselfIsDrawnOnce) {
    const std::string svg = svgOf(
        "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n8\n0\n2\nSELF\n70\n0\n10\n0\n20\n0\n"
        "0\nLINE\n8\n0\n10\n0\n20\n0\n11\n1\n21\n0\n"
        "0\nINSERT\n8\n0\n2\nSELF\n10\n1\n20\n0\n0\nINSERT\n8\n0\n2\nSELF\n10\n0\n20\n1\n"
        "0\nENDBLK\n0\nENDSEC\n"
        "0\nSECTION\n2\nENTITIES\n0\nINSERT\n8\n0\n2\nSELF\n10\n0\n20\n0\n0\nENDSEC\n0\nEOF\n");
    EXPECT_EQ(count(svg, " L"), 1u);
}

TEST(SvgExport, LeavesOutFrozenAndOffLayersButNotOtherContentsOfAReferenceOnAnOffLayer) {
    const std::string svg =
        svgOf("0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n"
              "0\nLAYER\n2\nFROZEN\n70\n1\n62\n1\n0\nLAYER\n2\nOFF\n70\n0\n62\n-3\n"
              "0\nLAYER\n2\nSHOWN\n70\n0\n62\n5\n0\nENDTAB\n0\nENDSEC\n"
              "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n8\n0\n2\nB\n70\n0\n10\n0\n20\n0\n"
              "0\nLINE\n8\n0\n10\n0\n20\n0\n11\n1\n21\n0\n"
              "0\nLINE\n8\nSHOWN\n10\n0\n20\n0\n11\n0\n21\n1\n0\nENDBLK\n0\nENDSEC\n"
              "0\nSECTION\n2\nENTITIES\n"
              "0\nLINE\n8\nFROZEN\n10\n0\n20\n0\n11\n5\n21\n5\n"
              "0\nLINE\n8\nOFF\n10\n0\n20\n0\n11\n6\n21\n6\n"
              "0\nINSERT\n8\nOFF\n2\nB\n10\n10\n20\n10\n"
              "0\nINSERT\n8\nFROZEN\n2\nB\n10\n20\n20\n20\n0\nENDSEC\n0\nEOF\n");
    EXPECT_EQ(count(svg, " L"), 1u) << svg;
    EXPECT_NE(svg.find("M10 10 L10 11\" fill=\"none\" stroke=\"#0000ff\""), std::string::npos)
        << "the block's line on its own shown layer";
}

TEST(SvgExport, BlockContentsTakeTheirReferenceColourAndLayer) {
    const std::string svg =
        svgOf(kLayers +
              "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n8\n0\n2\nB\n70\n0\n10\n0\n20\n0\n"
              "0\nLINE\n8\n0\n62\n0\n10\n0\n20\n0\n11\n1\n21\n0\n"
              "0\nLINE\n8\n0\n10\n0\n20\n0\n11\n0\n21\n1\n0\nENDBLK\n0\nENDSEC\n"
              "0\nSECTION\n2\nENTITIES\n0\nINSERT\n8\nRED\n62\n5\n2\nB\n10\n10\n20\n10\n0\nENDSEC\n"
              "0\nEOF\n");
    EXPECT_NE(svg.find("M10 10 L11 10\" fill=\"none\" stroke=\"#0000ff\""), std::string::npos)
        << "ByBlock takes the reference's colour\n"
        << svg;
    EXPECT_NE(svg.find("M10 10 L10 11\" fill=\"none\" stroke=\"#ff0000\""), std::string::npos)
        << "ByLayer on layer 0 takes the reference's layer";
}

TEST(SvgExport, ShowsTextCodesAsTheirCharacters) {
    const std::string svg = svgOf(
        "0\nSECTION\n2\nENTITIES\n"
        "0\nTEXT\n8\n0\n10\n0\n20\n0\n40\n1\n1\n%%uFOUNDATION\n"
        "0\nTEXT\n8\n0\n10\n0\n20\n5\n40\n1\n1\n45%%d %%c600 %%p0 100%%%\n0\nENDSEC\n0\nEOF\n");
    EXPECT_EQ(svg.find("%%"), std::string::npos);
    const std::string title = textElement(svg, "FOUNDATION");
    EXPECT_NE(title.find("text-decoration=\"underline\""), std::string::npos) << svg;
    EXPECT_FALSE(textElement(svg, "45\u00b0 \u2300600 \u00b10 100%").empty()) << svg;
}

TEST(SvgExport, ColoursReadOnWhite) {
    const std::string svg =
        svgOf("0\nSECTION\n2\nENTITIES\n"
              "0\nLINE\n8\n0\n62\n7\n10\n0\n20\n0\n11\n1\n21\n0\n"
              "0\nLINE\n8\n0\n62\n2\n10\n0\n20\n1\n11\n1\n21\n1\n"
              "0\nLINE\n8\n0\n62\n1\n10\n0\n20\n2\n11\n1\n21\n2\n0\nENDSEC\n0\nEOF\n");
    EXPECT_NE(svg.find("stroke=\"#000000\""), std::string::npos) << "white is black on paper";
    EXPECT_NE(svg.find("stroke=\"#ff0000\""), std::string::npos) << "dark colours stay";
    EXPECT_EQ(svg.find("#ffff00"), std::string::npos);
    EXPECT_NE(svg.find("stroke=\"#898900\""), std::string::npos) << "yellow darkens\n" << svg;
}

TEST(SvgExport, KeepsTextThatOnlyLooksLikeACode) {
    const std::string svg = svgOf("0\nSECTION\n2\nENTITIES\n"
                                  "0\nTEXT\n8\n0\n10\n0\n20\n0\n40\n1\n1\n%%065 50%% %%q\n"
                                  "0\nENDSEC\n0\nEOF\n");
    EXPECT_FALSE(textElement(svg, "A 50%% %%q").empty()) << svg;
}
