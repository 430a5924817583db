// Result buffers: allocation, release, text copies and the variadic list builder.
#include "ResBufKind.h"
#include "adsdef.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>

namespace veld::db {

namespace {

bool inRange(int code, int low, int high) {
    return code >= low && code <= high;
}

ValueKind dxfValueKind(int code) {
    if (code == -1 || code == -2 || inRange(code, 330, 369)) {
        return ValueKind::Name;
    }
    if (inRange(code, 10, 18) || inRange(code, 110, 112) || inRange(code, 1010, 1013)) {
        return ValueKind::Point;
    }
    if (inRange(code, 38, 59) || inRange(code, 140, 149) || inRange(code, 460, 469) ||
        inRange(code, 1040, 1042)) {
        return ValueKind::Real;
    }
    if (inRange(code, 60, 79) || inRange(code, 170, 179) || inRange(code, 270, 289) ||
        inRange(code, 370, 389) || inRange(code, 400, 409) || code == 1070) {
        return ValueKind::Short;
    }
    if (inRange(code, 90, 99) || inRange(code, 420, 429) || inRange(code, 440, 459) ||
        code == 1071) {
        return ValueKind::Long;
    }
    if (inRange(code, 160, 169)) {
        return ValueKind::Int64;
    }
    if (inRange(code, 310, 319) || code == 1004) {
        return ValueKind::Binary;
    }
    if (inRange(code, 0, 9) || inRange(code, 100, 105) || inRange(code, 300, 309) ||
        inRange(code, 390, 399) || inRange(code, 410, 419) || inRange(code, 430, 439) ||
        inRange(code, 470, 481) || code == 999 || inRange(code, 1000, 1009)) {
        return ValueKind::String;
    }
    return ValueKind::None;
}

} // namespace

ValueKind valueKindOf(int restype) {
    switch (restype) {
    case RTREAL:
    case RTANG:
    case RTORINT:
        return ValueKind::Real;
    case RTPOINT:
    case RT3DPOINT:
        return ValueKind::Point;
    case RTSHORT:
        return ValueKind::Short;
    case RTLONG:
        return ValueKind::Long;
    case RTSTR:
        return ValueKind::String;
    case RTENAME:
    case RTPICKS:
        return ValueKind::Name;
    case RTNONE:
    case RTVOID:
    case RTLB:
    case RTLE:
    case RTDOTE:
    case RTNIL:
    case RTT:
    case RTDXF0:
        return ValueKind::None;
    default:
        return dxfValueKind(restype);
    }
}

} // namespace veld::db

using veld::db::ValueKind;

resbuf* acutNewRb(int type) {
    auto* rb = static_cast<resbuf*>(std::calloc(1, sizeof(resbuf)));
    if (rb != nullptr) {
        rb->restype = static_cast<short>(type);
    }
    return rb;
}

int acutRelRb(resbuf* rb) {
    while (rb != nullptr) {
        resbuf* next = rb->rbnext;
        const ValueKind kind = veld::db::valueKindOf(rb->restype);
        if (kind == ValueKind::String) {
            std::free(rb->resval.rstring);
        } else if (kind == ValueKind::Binary) {
            std::free(rb->resval.rbinary.buf);
        }
        std::free(rb);
        rb = next;
    }
    return RTNORM;
}

int acutNewString(const char* source, char*& dest) {
    dest = nullptr;
    if (source == nullptr) {
        return RTERROR;
    }
    const std::size_t size = std::strlen(source) + 1;
    dest = static_cast<char*>(std::malloc(size));
    if (dest == nullptr) {
        return RTERROR;
    }
    std::memcpy(dest, source, size);
    return RTNORM;
}

int acutDelString(char*& text) {
    std::free(text);
    text = nullptr;
    return RTNORM;
}

namespace {

// Reads the value of one item from the argument list; false when it cannot be stored.
bool takeValue(resbuf* rb, std::va_list& args) {
    switch (veld::db::valueKindOf(rb->restype)) {
    case ValueKind::Real:
        rb->resval.rreal = va_arg(args, double);
        return true;
    case ValueKind::Point: {
        const double* p = va_arg(args, const double*);
        if (p == nullptr) {
            return false;
        }
        rb->resval.rpoint[0] = p[0];
        rb->resval.rpoint[1] = p[1];
        rb->resval.rpoint[2] = rb->restype == RTPOINT ? 0.0 : p[2];
        return true;
    }
    case ValueKind::Short:
        rb->resval.rint = static_cast<short>(va_arg(args, int));
        return true;
    case ValueKind::Long:
        rb->resval.rlong = va_arg(args, std::int32_t);
        return true;
    case ValueKind::Int64:
        rb->resval.mnInt64 = va_arg(args, std::int64_t);
        return true;
    case ValueKind::String: {
        const char* text = va_arg(args, const char*);
        return acutNewString(text != nullptr ? text : "", rb->resval.rstring) == RTNORM;
    }
    case ValueKind::Name: {
        const std::int64_t* name = va_arg(args, const std::int64_t*);
        if (name == nullptr) {
            return false;
        }
        rb->resval.rlname[0] = name[0];
        rb->resval.rlname[1] = name[1];
        return true;
    }
    case ValueKind::Binary:
        // A binary chunk cannot be passed through the variadic list.
        return false;
    case ValueKind::None:
        return true;
    }
    return false;
}

} // namespace

resbuf* acutBuildList(int rtype, ...) {
    std::va_list args;
    va_start(args, rtype);
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    for (int type = rtype; type != 0; type = va_arg(args, int)) {
        resbuf* rb = acutNewRb(type);
        if (rb == nullptr || !takeValue(rb, args)) {
            acutRelRb(rb);
            acutRelRb(head);
            va_end(args);
            return nullptr;
        }
        (tail != nullptr ? tail->rbnext : head) = rb;
        tail = rb;
    }
    va_end(args);
    return head;
}
