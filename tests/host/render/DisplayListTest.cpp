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
    std::memcpy(body.floats.data(), bytes.data() + start, body.floats.size() * 4);
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
        EXPECT_TRUE(chunk.batches.empty());
        for (const auto& group : chunk.instances) {
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
    const DisplayList before = listOf(kept + line("2000", 0, 1, 1, 1) + line("3000", 0, 2, 1, 2));
    const DisplayList after = listOf(kept + line("2000", 0, 1, 5, 5) + line("4000", 7, 7, 8, 8));
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
