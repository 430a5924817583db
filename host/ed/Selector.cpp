// Object selection: picks, windows and crossings over the visible entities of the current space.
#include "host/ed/Selector.h"

#include "dbsymtb.h"
#include "host/db/LayerVisibility.h"
#include "host/ed/CommandLine.h"
#include "host/ed/CurrentDrawing.h"

#include <algorithm>

namespace veld::ed {

namespace {

void addOnce(std::vector<AcDbObjectId>& ids, const AcDbObjectId& id) {
    if (std::find(ids.begin(), ids.end(), id) == ids.end()) {
        ids.push_back(id);
    }
}

InputSpec pointSpec(std::optional<AcGePoint3d> base = std::nullopt) {
    InputSpec spec;
    spec.point = true;
    spec.invalidMessage = "*Invalid selection*";
    spec.shape.kind = PromptShape::Kind::Select;
    spec.shape.base = base;
    return spec;
}

} // namespace

Selector::Selector() {
    AcDbDatabase* db = CurrentDrawing::database();
    AcDbBlockTableRecord* space = nullptr;
    if (db == nullptr || acdbOpenObject(space, db->currentSpaceId(), AcDb::kForRead) != Acad::eOk) {
        return;
    }
    AcDbObjectIdArray ids = space->entityIds();
    space->close();
    for (const AcDbObjectId& id : ids) {
        AcDbEntity* entity = nullptr;
        if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk) {
            continue;
        }
        bool visible = db::isOnVisibleLayer(entity);
        entity->close();
        if (visible) {
            candidates_.push_back(Candidate{id, EntityGeometry::outline(id)});
        }
    }
}

AcDbObjectId Selector::pick(const AcGePoint2d& p, double pixel) const {
    // A click's pick box is PICKDIST screen pixels; a typed point's reach is in drawing units.
    const double reach = commandLine().variables().real("PICKDIST") * (pixel > 0.0 ? pixel : 1.0);
    AcDbObjectId best;
    double bestDistance = reach;
    // Later entities are drawn on top: on a tie the later one is picked.
    for (const Candidate& c : candidates_) {
        double d = EntityGeometry::distance(c.outline, p);
        if (d <= bestDistance) {
            best = c.id;
            bestDistance = d;
        }
    }
    return best;
}

std::vector<AcDbObjectId> Selector::window(const Rectangle& r) const {
    std::vector<AcDbObjectId> out;
    for (const Candidate& c : candidates_) {
        if (EntityGeometry::inside(c.outline, r)) {
            out.push_back(c.id);
        }
    }
    return out;
}

std::vector<AcDbObjectId> Selector::crossing(const Rectangle& r) const {
    std::vector<AcDbObjectId> out;
    for (const Candidate& c : candidates_) {
        if (EntityGeometry::touches(c.outline, r)) {
            out.push_back(c.id);
        }
    }
    return out;
}

std::vector<AcDbObjectId> Selector::all() const {
    std::vector<AcDbObjectId> out;
    for (const Candidate& c : candidates_) {
        out.push_back(c.id);
    }
    return out;
}

int Selector::attempt(std::vector<AcDbObjectId>& selected) {
    CommandLine& cl = commandLine();
    Input first = cl.askInput("\nSelect objects: ", pointSpec());
    if (first.status != RTNORM) {
        return first.status;
    }
    AcGePoint2d p = first.point.convert2d();
    const bool startsWindow = first.pick && first.pick->startsWindow;
    AcDbObjectId picked =
        startsWindow ? AcDbObjectId() : pick(p, first.pick ? first.pick->pixel : 0.0);
    if (!picked.isNull()) {
        addOnce(selected, picked);
        cl.echo("\n1 found");
        return RTNORM;
    }
    Input corner = cl.askInput("\nSpecify opposite corner: ", pointSpec(first.point));
    if (corner.status != RTNORM) {
        return corner.status;
    }
    Rectangle box(p, corner.point.convert2d());
    // Left to right: a window; right to left: a crossing.
    std::vector<AcDbObjectId> found = corner.point.x >= p.x ? window(box) : crossing(box);
    for (const AcDbObjectId& id : found) {
        addOnce(selected, id);
    }
    cl.echo("\n" + std::to_string(found.size()) + " found");
    return RTNORM;
}

int Selector::ask(bool single, std::vector<AcDbObjectId>& selected) {
    for (;;) {
        int status = attempt(selected);
        if (status == RTCAN) {
            selected.clear();
            return RTCAN;
        }
        if (status == RTNONE || single) {
            break;
        }
    }
    return selected.empty() ? RTERROR : RTNORM;
}

} // namespace veld::ed
