// The file code's way to what the database keeps for files only: the handle seed, objects in
// handle order, objects and table records kept as read (their DXF type and tags), header
// variables and classes kept as read, USERR1..5, and the handles of file-only parts (block
// begin and end markers, attribute-list ends). A thin layer over the database's host-internal
// interface.
#pragma once
#include "host/db/KeptTagStore.h"
#include "host/db/RawTags.h"

#include <dbmain.h>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace veld::dxf::dbaccess {

// Tags as the database keeps them: (group code, value text) exactly as read.
using Tags = std::vector<std::pair<int, std::string>>;

std::uint64_t handseed(const AcDbDatabase& db);
// `handle` when no object has it and it is within the handle limit, else the next such one.
std::uint64_t freeHandleFrom(const AcDbDatabase& db, std::uint64_t handle);

// The handles of a block record's BLOCK and ENDBLK markers, given out on first ask and kept.
std::pair<std::uint64_t, std::uint64_t> blockMarkers(const AcDbDatabase& db, AcDbObjectId record);
void setBlockMarkers(AcDbDatabase& db, AcDbObjectId record, std::uint64_t begin, std::uint64_t end);
// The handle of the SEQEND after a reference's attributes as read; 0 when none was read.
std::uint64_t sequenceEnd(const AcDbDatabase& db, std::uint64_t insert);
void setSequenceEnd(AcDbDatabase& db, std::uint64_t insert, std::uint64_t handle);

// Every live, unerased object in handle order.
void forEachObject(const AcDbDatabase& db, const std::function<void(AcDbObjectId)>& visit);

// For an object or table record kept as read: its DXF type and tags (all but the type and the
// handle). False for objects the database models.
bool rawContent(const AcDbObject& object, std::string& dxfType, const Tags*& tags);
// The same without asking for a list (tags read from a file then stay packed); null for objects
// the database models.
const veld::db::RawTags* rawTags(const AcDbObject& object, std::string& dxfType);
// Entities and objects kept as read, their tags packed into the store of `db` (which they go to).
AcDbObject* makeRawEntity(AcDbDatabase& db, const std::string& dxfType,
                          const std::vector<veld::db::KeptTag>& tags);
AcDbObject* makeRawObject(AcDbDatabase& db, const std::string& dxfType,
                          const std::vector<veld::db::KeptTag>& tags);
AcDbObject* makeRawTable(const std::string& name, Tags tags);
AcDbObject* makeRawRecord(const std::string& table, const std::string& name, Tags tags);

// The record a modelled object was read with (its type, then every tag but its handle and
// extended data), or empty for an object that was not read from a file.
veld::db::KeptTagsView keptRecord(const AcDbObject& object);
void keepRecord(AcDbDatabase& db, AcDbObjectId id, const Tags& tags);
void keepRecord(AcDbDatabase& db, AcDbObjectId id, const std::vector<veld::db::KeptTag>& tags);
// The BLOCK and ENDBLK records of a block record as read, or nothing.
std::optional<std::pair<veld::db::KeptTagsView, veld::db::KeptTagsView>>
keptBlockMarkers(const AcDbDatabase& db, AcDbObjectId record);
void keepBlockMarkers(AcDbDatabase& db, AcDbObjectId record, const Tags& begin, const Tags& end);
// True when the object was opened for a change since it was read.
bool changedSinceRead(const AcDbObject& object);

// Header variables not modelled, in file order: ("$NAME", tags after the 9 group).
const std::vector<std::pair<std::string, Tags>>& keptHeader(const AcDbDatabase& db);
const std::vector<Tags>& keptClasses(const AcDbDatabase& db);
// The tables kept as read (VPORT, VIEW, UCS) with their records in table order.
std::vector<AcDbObjectId> rawTables(const AcDbDatabase& db);

double userReal(const AcDbDatabase& db, int index); // USERR1..USERR5

} // namespace veld::dxf::dbaccess
