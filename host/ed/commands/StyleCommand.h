// -STYLE: the command-line form of the text style command: makes a new text style or changes
// one (font file, height, width factor) and makes it the current style; ? lists the styles.
#pragma once
#include "host/ed/HostCommand.h"

#include <string>

class AcDbTextStyleTableRecord;

namespace veld::ed {

class StyleCommand : public HostCommand {
public:
    std::string name() const override { return "STYLE"; }
    bool hasDashForm() const override { return true; }
    int run() override;

private:
    // Asks the font, height and width factor into the open record; RTCAN for ESC.
    int askProperties(AcDbTextStyleTableRecord& style);
    int list();
};

} // namespace veld::ed
