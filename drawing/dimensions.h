// The geometry of dimensions (ISO 129): extension lines, dimension lines and arcs, arrowheads,
// the label on the line or on a leader shelf. Items come out in view coordinates; `u` converts
// sheet millimetres (text and arrow sizes) into them.
#pragma once

#include "drawing/dimlabel.h"
#include "kompas/records.h"

#include <vector>

namespace qm::drawing {

// Linear dimensions. The dimension line passes through the base point (point 1, or point 2 when
// the base point code is 2) shifted by (dx, dy) and runs horizontally (0), vertically (1),
// parallel to the two points (2 and 4), or across the shift vector (3).
struct LinearSolution {
    Point dir;    // along the dimension line, from foot 1 towards foot 2
    Point f1, f2; // where the extension lines meet the dimension line
    double measured = 0;
};
LinearSolution solveLinear(const kompas::LinDimRecord& r);
std::vector<Item> buildLinear(const kompas::LinDimRecord& r, const kompas::DimDrawingRecord& dr,
                              const DimensionLabel& label, double u);

// Angular dimensions: the dimension arc about the centre from angle 1 to angle 2 (direction -1
// clockwise, otherwise counter-clockwise), extension lines from the two exit points.
double measuredAngle(const kompas::AngDimRecord& r);
std::vector<Item> buildAngular(const kompas::AngDimRecord& r, const kompas::DimDrawingRecord& dr,
                               const DimensionLabel& label, double u);

// Diametral and radial dimensions of the circle (centre, radius); the drawing record's angle
// says where the dimension line points.
std::vector<Item> buildDiametral(Point centre, double radius, const kompas::RadialDrawingRecord& dr,
                                 const DimensionLabel& label, double u);
std::vector<Item> buildRadial(Point centre, double radius, const kompas::RadialDrawingRecord& dr,
                              const DimensionLabel& label, double u);
// A radius whose centre lies far away: a jogged dimension line (ISO 129).
std::vector<Item> buildRadialBreak(Point centre, double radius,
                                   const kompas::BreakDrawingRecord& dr,
                                   const DimensionLabel& label, double u);

} // namespace qm::drawing
