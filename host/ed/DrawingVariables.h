// The system variables kept in the drawing (USERR1..5, CLAYER) and those computed
// from the current document (UNDOCTL, DWGNAME, DWGPREFIX), read and written on the working
// database.
#pragma once
#include <string>

namespace veld::ed {

class DrawingVariables {
public:
    static double userReal(int index);
    static void setUserReal(int index, double value);

    // The name of the current layer ("" without a working database).
    static std::string currentLayer();
    // Makes the named layer current. Returns "" on success, else the host's message: the
    // layer must exist and must not be frozen.
    static std::string setCurrentLayer(const std::string& name);

    // 1 while undo is on, plus 8 while an UNDO group is open.
    static short undoControl();
    static std::string drawingName();
    static std::string drawingFolder();
};

} // namespace veld::ed
