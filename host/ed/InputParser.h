// Reading typed answers: numbers, points, keywords, and recognising dialog-action lines.
// Typed numbers are whole decimal numbers: a text with anything else in it is not a number, and
// neither are "inf", "nan" or hexadecimal, so no infinite or NaN coordinate enters the drawing.
#pragma once
#include "acge.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veld::ed {

class InputParser {
public:
    // Coordinates beyond this size are not in the drawing's range: a typed point is refused,
    // as -INSERT refuses such a position, so every point stays finite through later arithmetic.
    static constexpr double kLargestCoordinate = 1e99;

    // The whole text (blanks around allowed) as a finite decimal number.
    static std::optional<double> number(std::string_view text);
    // The whole text as an integer of the given range.
    static std::optional<long> integer(std::string_view text, long low, long high);
    // "x,y" or "x,y,z" (z 0 when missing); "@dx,dy[,dz]" relative to `last`. Nullopt also when
    // a coordinate of the result lies beyond kLargestCoordinate (or is not finite).
    static std::optional<AcGePoint3d> point(std::string_view text, const AcGePoint3d& last);

    // Matches an answer against keywords written with their abbreviation in capitals
    // ("BEgin" takes "BE", "BEG" ... "BEGIN"); a leading '_' is allowed (the global form).
    // Returns the keyword as declared, or nullopt.
    static std::optional<std::string> keyword(std::string_view text,
                                              const std::vector<std::string>& keywords);

    // A line that only a dialog can take: its first word is set, leave, select, check, click,
    // ok or cancel.
    static bool isDialogAction(std::string_view line);

    // Wildcards of name lists: '*' any run of characters, '?' one character; letters compare
    // without regard to case.
    static bool matchesWildcard(std::string_view pattern, std::string_view name);

    // Shortest text that reads back as the same number ("10", "0.5", "1e+20").
    static std::string formatNumber(double value);
    static std::string formatPoint(const AcGePoint3d& p);

    static std::string upper(std::string_view text);
    static std::string trim(std::string_view text);
};

} // namespace veld::ed
