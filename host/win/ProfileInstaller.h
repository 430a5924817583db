// Installs the embedded default installation (the checkout's support/ folder) into a profile
// folder, so that configuration and user defaults are read and written there and never in the
// checkout.
#pragma once
#include <string>

namespace veld::win {

// Copies every file of `supportFolder` (sub-folders included) into `profileFolder`, creating
// folders as needed and never replacing a file the profile already has (a user's defaults file
// survives). When this call copied VELDOR.ini (first use), the copy's INI and PROG keys of
// section VELDOR are set to the profile folder's absolute path. False when a folder or file
// cannot be made or written; what was copied before stays.
bool installProfile(const std::string& supportFolder, const std::string& profileFolder);

} // namespace veld::win
