// Sets an integer system variable for the length of one operation and puts the value it had
// back afterwards, on every path out of that operation.
#pragma once
#include "adsdef.h"

#include <string>

class SystemVariableOverride {
public:
    // Reads the variable and then sets it to `value`. When the read fails there is nothing to
    // put back, so the variable is left alone altogether.
    SystemVariableOverride(const char* name, short value);
    // Restores the saved value unless restore() has done so already.
    virtual ~SystemVariableOverride();
    SystemVariableOverride(const SystemVariableOverride&) = delete;
    SystemVariableOverride& operator=(const SystemVariableOverride&) = delete;

    // Puts the saved value back (once); true when it was put back now.
    bool restore();
    // Whether the variable was read and so will be restored.
    bool saved() const { return saved_; }

private:
    std::string name_;
    resbuf savedValue_{};
    bool saved_ = false;
};
