// The host's file search path, which acedFindFile (aced.h) walks. The host sets its parts: the
// folder of the open drawing and the profile's support folders; $VELD_SUPPORT_PATH adds more.
//
// Search order of acedFindFile(name):
//   1. the name as given (absolute, or relative to the current folder), when it exists;
//   2. when the name has no folder part (after mapping '\' to '/'), each folder in turn:
//      a. the drawing's folder (none for a new, unsaved drawing),
//      b. the support folders (by default the profile folder alone),
//      c. the folders of $VELD_SUPPORT_PATH, separated by ':', in their order (read each time).
//   A name with a folder part is looked for only where it says.
// Only regular files are found (a folder of that name is not). The result is the absolute path,
// normalised, with '/' separators.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veld::win {

class SearchPath {
public:
    // The open drawing's folder; "" when the drawing has no file yet.
    static void setDrawingFolder(const std::string& folder);
    // The profile's support folders, searched in this order; an empty list goes back to the
    // default (the profile folder alone).
    static void setSupportFolders(const std::vector<std::string>& folders);
    // Back to the start: no drawing folder, default support folders.
    static void reset();

    // The folders searched for a bare name, in order (empty entries left out).
    static std::vector<std::string> folders();
    // The full search above; the absolute path found, or nullopt.
    static std::optional<std::string> find(std::string_view fileName);
};

} // namespace veld::win
