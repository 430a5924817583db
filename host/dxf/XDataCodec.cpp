// Extended data through result-buffer chains.
#include "host/dxf/XDataCodec.h"

#include <cstdint>
#include <cstring>

namespace veld::dxf {

namespace {

struct ChainDeleter {
    void operator()(resbuf* rb) const { acutRelRb(rb); }
};

bool isPointCode(int code) {
    return code >= 1010 && code <= 1013;
}
bool isRealCode(int code) {
    return code >= 1040 && code <= 1042;
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

double number(const OwnedTag& tag) {
    double v = 0.0;
    if (!parseDouble(tag.value, v)) {
        throw DxfError("extended data group " + std::to_string(tag.code) +
                       " needs a number, found \"" + tag.value.substr(0, 40) + "\"");
    }
    return v;
}

std::int64_t integer(const OwnedTag& tag, std::int64_t low, std::int64_t high, const char* what) {
    std::int64_t v = 0;
    if (!parseInteger(tag.value, v) || v < low || v > high) {
        throw DxfError("extended data group " + std::to_string(tag.code) + " needs " + what +
                       ", found \"" + tag.value.substr(0, 40) + "\"");
    }
    return v;
}

} // namespace

void writeXData(TagWriter& out, const AcDbObject& object) {
    std::unique_ptr<resbuf, ChainDeleter> chain(object.xData(nullptr));
    for (const resbuf* rb = chain.get(); rb != nullptr; rb = rb->rbnext) {
        const int code = rb->restype;
        if (isPointCode(code)) {
            out.point(code, AcGePoint3d(rb->resval.rpoint[0], rb->resval.rpoint[1],
                                        rb->resval.rpoint[2]));
        } else if (isRealCode(code)) {
            out.real(code, rb->resval.rreal);
        } else if (code == 1070) {
            out.integer(code, rb->resval.rint);
        } else if (code == 1071) {
            out.integer(code, rb->resval.rlong);
        } else if (code == 1004) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            std::string hex;
            for (short i = 0; i < rb->resval.rbinary.clen; ++i) {
                const auto byte = static_cast<unsigned char>(rb->resval.rbinary.buf[i]);
                hex += kHex[byte >> 4];
                hex += kHex[byte & 15];
            }
            out.text(code, hex);
        } else {
            out.text(code, rb->resval.rstring != nullptr ? rb->resval.rstring : "");
        }
    }
}

resbuf* xdataChainFromTags(const std::vector<OwnedTag>& tags) {
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    std::unique_ptr<resbuf, ChainDeleter> guard;
    auto append = [&](int code) {
        resbuf* rb = acutNewRb(code);
        (head == nullptr ? head : tail->rbnext) = rb;
        tail = rb;
        if (!guard) {
            guard.reset(head);
        }
        return rb;
    };
    for (std::size_t i = 0; i < tags.size(); ++i) {
        const OwnedTag& tag = tags[i];
        const int code = tag.code;
        if (isPointCode(code)) {
            resbuf* rb = append(code);
            rb->resval.rpoint[0] = number(tag);
            for (int k = 1; k <= 2; ++k) {
                if (i + 1 < tags.size() && tags[i + 1].code == code + 10 * k) {
                    rb->resval.rpoint[k] = number(tags[++i]);
                }
            }
        } else if (isRealCode(code)) {
            append(code)->resval.rreal = number(tag);
        } else if (code == 1070) {
            append(code)->resval.rint =
                static_cast<short>(integer(tag, -32768, 32767, "a 16-bit integer"));
        } else if (code == 1071) {
            append(code)->resval.rlong =
                static_cast<std::int32_t>(integer(tag, INT32_MIN, INT32_MAX, "a 32-bit integer"));
        } else if (code == 1004) {
            resbuf* rb = append(code);
            const std::size_t bytes = std::min<std::size_t>(tag.value.size() / 2, 127);
            rb->resval.rbinary.clen = static_cast<short>(bytes);
            rb->resval.rbinary.buf = static_cast<char*>(std::malloc(bytes + 1));
            for (std::size_t k = 0; k < bytes; ++k) {
                std::uint64_t byte = 0;
                if (!parseHandle(std::string_view(tag.value).substr(2 * k, 2), byte)) {
                    throw DxfError("extended data group 1004 needs hexadecimal digits");
                }
                rb->resval.rbinary.buf[k] = static_cast<char>(byte);
            }
        } else if (code >= 1000 && code <= 1005) {
            const std::string_view text = cutText(tag.value, code == 1001 ? 255 : 255);
            acutNewString(std::string(text).c_str(), append(code)->resval.rstring);
        }
        // Codes the extended data does not know are dropped.
    }
    guard.release();
    return head;
}

} // namespace veld::dxf
