// Value kinds of DXF group codes by range (strings, reals, integers of several widths, flags,
// binary chunks and handles).
#include "host/dxf/GroupCode.h"

namespace veld::dxf {

namespace {

bool in(int code, int first, int last) {
    return code >= first && code <= last;
}

ValueKind kindBelow1000(int code) {
    if (in(code, 10, 59) || in(code, 110, 149) || in(code, 210, 239) || in(code, 460, 469)) {
        return ValueKind::Double;
    }
    if (in(code, 60, 79) || in(code, 170, 179) || in(code, 270, 289) || in(code, 370, 389) ||
        in(code, 400, 409)) {
        return ValueKind::Int16;
    }
    if (in(code, 90, 99) || in(code, 420, 429) || in(code, 440, 459)) {
        return ValueKind::Int32;
    }
    if (in(code, 160, 169)) {
        return ValueKind::Int64;
    }
    if (in(code, 290, 299)) {
        return ValueKind::Bool;
    }
    if (in(code, 310, 319)) {
        return ValueKind::Binary;
    }
    if (code == 5 || code == 105 || in(code, 320, 369) || in(code, 390, 399) ||
        in(code, 480, 481)) {
        return ValueKind::Handle;
    }
    return ValueKind::String;
}

} // namespace

ValueKind valueKind(int code) {
    if (code < 1000) {
        return kindBelow1000(code);
    }
    if (code == 1004) {
        return ValueKind::Binary;
    }
    if (code == 1005) {
        return ValueKind::Handle;
    }
    if (in(code, 1010, 1059)) {
        return ValueKind::Double;
    }
    if (in(code, 1060, 1070)) {
        return ValueKind::Int16;
    }
    if (code == 1071) {
        return ValueKind::Int32;
    }
    return ValueKind::String;
}

} // namespace veld::dxf
