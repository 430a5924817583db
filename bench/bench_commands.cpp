// The placement command on real host entities. One bulk window over a 100 x 100 grid with 20,000
// other lines on the search layer: the window-limited search against the plain all-pairs search
// over the host's intersectWith (the speed-up is printed at the end). And one FNDD pass that
// places 1,000 foundations in bulk, page and all, reported as foundations per second; and the
// same for 10,000 foundations over a 100 x 100 grid.
#include "PeakMemory.h"
#include "aced.h"
#include "afxmodule.h"
#include "afxwin.h"
#include "app/BulkWindow.h"
#include "app/FoundationCommand.h"
#include "app/HostEntityGeometry.h"
#include "arxcom/CArxComFigure.h"
#include "arxcom/CArxComLayer.h"
#include "dbdict.h"
#include "dbsymtb.h"
#include "host/ed/HeadlessHost.h"
#include "host/ed/LineListInput.h"
#include "support/TempFolder.h"
#include "support/TestDrawing.h"
#include "support/TestProfile.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <memory>
#include <random>
#include <string>

namespace {

constexpr const char* kSearchLayer = "通り芯";

void addLayer(const char* name) {
    CArxComLayer().CreateLayer(name, 7, true, false, false, "");
}

void addLine(AcDbObjectId layer, double x1, double y1, double x2, double y2) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    veld::test::TestDrawing(*db).addLine(AcGePoint3d(x1, y1, 0), AcGePoint3d(x2, y2, 0), layer);
}

// Grid lines at 0, spacing, ... (`columns` upright, `rows` across, overshooting by 2,000), and
// `others` lines of random direction and length up to 5,000 over a drawing ten times wider, all
// on the search layer.
void drawGrid(int columns, int rows, double spacing, int others) {
    addLayer(kSearchLayer);
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    AcDbLayerTable* layers = nullptr;
    AcDbObjectId layer;
    db->getLayerTable(layers, AcDb::kForRead);
    layers->getAt(kSearchLayer, layer);
    layers->close();
    const double top = (rows - 1) * spacing;
    const double right = (columns - 1) * spacing;
    for (int k = 0; k < columns; ++k) {
        addLine(layer, k * spacing, -2000, k * spacing, top + 2000);
    }
    for (int k = 0; k < rows; ++k) {
        addLine(layer, -2000, k * spacing, right + 2000, k * spacing);
    }
    std::mt19937 random(2024);
    std::uniform_real_distribution<double> where(-500000.0, 600000.0);
    std::uniform_real_distribution<double> angle(0.0, 6.283185307179586);
    std::uniform_real_distribution<double> length(100.0, 5000.0);
    for (int k = 0; k < others; ++k) {
        const double x = where(random), y = where(random), a = angle(random), l = length(random);
        addLine(layer, x, y, x + l * std::cos(a), y + l * std::sin(a));
    }
}

// One bulk window as the placement command searches it: the entities of the search layer, the
// crossings, the ones inside the window.
template <class Search> int placedInWindow(const BulkWindow& window, Search search) {
    AcDbObjectIdArray ids;
    CArxComFigure().CollectEntities(ids, kSearchLayer, AcDbEntity::desc());
    AcGePoint3dArray crossings;
    search(ids, crossings);
    return window.pointsInside(crossings).length();
}

const BulkWindow kGridWindow(AcGePoint3d(-500, -500, 0), AcGePoint3d(99500, 99500, 0));

// Processor seconds of the window runs, for the speed-up printed at the end (processor time, so
// that other work on the machine does not distort the ratio).
struct Timing {
    double seconds = 0.0;
    int runs = 0;
    double perRun() const { return seconds / runs; }
};
Timing gWindowSearch;
Timing gAllPairs;

template <class Search> int timedWindow(Timing& timing, Search search) {
    const std::clock_t start = std::clock();
    const int placed = placedInWindow(kGridWindow, search);
    timing.seconds += static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    ++timing.runs;
    return placed;
}

void BM_WindowSearchOnHostEntities(benchmark::State& state) {
    veld::ed::HeadlessHost host;
    drawGrid(100, 100, 1000.0, 20000);
    veld::bench::resetPeakMemory();
    for (auto _ : state) {
        state.counters["placed"] = timedWindow(gWindowSearch, [](const auto& ids, auto& crossings) {
            FoundationCommand().collectIntersections(ids, kGridWindow, crossings);
        });
    }
    state.counters["entities/s"] =
        benchmark::Counter(100.0 + 100.0 + 20000.0, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["peak_MB"] = veld::bench::peakMemoryBytes() / 1e6;
}

void BM_AllPairsOnHostEntities(benchmark::State& state) {
    veld::ed::HeadlessHost host;
    drawGrid(100, 100, 1000.0, 20000);
    for (auto _ : state) {
        state.counters["placed"] = timedWindow(gAllPairs, [](const auto& ids, auto& crossings) {
            HostEntityGeometry::collectAllPairs(ids, crossings);
        });
    }
}

// A profile installed from the checkout (VELDOR.ini and the defaults files found on the search
// path) and the module's resources current, for the commands' pages.
class CommandSetting {
public:
    CommandSetting() {
        static const HINSTANCE module =
            veldCreateModuleInstance("VeldFoundationApp", veldModuleResourceTable());
        previous_ = AfxGetResourceHandle();
        AfxSetResourceHandle(module);
    }
    ~CommandSetting() { AfxSetResourceHandle(previous_); }
    CommandSetting(const CommandSetting&) = delete;
    CommandSetting& operator=(const CommandSetting&) = delete;

private:
    veld::test::TempFolder folder_{"veld-bench-commands"};
    veld::test::TestProfile profile_{folder_.path(), veld::test::TestProfile::CurrentFolder::Keep};
    HINSTANCE previous_ = nullptr;
};

// FNDD in bulk over a grid of `columns` x `rows` lines 3,000 apart: one window over every
// crossing, no symbols. Reported as foundations per second, with the peak memory.
void placeInOnePass(benchmark::State& state, int columns, int rows) {
    CommandSetting setting;
    int placed = 0;
    double peak = 0.0;
    const std::string farCorner = std::to_string((columns - 1) * 3000 + 1000) + "," +
                                  std::to_string((rows - 1) * 3000 + 1000);
    for (auto _ : state) {
        state.PauseTiming();
        auto host = std::make_unique<veld::ed::HeadlessHost>();
        for (const char* layer : {"基礎見かけ線", "基礎外周線", "基礎寸法線", "基礎符号"}) {
            addLayer(layer);
        }
        drawGrid(columns, rows, 3000.0, 0);
        veld::ed::LineListInput input({"check LABEL_CHECK off", "check BULK_CHECK on",
                                       "select SERCH_LAYER 通り芯", "ok", "-1000,-1000", farCorner,
                                       "", "cancel"});
        host->session().setInput(&input);
        veld::bench::resetPeakMemory();
        state.ResumeTiming();
        FoundationCommand().placeDelta();
        state.PauseTiming();
        peak = std::max(peak, veld::bench::peakMemoryBytes());
        AcDbDictionary* groups = nullptr;
        host->database()->getGroupDictionary(groups, AcDb::kForRead);
        placed = groups->numEntries();
        groups->close();
        host.reset();
        state.ResumeTiming();
    }
    state.counters["placed"] = placed;
    state.counters["peak_MB"] = peak / 1e6;
    state.SetItemsProcessed(state.iterations() * placed);
}

void BM_PlaceThousandFoundationsInOnePass(benchmark::State& state) {
    placeInOnePass(state, 25, 40);
}

void BM_PlaceTenThousandFoundationsInOnePass(benchmark::State& state) {
    placeInOnePass(state, 100, 100);
}

BENCHMARK(BM_WindowSearchOnHostEntities)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllPairsOnHostEntities)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_PlaceThousandFoundationsInOnePass)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PlaceTenThousandFoundationsInOnePass)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    if (gWindowSearch.runs > 0 && gAllPairs.runs > 0) {
        std::printf("one bulk window (processor time): all pairs %.1f s, window search %.1f ms: "
                    "%.0fx faster\n",
                    gAllPairs.perRun(), gWindowSearch.perRun() * 1e3,
                    gAllPairs.perRun() / gWindowSearch.perRun());
    }
    benchmark::Shutdown();
    return 0;
}
