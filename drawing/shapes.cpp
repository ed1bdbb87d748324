#include "drawing/shapes.h"

namespace qm::drawing {

LineKind lineKindOfStyle(std::uint32_t code) {
    switch (code) {
    case 2:
        return LineKind::Thin;
    case 3:
        return LineKind::Axis;
    case 4:
        return LineKind::Hidden;
    case 7:
        return LineKind::Thick;
    case 8:
        return LineKind::Dotted;
    default:
        return LineKind::Main;
    }
}

Arc arcByAngles(Point centre, double radius, double angle1, double angle2, int dir) {
    Arc arc;
    arc.centre = centre;
    arc.radius = radius;
    double from = dir == -1 ? angle2 : angle1;
    double to = dir == -1 ? angle1 : angle2;
    double sweep = normalizeDegrees(to - from);
    arc.start = normalizeDegrees(from);
    arc.sweep = sweep == 0 ? 360 : sweep;
    return arc;
}

Point edgeStart(const Edge& e) {
    if (auto s = std::get_if<Segment>(&e)) return s->a;
    const ArcEdge& a = std::get<ArcEdge>(e);
    return a.reversed ? a.arc.endPoint() : a.arc.startPoint();
}

Point edgeEnd(const Edge& e) {
    if (auto s = std::get_if<Segment>(&e)) return s->b;
    const ArcEdge& a = std::get<ArcEdge>(e);
    return a.reversed ? a.arc.startPoint() : a.arc.endPoint();
}

Edge reversedEdge(const Edge& e) {
    if (auto s = std::get_if<Segment>(&e)) return Segment{s->b, s->a};
    ArcEdge a = std::get<ArcEdge>(e);
    a.reversed = !a.reversed;
    return a;
}

namespace {

Arc transformArc(const Arc& arc, const Affine& t) {
    Arc r;
    r.centre = t.apply(arc.centre);
    r.radius = arc.radius * t.scale();
    r.sweep = arc.sweep;
    double a = t.mapAngle(arc.start);
    // A reflection turns the direction of travel: the image runs clockwise from the image of the
    // start, i.e. counter-clockwise from the image of the end.
    r.start = normalizeDegrees(t.mirrored() ? a - arc.sweep : a);
    return r;
}

Text transformText(const Text& text, const Affine& t) {
    Text r = text;
    double s = t.scale();
    r.height = text.height * s;
    r.at = t.apply(text.at);
    Point u = unit(t.applyVector(direction(text.angle)));
    r.angle = angleOf(u);
    if (!t.mirrored()) return r;
    // The mirrored box lies on the other side of the baseline. Either keep the direction and
    // move the baseline across the box, or turn the text round and swap its alignment; take
    // whichever reads left to right.
    if (u.x > 1e-9 || (u.x > -1e-9 && u.y > 0)) {
        Point n = t.applyVector(perp(direction(text.angle))) * (1.0 / s);
        r.at = r.at + n * r.height;
    } else {
        r.angle = angleOf(u * -1.0);
        if (text.align == HAlign::Left)
            r.align = HAlign::Right;
        else if (text.align == HAlign::Right)
            r.align = HAlign::Left;
    }
    return r;
}

Loop transformLoop(const Loop& loop, const Affine& t) {
    Loop r;
    r.reserve(loop.size());
    for (const Edge& e : loop)
        r.push_back(transformed(e, t));
    return r;
}

struct Transformer {
    const Affine& t;
    Shape operator()(const Segment& s) const { return Segment{t.apply(s.a), t.apply(s.b)}; }
    Shape operator()(const Circle& c) const {
        return Circle{t.apply(c.centre), c.radius * t.scale()};
    }
    Shape operator()(const Arc& a) const { return transformArc(a, t); }
    Shape operator()(const XLine& l) const {
        return XLine{t.apply(l.through), t.mapAngle(l.angle)};
    }
    Shape operator()(const Text& x) const { return transformText(x, t); }
    Shape operator()(const Fill& f) const {
        Fill r;
        for (const Loop& l : f.loops)
            r.loops.push_back(transformLoop(l, t));
        return r;
    }
    Shape operator()(const Hatch& h) const {
        Hatch r = h;
        r.loops.clear();
        for (const Loop& l : h.loops)
            r.loops.push_back(transformLoop(l, t));
        r.angle = normalizeDegrees(t.mapAngle(h.angle));
        r.step = h.step * t.scale();
        return r;
    }
};

} // namespace

Edge transformed(const Edge& e, const Affine& t) {
    if (auto s = std::get_if<Segment>(&e)) return Segment{t.apply(s->a), t.apply(s->b)};
    const ArcEdge& a = std::get<ArcEdge>(e);
    // The image of a counter-clockwise arc under a reflection is stored counter-clockwise from
    // the image of its end, so the way along it turns round.
    return ArcEdge{transformArc(a.arc, t), a.reversed != t.mirrored()};
}

Item transformed(const Item& item, const Affine& t) {
    return Item{item.kind, std::visit(Transformer{t}, item.shape)};
}

std::size_t codePoints(const std::string& utf8) {
    std::size_t n = 0;
    for (unsigned char c : utf8)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

double textWidth(const std::string& utf8, double height, double widthFactor) {
    // Drafting fonts (ISO 3098 type B) advance about 0.8 of the capital height, letter and
    // spacing together; the sans fonts an SVG viewer falls back to a little more.
    return static_cast<double>(codePoints(utf8)) * 0.85 * height * widthFactor;
}

} // namespace qm::drawing
