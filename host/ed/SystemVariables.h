// The system variables of the command line: their types, ranges and initial values, which are
// read only, and where each one lives (the session, or the drawing for USERR1..5 and CLAYER).
// acedGetVar/acedSetVar and the SETVAR command go through this table.
#pragma once
#include "acge.h"
#include "adsdef.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace veld::ed {

class SystemVariables {
public:
    enum class Type { Integer, Real, Text, Point };
    using Value = std::variant<short, double, std::string, AcGePoint3d>;

    // ERRNO values the host sets when a change is refused.
    static constexpr short kErrnoReadOnly = 20;
    static constexpr short kErrnoOutOfRange = 22;

    // What a refused change is: nothing (accepted), read only, or a bad value.
    enum class Refusal { None, UnknownName, ReadOnly, BadValue };

    struct Variable {
        std::string name;
        Type type = Type::Integer;
        bool readOnly = false;
        long low = -32768; // integers
        long high = 32767;
        std::optional<double> realMinimum; // reals
        std::function<Value()> read;
        // Checks and stores a value of the right type; returns the refusal with a message.
        std::function<Refusal(const Value&, std::string& why)> write;
    };

    SystemVariables();
    SystemVariables(const SystemVariables&) = delete;
    SystemVariables& operator=(const SystemVariables&) = delete;

    const Variable* find(std::string_view name) const;
    std::vector<std::string> names() const;

    // The SDK calls. RTNORM or RTERROR; a refused change sets ERRNO.
    int get(std::string_view name, resbuf* result) const;
    int set(std::string_view name, const resbuf* value);
    // A change with a typed value: ERRNO is set when it is refused; `why` says what is wrong in
    // the host's words (empty when accepted).
    Refusal set(std::string_view name, const Value& value, std::string& why);
    // A text typed at SETVAR, read according to the variable's type.
    Refusal setFromText(std::string_view name, std::string_view text, std::string& why);
    // The value as SETVAR shows it: 1, 5.0000, "0", (0.0000,0.0000,0.0000).
    std::string display(std::string_view name) const;

    std::optional<Value> value(std::string_view name) const;
    short integer(std::string_view name) const;
    double real(std::string_view name) const;
    std::string text(std::string_view name) const;
    bool commandEcho() const { return integer("CMDECHO") != 0; }

private:
    void addSessionInteger(const std::string& name, short initial, long low, long high);
    void addSessionReal(const std::string& name, double initial, std::optional<double> minimum);
    void addSessionText(const std::string& name, std::string initial);
    void addSessionPoint(const std::string& name);
    void addDrawingVariables();
    void addStyleVariables();
    void addComputed(const std::string& name, Type type, std::function<Value()> read);
    void add(Variable variable);
    Refusal refuse(Refusal refusal);

    std::map<std::string, Variable> variables_;
    std::map<std::string, Value> sessionValues_;
};

} // namespace veld::ed
