// Where the office's standards drawing lives: VELDOR-STANDARDS.dxf in the TEMPLATE folder that
// the profile's VELDOR.ini names. New drawings start from it; -STANDARDS brings it into one.
#pragma once
#include <string>

namespace veld::win {

inline constexpr const char* kStandardsFileName = "VELDOR-STANDARDS.dxf";

// The template folder: key TEMPLATE of section PATH in the profile's VELDOR.ini, relative to the
// profile folder unless absolute; "TEMPLATE" when the key is missing.
std::string templateFolder();
// The standards drawing in the template folder (whether or not it exists).
std::string standardsDrawingPath();

} // namespace veld::win
