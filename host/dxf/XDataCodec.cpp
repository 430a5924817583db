// Extended data in the database's encoding: per application a u32 interned name, a u16 payload
// size and the items (one byte code - 1000, then the value).
#include "host/dxf/XDataCodec.h"

#include "host/db/DatabaseImpl.h"
#include "host/db/ObjectAccess.h"
#include "host/db/XData.h"

#include <cstdint>
#include <cstring>

namespace veld::dxf {

namespace {

bool isTextCode(int code) {
    return code == 1000 || code == 1003 || code == 1005;
}
bool isPointCode(int code) {
    return code >= 1010 && code <= 1013;
}
bool isRealCode(int code) {
    return code >= 1040 && code <= 1042;
}

template <class T> T load(const char* p) {
    T value;
    std::memcpy(&value, p, sizeof(T));
    return value;
}

template <class T> void store(std::string& out, T value) {
    char raw[sizeof(T)];
    std::memcpy(raw, &value, sizeof(T));
    out.append(raw, sizeof(T));
}

// The longest prefix of at most `limit` bytes that does not cut a UTF-8 sequence.
std::string_view cutText(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) {
        return text;
    }
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        --end;
    }
    return text.substr(0, end);
}

[[noreturn]] void bad(const ReadTag& tag, const char* what) {
    throw DxfError("extended data group " + std::to_string(tag.code) + " needs " + what +
                   ", found \"" + std::string(tag.value.substr(0, 40)) + "\"");
}

double real(const ReadTag& tag) {
    double v = 0.0;
    if (!parseDouble(tag.value, v)) {
        bad(tag, "a number");
    }
    return v;
}

std::int64_t integer(const ReadTag& tag, std::int64_t low, std::int64_t high, const char* what) {
    std::int64_t v = 0;
    if (!parseInteger(tag.value, v) || v < low || v > high) {
        bad(tag, what);
    }
    return v;
}

// Encodes the items of one application, from tags[i] (after its 1001) to the next 1001.
void encodeItems(const std::vector<ReadTag>& tags, std::size_t& i, std::string& payload) {
    for (; i < tags.size() && tags[i].code != 1001; ++i) {
        const ReadTag& tag = tags[i];
        const int code = tag.code;
        if (isTextCode(code)) {
            const std::string_view text = cutText(tag.value, veld::db::kMaxXDataString);
            payload += static_cast<char>(code - 1000);
            payload += static_cast<char>(text.size());
            payload.append(text);
        } else if (code == 1002) {
            payload += '\2';
            payload += tag.value.find('}') != std::string_view::npos ? '\1' : '\0';
        } else if (code == 1004) {
            const std::size_t n = std::min<std::size_t>(tag.value.size() / 2, 127);
            payload += '\4';
            payload += static_cast<char>(n);
            for (std::size_t k = 0; k < n; ++k) {
                std::uint64_t byte = 0;
                if (!parseHandle(tag.value.substr(2 * k, 2), byte)) {
                    bad(tag, "hexadecimal digits");
                }
                payload += static_cast<char>(byte);
            }
        } else if (isPointCode(code)) {
            payload += static_cast<char>(code - 1000);
            double xyz[3] = {real(tag), 0.0, 0.0};
            for (int k = 1; k <= 2 && i + 1 < tags.size() && tags[i + 1].code == code + 10 * k;
                 ++k) {
                xyz[k] = real(tags[++i]);
            }
            for (double v : xyz) {
                store(payload, v);
            }
        } else if (isRealCode(code)) {
            payload += static_cast<char>(code - 1000);
            store(payload, real(tag));
        } else if (code == 1070) {
            payload += static_cast<char>(70);
            store(payload,
                  static_cast<std::int16_t>(integer(tag, -32768, 32767, "a 16-bit integer")));
        } else if (code == 1071) {
            payload += static_cast<char>(71);
            store(payload, static_cast<std::int32_t>(
                               integer(tag, INT32_MIN, INT32_MAX, "a 32-bit integer")));
        }
        // Codes extended data does not know are left out.
    }
}

void writeItem(TagWriter& out, const char*& p) {
    const int code = 1000 + static_cast<unsigned char>(*p++);
    if (isTextCode(code) || code == 1004) {
        const auto n = static_cast<unsigned char>(*p++);
        if (code != 1004) {
            out.text(code, std::string_view(p, n));
        } else {
            static constexpr char kHex[] = "0123456789ABCDEF";
            std::string hex;
            for (std::size_t k = 0; k < n; ++k) {
                hex += kHex[static_cast<unsigned char>(p[k]) >> 4];
                hex += kHex[static_cast<unsigned char>(p[k]) & 15];
            }
            out.text(code, hex);
        }
        p += n;
    } else if (code == 1002) {
        out.text(code, *p++ == 0 ? "{" : "}");
    } else if (isPointCode(code)) {
        out.point(code, AcGePoint3d(load<double>(p), load<double>(p + 8), load<double>(p + 16)));
        p += 24;
    } else if (isRealCode(code)) {
        out.real(code, load<double>(p));
        p += 8;
    } else if (code == 1070) {
        out.integer(code, load<std::int16_t>(p));
        p += 2;
    } else {
        out.integer(code, load<std::int32_t>(p));
        p += 4;
    }
}

} // namespace

void writeXData(TagWriter& out, const AcDbObject& object) {
    const veld::db::ObjectExtras* extras = veld::db::ObjectAccess::extras(object);
    if (extras == nullptr || extras->xdataSize == 0) {
        return;
    }
    const std::string_view bytes = extras->bytes();
    const char* p = bytes.data();
    const char* end = p + bytes.size();
    while (p + 6 <= end) {
        const auto name = load<std::uint32_t>(p);
        const auto size = load<std::uint16_t>(p + 4);
        p += 6;
        out.text(1001, veld::db::internedAppName(name));
        const char* stop = p + size;
        while (p < stop) {
            writeItem(out, p);
        }
    }
}

std::size_t readXData(AcDbObject& object, const std::vector<ReadTag>& tags,
                      const std::function<void(const std::string&)>& registered,
                      veld::db::DatabaseImpl* keptIn) {
    std::size_t dropped = 0;
    // Kept from call to call: reading a drawing encodes the data of every object.
    thread_local std::string encoded, payload;
    encoded.clear();
    std::size_t i = 0;
    while (i < tags.size()) {
        if (tags[i].code != 1001) {
            ++i; // items before any application name belong to none
            continue;
        }
        const std::string name(cutText(tags[i].value, 255));
        ++i;
        payload.clear();
        encodeItems(tags, i, payload);
        if (name.empty() || payload.empty()) {
            continue;
        }
        // What a file holds is kept even past the limit for new data, up to what the
        // database's form can hold for one application.
        if (payload.size() > 0xFFFF || encoded.size() + 6 + payload.size() > 0xFFFFFFF) {
            ++dropped;
            continue;
        }
        registered(name);
        store(encoded, veld::db::internAppName(name));
        store(encoded, static_cast<std::uint16_t>(payload.size()));
        encoded += payload;
    }
    if (!encoded.empty() && keptIn != nullptr) {
        veld::db::ObjectAccess::setKeptXDataBytes(object, keptIn->keepBytes(encoded));
    } else if (!encoded.empty()) {
        veld::db::ObjectAccess::setXDataBytes(object, encoded);
    }
    return dropped;
}

} // namespace veld::dxf
