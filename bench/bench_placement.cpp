// Placement throughput: 1,000 triangular foundations drawn and recorded into one drawing, as a
// bulk placement over a large grid does. Reported as foundations per second (items/s).
#include "dbsymtb.h"
#include "delta/DeltaShape.h"
#include "host/ed/HeadlessHost.h"
#include "host/win/FileSearch.h"
#include "host/win/Paths.h"
#include "host/win/ProfileInstaller.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

constexpr int kFoundations = 1000;

// A profile installed from the checkout's support folder, removed at the end.
class BenchProfile {
public:
    BenchProfile() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "veld-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        folder_ = pattern;
        veld::win::setProfileFolder(folder_);
        veld::win::SearchPath::reset();
        // The checkout's support folder, found from this source file's own path.
        const std::filesystem::path support =
            std::filesystem::path(__FILE__).parent_path().parent_path() / "support";
        veld::win::installProfile(support.string(), folder_);
    }
    ~BenchProfile() {
        veld::win::setProfileFolder("");
        veld::win::SearchPath::reset();
        std::error_code error;
        std::filesystem::remove_all(folder_, error);
    }
    BenchProfile(const BenchProfile&) = delete;
    BenchProfile& operator=(const BenchProfile&) = delete;

private:
    std::string folder_;
};

void makeLayer(AcDbDatabase* database, const char* name) {
    AcDbLayerTable* table = nullptr;
    if (database->getLayerTable(table, AcDb::kForWrite) != Acad::eOk) {
        return;
    }
    auto* record = new AcDbLayerTableRecord;
    record->setName(name);
    if (table->add(record) == Acad::eOk) {
        record->close();
    } else {
        delete record;
    }
    table->close();
}

FoundationSettings triangleSettings() {
    FoundationSettings settings;
    settings.SetParameterArray({"500",  "500",    "476.315", "476.315", "0.05", "1500",  "-200",
                                "15",   "F1",     "0",       "0",       "50",   "50",    "50",
                                "50",   "50",     "50",      "1",       "LOOK", "OUTER", "DIM",
                                "GRID", "3",      "3,4,5",   "1000",    "300",  "150",   "1000",
                                "100",  "952.63", "2000",    "1000",    "250"});
    return settings;
}

void BM_PlaceTriangularFoundations(benchmark::State& state) {
    const BenchProfile profile;
    const FoundationSettings settings = triangleSettings();
    for (auto _ : state) {
        state.PauseTiming();
        auto host = std::make_unique<veld::ed::HeadlessHost>();
        for (const char* layer : {"LOOK", "OUTER", "DIM"}) {
            makeLayer(host->database(), layer);
        }
        state.ResumeTiming();
        for (int i = 0; i < kFoundations; ++i) {
            DeltaShape shape;
            shape.basePoint = AcGePoint3d(3000.0 * (i % 40), 3000.0 * (i / 40), 0.0);
            shape.rotation = 0.2617993877991494;
            const AcDbObjectId group = shape.draw(settings);
            benchmark::DoNotOptimize(shape.writeRecords(group, settings, "三角基礎"));
        }
        state.PauseTiming();
        host.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kFoundations);
}
BENCHMARK(BM_PlaceTriangularFoundations)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
