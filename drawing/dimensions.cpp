#include "drawing/dimensions.h"

#include "drawing/annotate.h"

#include <algorithm>
#include <cmath>

namespace qm::drawing {

namespace {

double textH(double u) {
    return sizes::textHeight * u;
}

// The label above a line through `at` with direction `d`, the lines under it below.
void labelOnLine(std::vector<Item>& out, const DimensionLabel& label, Point at, Point d, double u) {
    Point t = readable(d);
    Point n = perp(t);
    for (Item& i : layoutLabel(label, at + n * (sizes::textGap * u), t, u))
        out.push_back(std::move(i));
    addBelowLines(out, label, at - n * ((sizes::textGap + 1) * u + textH(u)), t, u);
}

// The direction of a shelf code: -1 left, 1 right, 2 up, 3 down.
Point shelfDirection(std::int32_t code) {
    switch (code) {
    case -1:
        return {-1, 0};
    case 2:
        return {0, 1};
    case 3:
        return {0, -1};
    default:
        return {1, 0};
    }
}

// The shelf from `q` in the direction of its code, the label above it and the lines under it.
void shelfLabel(std::vector<Item>& out, const DimensionLabel& label, Point q,
                std::int32_t shelfCode, double u) {
    Point s = shelfDirection(shelfCode);
    double w = labelWidth(label, u);
    for (const std::string& b : label.below)
        w = std::max(w, textWidth(b, textH(u)));
    Point end = q + s * (w + 2 * u);
    addSegment(out, q, end);
    Point t = readable(s);
    bool forward = dot(t, s) > 0;
    Point n = perp(t);
    for (Item& i : layoutLabel(label, q + s * u + n * (sizes::textGap * u), t, u,
                               forward ? HAlign::Left : HAlign::Right))
        out.push_back(std::move(i));
    Point mid = (q + end) * 0.5;
    addBelowLines(out, label, mid - n * ((sizes::textGap + 1) * u + textH(u)), t, u);
}

// A leader from `from` at `angle` degrees, `length` mm long (10 when not positive), and the
// label on a shelf at its end.
void labelOnShelf(std::vector<Item>& out, const DimensionLabel& label, Point from,
                  std::int32_t shelfCode, double angle, double length, double u) {
    double len = (length > 0 ? length : sizes::shelfLength) * u;
    Point q = from + direction(std::isfinite(angle) ? angle : 0) * len;
    addSegment(out, from, q);
    shelfLabel(out, label, q, shelfCode, u);
}

// One end of a straight dimension line at `foot`, with `outward` pointing away from the line's
// middle. Returns where the drawn line has to reach at this end.
Point lineEnd(std::vector<Item>& out, int type, Point foot, Point outward, double u) {
    switch (type) {
    case arrowInside:
        addArrowHead(out, type, foot, outward, u);
        return foot;
    case arrowOutside:
        addArrowHead(out, type, foot, outward * -1.0, u);
        return foot + outward * ((sizes::arrowLength + 2) * u);
    default:
        addArrowHead(out, type, foot, outward, u);
        return foot;
    }
}

void extensionLine(std::vector<Item>& out, Point from, Point to, double u) {
    Point v = to - from;
    if (length(v) <= 1e-9 * (1 + length(to))) return;
    addSegment(out, from, to + unit(v) * (sizes::overshoot * u));
}

} // namespace

LinearSolution solveLinear(const kompas::LinDimRecord& r) {
    Point p1{r.x1, r.y1}, p2{r.x2, r.y2}, shift{r.dx, r.dy};
    Point base = r.basePoint == 2 ? p2 : p1;
    Point along = unit(p2 - p1);
    Point d;
    switch (r.orientation) {
    case 0:
        d = {1, 0};
        break;
    case 1:
        d = {0, 1};
        break;
    case 3:
        d = unit(perp(shift) * -1.0, along);
        break;
    default:
        d = along;
        break; // 2 and 4: parallel to the points
    }
    Point through = base + shift;
    auto foot = [&](Point p) { return through + d * dot(p - through, d); };
    LinearSolution s;
    s.f1 = foot(p1);
    s.f2 = foot(p2);
    if (dot(s.f2 - s.f1, d) < 0) d = d * -1.0;
    s.dir = d;
    s.measured = std::fabs(dot(p2 - p1, d));
    return s;
}

std::vector<Item> buildLinear(const kompas::LinDimRecord& r, const kompas::DimDrawingRecord& dr,
                              const DimensionLabel& label, double u) {
    std::vector<Item> out;
    LinearSolution s = solveLinear(r);
    Point d = s.dir;
    Point p1{r.x1, r.y1}, p2{r.x2, r.y2};
    if (dr.ext1Off != 1) extensionLine(out, p1, s.f1, u);
    if (dr.ext2Off != 1) extensionLine(out, p2, s.f2, u);
    Point mid = (s.f1 + s.f2) * 0.5;
    double half = distance(s.f1, s.f2) / 2;
    // A broken end ("размер с обрывом") stops a little past the middle, without a head.
    double pastMiddle = std::min(half, 5 * u);
    Point a1 = dr.arrow1 == arrowBreak ? mid - d * pastMiddle : s.f1;
    Point a2 = dr.arrow2 == arrowBreak ? mid + d * pastMiddle : s.f2;
    Point e1 = dr.arrow1 == arrowBreak ? a1 : lineEnd(out, dr.arrow1, s.f1, d * -1.0, u);
    Point e2 = dr.arrow2 == arrowBreak ? a2 : lineEnd(out, dr.arrow2, s.f2, d, u);
    addSegment(out, e1, e2);
    Point at = (a1 + a2) * 0.5;
    double w = labelWidth(label, u);
    if (dr.textBase == 1)
        at = a1 + d * (w / 2 + 2 * u);
    else if (dr.textBase == 2)
        at = a2 - d * (w / 2 + 2 * u);
    at = at + d * (dr.textPos * u);
    if (dr.shelfDir != 0)
        labelOnShelf(out, label, at, dr.shelfDir, dr.shelfAngle, dr.shelfLength, u);
    else
        labelOnLine(out, label, at, d, u);
    return out;
}

namespace {
Arc dimensionArc(const kompas::AngDimRecord& r) {
    return arcByAngles({r.xc, r.yc}, r.radius, r.angle1, r.angle2, r.direction == -1 ? -1 : 1);
}
} // namespace

double measuredAngle(const kompas::AngDimRecord& r) {
    return dimensionArc(r).sweep;
}

std::vector<Item> buildAngular(const kompas::AngDimRecord& r, const kompas::DimDrawingRecord& dr,
                               const DimensionLabel& label, double u) {
    std::vector<Item> out;
    Arc arc = dimensionArc(r);
    Point c = arc.centre;
    double R = arc.radius;
    if (dr.ext1Off != 1) extensionLine(out, {r.x1, r.y1}, c + R * direction(r.angle1), u);
    if (dr.ext2Off != 1) extensionLine(out, {r.x2, r.y2}, c + R * direction(r.angle2), u);
    // Arrow 1 belongs to angle 1, which is the arc's counter-clockwise start unless clockwise.
    bool cw = r.direction == -1;
    int startType = cw ? dr.arrow2 : dr.arrow1;
    int endType = cw ? dr.arrow1 : dr.arrow2;
    double s = arc.start, e = arc.start + arc.sweep;
    double extra = degrees((sizes::arrowLength + 2) * u / R);
    double pastMiddle = std::min(arc.sweep / 2, degrees(5 * u / R));
    double m = s + arc.sweep / 2;
    double from = s, to = e;
    if (startType == arrowBreak)
        from = m - pastMiddle;
    else if (startType == arrowOutside)
        from = s - extra;
    if (endType == arrowBreak)
        to = m + pastMiddle;
    else if (endType == arrowOutside)
        to = e + extra;
    if (startType != arrowBreak) {
        Point tangent = perp(direction(s)); // the way along the arc at its start
        addArrowHead(out, startType, c + R * direction(s),
                     startType == arrowOutside ? tangent : tangent * -1.0, u);
    }
    if (endType != arrowBreak) {
        Point tangent = perp(direction(e));
        addArrowHead(out, endType, c + R * direction(e),
                     endType == arrowOutside ? tangent * -1.0 : tangent, u);
    }
    Arc drawn = arc;
    drawn.start = normalizeDegrees(from);
    drawn.sweep = std::min(360.0, to - from);
    out.push_back(Item{LineKind::Thin, drawn});
    double mm = (from + to) / 2 + dr.textPos * degrees(u / R);
    Point radial = direction(mm);
    Point at = c + R * radial;
    if (dr.shelfDir != 0) {
        labelOnShelf(out, label, at, dr.shelfDir, dr.shelfAngle, dr.shelfLength, u);
        return out;
    }
    Point t = readable(perp(radial));
    Point n = perp(t);
    // The label stands outside the arc whichever way it reads.
    bool upOutward = dot(n, radial) >= 0;
    Point base = at + radial * ((sizes::textGap * u) + (upOutward ? 0 : textH(u)));
    for (Item& i : layoutLabel(label, base, t, u))
        out.push_back(std::move(i));
    Point under = at - radial * ((sizes::textGap + 1) * u + (upOutward ? textH(u) : 0));
    addBelowLines(out, label, under, t, u);
    return out;
}

namespace {

// A dimension line from the circle point `tip` back towards the centre, ending at `inner`.
void radialLine(std::vector<Item>& out, int type, Point tip, Point inner, Point outward, double u) {
    Point end = lineEnd(out, type, tip, outward, u);
    addSegment(out, inner, end);
}

// The label of a circle dimension: along the line at `at`; past the circle point `tip` when it
// does not fit between `inner` and the tip (ISO 129); or on a shelf off the tip.
void circleLabel(std::vector<Item>& out, const DimensionLabel& label, Point at, Point inner,
                 Point tip, Point outward, const kompas::RadialDrawingRecord& dr, double u) {
    if (dr.shelfDir != 0) {
        Point q = tip + outward * (5 * u);
        addSegment(out, tip, q);
        shelfLabel(out, label, q, dr.shelfDir, u);
        return;
    }
    double w = labelWidth(label, u);
    if (dr.textPos == 0 && w + 2 * sizes::arrowLength * u > distance(inner, tip)) {
        Point end = tip + outward * (w + 3 * u);
        addSegment(out, tip, end);
        at = tip + outward * (w / 2 + 2 * u);
    }
    labelOnLine(out, label, at, outward, u);
}

} // namespace

std::vector<Item> buildDiametral(Point c, double radius, const kompas::RadialDrawingRecord& dr,
                                 const DimensionLabel& label, double u) {
    std::vector<Item> out;
    Point d = direction(dr.angle);
    Point p1 = c + d * radius, p2 = c - d * radius;
    Point e1 = lineEnd(out, dr.arrow1, p1, d, u);
    Point e2 = lineEnd(out, dr.arrow2, p2, d * -1.0, u);
    addSegment(out, e2, e1);
    circleLabel(out, label, c + d * (dr.textPos * u), p2, p1, d, dr, u);
    return out;
}

std::vector<Item> buildRadial(Point c, double radius, const kompas::RadialDrawingRecord& dr,
                              const DimensionLabel& label, double u) {
    std::vector<Item> out;
    Point d = direction(dr.angle);
    Point p = c + d * radius;
    radialLine(out, dr.arrow1, p, c, d, u);
    circleLabel(out, label, c + d * (radius / 2 + dr.textPos * u), c, p, d, dr, u);
    return out;
}

std::vector<Item> buildRadialBreak(Point c, double radius, const kompas::BreakDrawingRecord& dr,
                                   const DimensionLabel& label, double u) {
    std::vector<Item> out;
    Point d = direction(dr.angle);
    Point p = c + d * radius;
    double L = std::min(radius, 24 * u);
    Point a = p - d * (0.5 * L);
    Point jog = perp(d) * (0.25 * L);
    Point b = a + jog - d * (0.1 * L);
    Point e = b - d * (0.4 * L);
    Point tipEnd = lineEnd(out, dr.arrow, p, d, u);
    addSegment(out, tipEnd, a);
    addSegment(out, a, b);
    addSegment(out, b, e);
    labelOnLine(out, label, p - d * (0.25 * L + dr.textPos * u), d, u);
    return out;
}

} // namespace qm::drawing
