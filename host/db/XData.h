// Extended data kept compactly: one byte string per object holding every application's items.
// Layout per application: u32 interned name index, u16 payload size, then the items, each one
// byte (group code - 1000) and its value: strings as u8 length + bytes, 1002 as one byte
// (0 "{", 1 "}"), 1004 as u8 length + bytes, points as 3 doubles, reals as a double, 1070 as
// int16, 1071 as int32. The encoded size is what counts against the 16 KB limit.
#pragma once
#include "acadstrc.h"
#include "adsdef.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct AcDbStub;

namespace veld::db {

constexpr std::size_t kMaxXDataBytes = 16383;
constexpr std::size_t kMaxXDataString = 255;

// Extended data and persistent reactors of one object.
struct ObjectExtras {
    const std::uint8_t* xdata = nullptr; // ownedXData, or bytes the database keeps as read
    std::unique_ptr<std::uint8_t[]> ownedXData;
    std::uint32_t xdataSize = 0;
    std::vector<AcDbStub*> reactors;

    bool empty() const { return xdataSize == 0 && reactors.empty(); }
    std::string_view bytes() const { return {reinterpret_cast<const char*>(xdata), xdataSize}; }
    // A copy of `encoded`.
    void setBytes(std::string_view encoded);
    // `kept` itself: bytes that live as long as the object (a drawing's store of what it read).
    void setKeptBytes(std::string_view kept);
};

// Application names are interned process-wide with their case as given.
std::uint32_t internAppName(std::string_view name); // case kept; compare with upperAscii
const std::string& internedAppName(std::uint32_t index);

// Tells whether an application name (upper case) is registered where the data goes.
using AppRegistered = std::function<bool(const std::string& upperName)>;

// The encoded data after applying `chain` (setXData semantics) to `current`. eInvalidInput for
// a malformed chain, eRegisteredApplicationIdNotFound for an unregistered name,
// eXdataSizeExceeded when the result would pass the limit; `result` is then unchanged.
Acad::ErrorStatus applyXDataChain(std::string_view current, const resbuf* chain,
                                  const AppRegistered& registered, std::string& result);

// A resbuf chain (1001 first) of one application (by upper-case name) or of all (null); null
// when there is none.
resbuf* decodeXData(std::string_view encoded, const char* appName);

// Upper-cases ASCII letters, leaves every other byte (UTF-8 sequences) as it is.
std::string upperAscii(std::string_view text);
bool equalsIgnoreCase(std::string_view a, std::string_view b);

} // namespace veld::db
