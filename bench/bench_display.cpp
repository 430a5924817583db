// What the browser session pays each time it waits for input on the 10,000-foundation drawing
// (VELD_BENCH_DRAWING, else the browser benchmark's bench_10000.dxf): a whole display list built
// and serialized, as every prompt once did, against the kept list brought up to date when
// nothing changed, after one line added, and after one line moved (each with the delta sent).
// The snap scene the session also rebuilds after each change is measured beside them.
#include <benchmark/benchmark.h>

#include "host/db/DatabaseImpl.h"
#include "host/dxf/DrawingFile.h"
#include "host/render/DisplayList.h"
#include "host/render/DisplayUpdater.h"
#include "host/snap/SnapScene.h"

#include <cstdlib>
#include <dbents.h>
#include <dbsymtb.h>
#include <filesystem>
#include <memory>
#include <string>

namespace {

std::string drawingPath() {
    const char* path = std::getenv("VELD_BENCH_DRAWING");
    return path != nullptr ? path : "/tmp/veld-bench-web/bench_10000.dxf";
}

// The drawing, opened once for all the benchmarks.
AcDbDatabase* drawing(benchmark::State& state) {
    static std::unique_ptr<AcDbDatabase> db;
    static bool tried = false;
    if (!tried) {
        tried = true;
        std::string error;
        if (std::filesystem::exists(drawingPath())) {
            db = veld::dxf::openDrawing(drawingPath(), error);
            if (db) {
                acdbHostApplicationServices()->setWorkingDatabase(db.get());
            }
        }
    }
    if (!db) {
        state.SkipWithError(("no drawing at " + drawingPath() + " (VELD_BENCH_DRAWING)").c_str());
    }
    return db.get();
}

AcDbObjectId addLine(AcDbDatabase& db, double x) {
    AcDbBlockTableRecord* space = nullptr;
    acdbOpenObject(space, db.modelSpaceId(), AcDb::kForWrite);
    auto* line = new AcDbLine(AcGePoint3d(x, 0, 0), AcGePoint3d(x + 1000, 1000, 0));
    AcDbObjectId id;
    space->appendAcDbEntity(id, line);
    line->close();
    space->close();
    return id;
}

void BM_PromptFullRebuild(benchmark::State& state) {
    AcDbDatabase* db = drawing(state);
    if (db == nullptr) {
        return;
    }
    for (auto _ : state) {
        const auto list = veld::render::DisplayList::build(*db);
        benchmark::DoNotOptimize(list.serialize());
    }
}

void BM_PromptUnchanged(benchmark::State& state) {
    AcDbDatabase* db = drawing(state);
    if (db == nullptr) {
        return;
    }
    veld::render::DisplayUpdater updater;
    updater.update(*db);
    for (auto _ : state) {
        benchmark::DoNotOptimize(updater.update(*db));
    }
}

// One command's change, then the prompt: the kept list brought up to date and the delta made.
template <class Change> void promptAfter(benchmark::State& state, Change change) {
    AcDbDatabase* db = drawing(state);
    if (db == nullptr) {
        return;
    }
    veld::render::DisplayUpdater updater;
    updater.update(*db);
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const auto before = updater.list();
        change(*db, n++);
        state.ResumeTiming();
        updater.update(*db);
        benchmark::DoNotOptimize(updater.list()->serializeDelta(*before));
    }
}

void BM_PromptAfterLineAdded(benchmark::State& state) {
    promptAfter(state, [](AcDbDatabase& db, int n) { addLine(db, 1000.0 * n); });
}

void BM_PromptAfterLineMoved(benchmark::State& state) {
    AcDbObjectId line;
    promptAfter(state, [&line](AcDbDatabase& db, int n) {
        if (line.isNull()) {
            line = addLine(db, 0);
        }
        AcDbLine* e = nullptr;
        acdbOpenObject(e, line, AcDb::kForWrite);
        e->setStartPoint(AcGePoint3d(n, n, 0));
        e->close();
    });
}

void BM_SnapSceneRebuild(benchmark::State& state) {
    AcDbDatabase* db = drawing(state);
    if (db == nullptr) {
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(veld::snap::SnapScene::build(db));
    }
}

} // namespace

BENCHMARK(BM_SnapSceneRebuild)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_PromptFullRebuild)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_PromptUnchanged)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_PromptAfterLineAdded)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();
BENCHMARK(BM_PromptAfterLineMoved)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();
BENCHMARK_MAIN();
