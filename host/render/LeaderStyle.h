// What a LEADER entity takes from its dimension style: the size of its arrowhead.
#pragma once
#include <dbmain.h>

class AcDbRawEntity;

namespace veld::render {

double leaderArrowSize(const AcDbDatabase& db, const AcDbRawEntity& leader);

} // namespace veld::render
