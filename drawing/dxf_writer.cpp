#include "drawing/dxf_writer.h"

#include "drawing/dxf_out.h"
#include "drawing/dxf_text.h"
#include "drawing/sheet.h"

#include <cmath>
#include <sstream>

namespace qm::drawing {

namespace {

struct EntityWriter {
    DxfOut& d;
    const Object& object;
    unsigned& next;

    void begin(const char* type, LineKind kind) {
        d.put(0, type);
        d.handle(5, next++);
        d.handle(330, handles::modelRecord);
        d.put(100, "AcDbEntity");
        d.put(8, layerName(kind));
    }

    // Where the entity came from, for a CAD user and for the desktop.
    void origin() {
        d.put(1001, "QUILLMARK");
        d.put(1000, dxfPlain(object.where.section));
        d.integer(1071, object.where.line);
        d.integer(1071, object.ref);
    }

    void line(LineKind k, Point a, Point b) {
        begin("LINE", k);
        d.put(100, "AcDbLine");
        d.point(10, a);
        d.point(11, b);
        origin();
    }

    void circle(LineKind k, Point c, double r) {
        begin("CIRCLE", k);
        d.put(100, "AcDbCircle");
        d.point(10, c);
        d.real(40, r);
        origin();
    }

    void arc(LineKind k, const Arc& a) {
        if (a.sweep >= 360 - 1e-9) return circle(k, a.centre, a.radius);
        begin("ARC", k);
        d.put(100, "AcDbCircle");
        d.point(10, a.centre);
        d.real(40, a.radius);
        d.put(100, "AcDbArc");
        d.real(50, normalizeDegrees(a.start));
        d.real(51, normalizeDegrees(a.start + a.sweep));
        origin();
    }

    void xline(LineKind k, const XLine& l) {
        begin("XLINE", k);
        d.put(100, "AcDbXline");
        d.point(10, l.through);
        Point u = direction(l.angle);
        d.real(11, u.x), d.real(21, u.y), d.real(31, 0);
        origin();
    }

    void text(LineKind k, const Text& t) {
        std::string value = dxfText(t.utf8);
        if (value.empty()) return;
        if (t.flags & 0x400) value = "%%u" + value;
        begin("TEXT", k);
        d.put(100, "AcDbText");
        d.point(10, t.at);
        d.real(40, t.height);
        d.put(1, value);
        d.real(50, normalizeDegrees(t.angle));
        if (t.widthFactor != 1) d.real(41, t.widthFactor);
        if (t.flags & 0x40) d.real(51, 15); // italic
        d.put(7, "Standard");
        int just = t.align == HAlign::Center ? 1 : t.align == HAlign::Right ? 2 : 0;
        if (just != 0) {
            d.integer(72, just);
            d.point(11, t.at);
        }
        d.put(100, "AcDbText");
        d.integer(73, 0);
        origin();
    }

    void edge(const Edge& e) {
        if (auto s = std::get_if<Segment>(&e)) {
            d.integer(72, 1);
            d.real(10, s->a.x), d.real(20, s->a.y);
            d.real(11, s->b.x), d.real(21, s->b.y);
            return;
        }
        const ArcEdge& ae = std::get<ArcEdge>(e);
        const Arc& a = ae.arc;
        d.integer(72, 2);
        d.real(10, a.centre.x), d.real(20, a.centre.y);
        d.real(40, a.radius);
        double s = a.start, en = a.start + a.sweep;
        if (ae.reversed) {
            // Clockwise edges keep their angles as 360 minus the angle, start and end swapped.
            d.real(50, 360 - en);
            d.real(51, 360 - s);
        } else {
            d.real(50, s);
            d.real(51, en);
        }
        d.integer(73, ae.reversed ? 0 : 1);
    }

    void loops(const std::vector<Loop>& all) {
        d.integer(91, static_cast<long long>(all.size()));
        for (const Loop& l : all) {
            d.integer(92, 1);
            d.integer(93, static_cast<long long>(l.size()));
            for (const Edge& e : l)
                edge(e);
            d.integer(97, 0);
        }
    }

    void hatchStart(LineKind k, const char* pattern, bool solid) {
        begin("HATCH", k);
        d.put(100, "AcDbHatch");
        d.point(10, {0, 0});
        d.real(210, 0), d.real(220, 0), d.real(230, 1);
        d.put(2, pattern);
        d.integer(70, solid ? 1 : 0);
        d.integer(71, 0);
    }

    void fill(LineKind k, const Fill& f) {
        if (f.loops.empty()) return;
        hatchStart(k, "SOLID", true);
        loops(f.loops);
        d.integer(75, 0);
        d.integer(76, 1);
        d.integer(98, 0);
        origin();
    }

    void patternLine(double angle, double step) {
        d.real(53, angle);
        d.real(43, 0), d.real(44, 0);
        Point off = perp(direction(angle)) * step;
        d.real(45, off.x), d.real(46, off.y);
        d.integer(79, 0);
    }

    void hatch(LineKind k, const Hatch& h) {
        hatchStart(k, "_USER", false);
        loops(h.loops);
        d.integer(75, 0);
        d.integer(76, 0); // user defined: parallel lines, crossed when double
        d.real(52, h.angle);
        d.real(41, h.step);
        d.integer(77, h.cross ? 1 : 0);
        d.integer(78, h.cross ? 2 : 1);
        patternLine(h.angle, h.step);
        if (h.cross) patternLine(h.angle + 90, h.step);
        d.integer(98, 0);
        origin();
    }

    void item(const Item& i) {
        LineKind k = i.kind;
        if (auto s = std::get_if<Segment>(&i.shape))
            line(k, s->a, s->b);
        else if (auto c = std::get_if<Circle>(&i.shape))
            circle(k, c->centre, c->radius);
        else if (auto a = std::get_if<Arc>(&i.shape))
            arc(k, *a);
        else if (auto l = std::get_if<XLine>(&i.shape))
            xline(k, *l);
        else if (auto t = std::get_if<Text>(&i.shape))
            text(k, *t);
        else if (auto f = std::get_if<Fill>(&i.shape))
            fill(k, *f);
        else if (auto h = std::get_if<Hatch>(&i.shape))
            hatch(k, *h);
    }
};

} // namespace

void writeDxf(const Drawing& drawing, std::ostream& out) {
    std::vector<SheetObject> objects = sheetObjects(drawing);
    Extents e = extentsOf(objects);
    if (e.empty) e.add({0, 0});
    DxfExtents ext{{e.minX, e.minY}, {e.maxX, e.maxY}};
    // The entities first, into a buffer: the header needs the next free handle.
    std::ostringstream body;
    DxfOut entities(body);
    unsigned next = handles::firstEntity;
    entities.put(0, "SECTION");
    entities.put(2, "ENTITIES");
    for (const SheetObject& o : objects) {
        EntityWriter w{entities, *o.object, next};
        for (const Item& i : o.items)
            w.item(i);
    }
    entities.put(0, "ENDSEC");
    DxfOut d(out);
    writeDxfHead(d, ext, next);
    out << body.str();
    writeDxfObjects(d, ext);
    d.put(0, "EOF");
}

} // namespace qm::drawing
