// File names as the module builds them (Windows style, backslashes) mapped to this system, and
// the profile folder: where a bare profile-file name such as "VELDOR.ini" lives.
#pragma once
#include <string>
#include <string_view>

namespace veld::win {

// The name with every backslash turned into '/'. Texts are UTF-8, so a backslash byte is always
// a backslash (the Shift-JIS trail bytes that look like one never reach this point).
std::string nativePath(std::string_view windowsPath);

// The profile folder. Set by the host (setProfileFolder, e.g. from --profile); until then
// $VELD_PROFILE, else $XDG_CONFIG_HOME/veld, else $HOME/.config/veld, read at each call;
// empty when none of them is set.
std::string profileFolder();
// Sets the profile folder; an empty text goes back to the default above.
void setProfileFolder(const std::string& folder);

// Where the private-profile functions read and write `fileName`: a bare name (no folder part)
// lies in the profile folder, any other name is taken as given (relative to the current folder
// when it is relative, like ".\x.ini" on the original platform). Backslashes are mapped.
std::string resolveProfileFile(std::string_view fileName);

} // namespace veld::win
