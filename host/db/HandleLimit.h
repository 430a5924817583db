// The largest handle a drawing holds. Far below 2^64, so that giving out handles above every
// one in use can never wrap round to 0; past it, new handles start again at the lowest free one.
#pragma once
#include <cstdint>

namespace veld::db {

constexpr std::uint64_t kMaxHandle = 0x7FFFFFFFFFFFFFFF;

} // namespace veld::db
