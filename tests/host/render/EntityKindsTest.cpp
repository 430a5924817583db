// Kinds the database keeps as read, drawn as CAD programs draw them: hatches filled even-odd
// (islands stay open, bulged and arc boundaries follow their curves) or covered by dashed
// pattern lines clipped to the boundary; splines (rational ones on their exact curve) and
// ellipses (their minor axis on the side the extrusion says); old-style polylines, meshes and
// faces with their hidden edges; wide polylines filled; multilines; leaders and multileaders;
// image and wipeout frames; MTEXT paragraphs; and true colours.
#include "host/dxf/DrawingFile.h"
#include "host/render/DisplayList.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <set>
#include <string>

using veld::render::DisplayList;
using veld::render::Geometry;
using veld::render::kTrueColor;

namespace {

// Everything model space draws, of every colour, in one geometry.
Geometry drawn(const std::string& entities, const std::string& tables = "") {
    std::string error;
    auto db = veld::dxf::readDrawingData(
        tables + "0\nSECTION\n2\nENTITIES\n" + entities + "0\nENDSEC\n0\nEOF\n", error);
    EXPECT_NE(db, nullptr) << error;
    Geometry all;
    if (!db) {
        return all;
    }
    const DisplayList list = DisplayList::build(*db);
    for (const auto& [id, chunk] : list.chunks()) {
        for (const auto& [color, g] : chunk->batches) {
            all.lines.insert(all.lines.end(), g.lines.begin(), g.lines.end());
            all.triangles.insert(all.triangles.end(), g.triangles.begin(), g.triangles.end());
            all.points.insert(all.points.end(), g.points.begin(), g.points.end());
            all.texts.insert(all.texts.end(), g.texts.begin(), g.texts.end());
        }
    }
    return all;
}

double triangleArea(const Geometry& g) {
    double area = 0;
    for (std::size_t i = 0; i + 5 < g.triangles.size(); i += 6) {
        const double* t = &g.triangles[i];
        area += std::fabs((t[2] - t[0]) * (t[5] - t[1]) - (t[4] - t[0]) * (t[3] - t[1])) / 2;
    }
    return area;
}

double lineLength(const Geometry& g) {
    double length = 0;
    for (std::size_t i = 0; i + 3 < g.lines.size(); i += 4) {
        length += std::hypot(g.lines[i + 2] - g.lines[i], g.lines[i + 3] - g.lines[i + 1]);
    }
    return length;
}

std::string tags(std::initializer_list<std::pair<int, double>> list) {
    std::string out;
    for (const auto& [code, value] : list) {
        out += std::to_string(code) + "\n" + std::to_string(value) + "\n";
    }
    return out;
}

std::string squarePath(double size) {
    return "92\n3\n72\n0\n73\n1\n93\n4\n" +
           tags({{10, 0},
                 {20, 0},
                 {10, size},
                 {20, 0},
                 {10, size},
                 {20, size},
                 {10, 0},
                 {20, size}}) +
           "97\n0\n";
}

std::string circlePath(double x, double y, double r) {
    return "92\n16\n93\n1\n72\n2\n" +
           tags({{10, x}, {20, y}, {40, r}, {50, 0}, {51, 360}, {73, 1}}) + "97\n0\n";
}

std::string hatch(bool solid, int paths, const std::string& boundary,
                  const std::string& patternLines = "") {
    return "0\nHATCH\n8\n0\n100\nAcDbEntity\n100\nAcDbHatch\n10\n0\n20\n0\n30\n0\n2\n" +
           std::string(solid ? "SOLID" : "USER") + "\n70\n" + (solid ? "1" : "0") +
           "\n71\n0\n91\n" + std::to_string(paths) + "\n" + boundary + "75\n0\n76\n" +
           (solid ? "1" : "0") + "\n" + patternLines + "98\n0\n";
}

// A POLYLINE with flags and extra codes, its vertices (x, y, z, bulge, flags), any further
// records (`more`) and its SEQEND.
std::string oldPolyline(int flags, const std::string& extra,
                        std::initializer_list<std::array<double, 5>> vertices,
                        const std::string& more = "") {
    std::string out = "0\nPOLYLINE\n8\n0\n100\nAcDbEntity\n100\nAcDb2dPolyline\n66\n1\n" +
                      tags({{10, 0}, {20, 0}, {30, 0}}) + "70\n" + std::to_string(flags) + "\n" +
                      extra;
    for (const auto& [x, y, z, bulge, vertexFlags] : vertices) {
        out += "0\nVERTEX\n8\n0\n100\nAcDbEntity\n100\nAcDbVertex\n" +
               tags({{10, x}, {20, y}, {30, z}, {42, bulge}}) + "70\n" +
               std::to_string(static_cast<int>(vertexFlags)) + "\n";
    }
    return out + more + "0\nSEQEND\n8\n0\n";
}

} // namespace

TEST(EntityKinds, OldStylePolylinesFollowTheirVerticesBulgesAndPlane) {
    // Closed: a half circle below (0,0)-(10,0), then three sides; the frame's control point at
    // (100, 100) is not on the curve.
    const Geometry closed = drawn(oldPolyline(1, "",
                                              {{0, 0, 0, 1, 0},
                                               {10, 0, 0, 0, 0},
                                               {100, 100, 0, 0, 16},
                                               {10, 10, 0, 0, 0},
                                               {0, 10, 0, 0, 0}}));
    EXPECT_NEAR(lineLength(closed), M_PI * 5 + 30, 0.05);
    for (std::size_t i = 0; i + 1 < closed.lines.size(); i += 2) {
        EXPECT_LE(closed.lines[i], 10 + 1e-9);
        EXPECT_LE(closed.lines[i + 1], 10 + 1e-9);
    }
    // Seen from below (extrusion -Z), object x runs to the left.
    const Geometry mirrored = drawn(
        oldPolyline(0, tags({{210, 0}, {220, 0}, {230, -1}}), {{1, 0, 0, 0, 0}, {2, 0, 0, 0, 0}}));
    ASSERT_EQ(mirrored.lines.size(), 4u);
    EXPECT_NEAR(mirrored.lines[0], -1, 1e-9);
    EXPECT_NEAR(mirrored.lines[2], -2, 1e-9);
    // A 3D polyline: straight pieces through points in space.
    const Geometry spatial = drawn(oldPolyline(8, "", {{0, 0, 0, 0, 32}, {3, 4, 7, 0, 32}}));
    EXPECT_NEAR(lineLength(spatial), 5, 1e-9);

    // A 2 x 2 mesh draws its two rows and two columns.
    const Geometry mesh = drawn(
        oldPolyline(16, "71\n2\n72\n2\n",
                    {{0, 0, 0, 0, 64}, {0, 10, 0, 0, 64}, {10, 0, 0, 0, 64}, {10, 10, 0, 0, 64}}));
    EXPECT_NEAR(lineLength(mesh), 40, 1e-9);
    // A polyface square whose edge from its fourth corner back to the first is hidden; its
    // face record is a VERTEX of flags 128 naming corners 1, 2, 3 and -4.
    const Geometry face = drawn(oldPolyline(
        64, "71\n4\n72\n1\n",
        {{0, 0, 0, 0, 192}, {10, 0, 0, 0, 192}, {10, 10, 0, 0, 192}, {0, 10, 0, 0, 192}},
        "0\nVERTEX\n8\n0\n100\nAcDbEntity\n100\nAcDbFaceRecord\n" +
            tags({{10, 0}, {20, 0}, {30, 0}}) + "70\n128\n71\n1\n72\n2\n73\n3\n74\n-4\n"));
    EXPECT_NEAR(lineLength(face), 30, 1e-9);
}

std::string lwPolyline(const std::string& widths, const std::string& vertices) {
    return "0\nLWPOLYLINE\n8\n0\n100\nAcDbEntity\n100\nAcDbPolyline\n70\n0\n" + widths + vertices;
}

TEST(EntityKinds, WidePolylinesAreFilledBandsAlongTheirPieces) {
    const std::string straight = tags({{10, 0}, {20, 0}, {10, 10}, {20, 0}});
    // A constant width fills the band; the centre line stays, so that a band thinner than a
    // pixel still shows.
    const Geometry constant = drawn(lwPolyline("43\n2\n", straight));
    EXPECT_NEAR(triangleArea(constant), 20, 1e-9);
    EXPECT_NEAR(lineLength(constant), 10, 1e-9);
    // Tapering from nothing to 4: a triangle.
    const Geometry tapered =
        drawn(lwPolyline("", tags({{10, 0}, {20, 0}, {40, 0}, {41, 4}, {10, 10}, {20, 0}})));
    EXPECT_NEAR(triangleArea(tapered), 20, 1e-9);
    // A half circle of radius 5 and width 1: half an annulus.
    const Geometry bowed =
        drawn(lwPolyline("43\n1\n", tags({{10, 0}, {20, 0}, {42, 1}, {10, 10}, {20, 0}})));
    EXPECT_NEAR(triangleArea(bowed), M_PI * (5.5 * 5.5 - 4.5 * 4.5) / 2, 0.05);
    for (std::size_t i = 1; i < bowed.triangles.size(); i += 2) {
        EXPECT_LE(bowed.triangles[i], 1e-9); // a positive bulge from left to right bows below
    }
    EXPECT_TRUE(drawn(lwPolyline("", straight)).triangles.empty());

    // An old-style polyline: its own widths (40, 41) for vertices without theirs.
    const std::string wideVertex = "0\nVERTEX\n8\n0\n100\nAcDbEntity\n100\nAcDbVertex\n" +
                                   tags({{10, 20}, {20, 0}, {30, 0}, {40, 4}, {41, 4}}) + "70\n0\n";
    const Geometry old =
        drawn(oldPolyline(0, tags({{40, 1}, {41, 1}}), {{0, 0, 0, 0, 0}, {10, 0, 0, 0, 0}},
                          wideVertex + "0\nVERTEX\n8\n0\n100\nAcDbEntity\n100\nAcDbVertex\n" +
                              tags({{10, 30}, {20, 0}, {30, 0}}) + "70\n0\n"));
    EXPECT_NEAR(triangleArea(old), 10 * 1 + 10 * 1 + 10 * 4, 1e-9);
}

// A multiline of two elements half a unit either side of its vertices; `flags` 2 closes it.
std::string mline(int flags, std::initializer_list<std::array<double, 4>> vertices) {
    std::string out =
        "0\nMLINE\n8\n0\n100\nAcDbEntity\n100\nAcDbMline\n2\nSTANDARD\n40\n1\n70\n0\n71\n" +
        std::to_string(flags) + "\n72\n" + std::to_string(vertices.size()) + "\n73\n2\n" +
        tags({{10, 0}, {20, 0}, {30, 0}});
    for (const auto& [x, y, mitreX, mitreY] : vertices) {
        out += tags({{11, x},
                     {21, y},
                     {31, 0},
                     {12, 1},
                     {22, 0},
                     {32, 0},
                     {13, mitreX},
                     {23, mitreY},
                     {33, 0}});
        for (double offset : {0.5, -0.5}) {
            out += "74\n2\n" + tags({{41, offset}, {41, 0}}) + "75\n0\n";
        }
    }
    return out;
}

TEST(EntityKinds, MultilineElementsRunAlongsideTheirVertices) {
    const Geometry open = drawn(mline(1, {{0, 0, 0, 1}, {10, 0, 0, 1}}));
    EXPECT_NEAR(lineLength(open), 20, 1e-9);
    std::set<double> ys;
    for (std::size_t i = 1; i < open.lines.size(); i += 2) {
        ys.insert(open.lines[i]);
    }
    EXPECT_EQ(ys, (std::set<double>{-0.5, 0.5}));
    // Closed: each element comes back to its first point.
    const Geometry closed = drawn(mline(3, {{0, 0, 0, 1}, {10, 0, 0, 1}, {10, 10, -1, 0}}));
    EXPECT_NEAR(lineLength(closed), 2 * (10 + 10 + std::hypot(10, 10)), 1.5);
    EXPECT_EQ(closed.lines.size(), 2u * 3 * 4);
    // An element cut at a junction: it starts 2 along its piece and leaves a gap from 4 to 6.
    std::string cut = mline(1, {{0, 0, 0, 1}, {10, 0, 0, 1}});
    const std::string plain = "74\n2\n" + tags({{41, 0.5}, {41, 0}}) + "75\n0\n";
    cut.replace(cut.find(plain), plain.size(),
                "74\n4\n" + tags({{41, 0.5}, {41, 2}, {41, 4}, {41, 6}}) + "75\n0\n");
    EXPECT_NEAR(lineLength(drawn(cut)), (4 - 2) + (10 - 6) + 10, 1e-9);
}

TEST(EntityKinds, FacesHideTheirFlaggedEdgesAndLeadersFollowTheirVertices) {
    const Geometry face = drawn("0\n3DFACE\n8\n0\n100\nAcDbEntity\n100\nAcDbFace\n" +
                                tags({{10, 0},
                                      {20, 0},
                                      {30, 0},
                                      {11, 10},
                                      {21, 0},
                                      {31, 0},
                                      {12, 10},
                                      {22, 10},
                                      {32, 0},
                                      {13, 0},
                                      {23, 10},
                                      {33, 0}}) +
                                "70\n1\n");
    EXPECT_NEAR(lineLength(face), 30, 1e-9) << "the first edge is hidden";
    const std::string leaderBody =
        "0\nLEADER\n8\n0\n100\nAcDbEntity\n100\nAcDbLeader\n3\nSTANDARD\n76\n3\n" +
        tags({{10, 0}, {20, 0}, {30, 0}, {10, 3}, {20, 4}, {30, 0}, {10, 6}, {20, 4}, {30, 0}});
    const Geometry leader = drawn(leaderBody);
    EXPECT_NEAR(lineLength(leader), 8, 1e-9);
    // Its arrowhead: the style's size (0.18), a third as wide, tip on the first vertex.
    EXPECT_NEAR(triangleArea(leader), 0.18 * 0.18 / 6, 1e-9);
    ASSERT_EQ(leader.triangles.size(), 6u);
    EXPECT_NEAR(leader.triangles[0], 0, 1e-9);
    EXPECT_GT(leader.triangles[3], 0);
    // The leader's own DSTYLE override of DIMASZ wins; 71 0 leaves the arrowhead out.
    const Geometry overridden =
        drawn(leaderBody + "1001\nACAD\n1000\nDSTYLE\n1002\n{\n1070\n177\n1070\n41\n"
                           "1070\n41\n1040\n3.0\n1002\n}\n");
    EXPECT_NEAR(triangleArea(overridden), 3.0 * 3.0 / 6, 1e-9);
    EXPECT_TRUE(drawn(leaderBody + "71\n0\n").triangles.empty());
}

TEST(EntityKinds, MultileadersDrawTheirLeadersDoglegsAndText) {
    // Two lines into one landing at (10, 5), a dogleg of 2 to the right, and text beside it.
    const Geometry g = drawn(
        "0\nMULTILEADER\n8\n0\n100\nAcDbEntity\n100\nAcDbMLeader\n300\nCONTEXT_DATA{\n" +
        tags({{40, 1}, {10, 12}, {20, 5}, {30, 0}, {41, 2.5}, {140, 0.5}}) +
        "304\nNOTE\\PSECOND\n" + tags({{12, 12.5}, {22, 6}, {32, 0}, {13, 1}, {23, 0}, {33, 0}}) +
        "171\n1\n" + "302\nLEADER{\n" +
        tags({{10, 10}, {20, 5}, {30, 0}, {11, 1}, {21, 0}, {31, 0}, {40, 2}}) +
        "304\nLEADER_LINE{\n" + tags({{10, 0}, {20, 5}, {30, 0}}) + "305\n}\n" +
        "304\nLEADER_LINE{\n" + tags({{10, 4}, {20, 1}, {30, 0}, {10, 7}, {20, 5}, {30, 0}}) +
        "305\n}\n303\n}\n301\n}\n" + tags({{41, 2}, {42, 0.18}}));
    EXPECT_NEAR(lineLength(g), 10 + (5 + 3) + 2, 1e-9);
    EXPECT_NEAR(triangleArea(g), 2 * 0.5 * 0.5 / 6, 1e-9); // arrowheads of the context's size
    ASSERT_EQ(g.texts.size(), 2u);
    EXPECT_EQ(g.texts[0].text, "NOTE");
    EXPECT_NEAR(g.texts[0].x, 12.5, 1e-9);
    EXPECT_NEAR(g.texts[0].y, 6, 1e-9);
    EXPECT_NEAR(g.texts[0].height, 2.5, 1e-9);
    EXPECT_EQ(g.texts[0].baseline, 3); // top left
    EXPECT_LT(g.texts[1].y, g.texts[0].y);
}

TEST(EntityKinds, ImagesAndWipeoutsShowTheirFrameOrClipBoundary) {
    // 100 x 50 pixels of 0.1 from (1, 2).
    const std::string image =
        "0\nIMAGE\n8\n0\n100\nAcDbEntity\n100\nAcDbRasterImage\n" + tags({{10, 1},
                                                                          {20, 2},
                                                                          {30, 0},
                                                                          {11, 0.1},
                                                                          {21, 0},
                                                                          {31, 0},
                                                                          {12, 0},
                                                                          {22, 0.1},
                                                                          {32, 0},
                                                                          {13, 100},
                                                                          {23, 50}});
    EXPECT_NEAR(lineLength(drawn(image + "70\n7\n280\n0\n")), 30, 1e-9);
    // Clipped to a triangle of pixel corners, counted from the top left: top left, top right,
    // bottom left.
    const Geometry clipped =
        drawn(image + "70\n7\n280\n1\n71\n2\n91\n3\n" +
              tags({{14, -0.5}, {24, -0.5}, {14, 99.5}, {24, -0.5}, {14, -0.5}, {24, 49.5}}));
    EXPECT_NEAR(lineLength(clipped), 10 + 5 + std::hypot(10, 5), 1e-9);
    ASSERT_GE(clipped.lines.size(), 2u);
    EXPECT_NEAR(clipped.lines[0], 1, 1e-9);
    EXPECT_NEAR(clipped.lines[1], 7, 1e-9);
    // A wipeout is one pixel stretched over its area, its boundary a rectangle of two corners.
    const Geometry wipeout = drawn("0\nWIPEOUT\n8\n0\n100\nAcDbEntity\n100\nAcDbWipeout\n" +
                                   tags({{10, 0},
                                         {20, 0},
                                         {30, 0},
                                         {11, 4},
                                         {21, 0},
                                         {31, 0},
                                         {12, 0},
                                         {22, 2},
                                         {32, 0},
                                         {13, 1},
                                         {23, 1}}) +
                                   "70\n7\n280\n1\n71\n1\n91\n2\n" +
                                   tags({{14, -0.5}, {24, -0.5}, {14, 0.5}, {24, 0.5}}));
    EXPECT_NEAR(lineLength(wipeout), 12, 1e-9);
}

TEST(EntityKinds, MTextParagraphsStackFromTheirAttachmentPoint) {
    auto texts = [](int attachment, double angle) {
        std::string error;
        auto db = veld::dxf::readDrawingData(
            "0\nSECTION\n2\nENTITIES\n0\nMTEXT\n8\n0\n100\nAcDbEntity\n100\nAcDbMText\n" +
                tags({{10, 100}, {20, 0}, {30, 0}, {40, 3}, {50, angle}}) + "71\n" +
                std::to_string(attachment) +
                "\n1\none\\Ptwo\\P{\\fArial;three}\n0\nENDSEC\n0\nEOF\n",
            error);
        std::vector<veld::render::TextItem> out;
        const DisplayList list = DisplayList::build(*db);
        for (const auto& [id, chunk] : list.chunks()) {
            for (const auto& [color, g] : chunk->batches) {
                out.insert(out.end(), g.texts.begin(), g.texts.end());
            }
        }
        return out;
    };
    // Middle centre: the middle line on the point, the others 5/3 of the height above and below.
    const auto middle = texts(5, 0);
    ASSERT_EQ(middle.size(), 3u);
    EXPECT_EQ(middle[2].text, "three");
    EXPECT_NEAR(middle[0].y, 5, 1e-9);
    EXPECT_NEAR(middle[1].y, 0, 1e-9);
    EXPECT_NEAR(middle[2].y, -5, 1e-9);
    EXPECT_EQ(middle[0].baseline, 2);
    // Bottom left turned a quarter: the last line on the point, the first two lines to its left.
    const auto turned = texts(7, 90);
    ASSERT_EQ(turned.size(), 3u);
    EXPECT_NEAR(turned[0].x, 100 - 10, 1e-9);
    EXPECT_NEAR(turned[2].x, 100, 1e-9);
    EXPECT_NEAR(turned[0].y, 0, 1e-9);

    // A reference rectangle 4 wide wraps the paragraph at its spaces, line under line.
    const Geometry wrapped =
        drawn("0\nMTEXT\n8\n0\n100\nAcDbEntity\n100\nAcDbMText\n" +
              tags({{10, 0}, {20, 0}, {30, 0}, {40, 1}, {41, 4}}) + "71\n1\n1\naaaa bbbb\n");
    ASSERT_EQ(wrapped.texts.size(), 2u);
    EXPECT_EQ(wrapped.texts[1].text, "bbbb");
    EXPECT_NEAR(wrapped.texts[1].y, -5.0 / 3, 1e-9);
}

TEST(EntityKinds, SolidHatchFillsEvenOddAlongCurvedBoundaries) {
    const Geometry holed = drawn(hatch(true, 2, squarePath(10) + circlePath(5, 5, 2)));
    EXPECT_NEAR(triangleArea(holed), 100 - M_PI * 4, 0.1) << "the island stays open";
    EXPECT_TRUE(holed.lines.empty()) << "a fill draws no outline";

    // A half disc below its chord: bulge 1 from (0,0) to (2,0) turns counter-clockwise.
    const Geometry half =
        drawn(hatch(true, 1,
                    "92\n2\n72\n1\n73\n1\n93\n2\n" +
                        tags({{10, 0}, {20, 0}, {42, 1}, {10, 2}, {20, 0}, {42, 0}}) + "97\n0\n"));
    EXPECT_NEAR(triangleArea(half), M_PI / 2, 0.01);
    for (std::size_t i = 1; i < half.triangles.size(); i += 2) {
        EXPECT_LE(half.triangles[i], 1e-9);
    }

    // Mirrored (extrusion -Z), the square's object x runs to the left of the origin.
    std::string mirrored = hatch(true, 1, squarePath(10));
    mirrored.insert(mirrored.find("\n2\nSOLID"), "\n210\n0\n220\n0\n230\n-1");
    const Geometry seenFromBelow = drawn(mirrored);
    EXPECT_NEAR(triangleArea(seenFromBelow), 100, 1e-9);
    for (std::size_t i = 0; i < seenFromBelow.triangles.size(); i += 2) {
        EXPECT_LE(seenFromBelow.triangles[i], 1e-9);
    }
}

TEST(EntityKinds, PatternHatchLinesAreClippedToTheBoundaryAndDashed) {
    // Horizontal lines one unit apart, half a unit above the square's edges.
    const std::string family = "78\n1\n" + tags({{53, 0}, {43, 0}, {44, 0.5}, {45, 0}, {46, 1}});
    const Geometry solidLines =
        drawn(hatch(false, 2, squarePath(10) + circlePath(5, 5, 2), family + "79\n0\n"));
    // Ten lines of 10, less the chords of the island at 0.5 and 1.5 from its centre.
    const double chords = 4 * std::sqrt(4 - 0.25) + 4 * std::sqrt(4 - 2.25);
    EXPECT_NEAR(lineLength(solidLines), 100 - chords, 0.05);
    for (std::size_t i = 0; i + 1 < solidLines.lines.size(); i += 2) {
        const double x = solidLines.lines[i], y = solidLines.lines[i + 1];
        EXPECT_TRUE(x > -1e-6 && x < 10 + 1e-6 && y > -1e-6 && y < 10 + 1e-6);
        EXPECT_GT(std::hypot(x - 5, y - 5), 2 - 0.05) << "no line runs over the island";
    }
    EXPECT_TRUE(solidLines.triangles.empty());

    const Geometry dashedLines =
        drawn(hatch(false, 1, squarePath(10), family + "79\n2\n49\n0.25\n49\n-0.25\n"));
    EXPECT_NEAR(lineLength(dashedLines), 50, 1e-6) << "half of every line is a gap";
    ASSERT_FALSE(dashedLines.lines.empty());
    EXPECT_NEAR(std::fabs(dashedLines.lines[2] - dashedLines.lines[0]), 0.25, 1e-9);
    EXPECT_NEAR(std::fmod(dashedLines.lines[0], 0.5), 0, 1e-9) << "dashes start at the origin";
}

TEST(EntityKinds, SplinesFollowTheirCurveAndEllipsesTheirExtrusion) {
    // A rational quadratic quarter of the unit circle.
    const double w = std::sqrt(0.5);
    const Geometry arc = drawn(
        "0\nSPLINE\n8\n0\n100\nAcDbEntity\n100\nAcDbSpline\n70\n12\n71\n2\n72\n6\n73\n3\n74\n0\n" +
        tags({{40, 0}, {40, 0}, {40, 0}, {40, 1}, {40, 1}, {40, 1}, {41, 1}, {41, w}, {41, 1}}) +
        tags({{10, 1}, {20, 0}, {30, 0}, {10, 1}, {20, 1}, {30, 0}, {10, 0}, {20, 1}, {30, 0}}));
    ASSERT_GE(arc.lines.size(), 16u);
    for (std::size_t i = 0; i + 1 < arc.lines.size(); i += 2) {
        EXPECT_NEAR(std::hypot(arc.lines[i], arc.lines[i + 1]), 1.0, 1e-6); // weights to 6 places
    }
    EXPECT_NEAR(arc.lines.front(), 1, 1e-12);
    EXPECT_NEAR(arc.lines.back(), 1, 1e-12) << "ends on its last control point";

    // Only fit points: drawn through them.
    const Geometry fitted = drawn(
        "0\nSPLINE\n8\n0\n100\nAcDbSpline\n70\n8\n71\n3\n72\n0\n73\n0\n74\n3\n" +
        tags({{11, 0}, {21, 0}, {31, 0}, {11, 5}, {21, 5}, {31, 0}, {11, 10}, {21, 0}, {31, 0}}));
    EXPECT_NEAR(lineLength(fitted), 2 * std::hypot(5, 5), 1e-9);

    // Upper half of an ellipse 20 by 10, and the same seen from below (extrusion -Z).
    const std::string ellipse = "0\nELLIPSE\n8\n0\n100\nAcDbEntity\n100\nAcDbEllipse\n" +
                                tags({{10, 0}, {20, 0}, {30, 0}, {11, 10}, {21, 0}, {31, 0}});
    const std::string params = tags({{40, 0.5}, {41, 0}, {42, M_PI}});
    for (const double z : {1.0, -1.0}) {
        const Geometry g = drawn(ellipse + tags({{210, 0}, {220, 0}, {230, z}}) + params);
        ASSERT_FALSE(g.lines.empty());
        double lowest = 1e9, highest = -1e9;
        for (std::size_t i = 0; i + 1 < g.lines.size(); i += 2) {
            const double x = g.lines[i] / 10, y = g.lines[i + 1] / 5;
            EXPECT_NEAR(x * x + y * y, 1.0, 1e-9);
            lowest = std::min(lowest, g.lines[i + 1]);
            highest = std::max(highest, g.lines[i + 1]);
        }
        EXPECT_NEAR(z > 0 ? highest : -lowest, 5, 0.01);
        EXPECT_NEAR(z > 0 ? lowest : highest, 0, 1e-5);
    }
}

TEST(EntityKinds, LinesFollowTheirLinetypeByLayerOrTheirOwnAtTheDrawingsScale) {
    // DASHED: 2 drawn, 1 left out, at LTSCALE 2; the layer HIDDEN draws with it.
    const std::string tables =
        "0\nSECTION\n2\nHEADER\n9\n$LTSCALE\n40\n2.0\n0\nENDSEC\n"
        "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLTYPE\n70\n2\n"
        "0\nLTYPE\n2\nCONTINUOUS\n70\n0\n3\nSolid line\n72\n65\n73\n0\n40\n0.0\n"
        "0\nLTYPE\n2\nDASHED\n70\n0\n3\nDashed\n72\n65\n73\n2\n40\n3.0\n49\n2.0\n74\n0\n"
        "49\n-1.0\n74\n0\n0\nENDTAB\n0\nTABLE\n2\nLAYER\n70\n1\n"
        "0\nLAYER\n2\nHIDDEN\n70\n0\n62\n7\n6\nDASHED\n0\nENDTAB\n0\nENDSEC\n";
    auto line = [](const std::string& layer, const std::string& extra) {
        return "0\nLINE\n8\n" + layer + "\n" + extra + "100\nAcDbLine\n" +
               tags({{10, 0}, {20, 0}, {30, 0}, {11, 30}, {21, 0}, {31, 0}});
    };
    // Dashes of 4 with gaps of 2 along 30: five dashes.
    const Geometry byLayer = drawn(line("HIDDEN", ""), tables);
    EXPECT_NEAR(lineLength(byLayer), 20, 1e-9);
    EXPECT_EQ(byLayer.lines.size(), 5u * 4);
    EXPECT_NEAR(lineLength(drawn(line("HIDDEN", "6\nCONTINUOUS\n"), tables)), 30, 1e-9);
    EXPECT_NEAR(lineLength(drawn(line("0", "6\nDASHED\n48\n0.5\n"), tables)), 20, 1e-9);
    EXPECT_EQ(drawn(line("0", "6\nDASHED\n48\n0.5\n"), tables).lines.size(), 10u * 4);
    EXPECT_NEAR(lineLength(drawn(line("0", ""), tables)), 30, 1e-9);
    // A polyline of two pieces of 2 with dashes of 2 and gaps of 1 (its scale 0.5): afresh at each
    // vertex (each piece whole), or running on with linetype generation (0-2, 3-4).
    auto polyline = [&](int flags) {
        return lineLength(drawn("0\nLWPOLYLINE\n8\nHIDDEN\n48\n0.5\n100\nAcDbPolyline\n70\n" +
                                    std::to_string(flags) + "\n" +
                                    tags({{10, 0}, {20, 0}, {10, 2}, {20, 0}, {10, 4}, {20, 0}}),
                                tables));
    };
    EXPECT_NEAR(polyline(0), 4, 1e-9);
    EXPECT_NEAR(polyline(128), 3, 1e-9);
    // The same as an old-style POLYLINE.
    auto oldStyle = [&](int flags) {
        return lineLength(drawn(oldPolyline(flags, "6\nDASHED\n48\n0.5\n",
                                            {{0, 0, 0, 0, 0}, {2, 0, 0, 0, 0}, {4, 0, 0, 0, 0}}),
                                tables));
    };
    EXPECT_NEAR(oldStyle(0), 4, 1e-9);
    EXPECT_NEAR(oldStyle(128), 3, 1e-9);
    // A circle on the layer: its pieces are dashed as one curve, two thirds drawn.
    const Geometry circle = drawn("0\nCIRCLE\n8\nHIDDEN\n100\nAcDbCircle\n" +
                                      tags({{10, 0}, {20, 0}, {30, 0}, {40, 30}}),
                                  tables);
    EXPECT_NEAR(lineLength(circle), 2 * M_PI * 30 * 2 / 3, 2.0);
}

TEST(EntityKinds, TrueColoursWinOverIndexesOnEntitiesAndLayers) {
    const std::string layers =
        "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n70\n1\n0\nLAYER\n2\nRGB\n70\n0\n62\n1\n"
        "420\n1122867\n6\nCONTINUOUS\n0\nENDTAB\n0\nENDSEC\n";
    std::string error;
    auto db = veld::dxf::readDrawingData(
        layers + "0\nSECTION\n2\nENTITIES\n"
                 "0\nLINE\n8\n0\n62\n1\n420\n16737843\n10\n0\n20\n0\n11\n1\n21\n1\n"
                 "0\nLINE\n8\nRGB\n10\n0\n20\n0\n11\n1\n21\n1\n"
                 "0\nSOLID\n8\n0\n420\n255\n10\n0\n20\n0\n11\n1\n21\n0\n12\n0\n22\n1\n"
                 "0\nENDSEC\n0\nEOF\n",
        error);
    ASSERT_NE(db, nullptr) << error;
    std::set<veld::render::ColorRef> colors;
    const DisplayList list = DisplayList::build(*db);
    for (const auto& [id, chunk] : list.chunks()) {
        for (const auto& [color, g] : chunk->batches) {
            colors.insert(color);
        }
    }
    EXPECT_EQ(colors, (std::set<veld::render::ColorRef>{kTrueColor | 0xFF6633,
                                                        kTrueColor | 0x112233, kTrueColor | 0xFF}));
}
