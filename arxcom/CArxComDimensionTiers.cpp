// Dimension tier distances from the interval list and the dimension scale.
#include "arxcom/CArxComDimensionTiers.h"

#include "arxcom/CArxComPlacement.h"

#include <cmath>
#include <vector>

namespace {

// Splits at every ","; empty entries are kept and an empty text is one empty entry. A comma
// byte never occurs inside a multi-byte UTF-8 character, so a plain byte search is safe.
std::vector<std::string> splitAtCommas(const std::string& text) {
    std::vector<std::string> entries;
    std::string::size_type start = 0;
    for (;;) {
        const std::string::size_type comma = text.find(',', start);
        if (comma == std::string::npos) {
            entries.push_back(text.substr(start));
            return entries;
        }
        entries.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
}

double usableOrZero(double value) {
    return CArxComPlacement::IsUsableValue(value) ? value : 0.0;
}

} // namespace

CArxComDimensionTiers::CArxComDimensionTiers() : offsets_{0.0, 0.0, 0.0} {}

CArxComDimensionTiers::CArxComDimensionTiers(double first, double second, double third)
    : offsets_{usableOrZero(first), usableOrZero(second), usableOrZero(third)} {}

CArxComDimensionTiers::~CArxComDimensionTiers() = default;

CArxComDimensionTiers CArxComDimensionTiers::FromSettings(const std::string& intervalList,
                                                          double scale, TextToNumber toNumber) {
    const double s = (scale == 0.0 || !std::isfinite(scale)) ? 100.0 : scale;
    const std::vector<std::string> entries = splitAtCommas(intervalList);
    double tiers[3] = {0.0, 0.0, 0.0};
    double sum = 0.0;
    for (size_t k = 0; k < 3 && k < entries.size(); ++k) {
        const double value = toNumber(entries[k].c_str());
        sum += std::isfinite(value) ? value : 0.0;
        tiers[k] = s * sum;
    }
    return CArxComDimensionTiers(tiers[0], tiers[1], tiers[2]);
}

double CArxComDimensionTiers::GetOffset(int tier) const {
    return tier >= 1 && tier <= 3 ? offsets_[tier - 1] : 0.0;
}
