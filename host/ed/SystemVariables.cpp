// The system variable table: definitions, the SDK's get/set with result buffers, and the typed
// reading of values typed at SETVAR.
#include "host/ed/SystemVariables.h"

#include "host/ed/CurrentDrawing.h"
#include "host/ed/DrawingVariables.h"
#include "host/ed/InputParser.h"
#include "host/ed/StyleVariables.h"

#include <cstdio>

namespace veld::ed {

namespace {

std::string rangeText(long low, long high) {
    return "Requires an integer between " + std::to_string(low) + " and " + std::to_string(high) +
           ".";
}

SystemVariables::Refusal checkInteger(long low, long high, const SystemVariables::Value& value,
                                      std::string& why) {
    const short* s = std::get_if<short>(&value);
    if (s == nullptr || *s < low || *s > high) {
        why = rangeText(low, high);
        return SystemVariables::Refusal::BadValue;
    }
    return SystemVariables::Refusal::None;
}

SystemVariables::Refusal checkReal(std::optional<double> minimum,
                                   const SystemVariables::Value& value, std::string& why) {
    const double* d = std::get_if<double>(&value);
    if (d == nullptr) {
        why = "Requires numeric value.";
        return SystemVariables::Refusal::BadValue;
    }
    if (minimum && *d < *minimum) {
        why = "Value must be " + InputParser::formatNumber(*minimum) + " or more.";
        return SystemVariables::Refusal::BadValue;
    }
    return SystemVariables::Refusal::None;
}

std::string upperName(std::string_view name) {
    return InputParser::upper(InputParser::trim(name));
}

std::string fixed4(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.4f", value);
    return buffer;
}

// A result buffer's value in the variable's type; nullopt when the type does not fit.
std::optional<SystemVariables::Value> valueOf(SystemVariables::Type type, const resbuf* rb) {
    switch (type) {
    case SystemVariables::Type::Integer:
        if (rb->restype == RTSHORT) {
            return SystemVariables::Value(rb->resval.rint);
        }
        if (rb->restype == RTLONG && rb->resval.rlong >= -32768 && rb->resval.rlong <= 32767) {
            return SystemVariables::Value(static_cast<short>(rb->resval.rlong));
        }
        return std::nullopt;
    case SystemVariables::Type::Real:
        if (rb->restype == RTREAL || rb->restype == RTANG || rb->restype == RTORINT) {
            return SystemVariables::Value(rb->resval.rreal);
        }
        if (rb->restype == RTSHORT) {
            return SystemVariables::Value(static_cast<double>(rb->resval.rint));
        }
        if (rb->restype == RTLONG) {
            return SystemVariables::Value(static_cast<double>(rb->resval.rlong));
        }
        return std::nullopt;
    case SystemVariables::Type::Text:
        if (rb->restype == RTSTR) {
            return SystemVariables::Value(
                std::string(rb->resval.rstring != nullptr ? rb->resval.rstring : ""));
        }
        return std::nullopt;
    case SystemVariables::Type::Point:
        if (rb->restype == RTPOINT || rb->restype == RT3DPOINT) {
            const double* p = rb->resval.rpoint;
            return SystemVariables::Value(
                AcGePoint3d(p[0], p[1], rb->restype == RT3DPOINT ? p[2] : 0.0));
        }
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

SystemVariables::SystemVariables() {
    addSessionInteger("CMDECHO", 1, 0, 1);
    addSessionInteger("OSMODE", 4133, 0, 32767);
    addSessionInteger("ATTDIA", 0, 0, 1);
    addSessionInteger("ATTREQ", 1, 0, 1);
    addSessionInteger("ATTMODE", 1, 0, 2);
    addSessionInteger("ERRNO", 0, -32768, 32767);
    addSessionReal("PICKDIST", 5.0, 0.0);
    addSessionInteger("APERTURE", 10, 1, 50);
    addSessionPoint("LASTPOINT");
    for (int i = 1; i <= 5; ++i) {
        addSessionText("USERS" + std::to_string(i), "");
    }
    addDrawingVariables();
}

void SystemVariables::add(Variable variable) {
    std::string key = variable.name;
    variables_[key] = std::move(variable);
}

void SystemVariables::addSessionInteger(const std::string& name, short initial, long low,
                                        long high) {
    sessionValues_[name] = initial;
    Variable v{name, Type::Integer, false, low, high, std::nullopt, {}, {}};
    v.read = [this, name] { return sessionValues_.at(name); };
    v.write = [this, name, low, high](const Value& value, std::string& why) {
        Refusal r = checkInteger(low, high, value, why);
        if (r == Refusal::None) {
            sessionValues_[name] = value;
        }
        return r;
    };
    add(std::move(v));
}

void SystemVariables::addSessionReal(const std::string& name, double initial,
                                     std::optional<double> minimum) {
    sessionValues_[name] = initial;
    Variable v{name, Type::Real, false, 0, 0, minimum, {}, {}};
    v.read = [this, name] { return sessionValues_.at(name); };
    v.write = [this, name, minimum](const Value& value, std::string& why) {
        Refusal r = checkReal(minimum, value, why);
        if (r == Refusal::None) {
            sessionValues_[name] = value;
        }
        return r;
    };
    add(std::move(v));
}

void SystemVariables::addSessionText(const std::string& name, std::string initial) {
    sessionValues_[name] = std::move(initial);
    Variable v{name, Type::Text, false, 0, 0, std::nullopt, {}, {}};
    v.read = [this, name] { return sessionValues_.at(name); };
    v.write = [this, name](const Value& value, std::string&) {
        sessionValues_[name] = value;
        return Refusal::None;
    };
    add(std::move(v));
}

void SystemVariables::addSessionPoint(const std::string& name) {
    sessionValues_[name] = AcGePoint3d();
    Variable v{name, Type::Point, false, 0, 0, std::nullopt, {}, {}};
    v.read = [this, name] { return sessionValues_.at(name); };
    v.write = [this, name](const Value& value, std::string&) {
        sessionValues_[name] = value;
        return Refusal::None;
    };
    add(std::move(v));
}

void SystemVariables::addComputed(const std::string& name, Type type, std::function<Value()> read) {
    Variable v{name, type, true, 0, 0, std::nullopt, std::move(read), {}};
    add(std::move(v));
}

void SystemVariables::addDrawingVariables() {
    for (int i = 1; i <= 5; ++i) {
        Variable r{"USERR" + std::to_string(i), Type::Real, false, 0, 0, std::nullopt, {}, {}};
        r.read = [i] { return Value(DrawingVariables::userReal(i)); };
        r.write = [i](const Value& value, std::string& why) {
            Refusal refusal = checkReal(std::nullopt, value, why);
            if (refusal == Refusal::None) {
                DrawingVariables::setUserReal(i, std::get<double>(value));
            }
            return refusal;
        };
        add(std::move(r));
    }
    Variable clayer{"CLAYER", Type::Text, false, 0, 0, std::nullopt, {}, {}};
    clayer.read = [] { return Value(DrawingVariables::currentLayer()); };
    clayer.write = [](const Value& value, std::string& why) {
        why = DrawingVariables::setCurrentLayer(std::get<std::string>(value));
        return why.empty() ? Refusal::None : Refusal::BadValue;
    };
    add(std::move(clayer));
    addStyleVariables();
    addComputed("UNDOCTL", Type::Integer, [] { return Value(DrawingVariables::undoControl()); });
    addComputed("DWGNAME", Type::Text, [] { return Value(DrawingVariables::drawingName()); });
    addComputed("DWGPREFIX", Type::Text, [] { return Value(DrawingVariables::drawingFolder()); });
}

// DIMSTYLE (changed with -DIMSTYLE Restore), TEXTSTYLE, and the dimension variables of the
// current dimension style, which a change writes into that style.
void SystemVariables::addStyleVariables() {
    addComputed("DIMSTYLE", Type::Text, [] { return Value(StyleVariables::currentDimStyle()); });
    Variable textStyle{"TEXTSTYLE", Type::Text, false, 0, 0, std::nullopt, {}, {}};
    textStyle.read = [] { return Value(StyleVariables::currentTextStyle()); };
    textStyle.write = [](const Value& value, std::string& why) {
        why = StyleVariables::setCurrentTextStyle(std::get<std::string>(value));
        return why.empty() ? Refusal::None : Refusal::BadValue;
    };
    add(std::move(textStyle));
    for (const StyleVariables::DimVariable& d : StyleVariables::dimensionVariables()) {
        const std::string name = d.name;
        const long high = name == "DIMDEC" ? 8 : 1;
        const std::optional<double> minimum =
            name == "DIMGAP" ? std::nullopt : std::optional<double>(0.0);
        Variable v{name, d.integer ? Type::Integer : Type::Real, false, 0, high, minimum, {}, {}};
        v.read = [name, integer = d.integer] {
            AcDbDatabase* db = CurrentDrawing::database();
            const double value =
                db != nullptr ? StyleVariables::dimValue(db->dimstyle(), name).value_or(0.0) : 0.0;
            return integer ? Value(static_cast<short>(value)) : Value(value);
        };
        v.write = [name, integer = d.integer, high, minimum](const Value& value, std::string& why) {
            Refusal r =
                integer ? checkInteger(0, high, value, why) : checkReal(minimum, value, why);
            AcDbDatabase* db = CurrentDrawing::database();
            if (r != Refusal::None || db == nullptr) {
                return r;
            }
            const double number =
                integer ? static_cast<double>(std::get<short>(value)) : std::get<double>(value);
            return StyleVariables::setDimValue(db->dimstyle(), name, number) ? Refusal::None
                                                                             : Refusal::BadValue;
        };
        add(std::move(v));
    }
}

const SystemVariables::Variable* SystemVariables::find(std::string_view name) const {
    auto it = variables_.find(upperName(name));
    return it != variables_.end() ? &it->second : nullptr;
}

std::vector<std::string> SystemVariables::names() const {
    std::vector<std::string> out;
    for (const auto& [name, variable] : variables_) {
        out.push_back(name);
    }
    return out;
}

SystemVariables::Refusal SystemVariables::refuse(Refusal refusal) {
    if (refusal == Refusal::ReadOnly) {
        sessionValues_["ERRNO"] = kErrnoReadOnly;
    } else if (refusal == Refusal::BadValue) {
        sessionValues_["ERRNO"] = kErrnoOutOfRange;
    }
    return refusal;
}

SystemVariables::Refusal SystemVariables::set(std::string_view name, const Value& value,
                                              std::string& why) {
    why.clear();
    const Variable* v = find(name);
    if (v == nullptr) {
        why = "Unknown variable name.";
        return Refusal::UnknownName;
    }
    if (v->readOnly) {
        why = "Variable " + v->name + " is read only.";
        return refuse(Refusal::ReadOnly);
    }
    return refuse(v->write(value, why));
}

int SystemVariables::get(std::string_view name, resbuf* result) const {
    const Variable* v = find(name);
    if (v == nullptr || result == nullptr) {
        return RTERROR;
    }
    Value value = v->read();
    switch (v->type) {
    case Type::Integer:
        result->restype = RTSHORT;
        result->resval.rint = std::get<short>(value);
        break;
    case Type::Real:
        result->restype = RTREAL;
        result->resval.rreal = std::get<double>(value);
        break;
    case Type::Text:
        result->restype = RTSTR;
        result->resval.rstring = nullptr;
        acutNewString(std::get<std::string>(value).c_str(), result->resval.rstring);
        break;
    case Type::Point: {
        const AcGePoint3d& p = std::get<AcGePoint3d>(value);
        result->restype = RT3DPOINT;
        result->resval.rpoint[0] = p.x;
        result->resval.rpoint[1] = p.y;
        result->resval.rpoint[2] = p.z;
        break;
    }
    }
    return RTNORM;
}

int SystemVariables::set(std::string_view name, const resbuf* value) {
    const Variable* v = find(name);
    if (v == nullptr || value == nullptr) {
        return RTERROR;
    }
    std::string why;
    if (v->readOnly) {
        refuse(Refusal::ReadOnly);
        return RTERROR;
    }
    std::optional<Value> typed = valueOf(v->type, value);
    if (!typed) {
        refuse(Refusal::BadValue);
        return RTERROR;
    }
    return set(name, *typed, why) == Refusal::None ? RTNORM : RTERROR;
}

SystemVariables::Refusal SystemVariables::setFromText(std::string_view name, std::string_view text,
                                                      std::string& why) {
    const Variable* v = find(name);
    if (v == nullptr || v->readOnly) {
        return set(name, Value(short{0}), why);
    }
    switch (v->type) {
    case Type::Integer:
        if (auto n = InputParser::integer(text, v->low, v->high)) {
            return set(name, Value(static_cast<short>(*n)), why);
        }
        why = rangeText(v->low, v->high);
        return refuse(Refusal::BadValue);
    case Type::Real:
        if (auto d = InputParser::number(text)) {
            return set(name, Value(*d), why);
        }
        why = "Requires numeric value.";
        return refuse(Refusal::BadValue);
    case Type::Text:
        return set(name, Value(std::string(text)), why);
    case Type::Point:
        if (auto p = InputParser::point(text, AcGePoint3d())) {
            return set(name, Value(*p), why);
        }
        why = "Invalid point.";
        return refuse(Refusal::BadValue);
    }
    return Refusal::BadValue;
}

std::optional<SystemVariables::Value> SystemVariables::value(std::string_view name) const {
    const Variable* v = find(name);
    if (v == nullptr) {
        return std::nullopt;
    }
    return v->read();
}

std::string SystemVariables::display(std::string_view name) const {
    std::optional<Value> v = value(name);
    if (!v) {
        return "";
    }
    if (const short* s = std::get_if<short>(&*v)) {
        return std::to_string(*s);
    }
    if (const double* d = std::get_if<double>(&*v)) {
        return fixed4(*d);
    }
    if (const std::string* t = std::get_if<std::string>(&*v)) {
        return "\"" + *t + "\"";
    }
    const AcGePoint3d& p = std::get<AcGePoint3d>(*v);
    return "(" + fixed4(p.x) + "," + fixed4(p.y) + "," + fixed4(p.z) + ")";
}

short SystemVariables::integer(std::string_view name) const {
    std::optional<Value> v = value(name);
    const short* s = v ? std::get_if<short>(&*v) : nullptr;
    return s != nullptr ? *s : 0;
}

double SystemVariables::real(std::string_view name) const {
    std::optional<Value> v = value(name);
    const double* d = v ? std::get_if<double>(&*v) : nullptr;
    return d != nullptr ? *d : 0.0;
}

std::string SystemVariables::text(std::string_view name) const {
    std::optional<Value> v = value(name);
    const std::string* t = v ? std::get_if<std::string>(&*v) : nullptr;
    return t != nullptr ? *t : std::string();
}

} // namespace veld::ed
