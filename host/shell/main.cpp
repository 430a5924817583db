// veld: the host executable. `veld run SCRIPT` runs a script headless; `veld shell` is the same
// command line for a person at a terminal; `veld serve` shows it in a browser.
#include "host/shell/ExitCode.h"
#include "host/shell/Options.h"
#include "host/shell/Runner.h"
#include "host/shell/ServeRunner.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::fputs(veld::shell::Options::usage(), stdout);
        return veld::shell::kExitOk;
    }
    std::string error;
    std::optional<veld::shell::Options> options = veld::shell::Options::parse(args, error);
    if (!options) {
        std::fprintf(stderr, "veld: %s (veld --help shows the usage)\n", error.c_str());
        return veld::shell::kExitUsage;
    }
    if (options->mode == veld::shell::Options::Mode::Serve) {
        return veld::shell::ServeRunner(std::move(*options)).run();
    }
    return veld::shell::Runner(std::move(*options)).run();
}
