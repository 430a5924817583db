// The LAYOUT objects a save adds: one for model space and for each paper space whose block record
// no layout names (new drawings, R12 files, files of programs that write none), listed in the
// ACAD_LAYOUT dictionary (made when the drawing has none) and linked from their block records.
#pragma once
#include "host/dxf/TagWriter.h"

#include <dbmain.h>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace veld::dxf {

struct NewLayout {
    std::uint64_t handle = 0;
    std::uint64_t record = 0; // the block record
    std::string name;         // "Model", "Layout1" ...
    int tabOrder = 0;
    bool model = false;
};

class LayoutPlan {
public:
    // `take` gives out new handles. A block record that names a layout the file did not keep
    // (its link as read points at no object) gets its layout under that handle.
    LayoutPlan(const AcDbDatabase& db, const std::function<std::uint64_t()>& take,
               std::uint64_t firstNewHandle);

    // The layout of a block record (as read or new); 0 for other blocks.
    std::uint64_t layoutOf(AcDbObjectId record) const;
    const std::vector<NewLayout>& newLayouts() const { return new_; }
    // The ACAD_LAYOUT dictionary: its handle, and whether the save makes it.
    std::uint64_t dictionary() const { return dictionary_; }
    bool newDictionary() const { return newDictionary_; }
    // The dictionary entries the save adds to ACAD_LAYOUT ("Model" -> handle ...).
    std::vector<std::pair<std::string, std::uint64_t>> newEntries() const;

private:
    void readExisting(const AcDbDatabase& db, AcDbObjectId dictionary);
    void noteExisting(AcDbObjectId layout);
    std::uint64_t handleFor(const AcDbDatabase& db, const AcDbObject& record,
                            const std::function<std::uint64_t()>& take,
                            std::uint64_t firstNewHandle) const;
    std::string freeName(int& next) const;

    std::map<std::uint64_t, std::uint64_t> layoutOfRecord_; // block record -> layout
    std::vector<std::string> names_;                        // of every layout, upper case
    int lastTab_ = 0;
    std::vector<NewLayout> new_;
    std::uint64_t dictionary_ = 0;
    bool newDictionary_ = false;
};

// A LAYOUT object with plot settings of an A3 sheet in millimetres, owned by `dictionary`.
void writeNewLayout(TagWriter& out, const NewLayout& layout, std::uint64_t dictionary);
// The empty ACAD_LAYOUT dictionary head, owned by the named-object dictionary, and its entries.
void writeLayoutDictionary(TagWriter& out, const LayoutPlan& plan, std::uint64_t owner);
// The CLASS record of LAYOUT objects.
void writeLayoutClass(TagWriter& out);

} // namespace veld::dxf
