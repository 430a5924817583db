// The bulk placement's intersection search on real host entities: the window-limited search
// through the host adapter places exactly the points of the plain all-pairs search over
// intersectWith, for random drawings of lines, arcs, circles, polylines with bulges and entities
// that meet nothing, with repeated and erased ids, under a fixed seed.
#include "app/BulkWindow.h"
#include "app/FoundationCommand.h"
#include "app/HostEntityGeometry.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "host/ed/HeadlessHost.h"

#include <gtest/gtest.h>

#include <random>

namespace {

class RandomDrawing {
public:
    explicit RandomDrawing(unsigned seed) : random_(seed) {}

    AcDbObjectIdArray build(int count) {
        AcDbObjectIdArray ids;
        for (int k = 0; k < count; ++k) {
            ids.append(append(makeEntity(k % 8)));
        }
        return ids;
    }

    double coordinate() { return std::uniform_real_distribution<double>(-1000, 1000)(random_); }
    AcGePoint3d point() { return AcGePoint3d(coordinate(), coordinate(), 0.0); }
    int index(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

private:
    AcDbEntity* makeEntity(int kind) {
        std::uniform_real_distribution<double> size(1, 400);
        std::uniform_real_distribution<double> angle(0, 6.283185307179586);
        switch (kind) {
        case 0:
        case 1:
            return new AcDbLine(point(), point());
        case 2: { // an axis-parallel line, as grid lines are
            const AcGePoint3d a = point();
            return new AcDbLine(a, AcGePoint3d(a.x + size(random_), a.y, 0));
        }
        case 3:
            return new AcDbCircle(point(), size(random_));
        case 4:
            return new AcDbArc(point(), size(random_), angle(random_), angle(random_));
        case 5: {
            auto* polyline = new AcDbPolyline();
            std::uniform_real_distribution<double> bulge(-2.5, 2.5);
            const unsigned int vertices = 2 + static_cast<unsigned int>(index(3));
            for (unsigned int v = 0; v < vertices; ++v) {
                const AcGePoint3d p = point();
                polyline->addVertexAt(v, AcGePoint2d(p.x, p.y), v == 1 ? 0.0 : bulge(random_));
            }
            polyline->setClosed(index(2) == 0);
            return polyline;
        }
        case 6:
            return new AcDbText(point(), "T", AcDbObjectId::kNull, 50.0, 0.0);
        default:
            return new AcDbPoint(point());
        }
    }

    static AcDbObjectId append(AcDbEntity* entity) {
        AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
        AcDbBlockTableRecord* space = nullptr;
        EXPECT_EQ(acdbOpenObject(space, db->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
        AcDbObjectId id;
        EXPECT_EQ(space->appendAcDbEntity(id, entity), Acad::eOk);
        entity->close();
        space->close();
        return id;
    }

    std::mt19937 random_;
};

void erase(AcDbObjectId id) {
    AcDbEntity* entity = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(entity, id, AcDb::kForWrite), Acad::eOk);
    entity->erase();
    entity->close();
}

} // namespace

TEST(AppHostIntersectionSearch, TheWindowSearchPlacesExactlyWhatAllPairsPlaceOnHostEntities) {
    veld::ed::HeadlessHost host;
    for (unsigned seed : {1u, 2u, 3u, 2024u}) {
        RandomDrawing drawing(seed);
        AcDbObjectIdArray ids = drawing.build(160);
        for (int k = 0; k < 5; ++k) {
            ids.append(ids[drawing.index(ids.length())]); // found twice
        }
        erase(ids[7]);
        erase(ids[13]);
        AcGePoint3dArray everything;
        HostEntityGeometry::collectAllPairs(ids, everything);
        ASSERT_GT(everything.length(), 100) << "seed " << seed;
        for (int w = 0; w < 12; ++w) {
            const BulkWindow window(drawing.point(), drawing.point());
            AcGePoint3dArray fast;
            FoundationCommand().collectIntersections(ids, window, fast);
            const AcGePoint3dArray expected = window.pointsInside(everything);
            EXPECT_EQ(window.pointsInside(fast), expected) << "seed " << seed << " window " << w;
        }
    }
}

// Every crossing of a curve lies within the extents given for it (arcs of polylines with bulges
// up to 2.5 included); texts and points, which meet nothing, are left out.
TEST(AppHostIntersectionSearch, OnlyCurvesTakePartAndTheirCrossingsLieWithinTheirExtents) {
    veld::ed::HeadlessHost host;
    RandomDrawing drawing(7);
    const AcDbObjectIdArray ids = drawing.build(120); // kinds 0..7 in turn: 6 and 7 meet nothing
    const HostEntityGeometry geometry(ids);
    ASSERT_EQ(geometry.count(), 90);
    for (int i = 0; i < geometry.count(); ++i) {
        EntityExtents box;
        ASSERT_TRUE(geometry.extents(i, box));
        AcGePoint3dArray points;
        for (int j = 0; j < geometry.count(); ++j) {
            if (j != i) {
                geometry.intersect(i, j, points);
            }
        }
        for (const AcGePoint3d& p : points) {
            EXPECT_GE(p.x, box.minX - 1e-6);
            EXPECT_LE(p.x, box.maxX + 1e-6);
            EXPECT_GE(p.y, box.minY - 1e-6);
            EXPECT_LE(p.y, box.maxY + 1e-6);
        }
    }
}
