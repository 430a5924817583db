// A canonical text of a drawing database, for tests that compare a drawing before a change and
// after its undo byte for byte.
#pragma once
#include "dbmain.h"

#include <string>

namespace veld::db {

// Every object in the database (erased ones marked, undone creations left out) in handle
// order: class, handle, owner, erased flag, the class's data, extended data, reactors, and the
// lists of containers (block entities, table records, dictionary entries, group members). The
// handle seed and open states are not part of it. Numbers print with 17 significant digits.
std::string dumpDatabase(const AcDbDatabase& database);

} // namespace veld::db
