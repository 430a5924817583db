// The TABLES section: VPORT, LTYPE, LAYER, STYLE, VIEW, UCS, APPID, DIMSTYLE and BLOCK_RECORD,
// each with its subclass markers; VPORT, VIEW and UCS records are the ones kept as read.
#pragma once
#include "host/dxf/SavePlan.h"
#include "host/dxf/TagWriter.h"

#include <dbmain.h>
#include <string>
#include <vector>

namespace veld::dxf {

void writeTables(const AcDbDatabase& db, TagWriter& out, const SavePlan& plan);

// Block table records in table order.
std::vector<AcDbObjectId> blockRecordIds(const AcDbDatabase& db);
// The name of a table record, or `fallback` when the id leads nowhere.
std::string nameOf(AcDbObjectId record, const char* fallback);

} // namespace veld::dxf
