// Replacing a file without ever destroying it: the one way every writer of the host (drawings,
// pictures, defaults files) saves, so that all of them follow the same rules.
#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace veld::files {

// Writes the new content into an open file descriptor; false (with a reason) when it cannot.
using ContentWriter = std::function<bool(int fd, std::string& error)>;

struct ReplaceOptions {
    bool keepBackup = false; // keep the previous content as `<target>.bak`
};

// Replaces the content of `path`:
// - a symbolic link is followed and its target written; a new name is created;
// - anything else that is not a regular file (folder, FIFO, device) is refused;
// - a file without any write permission bit is read-only and refused, even for root;
// - the new content goes into a temporary file beside the target (named so that
//   removeLeftovers() recognises it after a crash), is flushed and renamed over the target,
//   which keeps its mode and, where the process may, its owner;
// - when the folder cannot take a temporary file but the file itself is writable, the file is
//   rewritten in place rather than not at all.
// On failure returns false, says why in `error` ("cannot write x.dxf: the file is read-only")
// and leaves the target (and its backup) as they were.
bool replaceFile(const std::string& path, const ContentWriter& write, const ReplaceOptions& options,
                 std::string& error);
bool replaceFile(const std::string& path, std::string_view content, const ReplaceOptions& options,
                 std::string& error);

// Removes the temporary files that replaceFile() left beside `path` in processes that no longer
// run (killed during a save). Files of running processes and all other files are left alone.
void removeLeftovers(const std::string& path);

// Writes all of `content` to a file descriptor; false (errno set) on failure.
bool writeAll(int fd, std::string_view content);

// Test hook: called with the temporary file's path after it has been written and closed, just
// before the rename. Returning false makes the rename fail. An empty function removes the hook.
using BeforeRenameHook = std::function<bool(const std::string& temporaryPath)>;
void setBeforeRenameHookForTesting(BeforeRenameHook hook);

} // namespace veld::files
