// What an aligned dimension looks like: extension lines, dimension line, arrowheads or ticks and
// the measured text, computed from the dimension's points and its style's values. One
// computation feeds both the geometry block of the DXF file and the SVG picture.
#pragma once
#include <acge.h>
#include <string>
#include <vector>

namespace veld::geom {

// The dimension-style values the geometry depends on (defaults as the STANDARD style).
struct DimStyleValues {
    double arrowSize = 0.18;         // DIMASZ
    double extensionBeyond = 0.18;   // DIMEXE
    double extensionOffset = 0.0625; // DIMEXO
    double textGap = 0.09;           // DIMGAP
    double textHeight = 0.18;        // DIMTXT
    double scale = 1.0;              // DIMSCALE (0 counts as 1)
    double tickSize = 0.0;           // DIMTSZ; above 0 draws ticks instead of arrows
    int decimals = 4;                // DIMDEC
    bool textAbove = false;          // DIMTAD
};

struct AlignedDimensionInput {
    AcGePoint3d xLine1, xLine2; // where the extension lines start
    AcGePoint3d dimLine;        // a point on the dimension line
    std::string text;           // empty: the measurement; "<>" stands for it inside a text
    bool userTextPosition = false;
    AcGePoint3d textPosition; // used when userTextPosition
};

struct GeoSegment {
    AcGePoint3d start, end;
};

// A filled triangle in the corner order of a DXF SOLID (third corner repeated as the fourth).
struct GeoSolid {
    AcGePoint3d corners[4];
};

// Middle-centred single-line text.
struct GeoText {
    AcGePoint3d position;
    double height = 0.0;
    double rotation = 0.0; // radians, always reads left to right or bottom to top
    std::string text;
};

struct DimensionGeometry {
    std::vector<GeoSegment> lines;
    std::vector<GeoSolid> solids;
    GeoText text;
    AcGePoint3d dimLineStart, dimLineEnd; // the dimension line's ends (at xLine1 and xLine2)
    double measurement = 0.0;
};

DimensionGeometry computeAlignedDimension(const AlignedDimensionInput& input,
                                          const DimStyleValues& style);

// The measured value with `decimals` places (0..8), locale-independent ("1500.00").
std::string formatMeasurement(double value, int decimals);

// The text the dimension shows: the measurement, the override, or the override with "<>"
// replaced by the measurement.
std::string dimensionText(const std::string& override, double value, int decimals);

// A rough width of single-line text in a sans-serif font: wide (CJK) characters count a full
// height, others `narrowShare` of it (0.7 errs on the wide side, as a dimension's text gap must).
double estimateTextWidth(const std::string& utf8, double height, double narrowShare = 0.7);

} // namespace veld::geom
