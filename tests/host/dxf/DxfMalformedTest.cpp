// Malformed drawings give one clear error naming the line, and never a drawing.
// Also: what real programs write (no EOF, trash after it, no tables) is read.
#include "host/dxf/DrawingFile.h"

#include <gtest/gtest.h>

namespace {

std::string errorFor(const std::string& data) {
    std::string error;
    auto db = veld::dxf::readDrawingData(data, error);
    EXPECT_EQ(db, nullptr) << "a malformed file must not give a drawing";
    return error;
}

const std::string kHead = "  0\nSECTION\n  2\nENTITIES\n";

} // namespace

TEST(DxfMalformed, NamesTheLineAndWhatWasExpected) {
    EXPECT_EQ(errorFor(kHead + "  0\nLINE\n  8\n0\n 10\nabc\n  0\nENDSEC\n  0\nEOF\n"),
              "line 10: group code 10 of LINE needs a number, found \"abc\"");
    EXPECT_EQ(errorFor(kHead + "  0\nLINE\nxx\n0\n"),
              "line 7: expected a group code, found \"xx\"");
    EXPECT_EQ(errorFor(kHead + "  0\nLINE\n 8\n"),
              "line 7: the file ends after group code 8 without its value");
    EXPECT_EQ(errorFor(kHead + "  0\nLINE\n  8\n0\n"),
              "line 9: the file ends inside the ENTITIES section (\"0 ENDSEC\" expected)");
    EXPECT_EQ(errorFor("  0\nSECTION\n  5\nX\n"),
              "line 3: expected group code 2 with the section name, found group code 5");
    EXPECT_EQ(errorFor("  0\nLINE\n"), "line 1: expected \"0 SECTION\", found \"0 LINE\"");
    EXPECT_EQ(errorFor(""), "line 1: the file is empty");
    EXPECT_EQ(errorFor(kHead + "  0\nLINE\n1001\nAPP\n1071\n99999999999999999999\n  0\nENDSEC\n"),
              "line 5: LINE: extended data group 1071 needs a 32-bit integer, found "
              "\"99999999999999999999\"")
        << "extended data values are checked too";
}

TEST(DxfMalformed, RefusesInvalidTextForTheCodePage) {
    const std::string sjis = "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n  9\n"
                             "$DWGCODEPAGE\n  3\nANSI_932\n  0\nENDSEC\n";
    EXPECT_EQ(errorFor(sjis + kHead + "  0\nTEXT\n  1\n\x82\n  0\nENDSEC\n"),
              "line 22: the text of group code 1 is not valid ANSI_932");
    const std::string utf8 = "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1027\n  0\nENDSEC\n";
    EXPECT_EQ(errorFor(utf8 + kHead + "  0\nTEXT\n  1\n\xff\xfe\n  0\nENDSEC\n"),
              "line 18: the text of group code 1 is not valid UTF-8");
}

TEST(DxfMalformed, HugeCountsAndBrokenStructureStayBounded) {
    // A polyline that claims a billion vertices has only those it lists.
    std::string error;
    auto db = veld::dxf::readDrawingData(
        kHead + "  0\nLWPOLYLINE\n  8\n0\n 90\n1000000000\n 10\n1\n 20\n2\n  0\nENDSEC\n  0\nEOF\n",
        error);
    EXPECT_NE(db, nullptr) << error;
    EXPECT_NE(errorFor("  0\nSECTION\n  2\nBLOCKS\n  0\nBLOCK\n  2\nB\n  0\nENDSEC\n"), "");
    EXPECT_NE(errorFor("  0\nSECTION\n  2\nTABLES\n  0\nLAYER\n  0\nENDSEC\n"), "");
}

TEST(DxfMalformed, ToleratesWhatRealProgramsWrite) {
    std::string error;
    // No EOF, trash after EOF, LF or CR LF, no tables at all.
    for (const std::string& data :
         {kHead + "  0\nLINE\n  8\n0\n 10\n1\n  0\nENDSEC\n",
          kHead + "  0\nENDSEC\n  0\nEOF\nrubbish\n\x01\x02",
          std::string("0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\nCIRCLE\r\n8\r\nL\r\n40\r\n2\r\n0\r\n"
                      "ENDSEC\r\n0\r\nEOF\r\n")}) {
        auto db = veld::dxf::readDrawingData(data, error);
        ASSERT_NE(db, nullptr) << error;
        EXPECT_FALSE(db->modelSpaceId().isNull());
        EXPECT_FALSE(db->clayer().isNull()) << "missing tables get their standard records";
    }
}

// Handles near 2^64 made the next handle given out wrap round to 0, and the saved file had a
// table with handle 0 that could not be opened again.
TEST(DxfMalformed, HandlesNearTheTopAreRefusedAndTheLargestAllowedNeverWraps) {
    const std::string header = "  0\nSECTION\n  2\nHEADER\n  9\n$HANDSEED\n  5\nFFFFFFFFFFFFFFFF\n"
                               "  0\nENDSEC\n";
    EXPECT_EQ(errorFor(kHead + "  0\nLINE\n  5\nFFFFFFFFFFFFFFF0\n  8\n0\n  0\nENDSEC\n"),
              "line 7: the handle of LINE is not a hexadecimal handle up to 7FFFFFFFFFFFFFFF: "
              "\"FFFFFFFFFFFFFFF0\"");
    std::string error;
    auto db = veld::dxf::readDrawingData(
        header + kHead + "  0\nLINE\n  5\n7FFFFFFFFFFFFFFF\n  8\n0\n  0\nENDSEC\n  0\nEOF\n",
        error);
    ASSERT_NE(db, nullptr) << error;
    const std::string saved = veld::dxf::drawingToDxf(*db);
    EXPECT_EQ(saved.find("\n  5\n0\n"), std::string::npos) << "no object has handle 0";
    EXPECT_NE(veld::dxf::readDrawingData(saved, error), nullptr) << error;
}
