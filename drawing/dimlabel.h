// The text of a dimension: which parts exist (the bit-flag text), the parameter text lines that
// fill them, the sign before the nominal, the measured value, and how the parts are laid out.
#pragma once

#include "drawing/shapes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qm::drawing {

// The flags of a bit-flag text such as "_AUTONOMINAL_PREFIX_TOLERANCE": names begin with an
// underscore; letters are compared without regard to case; unknown names are ignored.
struct DimFlags {
    bool autoNominal = false;
    bool rectText = false;
    bool prefix = false;
    bool nominalOff = false;
    bool tolerance = false;
    bool deviation = false;
    bool unit = false;
    bool suffix = false;
};

DimFlags parseDimFlags(const std::string& text);

// The parts of a dimension text, UTF-8.
struct DimensionLabel {
    std::string prefix, sign, nominal, grade, upper, lower, unit, suffix;
    std::vector<std::string> below; // lines under the dimension line
    bool framed = false;
};

// The sign before the nominal: 1 diameter, 2 square, 3 "R", 77 "M", others none.
std::string signText(std::int32_t code);

// Takes the parameter text lines in the order of the flags: prefix, nominal (when neither
// automatic nor suppressed), grade, upper and lower deviation, unit, suffix; the lines left over
// go under the dimension line. `measured` is the automatic nominal. Missing lines are empty.
DimensionLabel composeLabel(const DimFlags& flags, const std::vector<std::string>& lines,
                            std::int32_t sign, const std::string& measured);

// A measured length in the general number format.
std::string formatLength(double value);
// A measured angle in degrees and whole minutes: "45°", "30°15'".
std::string formatAngle(double degrees);

// The label on a baseline through `at` reading along `dir` (unit), anchored by `align`; the
// lines under the dimension line are not included (see addBelowLines). Sizes scale with `u`.
std::vector<Item> layoutLabel(const DimensionLabel& label, Point at, Point dir, double u,
                              HAlign align = HAlign::Center);
double labelWidth(const DimensionLabel& label, double u);

// The lines under the dimension line: the first baseline centred at `at`, the next ones further
// away from the line (towards -perp(dir)).
void addBelowLines(std::vector<Item>& out, const DimensionLabel& label, Point at, Point dir,
                   double u);

} // namespace qm::drawing
