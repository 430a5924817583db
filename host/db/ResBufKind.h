// Which member of a result buffer's value a type code uses: the command-line types (RT...) and
// the DXF group codes share one classification.
#pragma once

namespace veld::db {

enum class ValueKind { None, Real, Point, Short, Long, Int64, String, Name, Binary };

ValueKind valueKindOf(int restype);

} // namespace veld::db
