// The executable's own location decides where its module and installation are.
#include "host/shell/InstallLayout.h"

#include <filesystem>

#ifndef VELD_DEFAULT_SUPPORT_DIR
#define VELD_DEFAULT_SUPPORT_DIR "support"
#endif

namespace veld::shell {

namespace fs = std::filesystem;

namespace {

constexpr const char* kModuleName = "VeldFoundationApp.arx";

bool present(const fs::path& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

} // namespace

std::string InstallLayout::executableFolder() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string(".") : self.parent_path().string();
}

std::string InstallLayout::defaultModule() {
    const fs::path folder = executableFolder();
    const fs::path beside = folder / kModuleName;
    const fs::path installed = folder.parent_path() / "lib" / "veld" / kModuleName;
    return (!present(beside) && present(installed) ? installed : beside).string();
}

std::string InstallLayout::defaultSupportFolder() {
    const fs::path installed =
        fs::path(executableFolder()).parent_path() / "share" / "veld" / "support";
    return present(installed) ? installed.string() : std::string(VELD_DEFAULT_SUPPORT_DIR);
}

} // namespace veld::shell
