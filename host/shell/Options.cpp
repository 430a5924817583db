// Reading the veld command line.
#include "host/shell/Options.h"

#include <map>
#include <stdexcept>

namespace veld::shell {

namespace {

bool takesValue(const std::string& option) {
    static const char* const valued[] = {"--drawing", "--out",      "--svg",      "--profile",
                                         "--module",  "--encoding", "--template", "--port"};
    for (const char* v : valued) {
        if (option == v) {
            return true;
        }
    }
    return false;
}

bool storePort(Options& o, const std::string& value, std::string& error) {
    std::size_t used = 0;
    int port = -1;
    try {
        port = std::stoi(value, &used);
    } catch (const std::exception&) {
    }
    if (o.mode != Options::Mode::Serve || used != value.size() || port < 0 || port > 65535) {
        error = o.mode != Options::Mode::Serve ? "--port is an option of veld serve"
                                               : "--port needs a number from 0 to 65535";
        return false;
    }
    o.port = port;
    return true;
}

// Stores one option's value; false with `error` set for a value that makes no sense here.
bool store(Options& o, const std::string& option, const std::string& value, std::string& error) {
    if (option == "--encoding") {
        if (value == "cp932" || value == "CP932" || value == "shift_jis") {
            o.shiftJisOutput = true;
        } else if (value != "utf-8" && value != "UTF-8" && value != "utf8") {
            error = "unknown encoding \"" + value + "\" (cp932 or utf-8)";
            return false;
        }
        return true;
    }
    if (option == "--port") {
        return storePort(o, value, error);
    }
    std::map<std::string, std::string*> fields{
        {"--drawing", &o.drawing}, {"--out", &o.out},       {"--svg", &o.svg},
        {"--profile", &o.profile}, {"--module", &o.module}, {"--template", &o.templateDrawing}};
    if (o.mode != Options::Mode::Run && (option == "--out" || option == "--svg")) {
        error = option + " is an option of veld run (use SAVE in the shell)";
        return false;
    }
    *fields.at(option) = value;
    return true;
}

} // namespace

std::optional<Options> Options::parse(const std::vector<std::string>& args, std::string& error) {
    if (args.empty() || (args[0] != "run" && args[0] != "shell" && args[0] != "serve")) {
        error = args.empty() ? "no command given" : "unknown command \"" + args[0] + "\"";
        return std::nullopt;
    }
    Options o;
    o.mode = args[0] == "run" ? Mode::Run : (args[0] == "shell" ? Mode::Shell : Mode::Serve);
    std::vector<std::string> positional;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--no-browser" && o.mode == Mode::Serve) {
            o.openBrowser = false;
        } else if (a.rfind("--", 0) == 0) {
            if (!takesValue(a)) {
                error = "unknown option " + a;
                return std::nullopt;
            }
            if (i + 1 >= args.size()) {
                error = a + " needs a value";
                return std::nullopt;
            }
            if (!store(o, a, args[++i], error)) {
                return std::nullopt;
            }
        } else {
            positional.push_back(a);
        }
    }
    if (o.mode == Mode::Run) {
        if (positional.size() != 1) {
            error = positional.empty() ? "veld run needs a script" : "veld run takes one script";
            return std::nullopt;
        }
        o.script = positional[0];
    } else if (positional.size() > 1 || (positional.size() == 1 && !o.drawing.empty())) {
        error =
            args[0] == "serve" ? "veld serve takes one drawing" : "veld shell takes one drawing";
        return std::nullopt;
    } else if (positional.size() == 1) {
        o.drawing = positional[0];
    }
    return o;
}

const char* Options::usage() {
    return "usage: veld run SCRIPT [--drawing IN.dxf] [--out OUT.dxf] [--svg OUT.svg]\n"
           "                       [--profile DIR] [--encoding cp932] [--module FILE]\n"
           "                       [--template FILE|none]\n"
           "       veld shell [IN.dxf] [--profile DIR] [--encoding cp932] [--module FILE]\n"
           "                  [--template FILE|none]\n"
           "       veld serve [IN.dxf] [--profile DIR] [--port N] [--no-browser] [--module FILE]\n"
           "                  [--template FILE|none]\n";
}

} // namespace veld::shell
