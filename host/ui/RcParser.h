// Reads a resource script (.rc) into a ResourceScript: DIALOG and DIALOGEX templates with their
// controls, user-defined resources with inline data, and resources kept in files.
#pragma once
#include "host/ui/DialogTemplate.h"

#include <string_view>

namespace veld::ui {

// Throws RcError (with the line) for anything it cannot read.
ResourceScript parseResourceScript(std::string_view bytes);

} // namespace veld::ui
