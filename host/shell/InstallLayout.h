// Where the executable finds its module and its embedded installation, both in the build tree
// and after `make install` (PREFIX/bin/veld, PREFIX/lib/veld/, PREFIX/share/veld/support/).
#pragma once
#include <string>

namespace veld::shell {

class InstallLayout {
public:
    // The folder that holds the running executable ("." when it cannot be told).
    static std::string executableFolder();
    // The module beside the executable (build tree), else in ../lib/veld (installed).
    static std::string defaultModule();
    // ../share/veld/support beside the executable when installed, else the support/ folder of
    // the checkout this executable was built from.
    static std::string defaultSupportFolder();
};

} // namespace veld::shell
