// Older entity records in the form the writer's version reads: proxy size codes renamed, the
// R12 viewport's MVIEW extended data turned into its own codes. Values keep their text as read.
#include "host/dxf/RecordUpgrade.h"

#include "host/dxf/Tag.h"

#include <cinttypes>
#include <cstdio>

namespace veld::dxf {

namespace {

constexpr const char* kFirstWithNewSizes = "AC1027";
constexpr const char* kLastR12 = "AC1009";

// Only the proxy entity's own sizes: readers find its graphics by them. (The size before the
// proxy graphics of other entities stays as read; readers take the data that follows it.)
void renameProxySizes(Record& r) {
    if (r.type != "ACAD_PROXY_ENTITY") {
        return;
    }
    bool inProxy = false;
    for (ReadTag& tag : r.body) {
        if (tag.code == 100) {
            inProxy = tag.value == "AcDbProxyEntity";
        } else if (inProxy) {
            tag.code = tag.code == 92   ? 160
                       : tag.code == 93 ? 161
                       : tag.code == 96 ? 162
                                        : tag.code;
        }
    }
}

struct Point {
    std::string x, y, z;
};

// What an R12 viewport's MVIEW list holds, in its order.
struct ViewportView {
    Point target, direction;
    std::string twist, height, centerX, centerY, lens, front, back;
    std::int64_t viewMode = 0, circleZoom = 0, fastZoom = 0, ucsIcon = 0, snap = 0, grid = 0,
                 snapStyle = 0, isopair = 0, hidePlot = 0;
    std::string snapAngle, snapBaseX, snapBaseY, snapX, snapY, gridX, gridY;
    std::vector<std::string> frozenLayers;
};

// Reads the list item by item; the first item out of place makes every later read fail.
class ListReader {
public:
    ListReader(const std::vector<ReadTag>& tags, std::size_t at) : tags_(tags), at_(at) {}

    bool text(int code, std::string& value) {
        if (!ok_ || at_ >= tags_.size() || tags_[at_].code != code) {
            ok_ = false;
            return false;
        }
        value = std::string(tags_[at_++].value);
        return true;
    }
    void expect(int code, const char* value) {
        std::string v;
        ok_ = text(code, v) && v == value;
    }
    void real(std::string& value) { text(1040, value); }
    void integer(std::int64_t& value) {
        std::string v;
        ok_ = text(1070, v) && parseInteger(v, value);
    }
    void point(Point& p) {
        text(1010, p.x);
        text(1020, p.y);
        text(1030, p.z);
    }
    bool next(int code, const char* value) const {
        return ok_ && at_ < tags_.size() && tags_[at_].code == code && tags_[at_].value == value;
    }
    bool ok() const { return ok_; }
    std::size_t at() const { return at_; }

private:
    const std::vector<ReadTag>& tags_;
    std::size_t at_;
    bool ok_ = true;
};

// Reads the list that starts at `at` (the "1000 MVIEW" tag); `end` gets the index after it.
bool readView(const std::vector<ReadTag>& xdata, std::size_t at, ViewportView& v,
              std::size_t& end) {
    ListReader in(xdata, at);
    std::int64_t version = 0;
    in.expect(1000, "MVIEW");
    in.expect(1002, "{");
    in.integer(version);
    in.point(v.target);
    in.point(v.direction);
    for (std::string* real :
         {&v.twist, &v.height, &v.centerX, &v.centerY, &v.lens, &v.front, &v.back}) {
        in.real(*real);
    }
    for (std::int64_t* flag : {&v.viewMode, &v.circleZoom, &v.fastZoom, &v.ucsIcon, &v.snap,
                               &v.grid, &v.snapStyle, &v.isopair}) {
        in.integer(*flag);
    }
    for (std::string* real :
         {&v.snapAngle, &v.snapBaseX, &v.snapBaseY, &v.snapX, &v.snapY, &v.gridX, &v.gridY}) {
        in.real(*real);
    }
    in.integer(v.hidePlot);
    in.expect(1002, "{");
    while (in.ok() && !in.next(1002, "}")) {
        in.text(1003, v.frozenLayers.emplace_back());
    }
    in.expect(1002, "}");
    in.expect(1002, "}");
    end = in.at();
    return in.ok();
}

std::int64_t viewportFlags(const ViewportView& v) {
    std::int64_t flags = v.viewMode & 31; // perspective, clipping, UCS follow: the same bits
    flags |= (v.ucsIcon & 1 ? 32 : 0) | (v.ucsIcon & 2 ? 64 : 0);
    flags |= (v.fastZoom ? 128 : 0) | (v.snap ? 256 : 0) | (v.grid ? 512 : 0);
    flags |= (v.snapStyle ? 1024 : 0) | (v.hidePlot ? 2048 : 0);
    flags |= v.isopair == 1 ? 4096 : v.isopair == 2 ? 8192 : 0;
    return flags;
}

std::string hex(std::uint64_t handle) {
    char text[20];
    std::snprintf(text, sizeof text, "%" PRIX64, handle);
    return text;
}

void appendView(Record& r, const ViewportView& v, const LayerHandleOf& layerHandle) {
    auto add = [&](int code, const std::string& value) {
        ReadTag& tag = r.body.emplace_back();
        tag.code = code;
        tag.line = r.line;
        tag.own(value);
    };
    auto point = [&](int code, const Point& p) {
        add(code, p.x);
        add(code + 10, p.y);
        add(code + 20, p.z);
    };
    add(12, v.centerX);
    add(22, v.centerY);
    add(13, v.snapBaseX);
    add(23, v.snapBaseY);
    add(14, v.snapX);
    add(24, v.snapY);
    add(15, v.gridX);
    add(25, v.gridY);
    point(16, v.direction);
    point(17, v.target);
    add(42, v.lens);
    add(43, v.front);
    add(44, v.back);
    add(45, v.height);
    add(50, v.snapAngle);
    add(51, v.twist);
    add(72, std::to_string(v.circleZoom));
    for (const std::string& layer : v.frozenLayers) {
        if (const std::uint64_t h = layerHandle(layer); h != 0) {
            add(331, hex(h));
        }
    }
    add(90, std::to_string(viewportFlags(v)));
}

// Drops the MVIEW list (`from`..`to`) and, when nothing else follows it, its "1001 ACAD".
void dropList(std::vector<ReadTag>& xdata, std::size_t app, std::size_t to) {
    const bool alone = to >= xdata.size() || xdata[to].code == 1001;
    const auto first = xdata.begin() + static_cast<std::ptrdiff_t>(alone ? app : app + 1);
    xdata.erase(first, xdata.begin() + static_cast<std::ptrdiff_t>(to));
}

void moveViewIntoCodes(Record& r, const LayerHandleOf& layerHandle) {
    for (std::size_t i = 0; i + 1 < r.xdata.size(); ++i) {
        if (r.xdata[i].code != 1001 || r.xdata[i].value != "ACAD") {
            continue;
        }
        ViewportView view;
        std::size_t end = 0;
        if (readView(r.xdata, i + 1, view, end)) {
            appendView(r, view, layerHandle);
            dropList(r.xdata, i, end);
        }
        return;
    }
}

} // namespace

void upgradeEntityRecord(const std::string& fileVersion, Record& record,
                         const LayerHandleOf& layerHandle) {
    if (fileVersion >= kFirstWithNewSizes) {
        return;
    }
    renameProxySizes(record);
    if (fileVersion <= kLastR12 && record.type == "VIEWPORT") {
        moveViewIntoCodes(record, layerHandle);
    }
}

} // namespace veld::dxf
