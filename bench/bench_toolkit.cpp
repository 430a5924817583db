// One foundation placement made of toolkit calls, as the drawing routines make it: ~25 entities,
// line-class tags, the empty-group purge, a new anonymous group with group tags, a 33-text record
// on every member and a symbol text added to the group. Measured on an empty drawing and on one
// that already holds 10,000 groups, since every group walk visits the whole group dictionary.
#include "arxcom/CArxComAppXdata.h"
#include "arxcom/CArxComDimension.h"
#include "arxcom/CArxComGroup.h"
#include "arxcom/CArxComObjectShape.h"
#include "dbdict.h"
#include "dbsymtb.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

AcGePoint3dArray squareAt(double x, double y, double size) {
    AcGePoint3dArray points;
    points.append({x, y, 0});
    points.append({x + size, y, 0});
    points.append({x + size, y + size, 0});
    points.append({x, y + size, 0});
    return points;
}

// A drawing with `groups` anonymous groups of two lines each.
std::unique_ptr<AcDbDatabase> drawingWithGroups(int groups) {
    auto database = std::make_unique<AcDbDatabase>(true, true);
    acdbHostApplicationServices()->setWorkingDatabase(database.get());
    CArxComFigure figure;
    for (int i = 0; i < groups; ++i) {
        AcDbObjectIdArray ids;
        for (int j = 0; j < 2; ++j) {
            auto* line = new AcDbLine(AcGePoint3d(i, j, 0), AcGePoint3d(i + 1.0, j, 0));
            if (figure.ApplyPropertiesAndAppend(line) == Acad::eOk) {
                ids.append(line->objectId());
            }
            line->close();
        }
        CArxComGroup().CreateAnonymousGroup(ids);
    }
    return database;
}

void writeDialogRecord(const AcDbObjectIdArray& ids) {
    CArxComAppXdata record("FOUND_DELTADIALOG");
    for (int slot = 0; slot < 33; ++slot) {
        record.SetStringEntry(slot, std::to_string(slot * 10.0).c_str());
    }
    for (const AcDbObjectId& id : ids) {
        AcDbObject* object = nullptr;
        if (acdbOpenAcDbObject(object, id, AcDb::kForWrite) == Acad::eOk) {
            record.WriteTo(object);
            object->close();
        }
    }
}

// Lines of two outlines, twelve dimensions, a marker point and a text: 25 entities.
AcDbObjectIdArray drawFoundation(double x, double y) {
    CArxComObjectShape shape;
    AcDbObjectIdArray look, outer;
    shape.DrawClosedOutline(squareAt(x, y, 10), "0", look);
    shape.DrawClosedOutline(squareAt(x - 1, y - 1, 12), "0", outer);
    shape.SetObjectLinetype(look, "LOOK", 0);
    shape.SetObjectLinetype(outer, "OUTER", 1);
    AcDbObjectIdArray ids = look;
    ids.append(outer);
    CArxComDimension dimension("STANDARD");
    for (int i = 0; i < 12; ++i) {
        AcDbObjectId id;
        AcGePoint3d at;
        dimension.GetDimensionLinePoint({x, y, 0}, {x + 10, y, 0}, 2.0 + i, at);
        dimension.AddAlignedDimension(id, at, {x, y, 0}, {x + 10, y, 0}, "");
        ids.append(id);
    }
    CArxComFigure marker;
    if (marker.AddDefPoint({x, y, 0})) {
        ids.append(marker.lastId);
    }
    return ids;
}

void placeOne(int index) {
    const double x = 50.0 * (index % 100), y = 50.0 * (index / 100);
    AcDbObjectIdArray ids = drawFoundation(x, y);
    CArxComGroup groups;
    groups.PurgeEmptyGroups();
    const AcDbObjectId group = groups.CreateAnonymousGroup(ids);
    CArxComObjectShape shape;
    shape.SetGroupType(ids, group);

    AcDbObjectIdArray symbol;
    CArxComFigure text;
    AcDbObjectId mark;
    text.AddText(mark, {x, y, 0}, "F1", 2.5, 0.0, 0.0, AcDb::kTextRight, AcDb::kTextBottom,
                 AcDbObjectId::kNull, 256);
    symbol.append(mark);
    groups.AppendToGroup(group, symbol);
    shape.SetGroupType(symbol, group);
    ids.append(symbol);
    writeDialogRecord(ids);
}

void BM_Placement(benchmark::State& state) {
    AcDbDatabase* previous = acdbHostApplicationServices()->workingDatabase();
    const std::unique_ptr<AcDbDatabase> database =
        drawingWithGroups(static_cast<int>(state.range(0)));
    int placed = 0;
    for (auto _ : state) {
        placeOne(placed++);
    }
    state.SetItemsProcessed(placed);
    acdbHostApplicationServices()->setWorkingDatabase(previous);
}

// One walk over the group dictionary that finds nothing to erase.
void BM_GroupWalk(benchmark::State& state) {
    AcDbDatabase* previous = acdbHostApplicationServices()->workingDatabase();
    const std::unique_ptr<AcDbDatabase> database =
        drawingWithGroups(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CArxComGroup().PurgeEmptyGroups();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    acdbHostApplicationServices()->setWorkingDatabase(previous);
}
BENCHMARK(BM_GroupWalk)->ArgName("groups")->Arg(10000)->Unit(benchmark::kMicrosecond);

// A fixed count keeps the two drawings comparable: both grow by the same placements.
BENCHMARK(BM_Placement)
    ->ArgName("groups")
    ->Arg(0)
    ->Arg(10000)
    ->Iterations(300)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
