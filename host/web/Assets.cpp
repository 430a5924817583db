// Looking up the embedded page files.
#include "host/web/Assets.h"

#include <map>
#include <string>

namespace veld::web {

// Filled by the generated source (see cmake/EmbedAssets.cmake).
const std::map<std::string_view, std::string_view>& embeddedAssets();

namespace {

const char* contentTypeOf(std::string_view name) {
    static const std::pair<std::string_view, const char*> types[] = {
        {".html", "text/html; charset=utf-8"},
        {".js", "text/javascript; charset=utf-8"},
        {".mjs", "text/javascript; charset=utf-8"},
        {".css", "text/css; charset=utf-8"},
        {".svg", "image/svg+xml"},
        {".png", "image/png"},
        {".json", "application/json"},
        {".woff2", "font/woff2"},
    };
    for (const auto& [extension, type] : types) {
        if (name.ends_with(extension)) {
            return type;
        }
    }
    return "application/octet-stream";
}

} // namespace

std::optional<Asset> findAsset(std::string_view name) {
    const auto& assets = embeddedAssets();
    auto it = assets.find(name);
    if (it == assets.end()) {
        return std::nullopt;
    }
    return Asset{it->second, contentTypeOf(name)};
}

} // namespace veld::web
