// Handles and object ids.
#include "Stub.h"

#include <cstring>

AcDbHandle::AcDbHandle(const char* text) {
    if (text == nullptr || *text == '\0') {
        return;
    }
    std::uint64_t value = 0;
    int significant = 0;
    for (const char* p = text; *p != '\0'; ++p) {
        int digit;
        if (*p >= '0' && *p <= '9') {
            digit = *p - '0';
        } else if (*p >= 'a' && *p <= 'f') {
            digit = *p - 'a' + 10;
        } else if (*p >= 'A' && *p <= 'F') {
            digit = *p - 'A' + 10;
        } else {
            return;
        }
        if (value != 0 || digit != 0) {
            if (++significant > 16) {
                return;
            }
        }
        value = value * 16 + static_cast<std::uint64_t>(digit);
    }
    value_ = value;
}

std::string AcDbHandle::text() const {
    static const char digits[] = "0123456789ABCDEF";
    if (value_ == 0) {
        return "0";
    }
    std::string out;
    for (std::uint64_t v = value_; v != 0; v >>= 4) {
        out.insert(out.begin(), digits[v & 15]);
    }
    return out;
}

bool AcDbHandle::getIntoAsciiBuffer(char* buffer, std::size_t bufferLength) const {
    if (buffer == nullptr || bufferLength == 0) {
        return false;
    }
    const std::string hex = text();
    if (hex.size() + 1 > bufferLength) {
        buffer[0] = '\0';
        return false;
    }
    std::memcpy(buffer, hex.c_str(), hex.size() + 1);
    return true;
}

bool AcDbObjectId::isValid() const {
    return stub_ != nullptr && stub_->isLive();
}

bool AcDbObjectId::isErased() const {
    return stub_ != nullptr && (stub_->erased || stub_->gone || stub_->object == nullptr);
}

AcDbHandle AcDbObjectId::handle() const {
    return stub_ != nullptr ? AcDbHandle(stub_->handle) : AcDbHandle();
}

AcDbDatabase* AcDbObjectId::database() const {
    return stub_ != nullptr ? stub_->database : nullptr;
}

AcRxClass* AcDbObjectId::objectClass() const {
    return stub_ != nullptr && stub_->object != nullptr ? stub_->object->isA() : nullptr;
}
