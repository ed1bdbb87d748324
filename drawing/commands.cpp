// The geometry, view, group and transformation commands of the companion.
#include "drawing/companion.h"
#include "drawing/values.h"
#include "kompas/protocol.h"
#include "text/cp1251.h"

namespace qm {

using namespace drawing;

std::int32_t Companion::geometry(std::uint32_t id, const Record& r, const SourceLocation& where) {
    switch (id) {
    case kompas::cmdLine:
        return auxLine(r, where);
    case kompas::cmdLineSeg:
        return segment(r, where);
    case kompas::cmdCircle:
        return circle(r, where);
    case kompas::cmdArc:
        return arc(r, where);
    case kompas::cmdHatch:
    case kompas::cmdHatchP:
        return hatch(id, r, where);
    case kompas::cmdEndObj:
        return drawing_.endHatch();
    case kompas::cmdText:
        return text(r, where);
    default:
        return 0;
    }
}

std::int32_t Companion::boundary(const Edge& edge) {
    drawing_.addBoundary(edge);
    return drawing_.reserveRef();
}

std::int32_t Companion::segment(const Record& r, const SourceLocation& where) {
    kompas::SegmentRecord s;
    if (!kompas::unpack(r.data(), r.size(), s) || !sane({s.x1, s.y1, s.x2, s.y2})) return 0;
    Segment seg{{s.x1, s.y1}, {s.x2, s.y2}};
    if (drawing_.hatchOpen()) return boundary(seg);
    return drawing_.add(ObjectKind::Segment, {Item{lineKindOfStyle(s.style), seg}}, where);
}

std::int32_t Companion::circle(const Record& r, const SourceLocation& where) {
    kompas::CircleRecord c;
    if (!kompas::unpack(r.data(), r.size(), c) || !sane({c.xc, c.yc, c.radius}) || !(c.radius > 0))
        return 0;
    if (drawing_.hatchOpen()) return boundary(ArcEdge{Arc{{c.xc, c.yc}, c.radius, 0, 360}, false});
    return drawing_.add(ObjectKind::Circle,
                        {Item{lineKindOfStyle(c.style), Circle{{c.xc, c.yc}, c.radius}}}, where);
}

std::int32_t Companion::arc(const Record& r, const SourceLocation& where) {
    kompas::ArcRecord a;
    if (!kompas::unpack(r.data(), r.size(), a) ||
        !sane({a.xc, a.yc, a.radius, a.angle1, a.angle2}) || !(a.radius > 0))
        return 0;
    Arc arc = arcByAngles({a.xc, a.yc}, a.radius, a.angle1, a.angle2, a.direction);
    // Traversed as the script gave it: clockwise arcs run from the stored end back to the start.
    if (drawing_.hatchOpen()) return boundary(ArcEdge{arc, a.direction == -1});
    return drawing_.add(ObjectKind::Arc, {Item{lineKindOfStyle(a.style), arc}}, where);
}

std::int32_t Companion::auxLine(const Record& r, const SourceLocation& where) {
    kompas::LineRecord l;
    if (!kompas::unpack(r.data(), r.size(), l) || !sane({l.x, l.y, l.angle})) return 0;
    return drawing_.add(ObjectKind::AuxLine,
                        {Item{LineKind::Auxiliary, XLine{{l.x, l.y}, normalizeDegrees(l.angle)}}},
                        where);
}

std::int32_t Companion::hatch(std::uint32_t id, const Record& r, const SourceLocation& where) {
    std::uint32_t style;
    double angle, step;
    if (id == kompas::cmdHatch) {
        kompas::HatchRecord h;
        if (!kompas::unpack(r.data(), r.size(), h)) return 0;
        style = h.style, angle = h.angle, step = h.step;
    } else {
        kompas::HatchPRecord h;
        if (!kompas::unpack(r.data(), r.size(), h)) return 0;
        style = h.style, angle = h.angle, step = h.step;
    }
    if (!sane({angle})) return 0;
    Hatch params;
    params.angle = normalizeDegrees(angle);
    // The step is sheet millimetres; none given takes the usual 2 mm.
    params.step = (sane({step}) && step > 0.05 ? step : 2.0) * unitsPerMm();
    params.cross = style == 1; // non-metals are cross-hatched (GOST 2.306)
    if (!drawing_.beginHatch(params, where)) return 0;
    return drawing_.reserveRef();
}

std::int32_t Companion::text(const Record& r, const SourceLocation& where) {
    kompas::TextRecord t;
    if (!kompas::unpack(r.data(), r.size(), t) || !sane({t.x, t.y, t.angle}) ||
        !std::isfinite(t.height) || !std::isfinite(t.narrowing))
        return 0;
    double u = unitsPerMm();
    double height = (t.height > 0 && t.height <= 1000 ? t.height : 3.5) * u;
    double width = t.narrowing > 0 && t.narrowing <= 100 ? t.narrowing : 1.0;
    std::vector<Item> items;
    std::vector<std::string> lines = paramLines();
    Point down = perp(direction(t.angle)) * (-1.6 * height);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        Text x;
        x.at = Point{t.x, t.y} + down * static_cast<double>(i);
        x.angle = normalizeDegrees(t.angle);
        x.height = height;
        x.widthFactor = width;
        x.utf8 = lines[i];
        x.flags = t.flags;
        items.push_back(Item{LineKind::Thin, std::move(x)});
    }
    return drawing_.add(ObjectKind::Text, std::move(items), where);
}

std::int32_t Companion::structure(std::uint32_t id, const Record& r, const SourceLocation& where) {
    switch (id) {
    case kompas::cmdSheetView:
        return sheetView(r);
    case kompas::cmdOpenView: {
        kompas::ViewNumberRecord v;
        if (!kompas::unpack(r.data(), r.size(), v)) return 0;
        return drawing_.openView(v.number) ? 1 : 0;
    }
    case kompas::cmdNewGroup:
        return drawing_.openGroup(where);
    case kompas::cmdEndGroup:
        return drawing_.closeGroup();
    default:
        return transformation(id, r, where);
    }
}

std::int32_t Companion::sheetView(const Record& r) {
    kompas::SheetViewRecord s;
    if (!kompas::unpack(r.data(), r.size(), s) || !sane({s.x, s.y, s.scale, s.angle})) return 0;
    View v;
    v.number = s.number;
    v.origin = {s.x, s.y};
    v.scale = s.scale;
    v.angle = s.angle;
    v.colour = s.colour;
    v.state = s.state;
    v.name = cp1251ToUtf8(paramText_);
    if (!drawing_.createView(v)) return 0;
    return drawing_.reserveRef();
}

std::int32_t Companion::transformation(std::uint32_t id, const Record& r,
                                       const SourceLocation& where) {
    switch (id) {
    case kompas::cmdMove: {
        kompas::MoveRecord m;
        if (!kompas::unpack(r.data(), r.size(), m) || !sane({m.dx, m.dy})) return 0;
        return drawing_.transform(m.ref, Affine::translation(m.dx, m.dy));
    }
    case kompas::cmdRotate: {
        kompas::RotateRecord m;
        if (!kompas::unpack(r.data(), r.size(), m) || !sane({m.x, m.y, m.angle})) return 0;
        return drawing_.transform(m.ref, Affine::rotation(m.angle, {m.x, m.y}));
    }
    case kompas::cmdCopy: {
        kompas::CopyRecord m;
        if (!kompas::unpack(r.data(), r.size(), m) || !sane({m.x1, m.y1, m.x2, m.y2, m.angle}) ||
            !sane({m.scale}) || m.scale == 0)
            return 0;
        Affine t = Affine::translation(-m.x1, -m.y1)
                       .then(Affine::scaling(m.scale))
                       .then(Affine::rotation(m.angle))
                       .then(Affine::translation(m.x2, m.y2));
        return drawing_.copy(m.ref, t, where);
    }
    case kompas::cmdSymmetry: {
        kompas::SymmetryRecord m;
        if (!kompas::unpack(r.data(), r.size(), m) || !sane({m.x1, m.y1, m.x2, m.y2})) return 0;
        Point p1{m.x1, m.y1}, p2{m.x2, m.y2};
        if (distance(p1, p2) == 0) return 0; // no line to mirror about
        Affine t = Affine::mirror(p1, p2);
        return m.keep == 1 ? drawing_.copy(m.ref, t, where) : drawing_.transform(m.ref, t);
    }
    default:
        return 0;
    }
}

} // namespace qm
