// The working drawing's current text and dimension styles, and the dimension variables of a
// dimension style by their system-variable names (DIMTXT, DIMSCALE ...). A change to a variable
// changes the style record itself (undoable like any other change).
#pragma once
#include "dbsymtb.h"

#include <optional>
#include <string>
#include <vector>

namespace veld::ed {

class StyleVariables {
public:
    struct DimVariable {
        const char* name;
        const char* meaning;
        bool integer; // DIMDEC, DIMTAD; the others are real sizes
    };
    // In the order the lists show them.
    static const std::vector<DimVariable>& dimensionVariables();

    static AcDbObjectId dimStyle(const std::string& name);
    static AcDbObjectId textStyle(const std::string& name);
    static std::string recordName(AcDbObjectId record);

    static std::string currentDimStyle();
    static std::string currentTextStyle();
    // Make the named style current: "" on success, else the message why not.
    static std::string setCurrentDimStyle(const std::string& name);
    static std::string setCurrentTextStyle(const std::string& name);

    // A variable of a style; nullopt when the style cannot be read or the name is unknown.
    static std::optional<double> dimValue(AcDbObjectId style, const std::string& variable);
    // False when the style cannot be written or the value is refused.
    static bool setDimValue(AcDbObjectId style, const std::string& variable, double value);
    // Every variable and the text style of `from` into the open record `to`.
    static void copyDimVariables(const AcDbDimStyleTableRecord& from, AcDbDimStyleTableRecord& to);
    // "DIMTXT  2.5000  Text height" lines of a style, each beginning with "\n".
    static std::string listDimVariables(AcDbObjectId style);
};

} // namespace veld::ed
