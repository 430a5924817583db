// Drawing database benchmarks: appending, opening and closing a million lines; undoing a group
// of 100,000 changes; memory per line carrying a foundation member's extended data.
#include "dbdict.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "host/db/DatabaseImpl.h"
#include "support/TestDrawing.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

AcDbObjectId appendLine(AcDbDatabase& db, double x) {
    return veld::test::TestDrawing(db).addLine(AcGePoint3d(x, 0, 0), AcGePoint3d(x, 1, 0));
}

void BM_AppendOpenCloseMillionLines(benchmark::State& state) {
    constexpr int kLines = 1000000;
    std::unique_ptr<AcDbDatabase> keep; // destroyed after the timing
    for (auto _ : state) {
        keep = std::make_unique<AcDbDatabase>();
        AcDbDatabase& db = *keep;
        std::vector<AcDbObjectId> ids;
        ids.reserve(kLines);
        for (int i = 0; i < kLines; ++i) {
            ids.push_back(appendLine(db, i));
        }
        double sum = 0.0;
        for (const AcDbObjectId& id : ids) {
            AcDbLine* line = nullptr;
            acdbOpenObject(line, id, AcDb::kForRead);
            sum += line->startPoint().x;
            line->close();
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["lines"] = kLines;
}
BENCHMARK(BM_AppendOpenCloseMillionLines)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_UndoGroupOfHundredThousandChanges(benchmark::State& state) {
    constexpr int kChanges = 100000;
    for (auto _ : state) {
        state.PauseTiming();
        auto owned = std::make_unique<AcDbDatabase>();
        AcDbDatabase& db = *owned;
        std::vector<AcDbObjectId> ids;
        for (int i = 0; i < kChanges / 2; ++i) {
            ids.push_back(appendLine(db, i));
        }
        veld::db::UndoJournal& journal = db.impl().journal();
        journal.clear();
        journal.beginCommand("BENCH");
        journal.beginGroup();
        for (int i = 0; i < kChanges / 2; ++i) {
            AcDbLine* line = nullptr;
            acdbOpenObject(line, ids[static_cast<std::size_t>(i)], AcDb::kForWrite);
            line->setStartPoint(AcGePoint3d(-i, 0, 0));
            line->close();
            appendLine(db, i + 0.5);
        }
        journal.endGroup();
        journal.endCommand();
        state.ResumeTiming();
        journal.undo(1);
        state.PauseTiming();
        owned.reset();
        state.ResumeTiming();
    }
    state.counters["changes"] = kChanges;
}
BENCHMARK(BM_UndoGroupOfHundredThousandChanges)->Unit(benchmark::kMillisecond)->Iterations(3);

// --- Memory per line with a foundation member's extended data ----------------------------------

std::size_t heapInUse() {
    return mallinfo2().uordblks;
}

// The 33 indexed strings of the foundation record: 1001 name, then (1070 i, 1000 value) pairs.
resbuf* dialogRecord() {
    static const char* const values[33] = {
        "600",   "600",   "400",  "400",  "0",    "1200",        "-1500", "0",   "F1",
        "1",     "0",     "100",  "100",  "100",  "100",         "100",   "100", "0",
        "LOOKS", "OUTER", "DIM",  "SRCH", "3",    "1,2,3,4,5,6", "1000",  "300", "100",
        "1200",  "200",   "1000", "1500", "1500", "2.5"};
    resbuf* head = acutBuildList(1001, "FOUND_DELTADIALOG", 0);
    resbuf* tail = head;
    for (int i = 0; i < 33; ++i) {
        tail->rbnext = acutBuildList(1070, i, 1000, values[i], 0);
        tail = tail->rbnext->rbnext;
    }
    return head;
}

void addFoundationMember(AcDbDatabase& db, AcDbObjectId id, AcDbObjectId group) {
    const std::string handle = id.handle().text();
    const std::string groupHandle = group.handle().text();
    const double base[3] = {1000.0, 2000.0, 0.0};
    const double symbol[3] = {1500.0, 2500.0, 0.0};
    veld::test::TestDrawing::setXData(
        id, acutBuildList(1001, "OBJECT_TYPE", 1070, 0, 1000, "三角基礎", 0));
    veld::test::TestDrawing::setXData(id, dialogRecord());
    veld::test::TestDrawing::setXData(id, acutBuildList(1001, "FOUND_DELTASHAPE", 1070, 0, 1000,
                                                        handle.c_str(), 1070, 1, 1010, base, 1070,
                                                        2, 1010, symbol, 0));
    veld::test::TestDrawing::setXData(
        id, acutBuildList(1001, "GROUP_TYPE", 1070, 0, 1000, groupHandle.c_str(), 0));
    (void)db;
}

AcDbObjectId newGroup(AcDbDatabase& db) {
    return veld::test::TestDrawing(db).addGroup(AcDbObjectIdArray{});
}

void joinGroup(AcDbObjectId group, const AcDbObjectIdArray& members) {
    AcDbGroup* g = nullptr;
    acdbOpenObject(g, group, AcDb::kForWrite);
    g->append(members);
    g->close();
}

void BM_MemoryPerLineWithExtendedData(benchmark::State& state) {
    constexpr int kLines = 100000;
    constexpr int kPerGroup = 50;
    for (auto _ : state) {
        const std::size_t before = heapInUse();
        auto db = std::make_unique<AcDbDatabase>();
        acdbHostApplicationServices()->setWorkingDatabase(db.get());
        for (const char* app :
             {"OBJECT_TYPE", "FOUND_DELTADIALOG", "FOUND_DELTASHAPE", "GROUP_TYPE"}) {
            acdbRegApp(app);
        }
        AcDbObjectIdArray members;
        AcDbObjectId group = newGroup(*db);
        for (int i = 0; i < kLines; ++i) {
            const AcDbObjectId id = appendLine(*db, i);
            addFoundationMember(*db, id, group);
            members.append(id);
            if (members.length() == kPerGroup) {
                joinGroup(group, members);
                members.removeAll();
                group = newGroup(*db);
            }
        }
        const std::size_t withJournal = heapInUse();
        db->impl().journal().clear();
        malloc_trim(0);
        const std::size_t drawingOnly = heapInUse();
        state.counters["bytes_per_line_drawing"] =
            static_cast<double>(drawingOnly - before) / kLines;
        state.counters["bytes_per_line_with_journal"] =
            static_cast<double>(withJournal - before) / kLines;
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        db.reset();
    }
}
BENCHMARK(BM_MemoryPerLineWithExtendedData)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
