// The veld command line: `veld run SCRIPT [options]`, `veld shell [IN.dxf] [options]` and
// `veld serve [IN.dxf] [options]`.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace veld::shell {

struct Options {
    enum class Mode { Run, Shell, Serve };
    Mode mode = Mode::Run;
    std::string script;          // run
    std::string drawing;         // --drawing, or the shell's IN.dxf
    std::string out;             // --out
    std::string svg;             // --svg
    std::string profile;         // --profile
    std::string module;          // --module
    std::string templateDrawing; // --template: what a new drawing starts from ("none": bare)
    bool shiftJisOutput = false; // --encoding cp932
    int port = 0;                // serve: --port (0: any free port)
    bool openBrowser = true;     // serve: --no-browser turns it off

    // The options of argv[1..]; nullopt with `error` set when they do not make sense.
    static std::optional<Options> parse(const std::vector<std::string>& args, std::string& error);
    static const char* usage();
};

} // namespace veld::shell
