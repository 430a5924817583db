// Temporary setting of an integer system variable with its old value restored.
#include "app/SystemVariableOverride.h"

#include "aced.h"

SystemVariableOverride::SystemVariableOverride(const char* name, short value)
    : name_(name != nullptr ? name : "") {
    const int result = acedGetVar(name_.c_str(), &savedValue_);
    if (result == RTNORM && savedValue_.restype == RTSTR) {
        // Not an integer variable: the text the read allocated is ours to free.
        acutDelString(savedValue_.resval.rstring);
    }
    if (result != RTNORM || savedValue_.restype != RTSHORT) {
        return;
    }
    saved_ = true;
    resbuf newValue{};
    newValue.restype = RTSHORT;
    newValue.resval.rint = value;
    acedSetVar(name_.c_str(), &newValue);
}

SystemVariableOverride::~SystemVariableOverride() {
    restore();
}

bool SystemVariableOverride::restore() {
    if (!saved_) {
        return false;
    }
    saved_ = false;
    acedSetVar(name_.c_str(), &savedValue_);
    return true;
}
