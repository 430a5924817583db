// Splitting an object's tags into handle, owner, reactors, own codes and extended data.
// Typed getters turn values that do not fit their codes into the reader's error.
#include "host/dxf/RecordReader.h"

#include "host/dxf/GroupCode.h"

namespace veld::dxf {

const ReadTag* Record::find(int code) const {
    for (const ReadTag& tag : body) {
        if (tag.code == code) {
            return &tag;
        }
    }
    return nullptr;
}

std::string Record::text(int code, const std::string& fallback) const {
    const ReadTag* tag = find(code);
    return tag != nullptr ? std::string(tag->value) : fallback;
}

void Record::badValue(const ReadTag& tag, const char* expected) const {
    const std::string shown(tag.value.substr(0, 40));
    source->fail(source->valueLine(tag), "group code " + std::to_string(tag.code) + " of " + type +
                                             " needs " + expected + ", found \"" + shown + "\"");
}

double Record::realOf(const ReadTag& tag) const {
    double v = 0.0;
    if (!parseDouble(tag.value, v)) {
        badValue(tag, "a number");
    }
    return v;
}

std::int64_t Record::integerOf(const ReadTag& tag) const {
    std::int64_t v = 0;
    if (!parseInteger(tag.value, v)) {
        badValue(tag, "an integer");
    }
    return v;
}

double Record::real(int code, double fallback) const {
    const ReadTag* tag = find(code);
    return tag != nullptr ? realOf(*tag) : fallback;
}

std::int64_t Record::integer(int code, std::int64_t fallback) const {
    const ReadTag* tag = find(code);
    return tag != nullptr ? integerOf(*tag) : fallback;
}

AcGePoint3d Record::point(int code) const {
    return AcGePoint3d(real(code), real(code + 10), real(code + 20));
}

bool fitsItsCode(int code, std::string_view value) {
    double d = 0.0;
    std::int64_t i = 0;
    switch (valueKind(code)) {
    case ValueKind::Double:
        return parseDouble(value, d);
    case ValueKind::Int16:
    case ValueKind::Int32:
    case ValueKind::Int64:
    case ValueKind::Bool:
        return parseInteger(value, i);
    default:
        return true;
    }
}

std::vector<std::pair<int, std::string>> Record::keptTags() const {
    std::vector<std::pair<int, std::string>> tags;
    tags.reserve(body.size());
    for (const ReadTag& tag : body) {
        if (fitsItsCode(tag.code, tag.value)) {
            tags.emplace_back(tag.code, tag.value);
        } else {
            ++refusedValues; // never written back: no reader would take it
        }
    }
    return tags;
}

bool Record::keptTagViews(std::vector<veld::db::KeptTag>& out) const {
    out.clear();
    out.emplace_back(0, type);
    bool marked = false;
    for (const ReadTag& tag : body) {
        if (fitsItsCode(tag.code, tag.value)) {
            out.emplace_back(tag.code, tag.value);
            marked = marked || tag.code == 100;
        } else {
            ++refusedValues;
        }
    }
    return marked;
}

Record readRecord(TagSource& source) {
    Record r;
    r.body.reserve(24); // a typical entity, without regrowing on the way
    readRecord(source, r);
    return r;
}

void readRecord(TagSource& source, Record& r) {
    r.source = &source;
    r.handle = r.owner = 0;
    r.reactors.clear();
    r.body.clear();
    r.xdata.clear();
    r.refusedValues = 0;
    ReadTag start = source.take("an object");
    r.type = start.value;
    r.line = start.line;
    const int handleCode = r.type == "DIMSTYLE" ? 105 : 5;
    bool inReactors = false, ownerSeen = false, inXData = false, handleSeen = false;
    while (const ReadTag* next = source.peek()) {
        if (next->code == 0) {
            break;
        }
        ReadTag tag = source.take("a tag");
        if (inXData || tag.code == 1001) {
            inXData = true;
            r.xdata.push_back(std::move(tag));
            continue;
        }
        if (tag.code == handleCode && !handleSeen) {
            handleSeen = true;
            if (!tag.value.empty() && !parseHandle(tag.value, r.handle)) {
                source.fail(tag.line,
                            "the handle of " + r.type +
                                " is not a hexadecimal handle up to 7FFFFFFFFFFFFFFF: \"" +
                                std::string(tag.value.substr(0, 40)) + "\"");
            }
            continue;
        }
        if (tag.code == 102) {
            inReactors = tag.value == "{ACAD_REACTORS";
        } else if (tag.code == 330 && inReactors) {
            std::uint64_t h = 0;
            if (parseHandle(tag.value, h)) {
                r.reactors.push_back(h);
            }
        } else if (tag.code == 330 && !ownerSeen) {
            ownerSeen = true;
            parseHandle(tag.value, r.owner);
        }
        r.body.push_back(std::move(tag));
    }
    if (r.xdata.size() > 65536) {
        source.fail(r.line, r.type + " has more extended data than an object may hold");
    }
}

} // namespace veld::dxf
