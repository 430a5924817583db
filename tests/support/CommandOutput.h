// Runs a shell command from a test and collects what it prints: the real veld, the ezdxf checks.
#pragma once
#include <string>

namespace veld::test {

// The text in single quotes for /bin/sh, inner quotes escaped.
std::string shellQuote(const std::string& text);

// Runs `command` with /bin/sh, returns its standard output; `exitCode` is its exit status, or -1
// when it could not be started or did not exit normally.
std::string runCommand(const std::string& command, int& exitCode);

} // namespace veld::test
