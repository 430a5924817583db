// The page's files, built into the executable from host/web/assets (nothing is read from disk
// when the page is served).
#pragma once
#include <optional>
#include <string_view>

namespace veld::web {

struct Asset {
    std::string_view bytes;
    const char* contentType;
};

// The file of that name (a bare file name, no folders), or nullopt.
std::optional<Asset> findAsset(std::string_view name);

} // namespace veld::web
