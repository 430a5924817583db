// Reading a whole file and replacing a file's contents so that the file is never seen truncated:
// the new contents go into a temporary file beside the target, which is then renamed over it.
// If the process dies or the rename fails, the target keeps its previous contents.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace veld::win {

// The file's bytes, or nullopt when it does not exist or cannot be read.
std::optional<std::string> readFileBytes(const std::string& path);

// True when the file exists and is write-protected: no write permission bit is set (the
// read-only attribute of the original platform), or this process may not write it.
bool isReadOnlyFile(const std::string& path);

// Writes `bytes` into a temporary file in the target's folder and renames it over `path`.
// A new file gets the default permissions, an existing one keeps its own. Returns false, with
// the target untouched and the temporary file removed, when the folder is missing or not
// writable, a write fails or the rename fails. A symbolic link is followed, not replaced.
bool replaceFileContents(const std::string& path, std::string_view bytes);

// Test hook: called with the temporary file's path after it has been written and closed, just
// before the rename. Returning false makes the rename fail. An empty function removes the hook.
using BeforeRenameHook = std::function<bool(const std::string& temporaryPath)>;
void setBeforeRenameHookForTesting(BeforeRenameHook hook);

} // namespace veld::win
