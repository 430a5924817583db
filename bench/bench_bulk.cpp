// Bulk placement over a 100 x 100 grid in a drawing with 20,000 other lines: the window-limited
// intersection search against the all-pairs search, with the speed-up printed at the end.
#include "app/AllPairsIntersectionSearch.h"
#include "app/BulkWindow.h"
#include "app/IntersectionSearch.h"
#include "support/SegmentGeometry.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <string>

namespace {

constexpr int kGridLines = 100;
constexpr double kSpacing = 1000.0;
constexpr int kOtherLines = 20000;

// Grid lines 0..99 000 both ways, overshooting by 2 000; the other lines are scattered over a
// drawing about ten times wider, in random directions and lengths up to 5 000.
SegmentGeometry makeDrawing() {
    SegmentGeometry g;
    const double end = (kGridLines - 1) * kSpacing;
    for (int k = 0; k < kGridLines; ++k) {
        g.addSegment(k * kSpacing, -2000, k * kSpacing, end + 2000);
        g.addSegment(-2000, k * kSpacing, end + 2000, k * kSpacing);
    }
    std::mt19937 random(2024);
    std::uniform_real_distribution<double> where(-500000.0, 600000.0);
    std::uniform_real_distribution<double> angle(0.0, 6.283185307179586);
    std::uniform_real_distribution<double> length(100.0, 5000.0);
    for (int k = 0; k < kOtherLines; ++k) {
        const double x = where(random);
        const double y = where(random);
        const double a = angle(random);
        const double l = length(random);
        g.addSegment(x, y, x + l * std::cos(a), y + l * std::sin(a));
    }
    return g;
}

const SegmentGeometry& drawing() {
    static const SegmentGeometry g = makeDrawing();
    return g;
}

const BulkWindow kWindow(AcGePoint3d(-500, -500, 0), AcGePoint3d(99500, 99500, 0));

void BM_BulkAllPairs(benchmark::State& state) {
    const SegmentGeometry& g = drawing();
    for (auto _ : state) {
        AcGePoint3dArray points;
        AllPairsIntersectionSearch().collect(g, points);
        const AcGePoint3dArray placed = kWindow.pointsInside(points);
        benchmark::DoNotOptimize(placed.length());
        state.counters["placed"] = placed.length();
    }
    const double n = g.count();
    state.counters["pairs"] = n * (n - 1) / 2;
}

// Checked once: the benchmark may call its function several times while it sizes the run.
bool searchesAgree() {
    static const bool agree = [] {
        AcGePoint3dArray all;
        AllPairsIntersectionSearch().collect(drawing(), all);
        AcGePoint3dArray fast;
        IntersectionSearch().collect(drawing(), kWindow, fast);
        return kWindow.pointsInside(fast) == kWindow.pointsInside(all);
    }();
    return agree;
}

void BM_BulkWindowSearch(benchmark::State& state) {
    const SegmentGeometry& g = drawing();
    if (!searchesAgree()) {
        state.SkipWithError("the window search places other points than the all-pairs search");
        return;
    }
    for (auto _ : state) {
        AcGePoint3dArray points;
        IntersectionSearch().collect(g, kWindow, points);
        const AcGePoint3dArray placed = kWindow.pointsInside(points);
        benchmark::DoNotOptimize(placed.length());
        state.counters["placed"] = placed.length();
    }
    state.counters["pairs"] = IntersectionSearch().candidatePairs(g, kWindow).size();
}

BENCHMARK(BM_BulkAllPairs)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_BulkWindowSearch)->Unit(benchmark::kMillisecond);

// Remembers each benchmark's time per iteration so the ratio can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (!run.error_occurred) {
                seconds[run.benchmark_name()] = run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> seconds;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto all = reporter.seconds.find("BM_BulkAllPairs/iterations:2");
    const auto fast = reporter.seconds.find("BM_BulkWindowSearch");
    if (all != reporter.seconds.end() && fast != reporter.seconds.end() && fast->second > 0) {
        std::printf("window search is %.0fx faster than all pairs\n", all->second / fast->second);
    }
    benchmark::Shutdown();
    return 0;
}
