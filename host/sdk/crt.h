// The C runtime's number conversions as the module relies on them, independent of the process
// locale and of glibc's extensions. Module code uses these instead of atof and sprintf.
#pragma once
#include <string>

// Text to number with the old runtime's decimal rule:
//   [blanks][sign][digits][.digits][{e|E|d|D}[sign]digits]
// Blanks are spaces and tabs only. The longest leading number is taken ("12abc" gives 12,
// "1e" gives 1, "1d5" gives 100000); a text without one gives 0. Hexadecimal ("0x10"), "inf"
// and "nan" are not numbers and give 0, and so does a value too large (or too small) for a
// double: the result is always finite. A null text gives 0.
double veldAtof(const char* text);

// snprintf into a string, always in the C locale (decimal point '.', no grouping), so "%.2f"
// gives "1588.68" whatever locale the process runs in. Returns "" on a format error.
std::string veldFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));
