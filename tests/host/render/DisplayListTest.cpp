// The display list: equal dimensions drawn as one shape placed many times, deltas that carry
// only the chunks a change touched, and bodies whose floats give the drawing's coordinates back.
#include "host/render/DisplayList.h"
#include "host/dxf/DrawingFile.h"

#include <cstring>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using veld::render::DisplayList;

namespace {

DisplayList listOf(const std::string& entities) {
    std::string error;
    auto db = veld::dxf::readDrawingData(
        "0\nSECTION\n2\nENTITIES\n" + entities + "0\nENDSEC\n0\nEOF\n", error);
    EXPECT_NE(db, nullptr) << error;
    return db ? DisplayList::build(*db) : DisplayList();
}

struct Body {
    nlohmann::json index;
    std::vector<float> floats;
};

Body parse(const std::string& bytes) {
    Body body;
    EXPECT_EQ(bytes.substr(0, 4), "VDL1");
    std::uint32_t length = 0;
    for (int k = 0; k < 4; ++k) {
        length |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[4 + k])) << (8 * k);
    }
    body.index = nlohmann::json::parse(bytes.substr(8, length));
    const std::size_t start = (8 + length + 3) / 4 * 4;
    body.floats.resize((bytes.size() - start) / 4);
    if (!body.floats.empty()) {
        std::memcpy(body.floats.data(), bytes.data() + start, body.floats.size() * 4);
    }
    return body;
}

std::string line(const char* handle, double x0, double y0, double x1, double y1) {
    return "0\nLINE\n5\n" + std::string(handle) + "\n8\n0\n10\n" + std::to_string(x0) + "\n20\n" +
           std::to_string(y0) + "\n11\n" + std::to_string(x1) + "\n21\n" + std::to_string(y1) +
           "\n";
}

std::string dimension(double x, double y, double length, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    auto point = [&](int code, double u, double v) {
        return std::to_string(code) + "\n" + std::to_string(x + u * c - v * s) + "\n" +
               std::to_string(code + 10) + "\n" + std::to_string(y + u * s + v * c) + "\n";
    };
    return "0\nDIMENSION\n8\n0\n70\n1\n100\nAcDbDimension\n" + point(10, 0, 500) +
           "100\nAcDbAlignedDimension\n" + point(13, 0, 0) + point(14, length, 0);
}

} // namespace

TEST(DisplayList, EqualDimensionsAreOneShapePlacedWhereEachStands) {
    const DisplayList list =
        listOf(dimension(0, 0, 1500, 0) + dimension(10000, 5000, 1500, M_PI / 2) +
               dimension(0, 9000, 900, 0));
    ASSERT_EQ(list.shapes().size(), 2u) << "two lengths, two shapes";
    std::size_t placements = 0;
    for (const auto& [id, chunk] : list.chunks()) {
        EXPECT_TRUE(chunk->batches.empty());
        for (const auto& group : chunk->instances) {
            placements += group.placements.size();
        }
    }
    EXPECT_EQ(placements, 3u);
    double box[4];
    ASSERT_TRUE(list.extents(box));
    EXPECT_NEAR(box[2], 10000, 1) << "the turned dimension's line stands at x = 10000 - 500";
    EXPECT_GT(box[3], 9000 + 400);
}

TEST(DisplayList, ADeltaCarriesTheChangedAndRemovedChunksOnly) {
    const std::string kept = line("10", 0, 0, 1, 0);
    const DisplayList before = listOf(kept + line("20000", 0, 1, 1, 1) + line("30000", 0, 2, 1, 2));
    const DisplayList after = listOf(kept + line("20000", 0, 1, 5, 5) + line("40000", 7, 7, 8, 8));
    const Body delta = parse(after.serializeDelta(before));
    EXPECT_FALSE(delta.index["full"].get<bool>());
    std::vector<std::string> ids;
    for (const auto& chunk : delta.index["chunks"]) {
        ids.push_back(chunk["id"]);
    }
    EXPECT_EQ(ids, (std::vector<std::string>{"2/0", "4/0"}));
    EXPECT_EQ(delta.index["removed"], nlohmann::json::array({"3/0"}));
    EXPECT_EQ(parse(after.serializeDelta(after)).index["chunks"].size(), 0u);
    EXPECT_TRUE(parse(after.serialize()).index["full"].get<bool>());
}

TEST(DisplayList, BodyFloatsGiveCoordinatesBackFarFromTheOrigin) {
    const DisplayList list = listOf(line("10", 1000000.25, 2000000.5, 1000003.75, 2000001));
    const Body body = parse(list.serialize());
    const auto& chunk = body.index["chunks"][0];
    const auto& batch = chunk["batches"][0];
    EXPECT_EQ(batch["c"], 7);
    const std::size_t offset = batch["l"][0];
    ASSERT_EQ(batch["l"][1], 4);
    const double ox = chunk["origin"][0], oy = chunk["origin"][1];
    EXPECT_DOUBLE_EQ(ox + body.floats[offset], 1000000.25);
    EXPECT_DOUBLE_EQ(oy + body.floats[offset + 1], 2000000.5);
    EXPECT_DOUBLE_EQ(ox + body.floats[offset + 2], 1000003.75);
    EXPECT_DOUBLE_EQ(oy + body.floats[offset + 3], 2000001);
}

TEST(DisplayList, DimensionsOfOtherKindsAreDrawnThroughTheirGeometryBlocks) {
    auto block = [](const char* name, double x) {
        const std::string at = std::to_string(x);
        return "0\nBLOCK\n8\n0\n2\n" + std::string(name) + "\n70\n1\n10\n0\n20\n0\n" +
               "0\nLINE\n8\n0\n62\n0\n10\n" + at + "\n20\n0\n11\n" + std::to_string(x + 100) +
               "\n21\n0\n0\nSOLID\n8\n0\n10\n" + at + "\n20\n0\n11\n" + std::to_string(x + 5) +
               "\n21\n1\n12\n" + std::to_string(x + 5) + "\n22\n-1\n" + "0\nMTEXT\n8\n0\n10\n" +
               std::to_string(x + 50) +
               "\n20\n2\n40\n3\n71\n8\n1\n{\\fArial|b0;\\H1.0x;100}\\P\n0\nENDBLK\n";
    };
    auto dimension = [](const char* name) {
        return "0\nDIMENSION\n8\n0\n62\n3\n2\n" + std::string(name) +
               "\n10\n0\n20\n0\n70\n32\n13\n0\n23\n0\n14\n100\n24\n0\n";
    };
    std::string error;
    auto db = veld::dxf::readDrawingData("0\nSECTION\n2\nBLOCKS\n" + block("*D1", 0) +
                                             block("*D2", 1000) + "0\nENDSEC\n" +
                                             "0\nSECTION\n2\nENTITIES\n" + dimension("*D1") +
                                             dimension("*D2") + "0\nENDSEC\n0\nEOF\n",
                                         error);
    ASSERT_NE(db, nullptr) << error;
    const DisplayList list = DisplayList::build(*db);
    ASSERT_EQ(list.shapes().size(), 1u) << "equal pictures at two places are one shape";
    const auto& shape = *list.shapes().begin()->second;
    ASSERT_EQ(shape.parts.size(), 2u);
    const auto& group = list.chunks().begin()->second->instances.at(0);
    EXPECT_EQ(group.byBlock, 3u) << "the block's ByBlock parts take the dimension's colour";
    ASSERT_EQ(group.placements.size(), 2u);
    EXPECT_DOUBLE_EQ(group.placements[1].m[4] - group.placements[0].m[4], 1000);
    std::size_t triangles = 0;
    std::string text;
    for (const auto& part : shape.parts) {
        triangles += part.geometry.triangles.size() / 6;
        for (const auto& t : part.geometry.texts) {
            text += t.text;
        }
    }
    EXPECT_EQ(triangles, 1u);
    EXPECT_EQ(text, "100") << "formatting codes dropped; the empty paragraph shows nothing";
}

TEST(DisplayList, BulgesBowToTheSideTheirSignSaysAndArcsStayOnTheirCircle) {
    // From (0,0) to (2,0): +1 turns counter-clockwise (through (1,-1)), -1 clockwise.
    const DisplayList list =
        listOf("0\nLWPOLYLINE\n8\n0\n62\n1\n90\n2\n70\n0\n10\n0\n20\n0\n42\n1\n10\n2\n20\n0\n"
               "0\nLWPOLYLINE\n8\n0\n62\n2\n90\n2\n70\n0\n10\n0\n20\n0\n42\n-1\n10\n2\n20\n0\n"
               "0\nARC\n8\n0\n62\n3\n10\n5\n20\n5\n40\n2\n50\n0\n51\n90\n");
    auto range = [&](veld::render::ColorRef color, int axis) {
        double lo = 1e9, hi = -1e9;
        for (const auto& [id, chunk] : list.chunks()) {
            const auto found = chunk->batches.find(color);
            if (found == chunk->batches.end()) {
                continue;
            }
            const auto& v = found->second.lines;
            for (std::size_t i = axis; i < v.size(); i += 2) {
                lo = std::min(lo, v[i]);
                hi = std::max(hi, v[i]);
            }
        }
        return std::make_pair(lo, hi);
    };
    EXPECT_NEAR(range(1, 1).first, -1, 1e-9);
    EXPECT_NEAR(range(1, 1).second, 0, 1e-9);
    EXPECT_NEAR(range(2, 1).second, 1, 1e-9);
    EXPECT_NEAR(range(2, 1).first, 0, 1e-9);
    EXPECT_NEAR(range(3, 0).first, 5, 1e-9) << "a quarter arc from 0 to 90 degrees";
    EXPECT_NEAR(range(3, 0).second, 7, 1e-9);
    EXPECT_NEAR(range(3, 1).second, 7, 1e-9);
}
