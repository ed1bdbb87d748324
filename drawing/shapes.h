// What a drawing object is drawn of: segments, circles, arcs, auxiliary lines, texts, solid
// fills (arrowheads, dots) and hatches, each with the line kind it is drawn in.
#pragma once

#include "drawing/geometry.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace qm::drawing {

// The line kinds of the style codes: 1 main, 2 thin, 3 axis, 4 hidden, 7 thick, 8 dotted; every
// other code is drawn as main. Auxiliary lines are construction lines, not printed in CAD.
enum class LineKind { Main, Thin, Axis, Hidden, Thick, Dotted, Auxiliary };

LineKind lineKindOfStyle(std::uint32_t code);

struct Segment {
    Point a, b;
};

struct Circle {
    Point centre;
    double radius = 0;
};

// Always counter-clockwise: from `start` (degrees) through `sweep` degrees, 0 < sweep <= 360.
struct Arc {
    Point centre;
    double radius = 0;
    double start = 0;
    double sweep = 360;
    Point startPoint() const { return centre + radius * direction(start); }
    Point endPoint() const { return centre + radius * direction(start + sweep); }
};

// The counter-clockwise arc from angle1 to angle2 when `direction` is 1 (or anything but -1),
// the clockwise one when it is -1. Equal angles make the full circle.
Arc arcByAngles(Point centre, double radius, double angle1, double angle2, int direction);

// An infinite construction line.
struct XLine {
    Point through;
    double angle = 0;
};

enum class HAlign { Left, Center, Right };

// One line of text on its baseline. `angle` is the reading direction; glyphs stand upright
// towards the left of it. `height` is the capital height, `widthFactor` the narrowing.
struct Text {
    Point at;
    double angle = 0;
    double height = 3.5;
    double widthFactor = 1;
    HAlign align = HAlign::Left;
    std::string utf8;
    std::uint32_t flags = 0; // KSSTEXT bits: 0x40 italic, 0x100 bold, 0x400 underlined
};

// An arc as a boundary edge: run from its end back to its start when `reversed`.
struct ArcEdge {
    Arc arc;
    bool reversed = false;
};

// A closed boundary: line and arc edges end to end.
using Edge = std::variant<Segment, ArcEdge>;
using Loop = std::vector<Edge>;

Point edgeStart(const Edge& e);
Point edgeEnd(const Edge& e);
Edge reversedEdge(const Edge& e);

// A solid filled area (arrowheads, dots).
struct Fill {
    std::vector<Loop> loops;
};

// Hatch lines at `angle` degrees, `step` mm apart (crossed when `cross`), inside the loops.
struct Hatch {
    std::vector<Loop> loops;
    double angle = 45;
    double step = 2;
    bool cross = false;
};

using Shape = std::variant<Segment, Circle, Arc, XLine, Text, Fill, Hatch>;

struct Item {
    LineKind kind = LineKind::Main;
    Shape shape;
};

// The item after a similarity transform. Texts stay readable under a reflection: they take the
// mirrored place and keep upright glyphs.
Item transformed(const Item& item, const Affine& t);
Edge transformed(const Edge& e, const Affine& t);

// Rough advance width of a text (no font metrics here): used to size frames and shelves.
double textWidth(const std::string& utf8, double height, double widthFactor = 1);
// Number of characters (code points) of a UTF-8 text.
std::size_t codePoints(const std::string& utf8);

} // namespace qm::drawing
