// The stand-ins of HostStandIns.h. They are weak, so a test program's own definition wins, and
// they look for the host library's definition first (by its C++ symbol name), so that once the
// host provides the service they never hide it. Without it: acutPrintf prints into the current
// session's transcript, acedSetVar refuses, and there is no document manager.
#include "support/HostStandIns.h"

#include "aced.h"
#include "host/ed/Session.h"

#include <cstdarg>
#include <cstdio>
#include <dlfcn.h>
#include <string>

namespace {

template <class Function> Function hostDefinition(const char* symbol) {
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, symbol));
}

std::string formatted(const char* format, va_list args) {
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    std::string text;
    if (length > 0) {
        text.resize(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(text.data(), text.size(), format, again);
        text.resize(static_cast<std::size_t>(length));
    }
    va_end(again);
    return text;
}

} // namespace

namespace veldtest {
void useHostStandIns() {}
} // namespace veldtest

__attribute__((weak)) int acutPrintf(const char* format, ...) {
    using Print = int (*)(const char*, ...);
    static const Print host = hostDefinition<Print>("_Z10acutPrintfPKcz");
    va_list args;
    va_start(args, format);
    const std::string text = formatted(format, args);
    va_end(args);
    if (host != nullptr) {
        return host("%s", text.c_str());
    }
    veld::host::Session::current().print(text);
    return static_cast<int>(text.size());
}

__attribute__((weak)) int acedSetVar(const char* name, const resbuf* value) {
    using SetVar = int (*)(const char*, const resbuf*);
    static const SetVar host = hostDefinition<SetVar>("_Z10acedSetVarPKcPK6resbuf");
    return host != nullptr ? host(name, value) : RTERROR;
}

__attribute__((weak)) AcApDocManager* acDocManagerPtr() {
    using Manager = AcApDocManager* (*)();
    static const Manager host = hostDefinition<Manager>("_Z15acDocManagerPtrv");
    return host != nullptr ? host() : nullptr;
}
