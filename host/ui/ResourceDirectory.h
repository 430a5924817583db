// The resources of one module's table: the dialog templates, control keys and pictures that its
// resource scripts declare. Dialogs are looked up only through the table of the current resource
// handle; the scripts are read at each look-up (they are small, and a table may be replaced).
#pragma once
#include "afxmodule.h"
#include "host/ui/DialogTemplate.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace veld::ui {

class ResourceDirectory {
public:
    // The directory of the table behind the current resource handle.
    static ResourceDirectory current();

    // Reads every resource script of `table` (none for null).
    explicit ResourceDirectory(const VeldResourceTable* table);

    const DialogTemplate* dialog(int id) const;
    // Parameter keys of a dialog's controls (from its CONTROLKEYS resource): key -> control id.
    std::map<std::string, int> controlKeys(int dialogId) const;
    // The file a picture resource names (a BITMAP resource), e.g. "square.svg", and its text.
    std::string pictureFile(int id) const;
    std::string_view file(const std::string& name) const;
    // What could not be read, one line each ("delta.rc line 12: ...").
    const std::vector<std::string>& errors() const { return errors_; }

private:
    void read(const VeldResourceEntry& entry);
    void addControlKeys(const std::string& script, int dialogId,
                        const std::vector<std::string>& lines);

    std::map<int, DialogTemplate> dialogs_;
    std::map<int, std::map<std::string, int>> controlKeys_;
    std::map<int, std::string> pictures_;
    std::map<std::string, std::string_view> files_;
    std::vector<std::string> errors_;
};

} // namespace veld::ui
