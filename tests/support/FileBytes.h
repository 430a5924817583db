// Whole files as byte strings, for tests and benchmarks that write their input or check their
// output byte for byte.
#pragma once
#include <filesystem>
#include <string>

namespace veld::test {

// The file's bytes; empty when it cannot be read.
std::string readBytes(const std::filesystem::path& path);
// Replaces the file with `bytes` (no line-ending translation).
void writeBytes(const std::filesystem::path& path, const std::string& bytes);

} // namespace veld::test
