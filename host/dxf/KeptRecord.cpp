// Merging a changed object's modelled codes into the record it was read with, subclass by
// subclass; the table of modelled codes is shared by every kind the database models.
#include "host/dxf/KeptRecord.h"

#include "host/dxf/Tag.h"

#include <algorithm>
#include <map>

namespace veld::dxf {

namespace {

const std::map<std::string, std::vector<ModelledCode>>& codeTable() {
    static const std::map<std::string, std::vector<ModelledCode>> table = {
        {"AcDbEntity", {{8}, {6}, {62}, {48}}},
        {"AcDbLine", {{10}, {20}, {30}, {11}, {21}, {31}}},
        {"AcDbPoint", {{10}, {20}, {30}}},
        {"AcDbCircle", {{10}, {20}, {30}, {40}, {210}, {220}, {230}}},
        {"AcDbArc", {{50}, {51}}},
        {"AcDbPolyline",
         {{90}, {70, 1}, {43}, {38}, {10}, {20}, {40}, {41}, {42}, {210}, {220}, {230}}},
        {"AcDbText",
         {{10},
          {20},
          {30},
          {40},
          {1},
          {50},
          {41},
          {51},
          {7},
          {72},
          {11},
          {21},
          {31},
          {73},
          {210},
          {220},
          {230}}},
        {"AcDbAttributeDefinition", {{3}, {2}, {70, 15}, {74}}},
        {"AcDbAttribute", {{2}, {70, 1}, {74}}},
        {"AcDbBlockReference",
         {{2}, {10}, {20}, {30}, {41}, {42}, {43}, {50}, {210}, {220}, {230}}},
        {"AcDbDimension", {{2}, {10}, {20}, {30}, {11}, {21}, {31}, {70}, {41}, {42}, {1}, {3}}},
        {"AcDbAlignedDimension", {{13}, {23}, {33}, {14}, {24}, {34}, {52}}},
        {"AcDbLayerTableRecord", {{2}, {70, 5}, {62}, {6}, {290}}},
        {"AcDbLinetypeTableRecord", {{2}, {3}, {73}, {40}, {49}}},
        {"AcDbTextStyleTableRecord", {{2}, {40}, {41}, {3}, {4}}},
        {"AcDbDimStyleTableRecord",
         {{2}, {40}, {41}, {42}, {44}, {140}, {142}, {147}, {77}, {271}, {340}}},
        {"AcDbRegAppTableRecord", {{2}}},
        {"AcDbBlockTableRecord", {{2}, {340}}},
        {"AcDbBlockBegin", {{2}, {10}, {20}, {30}}},
        {"AcDbDictionary", {{3}, {350}, {360}}},
        {"AcDbGroup", {{300}, {70}, {71}, {340}}},
    };
    return table;
}

struct Segment {
    std::string marker; // empty: the tags before the first marker
    KeptTags tags;
};

template <class Tags> std::vector<Segment> segments(const Tags& tags) {
    std::vector<Segment> out(1);
    for (const auto& tag : tags) {
        const int code = tag.first;
        if (code == 100) {
            out.push_back({tag.second, {}});
        } else {
            out.back().tags.emplace_back(code, tag.second);
        }
    }
    return out;
}

std::vector<std::pair<int, std::string>> pairsOf(const std::vector<OwnedTag>& tags) {
    std::vector<std::pair<int, std::string>> out;
    out.reserve(tags.size());
    for (const OwnedTag& t : tags) {
        out.emplace_back(t.code, t.value);
    }
    return out;
}

std::size_t countOf(const KeptTags& tags, int code) {
    return static_cast<std::size_t>(
        std::count_if(tags.begin(), tags.end(), [&](const auto& t) { return t.first == code; }));
}

const ModelledCode* findCode(const std::vector<ModelledCode>& codes, int code) {
    for (const ModelledCode& c : codes) {
        if (c.code == code) {
            return &c;
        }
    }
    return nullptr;
}

// A flag value with the unmodelled bits as read.
std::string masked(const std::string& kept, const std::string& generated, std::int64_t mask) {
    std::int64_t k = 0, g = 0;
    if (mask == 0 || !parseInteger(kept, k) || !parseInteger(generated, g)) {
        return generated;
    }
    return std::to_string((k & ~mask) | (g & mask));
}

KeptTags mergeSegment(const KeptTags& kept, const KeptTags& generated,
                      const std::vector<ModelledCode>& owned) {
    bool sameCounts = true;
    for (const ModelledCode& c : owned) {
        sameCounts = sameCounts && countOf(kept, c.code) == countOf(generated, c.code);
    }
    KeptTags out;
    if (sameCounts) {
        std::map<int, std::size_t> used;
        for (const auto& [code, value] : kept) {
            const ModelledCode* c = findCode(owned, code);
            if (c == nullptr) {
                out.emplace_back(code, value);
                continue;
            }
            std::size_t n = used[code]++;
            for (const auto& g : generated) {
                if (g.first == code && n-- == 0) {
                    out.emplace_back(code, masked(value, g.second, c->mask));
                    break;
                }
            }
        }
    } else {
        for (const auto& g : generated) {
            const ModelledCode* c = findCode(owned, g.first);
            if (c != nullptr) {
                const auto k = std::find_if(kept.begin(), kept.end(),
                                            [&](const auto& t) { return t.first == g.first; });
                out.emplace_back(g.first,
                                 k == kept.end() ? g.second : masked(k->second, g.second, c->mask));
            }
        }
        for (const auto& k : kept) {
            if (findCode(owned, k.first) == nullptr) {
                out.push_back(k);
            }
        }
    }
    // Codes written that the record lacked and nothing models (defaults the writer adds).
    for (const auto& g : generated) {
        if (findCode(owned, g.first) == nullptr && countOf(kept, g.first) == 0) {
            out.push_back(g);
        }
    }
    return out;
}

std::vector<ModelledCode> ownedIn(const Segment& generated) {
    if (const auto* codes = modelledCodes(generated.marker)) {
        return *codes;
    }
    std::vector<ModelledCode> all;
    for (const auto& t : generated.tags) {
        if (findCode(all, t.first) == nullptr) {
            all.push_back({t.first});
        }
    }
    return all;
}

void append(KeptTags& out, const Segment& s) {
    if (!s.marker.empty()) {
        out.emplace_back(100, s.marker);
    }
    out.insert(out.end(), s.tags.begin(), s.tags.end());
}

} // namespace

const std::vector<ModelledCode>* modelledCodes(const std::string& subclass) {
    const auto& table = codeTable();
    const auto it = table.find(subclass);
    return it == table.end() ? nullptr : &it->second;
}

std::vector<std::uint64_t> reactorHandles(const AcDbObject& object) {
    std::vector<std::uint64_t> handles;
    for (const AcDbObjectId& id : object.persistentReactors()) {
        handles.push_back(id.handle().value());
    }
    return handles;
}

std::vector<OwnedTag> generatedBody(const std::vector<OwnedTag>& generated) {
    std::vector<OwnedTag> body;
    bool inBody = false;
    for (std::size_t i = 0; i < generated.size(); ++i) {
        const OwnedTag& t = generated[i];
        if (t.code == 1001 || (t.code == 0 && i > 0)) {
            break; // extended data, or the attributes after a block reference
        }
        inBody = inBody || t.code == 100;
        if (inBody) {
            body.push_back(t);
        }
    }
    return body;
}

KeptTags mergeRecord(const KeptTags& kept, const std::vector<OwnedTag>& generated) {
    std::vector<Segment> keptSegments = segments(kept);
    const std::vector<Segment> genSegments = segments(pairsOf(generated));
    std::size_t insertAt = 1;
    for (std::size_t g = 1; g < genSegments.size(); ++g) {
        const Segment& gen = genSegments[g];
        // The next kept subclass of that name (TEXT has two AcDbText parts).
        auto match = std::find_if(keptSegments.begin() + static_cast<std::ptrdiff_t>(insertAt),
                                  keptSegments.end(),
                                  [&](const Segment& s) { return s.marker == gen.marker; });
        if (match == keptSegments.end()) {
            keptSegments.insert(keptSegments.begin() + static_cast<std::ptrdiff_t>(insertAt), gen);
            ++insertAt;
            continue;
        }
        match->tags = mergeSegment(match->tags, gen.tags, ownedIn(gen));
        insertAt = static_cast<std::size_t>(match - keptSegments.begin()) + 1;
    }
    KeptTags out;
    for (const Segment& s : keptSegments) {
        append(out, s);
    }
    return out;
}

template <class Kept> std::size_t keptHeadLength(const Kept& kept, bool* endsWithOwner) {
    bool inGroup = false;
    for (std::size_t i = 1; i < kept.size(); ++i) {
        const auto [code, value] = kept[i];
        if (code == 102) {
            inGroup = value != "}";
        } else if (code == 330 && !inGroup) {
            if (endsWithOwner != nullptr) {
                *endsWithOwner = true;
            }
            return i;
        } else if (!inGroup) {
            return i - 1;
        }
    }
    return kept.empty() ? 0 : kept.size() - 1;
}

template <class Kept>
void writeKeptRecord(TagWriter& out, int handleCode, std::uint64_t handle,
                     const std::vector<std::uint64_t>& reactors, std::uint64_t owner,
                     const Kept& kept, const KeptTags* body) {
    out.text(0, kept.front().second);
    out.handle(handleCode, handle);
    if (!reactors.empty()) {
        out.text(102, "{ACAD_REACTORS");
        for (std::uint64_t r : reactors) {
            out.handle(330, r);
        }
        out.text(102, "}");
    }
    bool endsWithOwner = false;
    const std::size_t head = keptHeadLength(kept, &endsWithOwner);
    bool inReactors = false;
    for (std::size_t i = 1; i <= head - (endsWithOwner ? 1 : 0); ++i) {
        const auto [code, value] = kept[i];
        const bool closing = inReactors && code == 102 && value == "}";
        inReactors = (inReactors && !closing) || (code == 102 && value == "{ACAD_REACTORS");
        if (!inReactors && !closing) {
            out.raw(code, value);
        }
    }
    out.handle(330, owner);
    if (body != nullptr) {
        for (const auto& [code, value] : *body) {
            out.raw(code, value);
        }
        return;
    }
    for (std::size_t i = head + 1; i < kept.size(); ++i) {
        const auto [code, value] = kept[i];
        out.raw(code, value);
    }
}

KeptTags keptTagsFrom(const KeptTags& kept, std::size_t first) {
    return first >= kept.size()
               ? KeptTags()
               : KeptTags(kept.begin() + static_cast<std::ptrdiff_t>(first), kept.end());
}

KeptTags keptTagsFrom(const KeptView& kept, std::size_t first) {
    return kept.toTags(first);
}

template std::size_t keptHeadLength(const KeptTags&, bool*);
template std::size_t keptHeadLength(const KeptView&, bool*);
template void writeKeptRecord(TagWriter&, int, std::uint64_t, const std::vector<std::uint64_t>&,
                              std::uint64_t, const KeptTags&, const KeptTags*);
template void writeKeptRecord(TagWriter&, int, std::uint64_t, const std::vector<std::uint64_t>&,
                              std::uint64_t, const KeptView&, const KeptTags*);

} // namespace veld::dxf
