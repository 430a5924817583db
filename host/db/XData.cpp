// Encoding, merging and decoding of extended data (layout described in XData.h).
#include "XData.h"

#include <cstring>
#include <unordered_map>

namespace veld::db {

namespace {

struct NameTable {
    std::vector<std::string> names;
    std::unordered_map<std::string, std::uint32_t> index;
};

NameTable& nameTable() {
    static NameTable table;
    return table;
}

template <class T> void put(std::string& out, T value) {
    char raw[sizeof(T)];
    std::memcpy(raw, &value, sizeof(T));
    out.append(raw, sizeof(T));
}

template <class T> T get(std::string_view in, std::size_t& pos) {
    T value{};
    std::memcpy(&value, in.data() + pos, sizeof(T));
    pos += sizeof(T);
    return value;
}

// The encoded data of one application.
struct AppData {
    std::uint32_t name = 0;
    std::string payload;
};

std::vector<AppData> splitApps(std::string_view encoded) {
    std::vector<AppData> apps;
    std::size_t pos = 0;
    while (pos < encoded.size()) {
        AppData app;
        app.name = get<std::uint32_t>(encoded, pos);
        const auto size = get<std::uint16_t>(encoded, pos);
        app.payload.assign(encoded.substr(pos, size));
        pos += size;
        apps.push_back(std::move(app));
    }
    return apps;
}

bool isStringCode(int code) {
    return code == 1000 || code == 1003 || code == 1005;
}
bool isPointCode(int code) {
    return code >= 1010 && code <= 1013;
}
bool isRealCode(int code) {
    return code >= 1040 && code <= 1042;
}

bool isHandleText(const char* text) {
    const std::size_t n = std::strlen(text);
    if (n == 0 || n > 16) {
        return false;
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (std::strchr("0123456789abcdefABCDEF", text[i]) == nullptr) {
            return false;
        }
    }
    return true;
}

// Appends one item to an application's payload; tracks brace depth. eInvalidInput for an item
// that extended data cannot hold.
Acad::ErrorStatus encodeItem(const resbuf* rb, std::string& payload, int& depth) {
    const int code = rb->restype;
    if (isStringCode(code)) {
        const char* text = rb->resval.rstring != nullptr ? rb->resval.rstring : "";
        const std::size_t n = std::strlen(text);
        if (n > kMaxXDataString || (code == 1005 && !isHandleText(text))) {
            return Acad::eInvalidInput;
        }
        payload.push_back(static_cast<char>(code - 1000));
        payload.push_back(static_cast<char>(n));
        payload.append(text, n);
    } else if (code == 1002) {
        const char* text = rb->resval.rstring != nullptr ? rb->resval.rstring : "";
        const bool open = std::strcmp(text, "{") == 0;
        if (!open && std::strcmp(text, "}") != 0) {
            return Acad::eInvalidInput;
        }
        depth += open ? 1 : -1;
        if (depth < 0) {
            return Acad::eInvalidInput;
        }
        payload.push_back(2);
        payload.push_back(open ? 0 : 1);
    } else if (code == 1004) {
        const int n = rb->resval.rbinary.clen;
        if (n < 0 || n > 127 || (n > 0 && rb->resval.rbinary.buf == nullptr)) {
            return Acad::eInvalidInput;
        }
        payload.push_back(4);
        payload.push_back(static_cast<char>(n));
        payload.append(rb->resval.rbinary.buf, static_cast<std::size_t>(n));
    } else if (isPointCode(code)) {
        payload.push_back(static_cast<char>(code - 1000));
        for (double v : rb->resval.rpoint) {
            put(payload, v);
        }
    } else if (isRealCode(code)) {
        payload.push_back(static_cast<char>(code - 1000));
        put(payload, rb->resval.rreal);
    } else if (code == 1070) {
        payload.push_back(70);
        put(payload, static_cast<std::int16_t>(rb->resval.rint));
    } else if (code == 1071) {
        payload.push_back(71);
        put(payload, static_cast<std::int32_t>(rb->resval.rlong));
    } else {
        return Acad::eInvalidInput;
    }
    return Acad::eOk;
}

// Encodes the items after one 1001 item up to the next 1001 (or the end); `rb` moves there.
Acad::ErrorStatus encodeApp(const resbuf*& rb, std::string& payload) {
    int depth = 0;
    for (; rb != nullptr && rb->restype != 1001; rb = rb->rbnext) {
        const Acad::ErrorStatus es = encodeItem(rb, payload, depth);
        if (es != Acad::eOk) {
            return es;
        }
    }
    return depth == 0 ? Acad::eOk : Acad::eInvalidInput;
}

void replaceApp(std::vector<AppData>& apps, AppData app) {
    for (auto it = apps.begin(); it != apps.end(); ++it) {
        if (it->name == app.name ||
            upperAscii(internedAppName(it->name)) == upperAscii(internedAppName(app.name))) {
            if (app.payload.empty()) {
                apps.erase(it);
            } else {
                it->payload = std::move(app.payload);
            }
            return;
        }
    }
    if (!app.payload.empty()) {
        apps.push_back(std::move(app));
    }
}

std::string joinApps(const std::vector<AppData>& apps) {
    std::string out;
    for (const AppData& app : apps) {
        put(out, app.name);
        put(out, static_cast<std::uint16_t>(app.payload.size()));
        out += app.payload;
    }
    return out;
}

resbuf* newItem(int code, resbuf*& tail, resbuf*& head) {
    resbuf* rb = acutNewRb(code);
    (tail != nullptr ? tail->rbnext : head) = rb;
    tail = rb;
    return rb;
}

char* copyText(std::string_view text) {
    char* s = static_cast<char*>(std::malloc(text.size() + 1));
    std::memcpy(s, text.data(), text.size());
    s[text.size()] = '\0';
    return s;
}

// Decodes one item at `pos` into a new buffer appended to the chain.
void decodeItem(std::string_view payload, std::size_t& pos, resbuf*& head, resbuf*& tail) {
    const int code = 1000 + static_cast<unsigned char>(payload[pos++]);
    resbuf* rb = newItem(code, tail, head);
    if (isStringCode(code)) {
        const std::size_t n = static_cast<unsigned char>(payload[pos++]);
        rb->resval.rstring = copyText(payload.substr(pos, n));
        pos += n;
    } else if (code == 1002) {
        rb->resval.rstring = copyText(payload[pos++] == 0 ? "{" : "}");
    } else if (code == 1004) {
        const std::size_t n = static_cast<unsigned char>(payload[pos++]);
        rb->resval.rbinary.clen = static_cast<short>(n);
        rb->resval.rbinary.buf = static_cast<char*>(std::malloc(n > 0 ? n : 1));
        std::memcpy(rb->resval.rbinary.buf, payload.data() + pos, n);
        pos += n;
    } else if (isPointCode(code)) {
        for (double& v : rb->resval.rpoint) {
            v = get<double>(payload, pos);
        }
    } else if (isRealCode(code)) {
        rb->resval.rreal = get<double>(payload, pos);
    } else if (code == 1070) {
        rb->resval.rint = get<std::int16_t>(payload, pos);
    } else {
        rb->resval.rlong = get<std::int32_t>(payload, pos);
    }
}

void decodeApp(const AppData& app, resbuf*& head, resbuf*& tail) {
    resbuf* name = newItem(1001, tail, head);
    // Callers see upper-case names, as they set them; a file's own case is for the file only.
    name->resval.rstring = copyText(upperAscii(internedAppName(app.name)));
    std::size_t pos = 0;
    while (pos < app.payload.size()) {
        decodeItem(app.payload, pos, head, tail);
    }
}

} // namespace

void ObjectExtras::setBytes(std::string_view encoded) {
    ownedXData.reset();
    xdata = nullptr;
    xdataSize = static_cast<std::uint32_t>(encoded.size());
    if (!encoded.empty()) {
        ownedXData = std::make_unique_for_overwrite<std::uint8_t[]>(encoded.size());
        std::memcpy(ownedXData.get(), encoded.data(), encoded.size());
        xdata = ownedXData.get();
    }
}

void ObjectExtras::setKeptBytes(std::string_view kept) {
    ownedXData.reset();
    xdata = reinterpret_cast<const std::uint8_t*>(kept.data());
    xdataSize = static_cast<std::uint32_t>(kept.size());
}

std::uint32_t internAppName(std::string_view upperName) {
    NameTable& table = nameTable();
    const std::string key(upperName);
    auto found = table.index.find(key);
    if (found != table.index.end()) {
        return found->second;
    }
    const auto index = static_cast<std::uint32_t>(table.names.size());
    table.names.push_back(key);
    table.index.emplace(key, index);
    return index;
}

const std::string& internedAppName(std::uint32_t index) {
    return nameTable().names.at(index);
}

Acad::ErrorStatus applyXDataChain(std::string_view current, const resbuf* chain,
                                  const AppRegistered& registered, std::string& result) {
    if (chain == nullptr || chain->restype != 1001) {
        return Acad::eInvalidInput;
    }
    std::vector<AppData> apps = splitApps(current);
    const resbuf* rb = chain;
    while (rb != nullptr) {
        const char* rawName = rb->resval.rstring;
        if (rawName == nullptr || *rawName == '\0') {
            return Acad::eInvalidInput;
        }
        // Names set through the SDK are upper case (as acdbRegApp makes them); names read from
        // a file keep their case. Both are compared without case.
        const std::string name = upperAscii(rawName);
        if (registered && !registered(name)) {
            return Acad::eRegisteredApplicationIdNotFound;
        }
        AppData app;
        app.name = internAppName(name);
        rb = rb->rbnext;
        const Acad::ErrorStatus es = encodeApp(rb, app.payload);
        if (es != Acad::eOk) {
            return es;
        }
        if (app.payload.size() > kMaxXDataBytes) {
            return Acad::eXdataSizeExceeded;
        }
        replaceApp(apps, std::move(app));
    }
    std::string joined = joinApps(apps);
    if (joined.size() > kMaxXDataBytes) {
        return Acad::eXdataSizeExceeded;
    }
    result = std::move(joined);
    return Acad::eOk;
}

resbuf* decodeXData(std::string_view encoded, const char* appName) {
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    const std::string wanted = appName != nullptr ? upperAscii(appName) : std::string();
    for (const AppData& app : splitApps(encoded)) {
        if (appName == nullptr || upperAscii(internedAppName(app.name)) == wanted) {
            decodeApp(app, head, tail);
        }
    }
    return head;
}

std::string upperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return out;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') {
            x = static_cast<char>(x - 'a' + 'A');
        }
        if (y >= 'a' && y <= 'z') {
            y = static_cast<char>(y - 'a' + 'A');
        }
        if (x != y) {
            return false;
        }
    }
    return true;
}

} // namespace veld::db
