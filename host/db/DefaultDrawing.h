// The standard contents every drawing has, made for a new drawing and completed after a load.
#pragma once
#include <string>
#include <vector>

class AcDbDatabase;

namespace veld::db {

// Finds or adds the tables (block, layer, linetype, text style, dimension style, registered
// application, and the raw VIEW, UCS and VPORT tables), the standard records (layer "0",
// linetypes ByBlock/ByLayer/Continuous, text and dimension style "STANDARD", application "ACAD",
// *Model_Space and *Paper_Space), the named-object dictionary with ACAD_GROUP, and fills the
// database's well-known ids and current settings. Objects found (as loaded from a file) are
// kept; nothing is journaled. Returns one line for each thing it had to add.
std::vector<std::string> completeStandardContents(AcDbDatabase& database);

// A new drawing: the standard contents of an empty database.
void buildDefaultDrawing(AcDbDatabase& database);

} // namespace veld::db
