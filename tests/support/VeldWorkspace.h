// Runs the real veld executable for end-to-end tests: in a temporary folder with a fresh
// profile, capturing standard output, standard error and the exit code.
#pragma once
#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <map>
#include <string>
#include <sys/types.h>
#include <vector>

namespace veld::test {

struct VeldResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

class VeldWorkspace {
public:
    VeldWorkspace() = default;
    VeldWorkspace(const VeldWorkspace&) = delete;
    VeldWorkspace& operator=(const VeldWorkspace&) = delete;

    const std::filesystem::path& folder() const { return folder_; }
    std::filesystem::path profile() const { return folder_ / "profile"; }
    // Writes a script (lines joined with "\n", plus a final one) and returns its path.
    std::filesystem::path script(const std::string& name, const std::vector<std::string>& lines);
    // Runs veld with these arguments; `--profile` is added unless `withProfile` is false.
    VeldResult run(std::vector<std::string> args, bool withProfile = true,
                   const std::map<std::string, std::string>& environment = {});
    // The same in steps: start() returns the process id (0 when it could not start), finish()
    // waits for it.
    pid_t start(std::vector<std::string> args, bool withProfile = true,
                const std::map<std::string, std::string>& environment = {});
    VeldResult finish(pid_t pid);
    // Standard input of the next runs (nothing when empty).
    void setInput(std::filesystem::path path) { input_ = std::move(path); }

private:
    TempFolder temp_{"veld-e2e"};
    std::filesystem::path folder_{temp_.path()};
    std::filesystem::path input_;
};

} // namespace veld::test
