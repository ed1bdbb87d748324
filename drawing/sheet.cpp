#include "drawing/sheet.h"

#include <algorithm>
#include <cmath>

namespace qm::drawing {

std::vector<SheetObject> sheetObjects(const Drawing& drawing) {
    std::vector<SheetObject> out;
    for (const Object& o : drawing.objects()) {
        if (o.items.empty()) continue;
        const View* v = drawing.findView(o.view);
        Affine t = v ? v->toSheet() : Affine{};
        SheetObject s;
        s.object = &o;
        for (const Item& i : o.items)
            s.items.push_back(transformed(i, t));
        out.push_back(std::move(s));
    }
    return out;
}

void Extents::add(Point p) {
    if (empty) {
        minX = maxX = p.x;
        minY = maxY = p.y;
        empty = false;
        return;
    }
    minX = std::min(minX, p.x);
    maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
}

std::vector<Point> textCorners(const Text& t) {
    double w = textWidth(t.utf8, t.height, t.widthFactor);
    Point d = direction(t.angle), n = perp(d);
    Point start = t.at;
    if (t.align == HAlign::Center)
        start = t.at - d * (w / 2);
    else if (t.align == HAlign::Right)
        start = t.at - d * w;
    return {start, start + d * w, start + d * w + n * t.height, start + n * t.height};
}

namespace {

void addArc(Extents& e, const Arc& a) {
    e.add(a.startPoint());
    e.add(a.endPoint());
    // The quadrant points the arc passes.
    for (int q = 0; q < 4; ++q) {
        double ang = 90.0 * q;
        double rel = normalizeDegrees(ang - a.start);
        if (rel <= a.sweep) e.add(a.centre + a.radius * direction(ang));
    }
}

void addLoops(Extents& e, const std::vector<Loop>& loops) {
    for (const Loop& l : loops)
        for (const Edge& edge : l) {
            if (auto s = std::get_if<Segment>(&edge)) {
                e.add(s->a);
                e.add(s->b);
            } else {
                addArc(e, std::get<ArcEdge>(edge).arc);
            }
        }
}

struct Adder {
    Extents& e;
    void operator()(const Segment& s) const { e.add(s.a), e.add(s.b); }
    void operator()(const Circle& c) const {
        e.add(c.centre - Point{c.radius, c.radius});
        e.add(c.centre + Point{c.radius, c.radius});
    }
    void operator()(const Arc& a) const { addArc(e, a); }
    void operator()(const XLine&) const {}
    void operator()(const Text& t) const {
        for (Point p : textCorners(t))
            e.add(p);
    }
    void operator()(const Fill& f) const { addLoops(e, f.loops); }
    void operator()(const Hatch& h) const { addLoops(e, h.loops); }
};

} // namespace

Extents extentsOf(const std::vector<SheetObject>& objects) {
    Extents e;
    for (const SheetObject& o : objects)
        for (const Item& i : o.items)
            std::visit(Adder{e}, i.shape);
    // Auxiliary lines still need a place: their anchor points count.
    for (const SheetObject& o : objects)
        for (const Item& i : o.items)
            if (auto l = std::get_if<XLine>(&i.shape)) e.add(l->through);
    return e;
}

bool clipLine(const XLine& line, const Extents& box, Point& a, Point& b) {
    Point p = line.through, d = direction(line.angle);
    double t0 = -1e300, t1 = 1e300;
    auto clip = [&](double pos, double dir, double lo, double hi) {
        if (std::fabs(dir) < 1e-12) return pos >= lo && pos <= hi;
        double ta = (lo - pos) / dir, tb = (hi - pos) / dir;
        if (ta > tb) std::swap(ta, tb);
        t0 = std::max(t0, ta);
        t1 = std::min(t1, tb);
        return t0 <= t1;
    };
    if (!clip(p.x, d.x, box.minX, box.maxX) || !clip(p.y, d.y, box.minY, box.maxY)) return false;
    a = p + d * t0;
    b = p + d * t1;
    return true;
}

} // namespace qm::drawing
