// A grid drawn the way MIRROR leaves it (polylines with their normal pointing down), built with
// ezdxf: the bulk pass and single placements land on the crossings where the lines are drawn,
// the picture shows the mirrored circle at its world centre, and the saved drawing keeps the
// mirrored entities as they were.
#include "FoundationRun.h"
#include "support/CommandOutput.h"
#include "support/EzdxfAudit.h"
#include "support/FileBytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <set>
#include <sstream>

using namespace veld::test;
namespace fs = std::filesystem;

namespace {

struct MirroredDrawing {
    fs::path path;
    std::multiset<std::string> crossings; // as the base points of foundations read by ezdxf
    double circleX = 0, circleY = 0, circleRadius = 0;
};

std::string python(const std::string& mode, const fs::path& file) {
    int exitCode = 0;
    const std::string out =
        veld::test::runCommand("/usr/bin/python3 " VELD_SOURCE_DIR "/tests/e2e/ezdxf_mirrored.py " +
                                   mode + " " + veld::test::shellQuote(file.string()),
                               exitCode);
    EXPECT_EQ(exitCode, 0) << out;
    return out;
}

std::string ezdxfPoint(double x, double y) {
    char text[64];
    std::snprintf(text, sizeof text, "%.1f,%.1f,0.0", x, y);
    return text;
}

MirroredDrawing writeMirrored(const fs::path& folder) {
    MirroredDrawing d;
    d.path = folder / "mirrored.dxf";
    std::stringstream lines(python("write", d.path));
    std::string kind;
    while (lines >> kind) {
        double x = 0, y = 0;
        lines >> x >> y;
        if (kind == "CROSSING") {
            d.crossings.insert(ezdxfPoint(x, y));
        } else {
            d.circleX = x;
            d.circleY = y;
            lines >> d.circleRadius;
        }
    }
    return d;
}

std::multiset<std::string> basePoints(const FoundationRun& run) {
    std::multiset<std::string> points;
    for (const auto& group : run.dump.groups) {
        points.insert(basePointOf(group));
    }
    return points;
}

// "x,y" of an ezdxf base point "x,y,z".
std::string typed(const std::string& basePoint) {
    return basePoint.substr(0, basePoint.rfind(','));
}

// Every x y pair of the picture's paths.
std::vector<std::pair<double, double>> pathPoints(const std::string& svg) {
    std::vector<std::pair<double, double>> points;
    static const std::regex path("<path d=\"([^\"]*)\"");
    static const std::regex pair("[MLHV]?(-?[0-9.e+-]+) (-?[0-9.e+-]+)");
    for (auto p = std::sregex_iterator(svg.begin(), svg.end(), path); p != std::sregex_iterator();
         ++p) {
        const std::string d = (*p)[1];
        for (auto q = std::sregex_iterator(d.begin(), d.end(), pair); q != std::sregex_iterator();
             ++q) {
            points.emplace_back(std::stod((*q)[1]), std::stod((*q)[2]));
        }
    }
    return points;
}

} // namespace

TEST(E2eMirroredGrid, BulkAndSinglePlacementsLandOnTheCrossingsWhereTheLinesAreDrawn) {
    FoundationBench bench;
    const MirroredDrawing drawing = writeMirrored(bench.workspace().folder());
    ASSERT_EQ(drawing.crossings.size(), 9u);

    const FoundationRun bulk = bench.run(
        "bulk",
        join({{"FNDD"},
              pageOk({"check LABEL_CHECK off", "check BULK_CHECK on", "select SERCH_LAYER MGRID"}),
              {"-500,-1000", "6000,5000", "", "cancel"}}),
        drawing.path);
    ASSERT_EQ(bulk.result.exitCode, 0) << bulk.result.err;
    EXPECT_EQ(basePoints(bulk), drawing.crossings) << bulk.result.out;

    std::vector<std::string> single{"OSMODE", "32", "FNDD"};
    single = join({single, pageOk({"check LABEL_CHECK off", "check BULK_CHECK off"})});
    for (const std::string& crossing : drawing.crossings) {
        single.push_back(typed(crossing));
    }
    const FoundationRun one = bench.run("single", join({single, {"", "cancel"}}), drawing.path);
    ASSERT_EQ(one.result.exitCode, 0) << one.result.err;
    EXPECT_EQ(basePoints(one), drawing.crossings);
    EXPECT_EZDXF_CLEAN(bulk.saved.string());
}

TEST(E2eMirroredGrid, ThePictureShowsTheMirroredCircleAtItsWorldCentreAndTheSaveKeepsIt) {
    FoundationBench bench;
    const MirroredDrawing drawing = writeMirrored(bench.workspace().folder());
    ASSERT_GT(drawing.circleRadius, 0.0);
    const fs::path svg = bench.workspace().folder() / "mirrored.svg";
    const fs::path saved = bench.workspace().folder() / "saved.dxf";
    const auto result = bench.workspace().run(
        {"run", bench.workspace().script("empty.veld", {}).string(), "--drawing",
         drawing.path.string(), "--out", saved.string(), "--svg", svg.string()});
    ASSERT_EQ(result.exitCode, 0) << result.err;

    std::size_t onCircle = 0, onOtherSide = 0;
    for (const auto& [x, y] : pathPoints(veld::test::readBytes(svg))) {
        const double r = std::hypot(x - drawing.circleX, y - drawing.circleY);
        onCircle += std::fabs(r - drawing.circleRadius) < 1e-3 ? 1 : 0;
        onOtherSide += x < -500.0 ? 1 : 0;
    }
    EXPECT_GE(onCircle, 16u);
    EXPECT_EQ(onOtherSide, 0u) << "nothing is drawn where the plane's own x would put it";

    // Read back by ezdxf: the same world centre, still mirrored; the polylines too.
    const std::string seen = python("read", saved);
    char expected[128];
    std::snprintf(expected, sizeof expected, "CIRCLE %.1f %.1f", drawing.circleX, drawing.circleY);
    EXPECT_NE(seen.find(std::string(expected) + " 0.0 0.0 0.0 -1.0"), std::string::npos) << seen;
    EXPECT_EQ(countOf(seen, "LWPOLYLINE 0.0 0.0 -1.0"), 4u) << seen;
    EXPECT_EZDXF_CLEAN(saved.string());
}
