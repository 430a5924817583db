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

// Codes whose text is free text (text values, MTEXT parts, descriptions, extended-data strings):
// the writer escapes a caret in them as "^ " and the reader turns caret notation ("^J") back.
inline bool isFreeText(int code) {
    return code == 1 || code == 3 || (code >= 300 && code <= 309) || code == 1000;
}

// Codes 0..1071 are the ones the format defines; anything else is malformed.
inline bool isValidGroupCode(int code) {
    return code >= -5 && code <= 1071;
}

} // namespace veld::dxf
