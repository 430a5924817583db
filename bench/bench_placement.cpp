// Placement throughput: 1,000 triangular foundations drawn and recorded into one drawing, as a
// bulk placement over a large grid does. Reported as foundations per second (items/s). And the
// cost of one more foundation in a drawing that already holds 0, 1,000 or 10,000: the ratio of
// the cost at 10,000 to the cost at 0 is printed at the end (1 means placement does not slow
// down as the drawing grows).
#include "PeakMemory.h"
#include "dbsymtb.h"
#include "delta/DeltaShape.h"
#include "host/ed/HeadlessHost.h"
#include "support/TempFolder.h"
#include "support/TestDrawing.h"
#include "support/TestProfile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>
#include <map>
#include <memory>

namespace {

constexpr int kFoundations = 1000;

// A profile installed from the checkout's support folder, removed at the end.
struct BenchProfile {
    veld::test::TempFolder folder{"veld-bench"};
    veld::test::TestProfile profile{folder.path(), veld::test::TestProfile::CurrentFolder::Keep};
};

FoundationSettings triangleSettings() {
    FoundationSettings settings;
    settings.SetParameterArray({"500",  "500",    "476.315", "476.315", "0.05", "1500",  "-200",
                                "15",   "F1",     "0",       "0",       "50",   "50",    "50",
                                "50",   "50",     "50",      "1",       "LOOK", "OUTER", "DIM",
                                "GRID", "3",      "3,4,5",   "1000",    "300",  "150",   "1000",
                                "100",  "952.63", "2000",    "1000",    "250"});
    return settings;
}

// Foundation `i` of a drawing: on a 100-wide grid of 3,000, turned 15 degrees.
void placeFoundation(int i, const FoundationSettings& settings) {
    DeltaShape shape;
    shape.basePoint = AcGePoint3d(3000.0 * (i % 100), 3000.0 * (i / 100), 0.0);
    shape.rotation = 0.2617993877991494;
    const AcDbObjectId group = shape.draw(settings);
    benchmark::DoNotOptimize(shape.writeRecords(group, settings, "三角基礎"));
}

std::unique_ptr<veld::ed::HeadlessHost> foundationHost() {
    auto host = std::make_unique<veld::ed::HeadlessHost>();
    for (const char* layer : {"LOOK", "OUTER", "DIM"}) {
        veld::test::TestDrawing(*host->database()).addLayer(layer);
    }
    return host;
}

void BM_PlaceTriangularFoundations(benchmark::State& state) {
    const BenchProfile profile;
    const FoundationSettings settings = triangleSettings();
    for (auto _ : state) {
        state.PauseTiming();
        auto host = foundationHost();
        state.ResumeTiming();
        for (int i = 0; i < kFoundations; ++i) {
            placeFoundation(i, settings);
        }
        state.PauseTiming();
        host.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kFoundations);
}
BENCHMARK(BM_PlaceTriangularFoundations)->Unit(benchmark::kMillisecond)->Iterations(3);

// Processor seconds per foundation placed into a drawing holding that many (the drawing grows
// by kMore per iteration, little against 1,000 or 10,000).
constexpr int kMore = 200;
std::map<int, double> gSecondsPerFoundation;

void BM_PlaceIntoDrawingHolding(benchmark::State& state) {
    const BenchProfile profile;
    const FoundationSettings settings = triangleSettings();
    const int existing = static_cast<int>(state.range(0));
    auto host = foundationHost();
    for (int i = 0; i < existing; ++i) {
        placeFoundation(i, settings);
    }
    veld::bench::resetPeakMemory();
    int next = existing;
    double seconds = 0.0;
    for (auto _ : state) {
        const std::clock_t start = std::clock();
        for (int k = 0; k < kMore; ++k) {
            placeFoundation(next++, settings);
        }
        seconds += static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    }
    const double placed = static_cast<double>(next - existing);
    gSecondsPerFoundation[existing] = seconds / placed;
    state.SetItemsProcessed(static_cast<std::int64_t>(placed));
    state.counters["us_per_foundation"] = seconds / placed * 1e6;
    state.counters["peak_MB"] = veld::bench::peakMemoryBytes() / 1e6;
}
BENCHMARK(BM_PlaceIntoDrawingHolding)
    ->Arg(0)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    const auto empty = gSecondsPerFoundation.find(0);
    if (empty != gSecondsPerFoundation.end()) {
        for (const auto& [existing, seconds] : gSecondsPerFoundation) {
            std::printf("one foundation into a drawing of %d (processor time): %.0f us, %.2fx "
                        "the cost in an empty drawing\n",
                        existing, seconds * 1e6, seconds / empty->second);
        }
    }
    benchmark::Shutdown();
    return 0;
}
