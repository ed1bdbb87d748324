// Pieces that dimensions and roughness marks are drawn of: arrowheads, frames, shelves and the
// sizes of ISO 129 / ISO 3098 drafting. Sizes are sheet millimetres; builders work in view
// coordinates and multiply them by `u` (sheet mm in view units, 1 / view scale).
#pragma once

#include "drawing/shapes.h"

#include <string>
#include <vector>

namespace qm::drawing {

namespace sizes {
constexpr double textHeight = 3.5;  // dimension and roughness texts
constexpr double arrowLength = 3.0; // closed filled arrowhead, about 19 degrees
constexpr double arrowHalfWidth = 0.5;
constexpr double tickLength = 3.0; // oblique stroke
constexpr double dotRadius = 0.5;
constexpr double overshoot = 2.0;   // extension line past the dimension line
constexpr double textGap = 1.0;     // text above its line
constexpr double lineSpacing = 1.6; // baseline to baseline, in text heights
constexpr double shelfLength = 10.0;
} // namespace sizes

// Arrow type codes of the dimension drawing records.
enum ArrowType {
    arrowNone = 0,
    arrowInside = 1,
    arrowOutside = 2,
    arrowTick = 3,
    arrowDot = 4,
    arrowBreak = 255
};

// An arrowhead (or tick or dot) whose tip is at `tip` and which points along `dir` (unit).
void addArrowHead(std::vector<Item>& out, int type, Point tip, Point dir, double u);

void addSegment(std::vector<Item>& out, Point a, Point b, LineKind kind = LineKind::Thin);

// A text item of the annotation height.
Item annotationText(const std::string& utf8, Point at, double angle, double u,
                    HAlign align = HAlign::Left, double heightFactor = 1);

// The reading direction for text along a line with direction `d`: `d` or its opposite,
// whichever reads from the bottom or from the right (ISO 129).
Point readable(Point d);

// A closed rectangle of four thin segments around a text box: baseline from `start` along `dir`
// for `width`, `height` high, with a margin.
void addFrame(std::vector<Item>& out, Point start, Point dir, double width, double height,
              double margin);

} // namespace qm::drawing
