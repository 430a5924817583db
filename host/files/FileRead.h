// Reading whole files without blocking on anything that is not a file, and telling whether two
// names lead to the same file.
#pragma once
#include <optional>
#include <string>

namespace veld::files {

// False with a reason in `error` when `path` is not a regular file that can be read; checked
// without opening it, so that a FIFO or a device never blocks or streams forever.
bool checkReadableFile(const std::string& path, std::string& error);

// A read-only descriptor of a regular file (checked first, opened without blocking), or -1 with
// the reason in `error`.
int openReadableFile(const std::string& path, std::string& error);

// Reads a whole regular file; false with the reason in `error`.
bool readWholeFile(const std::string& path, std::string& content, std::string& error);
// The file's bytes, or nullopt when it is missing or not a readable regular file.
std::optional<std::string> readFileBytes(const std::string& path);

// True when both names lead to the same file (links followed), existing or not.
bool sameFile(const std::string& first, const std::string& second);

} // namespace veld::files
