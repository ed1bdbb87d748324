#include "drawing/annotate.h"

namespace qm::drawing {

void addSegment(std::vector<Item>& out, Point a, Point b, LineKind kind) {
    out.push_back(Item{kind, Segment{a, b}});
}

void addArrowHead(std::vector<Item>& out, int type, Point tip, Point dir, double u) {
    Point back = dir * -1.0;
    switch (type) {
    case arrowInside:
    case arrowOutside: {
        Point base = tip + back * (sizes::arrowLength * u);
        Point side = perp(dir) * (sizes::arrowHalfWidth * u);
        Point b1 = base + side, b2 = base - side;
        Fill f;
        f.loops.push_back(Loop{Segment{tip, b1}, Segment{b1, b2}, Segment{b2, tip}});
        out.push_back(Item{LineKind::Thin, std::move(f)});
        break;
    }
    case arrowTick: {
        // The stroke leans 45 degrees to the right of the line, as drafting convention has it.
        Point s = unit(dir + perp(dir)) * (sizes::tickLength * u * 0.5);
        addSegment(out, tip - s, tip + s, LineKind::Main);
        break;
    }
    case arrowDot: {
        Fill f;
        Arc a;
        a.centre = tip;
        a.radius = sizes::dotRadius * u;
        f.loops.push_back(Loop{ArcEdge{a, false}});
        out.push_back(Item{LineKind::Thin, std::move(f)});
        break;
    }
    default:
        break; // none, break, or a code we do not know: no head
    }
}

Item annotationText(const std::string& utf8, Point at, double angle, double u, HAlign align,
                    double heightFactor) {
    Text t;
    t.at = at;
    t.angle = angle;
    t.height = sizes::textHeight * heightFactor * u;
    t.align = align;
    t.utf8 = utf8;
    return Item{LineKind::Thin, std::move(t)};
}

Point readable(Point d) {
    // Directions within (-90, 90] read as they are; the others are turned round.
    if (d.x > 1e-9 || (d.x > -1e-9 && d.y > 0)) return d;
    return d * -1.0;
}

void addFrame(std::vector<Item>& out, Point start, Point dir, double width, double height,
              double margin) {
    Point n = perp(dir);
    Point a = start - dir * margin - n * margin;
    Point b = a + dir * (width + 2 * margin);
    Point c = b + n * (height + 2 * margin);
    Point d = a + n * (height + 2 * margin);
    addSegment(out, a, b);
    addSegment(out, b, c);
    addSegment(out, c, d);
    addSegment(out, d, a);
}

} // namespace qm::drawing
