// -STANDARDS: brings the office's standards into the open drawing: every layer, linetype, text
// style and dimension style of the standards drawing that the drawing lacks. What the drawing
// has stays as it is. USERR1 (the plot scale) is asked for when it is 0.
#pragma once
#include "host/ed/HostCommand.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

class AcDbDatabase;

namespace veld::ed {

class StandardsCommand : public HostCommand {
public:
    std::string name() const override { return "STANDARDS"; }
    bool hasDashForm() const override { return true; }
    int run() override;

private:
    // The standards drawing to read; nullopt for ESC, "" when it cannot be found (said so).
    std::optional<std::string> askFile();
    // The plot scale; asked when USERR1 is not positive, then kept in USERR1. 0 for ESC.
    double plotScale(AcDbDatabase& standards);
    void bringIn(AcDbDatabase& standards, double scale, const std::string& fileName);
    static void report(const std::map<std::string, std::vector<std::string>>& added,
                       const std::string& fileName);
};

} // namespace veld::ed
