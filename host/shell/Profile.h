// The profile folder: where the installation's configuration and the user's defaults live.
// On first use the embedded installation (support/) is copied there and its VELDOR.ini is
// pointed at the copy; the folder and its sub-folders become the file search path.
#pragma once
#include <memory>
#include <string>

class AcDbDatabase;

namespace veld::shell {

class Profile {
public:
    // --profile when given, else $VELD_PROFILE, else $XDG_CONFIG_HOME/veld, else
    // $HOME/.config/veld.
    static std::string folder(const std::string& option);
    // The embedded installation: $VELD_SUPPORT_DIR, else the installed or the checkout's
    // support/ folder (see InstallLayout).
    static std::string supportFolder();
    // Installs the profile (when needed) and makes it the host's profile and search path.
    // False with `error` set when the folder cannot be made or filled.
    static bool prepare(const std::string& folder, std::string& error);
    // A new drawing (after prepare): made from the profile's standards drawing, or from
    // `templateOption` when it names a file ("none": the bare drawing with the standard tables
    // only). A profile without a standards drawing gives the bare drawing; a named template
    // that cannot be read gives null with `error` set.
    static std::unique_ptr<AcDbDatabase> newDrawing(const std::string& templateOption,
                                                    std::string& error);
};

} // namespace veld::shell
