// Writing back a record read from a file: reactors and owner as the database holds them now,
// the other tags as read, or, for an object changed since, merged with the values it models.
#pragma once
#include "host/db/KeptTagStore.h"
#include "host/dxf/TagWriter.h"

#include <cstdint>
#include <dbmain.h>
#include <string>
#include <utility>
#include <vector>

namespace veld::dxf {

using KeptTags = std::vector<std::pair<int, std::string>>;
// A record as the database keeps it for an object read from a file.
using KeptView = veld::db::KeptTagsView;

// The codes each subclass models: a changed object's value replaces the kept one, and a kept one
// the object no longer writes (a default left out) is dropped. `mask` limits flag codes to the
// bits modelled; the others keep their value as read.
struct ModelledCode {
    int code;
    std::int64_t mask = 0; // 0: the whole value
};
const std::vector<ModelledCode>* modelledCodes(const std::string& subclass);

// `kept` with the modelled codes of `generated` (both without type, handle, reactors, owner and
// extended data) put in: values in place when every modelled code occurs as often in both,
// otherwise the generated subclass followed by the kept codes it does not model.
KeptTags mergeRecord(const KeptTags& kept, const std::vector<OwnedTag>& generated);

// The tags of a generated record after its reactors and owner (from the first subclass marker)
// and before its extended data.
std::vector<OwnedTag> generatedBody(const std::vector<OwnedTag>& generated);

// `kept` starts with (0, DXF type). Writes "0 type", the handle, the reactors, the kept head's
// other groups (extension dictionary), the owner, then `body` (null: the kept tags after the head).
// `Kept` is KeptTags or KeptView.
template <class Kept>
void writeKeptRecord(TagWriter& out, int handleCode, std::uint64_t handle,
                     const std::vector<std::uint64_t>& reactors, std::uint64_t owner,
                     const Kept& kept, const KeptTags* body = nullptr);

// How many kept tags (after the type) form the head (102 groups and the owner after them);
// `endsWithOwner` is set when the head holds an owner.
template <class Kept> std::size_t keptHeadLength(const Kept& kept, bool* endsWithOwner = nullptr);

// An owned copy of the kept tags from `first` on.
KeptTags keptTagsFrom(const KeptTags& kept, std::size_t first);
KeptTags keptTagsFrom(const KeptView& kept, std::size_t first);

// Writes `object` from the record it was read with, when it has one: as read while unchanged,
// else merged with what `generate` writes for it into the given writer. False when the object
// has no kept record. The extended data is the caller's.
template <class Generate>
bool writeAsKept(TagWriter& out, const AcDbObject& object, int handleCode, std::uint64_t owner,
                 Generate&& generate);
// The same, merged even when not opened for a change (`alwaysMerge`).
template <class Generate>
bool writeAsKept(TagWriter& out, const AcDbObject& object, int handleCode, std::uint64_t owner,
                 bool alwaysMerge, Generate&& generate);

// The same for kept tags of a part of the file the database has no object for.
template <class Kept, class Generate>
void writeKeptOrMerged(TagWriter& out, const Kept& kept, bool changed, int handleCode,
                       std::uint64_t handle, const std::vector<std::uint64_t>& reactors,
                       std::uint64_t owner, Generate&& generate);

// The handles of an object's persistent reactors.
std::vector<std::uint64_t> reactorHandles(const AcDbObject& object);

} // namespace veld::dxf

#include "host/dxf/DbAccess.h"

template <class Kept, class Generate>
void veld::dxf::writeKeptOrMerged(TagWriter& out, const Kept& kept, bool changed, int handleCode,
                                  std::uint64_t handle, const std::vector<std::uint64_t>& reactors,
                                  std::uint64_t owner, Generate&& generate) {
    if (!changed) {
        writeKeptRecord(out, handleCode, handle, reactors, owner, kept);
        return;
    }
    MemoryTagSink sink;
    TagWriter capture(sink);
    generate(capture);
    const KeptTags body = keptTagsFrom(kept, 1 + keptHeadLength(kept));
    const KeptTags merged = mergeRecord(body, generatedBody(sink.tags));
    writeKeptRecord(out, handleCode, handle, reactors, owner, kept, &merged);
}

template <class Generate>
bool veld::dxf::writeAsKept(TagWriter& out, const AcDbObject& object, int handleCode,
                            std::uint64_t owner, Generate&& generate) {
    return writeAsKept(out, object, handleCode, owner, false, generate);
}

template <class Generate>
bool veld::dxf::writeAsKept(TagWriter& out, const AcDbObject& object, int handleCode,
                            std::uint64_t owner, bool alwaysMerge, Generate&& generate) {
    const KeptView kept = dbaccess::keptRecord(object);
    if (kept.empty()) {
        return false;
    }
    writeKeptOrMerged(out, kept, alwaysMerge || dbaccess::changedSinceRead(object), handleCode,
                      object.objectId().handle().value(), reactorHandles(object), owner, generate);
    return true;
}
