// Tag reader and writer: ASCII and binary input, number forms, errors with their place.
// Binary input is built byte by byte in the tests.
#include "host/dxf/RecordReader.h"
#include "host/dxf/TagReader.h"
#include "host/dxf/TagWriter.h"

#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <vector>

using veld::dxf::DxfError;
using veld::dxf::OwnedTag;
using veld::dxf::Tag;
using veld::dxf::TagReader;

namespace {

std::vector<OwnedTag> readAll(std::string_view data) {
    TagReader reader(data);
    std::vector<OwnedTag> tags;
    Tag tag;
    while (reader.next(tag)) {
        tags.push_back({tag.code, std::string(tag.value)});
    }
    return tags;
}

std::string errorOf(std::string_view data) {
    try {
        readAll(data);
    } catch (const DxfError& e) {
        return e.what();
    }
    return "no error";
}

void put16(std::string& out, int v) {
    out += static_cast<char>(v & 0xff);
    out += static_cast<char>((v >> 8) & 0xff);
}

std::string binaryHeader() {
    return std::string("AutoCAD Binary DXF\r\n\x1a\0", 22);
}

} // namespace

TEST(DxfTagReader, ReadsAsciiWithEitherLineEndBlanksAndComments) {
    const auto tags =
        readAll("  0\r\nSECTION\r\n999\r\nnote\r\n   2\nENTITIES\n 10  \n1.5\n  1\n a b \n");
    ASSERT_EQ(tags.size(), 4u);
    EXPECT_EQ(tags[0], (OwnedTag{0, "SECTION"}));
    EXPECT_EQ(tags[1], (OwnedTag{2, "ENTITIES"}));
    EXPECT_EQ(tags[2], (OwnedTag{10, "1.5"}));
    EXPECT_EQ(tags[3], (OwnedTag{1, " a b "})) << "text keeps its blanks";
}

TEST(DxfTagReader, NamesTheLineOfMalformedAscii) {
    EXPECT_EQ(errorOf("0\nSECTION\nabc\nx\n"), "line 3: expected a group code, found \"abc\"");
    EXPECT_EQ(errorOf("0\nSECTION\n2\n"),
              "line 3: the file ends after group code 2 without its value");
    EXPECT_EQ(errorOf("0\nA\n5000\nx\n"), "line 3: group code 5000 is not a DXF group code");
}

TEST(DxfTagReader, ReadsBinaryWithTwoByteCodesAndTypedValues) {
    std::string data = binaryHeader();
    put16(data, 0);
    data += std::string("SECTION\0", 8);
    put16(data, 10);
    const double x = 0.1;
    data.append(reinterpret_cast<const char*>(&x), 8);
    put16(data, 70);
    put16(data, -2);
    put16(data, 290);
    data += '\1';
    put16(data, 310);
    data += "\x02\xAB\x01";
    put16(data, 90);
    const std::int32_t big = 123456789;
    data.append(reinterpret_cast<const char*>(&big), 4);
    const auto tags = readAll(data);
    ASSERT_EQ(tags.size(), 6u);
    EXPECT_EQ(tags[0], (OwnedTag{0, "SECTION"}));
    EXPECT_EQ(tags[1], (OwnedTag{10, "0.1"}));
    EXPECT_EQ(tags[2], (OwnedTag{70, "-2"}));
    EXPECT_EQ(tags[3], (OwnedTag{290, "1"}));
    EXPECT_EQ(tags[4], (OwnedTag{310, "AB01"}));
    EXPECT_EQ(tags[5], (OwnedTag{90, "123456789"}));
}

TEST(DxfTagReader, ReadsOneByteCodesWithTheExtendedDataEscape) {
    std::string data = binaryHeader();
    data += std::string("\0SECTION\0", 9);
    data += '\xff';
    put16(data, 1070);
    put16(data, 7);
    const auto tags = readAll(data);
    ASSERT_EQ(tags.size(), 2u);
    EXPECT_EQ(tags[1], (OwnedTag{1070, "7"}));
}

TEST(DxfTagReader, RefusesTruncatedBinaryValues) {
    std::string data = binaryHeader();
    put16(data, 0);
    data += std::string("SECTION\0", 8);
    put16(data, 10);
    data += "abc";
    EXPECT_NE(errorOf(data).find("ends inside the value of group code 10"), std::string::npos);
    std::string text = binaryHeader();
    put16(text, 0);
    text += "SECTION";
    EXPECT_NE(errorOf(text).find("has no end"), std::string::npos);
}

TEST(DxfNumbers, AcceptOnlyFiniteDecimalNumbers) {
    double d = -1;
    EXPECT_TRUE(veld::dxf::parseDouble(" 1.5e3 ", d));
    EXPECT_EQ(d, 1500.0);
    EXPECT_TRUE(veld::dxf::parseDouble("-.25", d));
    EXPECT_EQ(d, -0.25);
    for (const char* bad : {"", "abc", "inf", "nan", "0x10", "1e999", "1.5x", "--1"}) {
        EXPECT_FALSE(veld::dxf::parseDouble(bad, d)) << bad;
    }
    std::int64_t i = 0;
    EXPECT_TRUE(veld::dxf::parseInteger("  42", i));
    EXPECT_EQ(i, 42);
    EXPECT_TRUE(veld::dxf::parseInteger("3.0", i)) << "whole reals count as integers";
    EXPECT_FALSE(veld::dxf::parseInteger("3.5", i));
    std::uint64_t h = 0;
    EXPECT_TRUE(veld::dxf::parseHandle("1aF", h));
    EXPECT_EQ(h, 0x1AFu);
    EXPECT_FALSE(veld::dxf::parseHandle("", h));
    EXPECT_FALSE(veld::dxf::parseHandle("XYZ", h));
}

TEST(DxfTagWriter, WritesPaddedCodesShortestRealsAndCaretControls) {
    std::string out;
    veld::dxf::TextTagSink sink(out);
    veld::dxf::TagWriter w(sink);
    w.text(0, "LINE");
    w.real(10, 2.0);
    w.real(20, 0.1);
    w.integer(1071, -5);
    w.handle(5, 0x2AF);
    w.text(1, "a\nb");
    w.text(1, "x^2");
    EXPECT_EQ(out, "  0\nLINE\n 10\n2.0\n 20\n0.1\n1071\n-5\n  5\n2AF\n  1\na^Jb\n  1\nx^ 2\n");
}

TEST(DxfTagWriter, RealsReadBackExactly) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> range(-1e6, 1e6);
    for (int i = 0; i < 2000; ++i) {
        const double value = range(random) / (1 + (i % 13));
        double back = 0;
        ASSERT_TRUE(veld::dxf::parseDouble(veld::dxf::formatReal(value), back));
        EXPECT_EQ(back, value);
    }
}

TEST(DxfRecords, ValuesStayValidWhileTheSourceReadsOnAndARecordIsReadIntoAgain) {
    std::string binary = binaryHeader();
    put16(binary, 0);
    binary += std::string("POINT\0", 6);
    put16(binary, 8);
    binary += std::string("L\0", 2);
    put16(binary, 10);
    const double x = 2.5;
    binary.append(reinterpret_cast<const char*>(&x), 8);
    put16(binary, 0);
    binary += std::string("LINE\0", 5);
    put16(binary, 8);
    binary += std::string("L1\0", 3);
    put16(binary, 0);
    binary += std::string("EOF\0", 4);
    const std::string ascii = "0\nMTEXT\n5\n1A\n1\nline^Jtwo\n1001\nAPP\n1000\nx\n"
                              "0\nLINE\n8\nL1\n0\nEOF\n";
    for (const std::string& data : {ascii, binary}) {
        veld::dxf::TagSource source(data);
        veld::dxf::Record first = veld::dxf::readRecord(source);
        veld::dxf::Record again;
        veld::dxf::readRecord(source, again); // reads past the first record's bytes
        ASSERT_FALSE(first.body.empty());
        if (data == ascii) {
            EXPECT_EQ(first.handle, 0x1Au);
            EXPECT_EQ(first.text(1), "line\ntwo") << "decoded text is the tag's own";
            ASSERT_EQ(first.xdata.size(), 2u);
            EXPECT_EQ(first.xdata[1].value, "x");
        } else {
            EXPECT_EQ(first.text(8), "L");
            EXPECT_EQ(first.real(10), 2.5) << "binary numbers are the tag's own text";
        }
        EXPECT_EQ(again.type, "LINE");
        EXPECT_EQ(again.text(8), "L1");
        veld::dxf::readRecord(source, first); // the same record again: nothing of before stays
        EXPECT_EQ(first.type, "EOF");
        EXPECT_TRUE(first.body.empty() && first.xdata.empty());
        EXPECT_EQ(first.handle, 0u);
    }
}
