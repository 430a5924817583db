// Replacing a file without ever destroying it: the new content goes to a temporary file beside
// the target, is flushed to disk, and is renamed over the target; the previous content stays as
// `<target>.bak`.
#pragma once
#include <string>
#include <string_view>

namespace veld::dxf {

// Writes `content` to `path` as described above. On failure returns false, says why in `error`
// ("cannot write /x/y.dxf: No space left on device") and leaves the old file as it was.
bool replaceFileSafely(const std::string& path, std::string_view content, std::string& error);

// Reads a whole file; false with the reason in `error`.
bool readWholeFile(const std::string& path, std::string& content, std::string& error);

} // namespace veld::dxf
