// Replacing a file without ever destroying it: the new content goes to a temporary file beside
// the target, is flushed to disk, and is renamed over the target; the previous content stays as
// `<target>.bak`.
#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace veld::dxf {

// Writes `content` to `path` as described above. On failure returns false, says why in `error`
// ("cannot write /x/y.dxf: No space left on device") and leaves the old file as it was.
bool replaceFileSafely(const std::string& path, std::string_view content, std::string& error);

// The same with the content produced by `write`, which writes to the open temporary file and
// returns false (with a reason in `error`) when it cannot.
bool replaceFileSafely(const std::string& path,
                       const std::function<bool(int fd, std::string& error)>& write,
                       std::string& error);

// Writes all of `content` to a file descriptor; false (errno set) on failure.
bool writeAll(int fd, std::string_view content);

// Reads a whole file; false with the reason in `error`.
bool readWholeFile(const std::string& path, std::string& content, std::string& error);

} // namespace veld::dxf
