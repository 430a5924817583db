// The SDK's printing and prompt functions on the current session's command line.
#include "aced.h"
#include "host/ed/CommandLine.h"
#include "host/ed/InputParser.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

using veld::ed::Answer;
using veld::ed::commandLine;
using veld::ed::Input;
using veld::ed::InputSpec;

namespace {

void copyPoint(const AcGePoint3d& p, ads_point out) {
    out[0] = p.x;
    out[1] = p.y;
    out[2] = p.z;
}

int askPoint(const char* prompt, ads_point result, veld::ed::PromptShape shape) {
    InputSpec spec;
    spec.point = true;
    spec.shape = shape;
    spec.invalidMessage = "Invalid point.";
    Input in = commandLine().askInput(prompt != nullptr ? prompt : "", spec);
    if (in.status == RTNORM && result != nullptr) {
        copyPoint(in.point, result);
    }
    return in.status;
}

// The length of the longest start of `text` that fits in `capacity` bytes without cutting a
// UTF-8 character in two.
std::size_t fittingLength(const std::string& text, std::size_t capacity) {
    if (text.size() <= capacity) {
        return text.size();
    }
    std::size_t n = capacity;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) {
        --n;
    }
    return n;
}

} // namespace

int acutPrintf(const char* format, ...) {
    if (format == nullptr) {
        return 0;
    }
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length <= 0) {
        va_end(args);
        return 0;
    }
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    commandLine().message(std::string_view(buffer.data(), static_cast<std::size_t>(length)));
    return length;
}

static veld::ed::PromptShape shapeFrom(veld::ed::PromptShape::Kind kind, const ads_point base) {
    veld::ed::PromptShape shape;
    shape.kind = kind;
    if (base != nullptr) {
        shape.base = AcGePoint3d(base[0], base[1], base[2]);
    }
    return shape;
}

int acedGetPoint(const ads_point base, const char* prompt, ads_point result) {
    return askPoint(prompt, result, shapeFrom(veld::ed::PromptShape::Kind::Point, base));
}

int acedGetCorner(const ads_point base, const char* prompt, ads_point result) {
    if (base == nullptr) {
        return RTERROR;
    }
    return askPoint(prompt, result, shapeFrom(veld::ed::PromptShape::Kind::Corner, base));
}

int acedGetString(int cronly, const char* prompt, char* result, std::size_t bufferLength) {
    if (result == nullptr || bufferLength == 0) {
        return RTERROR;
    }
    Answer a = commandLine().ask(prompt != nullptr ? prompt : "");
    if (a.kind == Answer::Kind::Escape) {
        return RTCAN;
    }
    std::string text = a.text;
    if (cronly == 0) {
        // A blank ends the answer as ENTER does.
        text = text.substr(0, text.find(' '));
    }
    std::size_t n = fittingLength(text, bufferLength - 1);
    std::memcpy(result, text.data(), n);
    result[n] = '\0';
    return n < text.size() ? RTINPUTTRUNCATED : RTNORM;
}

int acedGetReal(const char* prompt, ads_real* result) {
    InputSpec spec;
    spec.number = true;
    spec.invalidMessage = "Requires numeric value.";
    Input in = commandLine().askInput(prompt != nullptr ? prompt : "", spec);
    if (in.status == RTNORM && result != nullptr) {
        *result = in.number;
    }
    return in.status;
}

int acedGetVar(const char* name, resbuf* result) {
    return name != nullptr ? commandLine().variables().get(name, result) : RTERROR;
}

int acedSetVar(const char* name, const resbuf* value) {
    return name != nullptr ? commandLine().variables().set(name, value) : RTERROR;
}
