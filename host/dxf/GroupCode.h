// What kind of value a DXF group code carries, as the DXF reference assigns value types to code
// ranges. Binary files store each value in its kind's own form; text files as text.
#pragma once

namespace veld::dxf {

enum class ValueKind { String, Double, Int16, Int32, Int64, Bool, Binary, Handle };

ValueKind valueKind(int code);

// True for codes whose value is text that may need code-page conversion.
inline bool isTextValue(int code) {
    return valueKind(code) == ValueKind::String;
}

// Codes 0..1071 are the ones the format defines; anything else is malformed.
inline bool isValidGroupCode(int code) {
    return code >= -5 && code <= 1071;
}

} // namespace veld::dxf
