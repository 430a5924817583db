// veld serve: the host session of veld shell on a thread of its own, shown and driven by a page
// served on 127.0.0.1. The session lives until the process is stopped (Ctrl+C, SIGTERM) or QUIT;
// with unsaved changes stopping asks on the terminal first.
#pragma once
#include "host/shell/Options.h"

#include <memory>
#include <string>

namespace veld::shell {

class LoadedModule;

class ServeRunner {
public:
    explicit ServeRunner(Options options);
    ~ServeRunner();
    int run();

private:
    struct Parts;
    int fail(int code, const std::string& reason) const;
    bool openDrawing(std::string& error);
    void wireSession();
    void announce() const;
    // Waits for a stop signal (confirmed) or the end of the command loop.
    void waitForStop();
    bool confirmStop();
    bool saveBeforeStop();
    void shutDown();

    Options options_;
    std::unique_ptr<Parts> parts_;
};

} // namespace veld::shell
