// DXF save and open speed on drawings of N foundation-sized groups (12 lines, 6 aligned
// dimensions with geometry blocks, 1 point per group; every entity with extended data of four
// applications), reported with bytes and entities per second. bench/ezdxf_bench.py does the
// same with ezdxf for the comparison. And the open and save of the large drawing ezdxf writes,
// as the executable does them.
#include <benchmark/benchmark.h>

#include "PeakMemory.h"
#include "host/db/DatabaseImpl.h"
#include "host/db/Stub.h"
#include "host/dxf/DbAccess.h"
#include "host/dxf/DrawingFile.h"

#include <algorithm>
#include <cstdlib>
#include <dbdict.h>
#include <dbdim.h>
#include <dbsymtb.h>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* const kApps[] = {"VELD_INDEX", "VELD_LINK", "VELD_A", "VELD_B"};

void registerApps(AcDbDatabase& db) {
    AcDbRegAppTable* table = nullptr;
    db.getRegAppTable(table, AcDb::kForWrite);
    for (const char* app : kApps) {
        auto* record = new AcDbRegAppTableRecord();
        record->setName(app);
        table->add(record);
        record->close();
    }
    table->close();
}

resbuf* xdataFor(int i, const std::string& handle) {
    resbuf* head = acutNewRb(1001);
    acutNewString("VELD_INDEX", head->resval.rstring);
    resbuf* tail = head;
    auto add = [&](int code) { return tail = tail->rbnext = acutNewRb(code); };
    for (int k = 0; k < 33; ++k) {
        acutNewString(("item " + std::to_string(k) + " of " + std::to_string(i)).c_str(),
                      add(1000)->resval.rstring);
    }
    acutNewString("VELD_LINK", add(1001)->resval.rstring);
    acutNewString(handle.c_str(), add(1005)->resval.rstring);
    for (double y : {1.0, 2.0}) {
        resbuf* p = add(1010);
        p->resval.rpoint[0] = i;
        p->resval.rpoint[1] = y;
        p->resval.rpoint[2] = 0;
    }
    acutNewString("VELD_A", add(1001)->resval.rstring);
    add(1070)->resval.rint = static_cast<short>(i % 30000);
    acutNewString("VELD_B", add(1001)->resval.rstring);
    add(1040)->resval.rreal = i * 0.5;
    return head;
}

std::unique_ptr<AcDbDatabase> buildDrawing(int groups) {
    auto db = std::make_unique<AcDbDatabase>();
    registerApps(*db);
    AcDbBlockTableRecord* space = nullptr;
    acdbOpenObject(space, db->modelSpaceId(), AcDb::kForWrite);
    AcDbDictionary* dict = nullptr;
    db->getGroupDictionary(dict, AcDb::kForWrite);
    for (int g = 0; g < groups; ++g) {
        const double x0 = (g % 100) * 20000.0, y0 = (g / 100) * 20000.0;
        std::vector<AcDbEntity*> members;
        for (int k = 0; k < 12; ++k) {
            members.push_back(new AcDbLine(AcGePoint3d(x0 + k * 100, y0, 0),
                                           AcGePoint3d(x0 + k * 100 + 1500, y0 + 1000, 0)));
        }
        for (int k = 0; k < 6; ++k) {
            members.push_back(new AcDbAlignedDimension(AcGePoint3d(x0, y0 + k * 300, 0),
                                                       AcGePoint3d(x0 + 1500, y0 + k * 300, 0),
                                                       AcGePoint3d(x0, y0 + k * 300 + 500, 0)));
        }
        members.push_back(new AcDbPoint(AcGePoint3d(x0, y0, 0)));
        auto* group = new AcDbGroup();
        AcDbObjectId groupId;
        dict->setAt("*", group, groupId);
        std::string firstHandle;
        for (std::size_t i = 0; i < members.size(); ++i) {
            AcDbObjectId id;
            space->appendAcDbEntity(id, members[i]);
            if (i == 0) {
                firstHandle = id.handle().text();
            }
            resbuf* xdata = xdataFor(g * 19 + static_cast<int>(i), firstHandle);
            members[i]->setXData(xdata);
            acutRelRb(xdata);
            members[i]->close();
            group->append(id);
        }
        group->close();
    }
    dict->close();
    space->close();
    return db;
}

void report(benchmark::State& state, std::size_t bytes, int groups) {
    state.counters["MB/s"] = benchmark::Counter(static_cast<double>(bytes) / 1e6,
                                                benchmark::Counter::kIsIterationInvariantRate);
    state.counters["entities/s"] =
        benchmark::Counter(groups * 19.0, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["bytes"] = static_cast<double>(bytes);
}

// The real save: a temporary file beside the target, flushed to disk and renamed.
void BM_SaveDxf(benchmark::State& state) {
    const int groups = static_cast<int>(state.range(0));
    auto db = buildDrawing(groups);
    const std::string path = "/tmp/veld_bench_" + std::to_string(groups) + ".dxf";
    for (auto _ : state) {
        std::string error;
        if (!veld::dxf::saveDrawing(*db, path, error)) {
            state.SkipWithError(error.c_str());
        }
    }
    report(state, std::filesystem::file_size(path), groups);
    std::filesystem::remove(path);
    std::filesystem::remove(path + ".bak");
}

void BM_OpenDxf(benchmark::State& state) {
    const int groups = static_cast<int>(state.range(0));
    const std::string text = veld::dxf::drawingToDxf(*buildDrawing(groups));
    for (auto _ : state) {
        std::string error;
        auto db = veld::dxf::readDrawingData(text, error);
        benchmark::DoNotOptimize(db.get());
        state.PauseTiming(); // freeing the drawing is not part of opening it
        db.reset();
        state.ResumeTiming();
    }
    report(state, text.size(), groups);
}

// The 10,000-foundation drawing ezdxf writes (bench/ezdxf_bench.py 10000 DIR --keep), opened
// and saved as `veld run --drawing IN --out OUT` does: openDrawing from the file, saveDrawing to
// a file; and opened alone, as `veld run --drawing IN` with an empty script. Objects and
// entities per second and peak memory per object are reported; freeing the drawing is left
// out, as the executable leaves it to the end of the process.
std::string largeDrawingPath() {
    const char* path = std::getenv("VELD_BENCH_DRAWING");
    return path != nullptr ? path : "/tmp/ezdxf_bench_10000.dxf";
}

// Entities among the database's objects (model and paper space and blocks).
std::size_t entityCount(const AcDbDatabase& db) {
    std::size_t entities = 0;
    veld::dxf::dbaccess::forEachObject(db, [&](AcDbObjectId id) {
        entities += AcDbEntity::cast(id.stub()->object) != nullptr ? 1 : 0;
    });
    return entities;
}

// Opens the large drawing and, with `save`, saves it again; reports objects and entities per
// second and the peak memory per object.
void openLargeDrawing(benchmark::State& state, bool save) {
    const std::string path = largeDrawingPath();
    if (!std::filesystem::exists(path)) {
        state.SkipWithError(("no drawing at " + path + " (VELD_BENCH_DRAWING)").c_str());
        return;
    }
    const std::string out = "/tmp/veld_bench_large_out.dxf";
    std::size_t objects = 0, entities = 0;
    double peak = 0.0;
    for (auto _ : state) {
        veld::bench::resetPeakMemory();
        std::string error;
        std::unique_ptr<AcDbDatabase> db = veld::dxf::openDrawing(path, error);
        if (!db || (save && !veld::dxf::saveDrawing(*db, out, error))) {
            state.SkipWithError(error.c_str());
            return;
        }
        state.PauseTiming();
        peak = std::max(peak, veld::bench::peakMemoryBytes());
        objects = db->impl().objectsInHandleOrder().size();
        entities = entityCount(*db);
        db.reset();
        state.ResumeTiming();
    }
    const auto rate = [](std::size_t n) {
        return benchmark::Counter(static_cast<double>(n),
                                  benchmark::Counter::kIsIterationInvariantRate);
    };
    state.counters["objects/s"] = rate(objects);
    state.counters["entities/s"] = rate(entities);
    state.counters["peak_MB"] = peak / 1e6;
    state.counters["peak_bytes_per_object"] = peak / static_cast<double>(objects);
    std::filesystem::remove(out);
    std::filesystem::remove(out + ".bak");
}

void BM_OpenLargeDrawing(benchmark::State& state) {
    openLargeDrawing(state, false);
}

void BM_OpenAndSaveLargeDrawing(benchmark::State& state) {
    openLargeDrawing(state, true);
}

} // namespace

BENCHMARK(BM_OpenLargeDrawing)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_OpenAndSaveLargeDrawing)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_SaveDxf)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();
BENCHMARK(BM_OpenDxf)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();
BENCHMARK_MAIN();
