// The entry list of a dictionary with its key and value indexes: a value's entry is found
// without scanning the list, however many entries the dictionary holds.
#include "Containers.h"
#include "XData.h"

#include <algorithm>

namespace {

void eraseOrder(std::unordered_multimap<AcDbStub*, std::uint64_t>& orders, AcDbStub* value,
                std::uint64_t order) {
    auto [first, last] = orders.equal_range(value);
    for (auto it = first; it != last; ++it) {
        if (it->second == order) {
            orders.erase(it);
            return;
        }
    }
}

} // namespace

void AcDbDictionary::Entries::insertAt(std::size_t index, const std::string& key, AcDbStub* value) {
    index = std::min(index, list.size());
    const bool atEnd = index == list.size();
    const std::uint64_t order = list.empty() ? 0 : list.back().order + 1;
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(index), {key, value, order});
    byKey[veld::db::upperAscii(key)] = value;
    if (atEnd) {
        ordersOfValue.emplace(value, order);
    } else {
        reindex(); // only undo puts an entry back in the middle
    }
}

void AcDbDictionary::Entries::eraseAt(std::size_t index) {
    if (index >= list.size()) {
        return;
    }
    const Entry& entry = list[index];
    auto found = byKey.find(veld::db::upperAscii(entry.key));
    if (found != byKey.end() && found->second == entry.value) {
        byKey.erase(found);
    }
    eraseOrder(ordersOfValue, entry.value, entry.order);
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
}

void AcDbDictionary::Entries::setValueAt(std::size_t index, AcDbStub* value) {
    if (index >= list.size()) {
        return;
    }
    Entry& entry = list[index];
    eraseOrder(ordersOfValue, entry.value, entry.order);
    entry.value = value;
    ordersOfValue.emplace(value, entry.order);
    byKey[veld::db::upperAscii(entry.key)] = value;
}

void AcDbDictionary::Entries::reindex() {
    ordersOfValue.clear();
    for (std::size_t i = 0; i < list.size(); ++i) {
        list[i].order = i;
        ordersOfValue.emplace(list[i].value, i);
    }
}

std::vector<std::size_t> AcDbDictionary::Entries::positionsOf(const AcDbStub* value) const {
    std::vector<std::size_t> positions;
    auto [first, last] = ordersOfValue.equal_range(const_cast<AcDbStub*>(value));
    for (auto it = first; it != last; ++it) {
        auto at = std::lower_bound(
            list.begin(), list.end(), it->second,
            [](const Entry& entry, std::uint64_t order) { return entry.order < order; });
        positions.push_back(static_cast<std::size_t>(at - list.begin()));
    }
    std::sort(positions.begin(), positions.end());
    return positions;
}

std::size_t AcDbDictionary::Entries::firstPositionOf(const AcDbStub* value) const {
    const std::vector<std::size_t> positions = positionsOf(value);
    return positions.empty() ? std::string::npos : positions.front();
}

std::size_t AcDbDictionary::Entries::positionOfKey(std::string_view key) const {
    auto found = byKey.find(veld::db::upperAscii(key));
    if (found != byKey.end()) {
        for (std::size_t at : positionsOf(found->second)) {
            if (veld::db::equalsIgnoreCase(list[at].key, key)) {
                return at;
            }
        }
    }
    // The key index holds every key of the list; this only guards against a list edited
    // around it.
    for (std::size_t at = 0; at < list.size(); ++at) {
        if (veld::db::equalsIgnoreCase(list[at].key, key)) {
            return at;
        }
    }
    return std::string::npos;
}
