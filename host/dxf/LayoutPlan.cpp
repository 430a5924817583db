// Which layout blocks lack a LAYOUT object, the handles and names their new layouts take, and
// the records written for them. Layouts the drawing has are kept as read and only counted here.
#include "host/dxf/LayoutPlan.h"

#include "host/dxf/DbAccess.h"
#include "host/dxf/TableWriter.h"

#include <algorithm>
#include <dbdict.h>
#include <dbsymtb.h>
#include <memory>

namespace veld::dxf {

namespace {

std::string upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

// The value of `code` in the subclass `marker` of kept tags; "" when it has none.
// (Tags of an object of unknown kind, or a kept record's view.)
template <class TagList> std::string valueIn(const TagList& tags, const char* marker, int code) {
    bool inside = false;
    for (const auto& [c, value] : tags) {
        if (c == 100) {
            inside = value == marker;
        } else if (inside && c == code) {
            return std::string(value);
        }
    }
    return {};
}

template <class TagList> std::uint64_t handleIn(const TagList& tags, const char* marker, int code) {
    std::uint64_t handle = 0;
    return parseHandle(valueIn(tags, marker, code), handle) ? handle : 0;
}

AcDbObjectId idOfHandle(const AcDbDatabase& db, std::uint64_t handle) {
    AcDbObjectId id;
    if (handle == 0 ||
        const_cast<AcDbDatabase&>(db).getAcDbObjectId(id, false, AcDbHandle(handle)) != Acad::eOk) {
        return {};
    }
    return id;
}

// The layouts a dictionary lists: (350/360 handles after a 3 name).
std::vector<std::uint64_t> entriesOf(const AcDbObject& dictionary) {
    std::vector<std::uint64_t> handles;
    if (const auto* modelled = AcDbDictionary::cast(&dictionary)) {
        std::unique_ptr<AcDbDictionaryIterator> it(modelled->newIterator());
        for (; !it->done(); it->next()) {
            handles.push_back(it->objectId().handle().value());
        }
        return handles;
    }
    std::string type;
    const dbaccess::Tags* tags = nullptr;
    if (!dbaccess::rawContent(dictionary, type, tags)) {
        return handles;
    }
    for (std::size_t i = 0; i + 1 < tags->size(); ++i) {
        std::uint64_t h = 0;
        const int next = (*tags)[i + 1].first;
        if ((*tags)[i].first == 3 && (next == 350 || next == 360) &&
            parseHandle((*tags)[i + 1].second, h)) {
            handles.push_back(h);
        }
    }
    return handles;
}

} // namespace

LayoutPlan::LayoutPlan(const AcDbDatabase& db, const std::function<std::uint64_t()>& take,
                       std::uint64_t firstNewHandle) {
    AcDbObjectId dictionary;
    AcDbDictionary* root = nullptr;
    if (acdbOpenObject(root, db.namedObjectsDictionaryId(), AcDb::kForRead) == Acad::eOk) {
        root->getAt("ACAD_LAYOUT", dictionary);
        root->close();
    }
    readExisting(db, dictionary);
    int nextNumber = 1;
    for (const AcDbObjectId& id : blockRecordIds(db)) {
        AcDbBlockTableRecord* record = nullptr;
        if (acdbOpenObject(record, id, AcDb::kForRead) != Acad::eOk) {
            continue;
        }
        if (record->isLayout() && layoutOfRecord_.count(id.handle().value()) == 0) {
            NewLayout layout;
            layout.model = id == db.modelSpaceId();
            layout.record = id.handle().value();
            layout.handle = handleFor(db, *record, take, firstNewHandle);
            layout.name = layout.model ? std::string("Model") : freeName(nextNumber);
            layout.tabOrder = layout.model ? 0 : ++lastTab_;
            names_.push_back(upper(layout.name));
            layoutOfRecord_[layout.record] = layout.handle;
            new_.push_back(layout);
        }
        record->close();
    }
    dictionary_ = dictionary.isNull() ? 0 : dictionary.handle().value();
    if (dictionary.isNull() && !new_.empty()) {
        dictionary_ = take();
        newDictionary_ = true;
    }
}

void LayoutPlan::readExisting(const AcDbDatabase& db, AcDbObjectId dictionary) {
    AcDbObject* object = nullptr;
    if (dictionary.isNull() ||
        acdbOpenAcDbObject(object, dictionary, AcDb::kForRead) != Acad::eOk) {
        return;
    }
    const std::vector<std::uint64_t> layouts = entriesOf(*object);
    object->close();
    for (std::uint64_t handle : layouts) {
        noteExisting(idOfHandle(db, handle));
    }
}

void LayoutPlan::noteExisting(AcDbObjectId layout) {
    AcDbObject* object = nullptr;
    if (layout.isNull() || acdbOpenAcDbObject(object, layout, AcDb::kForRead) != Acad::eOk) {
        return;
    }
    std::string type;
    const dbaccess::Tags* tags = nullptr;
    if (dbaccess::rawContent(*object, type, tags) && type == "LAYOUT") {
        if (const std::uint64_t record = handleIn(*tags, "AcDbLayout", 330); record != 0) {
            layoutOfRecord_[record] = layout.handle().value();
        }
        names_.push_back(upper(valueIn(*tags, "AcDbLayout", 1)));
        std::int64_t tab = 0;
        if (parseInteger(valueIn(*tags, "AcDbLayout", 71), tab)) {
            lastTab_ = std::max(lastTab_, static_cast<int>(std::clamp<std::int64_t>(tab, 0, 9999)));
        }
    }
    object->close();
}

// The handle the record's link as read names, when no object has it and the save gives out no
// new handle there; otherwise a new one.
std::uint64_t LayoutPlan::handleFor(const AcDbDatabase& db, const AcDbObject& record,
                                    const std::function<std::uint64_t()>& take,
                                    std::uint64_t firstNewHandle) const {
    const std::uint64_t link = handleIn(dbaccess::keptRecord(record), "AcDbBlockTableRecord", 340);
    const bool taken =
        std::any_of(new_.begin(), new_.end(), [&](const NewLayout& l) { return l.handle == link; });
    if (link != 0 && link < firstNewHandle && !taken &&
        dbaccess::freeHandleFrom(db, link) == link) {
        return link;
    }
    return take();
}

std::string LayoutPlan::freeName(int& next) const {
    for (;; ++next) {
        const std::string name = "Layout" + std::to_string(next);
        if (std::find(names_.begin(), names_.end(), upper(name)) == names_.end()) {
            ++next;
            return name;
        }
    }
}

std::uint64_t LayoutPlan::layoutOf(AcDbObjectId record) const {
    const auto it = layoutOfRecord_.find(record.isNull() ? 0 : record.handle().value());
    return it == layoutOfRecord_.end() ? 0 : it->second;
}

std::vector<std::pair<std::string, std::uint64_t>> LayoutPlan::newEntries() const {
    std::vector<std::pair<std::string, std::uint64_t>> entries;
    for (const NewLayout& layout : new_) {
        entries.emplace_back(layout.name, layout.handle);
    }
    return entries;
}

namespace {

void plotSettings(TagWriter& out, bool model) {
    out.text(100, "AcDbPlotSettings");
    out.text(1, "");
    out.text(2, "none_device");
    out.text(4, "ISO_A3_(420.00_x_297.00_MM)");
    out.text(6, "");
    for (int code : {40, 41, 42, 43}) {
        out.real(code, code % 2 == 0 ? 7.5 : 20.0); // margins: left, bottom, right, top
    }
    out.real(44, 420.0);
    out.real(45, 297.0);
    for (int code : {46, 47, 48, 49, 140, 141}) {
        out.real(code, 0.0);
    }
    out.real(142, 1.0);
    out.real(143, 1.0);
    // Standard scale, plot styles, lineweights, viewports first; the model sheet's own flag.
    out.integer(70, model ? 1712 : 688);
    out.integer(72, 1); // millimetres
    out.integer(73, 0);
    out.integer(74, model ? 0 : 5); // what is plotted: the display, or the layout
    out.text(7, "");
    out.integer(75, model ? 0 : 16); // scale to fit, or 1:1
    out.integer(76, 0);
    out.integer(77, 2);
    out.integer(78, 300);
    out.real(147, 1.0);
    out.real(148, 0.0);
    out.real(149, 0.0);
}

} // namespace

void writeNewLayout(TagWriter& out, const NewLayout& layout, std::uint64_t dictionary) {
    out.text(0, "LAYOUT");
    out.handle(5, layout.handle);
    out.handle(330, dictionary);
    plotSettings(out, layout.model);
    out.text(100, "AcDbLayout");
    out.text(1, layout.name);
    out.integer(70, 1);
    out.integer(71, layout.tabOrder);
    out.point2d(10, 0.0, 0.0);
    out.point2d(11, 420.0, 297.0);
    out.point(12, AcGePoint3d::kOrigin);
    out.point(14, AcGePoint3d(1e20, 1e20, 1e20));    // no extents yet
    out.point(15, AcGePoint3d(-1e20, -1e20, -1e20)); // (minimum above maximum)
    out.real(146, 0.0);
    out.point(13, AcGePoint3d::kOrigin);
    out.point(16, AcGePoint3d(1.0, 0.0, 0.0));
    out.point(17, AcGePoint3d(0.0, 1.0, 0.0));
    out.integer(76, 0);
    out.handle(330, layout.record);
}

void writeLayoutDictionary(TagWriter& out, const LayoutPlan& plan, std::uint64_t owner) {
    out.text(0, "DICTIONARY");
    out.handle(5, plan.dictionary());
    out.handle(330, owner);
    out.text(100, "AcDbDictionary");
    out.integer(281, 1);
    for (const auto& [name, handle] : plan.newEntries()) {
        out.text(3, name);
        out.handle(350, handle);
    }
}

void writeLayoutClass(TagWriter& out) {
    out.text(0, "CLASS");
    out.text(1, "LAYOUT");
    out.text(2, "AcDbLayout");
    out.text(3, "ObjectDBX Classes");
    out.integer(90, 0);
    out.integer(91, 0);
    out.integer(280, 0);
    out.integer(281, 0);
}

} // namespace veld::dxf
