// The drawing as the writers see it: every drawn object with its items on the sheet (the view
// transform applied), and the extents of the whole sheet.
#pragma once

#include "drawing/drawing.h"

#include <vector>

namespace qm::drawing {

struct SheetObject {
    const Object* object = nullptr;
    std::vector<Item> items; // sheet millimetres
};

// The objects that draw something, in the order they were made (groups draw nothing).
std::vector<SheetObject> sheetObjects(const Drawing& drawing);

struct Extents {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    bool empty = true;
    void add(Point p);
    double width() const { return maxX - minX; }
    double height() const { return maxY - minY; }
};

// The extents of everything but auxiliary lines, which are infinite.
Extents extentsOf(const std::vector<SheetObject>& objects);

// The part of an infinite line inside the rectangle (false when it misses it).
bool clipLine(const XLine& line, const Extents& box, Point& a, Point& b);

// The corners of a text's box (estimated advance width, capital height).
std::vector<Point> textCorners(const Text& t);

} // namespace qm::drawing
