// INSERT (-INSERT on the command line): a block reference with its attributes. A block the
// drawing lacks is loaded from its file on first use (BlockFileImport); the prompts are those of
// the original command line, so acedCommand answers them item by item.
#pragma once
#include "dbents.h"
#include "host/ed/HostCommand.h"

#include <string>
#include <vector>

namespace veld::ed {

class InsertCommand : public HostCommand {
public:
    std::string name() const override { return "INSERT"; }
    bool hasDashForm() const override { return true; }
    int run() override;

private:
    struct Placement {
        AcGePoint3d position;
        AcGeScale3d scale;
        double rotation = 0.0; // radians
    };
    struct AttributeValue {
        AcDbObjectId definition;
        std::string text;
    };

    // The block asked for, loaded when needed; null (after a message) when there is none.
    int askBlock(AcDbObjectId& block);
    AcDbObjectId findOrLoad(const std::string& answer);
    int askPlacement(Placement& placement);
    int askScale(const char* prompt, double fallback, double& scale);
    // One value per attribute definition that is not constant, in the block's order: asked
    // (ATTREQ 1) unless preset, else the definition's default.
    int askAttributes(AcDbObjectId block, std::vector<AttributeValue>& values);
    int insert(AcDbObjectId block, const Placement& placement,
               const std::vector<AttributeValue>& values);

    std::string lastBlock_;
};

} // namespace veld::ed
