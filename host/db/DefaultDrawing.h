// The standard contents of a new drawing.
#pragma once

class AcDbDatabase;

namespace veld::db {

// Tables with their standard records (layer "0", linetypes ByBlock/ByLayer/Continuous, text and
// dimension style "STANDARD", application "ACAD", *Model_Space and *Paper_Space), the tables
// kept raw (VPORT, VIEW, UCS), the named-object dictionary with ACAD_GROUP. Not journaled.
void buildDefaultDrawing(AcDbDatabase& database);

} // namespace veld::db
