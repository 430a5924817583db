// DXF text from and to (code, value) pairs; records found by handle.
#include "support/DxfText.h"

#include <algorithm>
#include <sstream>

namespace veld::test {

std::string dxfText(const DxfTags& tags) {
    std::string out;
    for (const auto& [code, value] : tags) {
        out += std::to_string(code) + "\n" + value + "\n";
    }
    return out;
}

DxfTags dxfTags(const std::string& text) {
    std::istringstream in(text);
    DxfTags all;
    std::string code, value;
    while (std::getline(in, code) && std::getline(in, value)) {
        all.emplace_back(std::stoi(code), value);
    }
    return all;
}

DxfTags dxfRecord(const std::string& text, const std::string& handle) {
    const DxfTags all = dxfTags(text);
    for (std::size_t i = 0; i + 1 < all.size(); ++i) {
        if (all[i].first == 0 && (all[i + 1].first == 5 || all[i + 1].first == 105) &&
            all[i + 1].second == handle) {
            DxfTags record{all[i]};
            for (std::size_t j = i + 1; j < all.size() && all[j].first != 0; ++j) {
                record.push_back(all[j]);
            }
            return record;
        }
    }
    return {};
}

std::string valueOf(const DxfTags& tags, int code) {
    const auto it =
        std::find_if(tags.begin(), tags.end(), [&](const auto& t) { return t.first == code; });
    return it == tags.end() ? std::string() : it->second;
}

int countOf(const DxfTags& tags, int code, const std::string& value) {
    return static_cast<int>(std::count(tags.begin(), tags.end(), std::make_pair(code, value)));
}

} // namespace veld::test
