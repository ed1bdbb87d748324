#include "drawing/svg_writer.h"

#include "drawing/numtext.h"
#include "drawing/sheet.h"
#include "text/cp1251.h"

#include <cmath>
#include <string>

namespace qm::drawing {

namespace {

constexpr double margin = 10;

std::string xmlEscape(const std::string& s) {
    std::string r;
    for (unsigned char c : s) {
        switch (c) {
        case '&':
            r += "&amp;";
            break;
        case '<':
            r += "&lt;";
            break;
        case '>':
            r += "&gt;";
            break;
        case '"':
            r += "&quot;";
            break;
        default:
            r += c < 0x20 ? ' ' : static_cast<char>(c);
        }
    }
    return r;
}

// y grows downwards in SVG: every y is written negated.
std::string xy(Point p) {
    return num(p.x) + " " + num(-p.y);
}

// Line widths of ISO 128 (line group 0.5) and dash patterns in millimetres.
const char* lineStyle(LineKind k) {
    switch (k) {
    case LineKind::Main:
        return "stroke-width=\"0.5\"";
    case LineKind::Thin:
        return "stroke-width=\"0.25\"";
    case LineKind::Axis:
        return "stroke-width=\"0.25\" stroke-dasharray=\"12 3 1 3\"";
    case LineKind::Hidden:
        return "stroke-width=\"0.25\" stroke-dasharray=\"6 2\"";
    case LineKind::Thick:
        return "stroke-width=\"1\"";
    case LineKind::Dotted:
        return "stroke-width=\"0.25\" stroke-dasharray=\"0.5 1.5\"";
    case LineKind::Auxiliary:
        return "stroke-width=\"0.18\" stroke=\"#808080\"";
    }
    return "";
}

// One arc step of a path: to `end` along the circle, counter-clockwise unless `cw`.
std::string arcTo(const Arc& a, double sweep, Point end, bool cw) {
    // A counter-clockwise arc (y up) turns clockwise on the y-down canvas: sweep flag 0.
    return "A " + num(a.radius) + " " + num(a.radius) + " 0 " + (sweep > 180 ? "1" : "0") + " " +
           (cw ? "1" : "0") + " " + xy(end) + " ";
}

std::string loopPath(const Loop& loop) {
    std::string d = "M " + xy(edgeStart(loop.front())) + " ";
    for (const Edge& e : loop) {
        if (auto s = std::get_if<Segment>(&e)) {
            d += "L " + xy(s->b) + " ";
            continue;
        }
        const ArcEdge& ae = std::get<ArcEdge>(e);
        const Arc& a = ae.arc;
        double mid = a.start + a.sweep / 2;
        Point m = a.centre + a.radius * direction(mid);
        // Two halves: a single SVG arc cannot run a full circle.
        d += arcTo(a, a.sweep / 2, m, ae.reversed);
        d += arcTo(a, a.sweep / 2, edgeEnd(e), ae.reversed);
    }
    return d + "Z ";
}

std::string loopsPath(const std::vector<Loop>& loops) {
    std::string d;
    for (const Loop& l : loops)
        if (!l.empty()) d += loopPath(l);
    if (!d.empty()) d.pop_back();
    return d;
}

const char* anchorOf(HAlign a) {
    switch (a) {
    case HAlign::Center:
        return "middle";
    case HAlign::Right:
        return "end";
    default:
        return "start";
    }
}

struct Writer {
    std::ostream& out;
    Extents box; // the canvas, for auxiliary lines
    int hatches = 0;

    void item(const Item& i) {
        const char* style = lineStyle(i.kind);
        if (auto s = std::get_if<Segment>(&i.shape)) {
            out << "<line x1=\"" << num(s->a.x) << "\" y1=\"" << num(-s->a.y) << "\" x2=\""
                << num(s->b.x) << "\" y2=\"" << num(-s->b.y) << "\" " << style << "/>";
        } else if (auto c = std::get_if<Circle>(&i.shape)) {
            circle(c->centre, c->radius, style);
        } else if (auto a = std::get_if<Arc>(&i.shape)) {
            if (a->sweep >= 360 - 1e-9)
                circle(a->centre, a->radius, style);
            else
                out << "<path d=\"M " << xy(a->startPoint()) << " "
                    << arcTo(*a, a->sweep, a->endPoint(), false) << "\" " << style << "/>";
        } else if (auto l = std::get_if<XLine>(&i.shape)) {
            Point p, q;
            if (clipLine(*l, box, p, q))
                out << "<line x1=\"" << num(p.x) << "\" y1=\"" << num(-p.y) << "\" x2=\""
                    << num(q.x) << "\" y2=\"" << num(-q.y) << "\" " << style << "/>";
        } else if (auto t = std::get_if<Text>(&i.shape)) {
            text(*t);
        } else if (auto f = std::get_if<Fill>(&i.shape)) {
            out << "<path d=\"" << loopsPath(f->loops)
                << "\" fill=\"black\" fill-rule=\"evenodd\" stroke=\"none\"/>";
        } else if (auto h = std::get_if<Hatch>(&i.shape)) {
            hatch(*h);
        }
    }

    void circle(Point c, double r, const char* style) {
        out << "<circle cx=\"" << num(c.x) << "\" cy=\"" << num(-c.y) << "\" r=\"" << num(r)
            << "\" " << style << "/>";
    }

    void text(const Text& t) {
        if (t.utf8.empty()) return;
        // Capitals stand about 0.73 of the font size high (DejaVu Sans, osifont).
        out << "<text transform=\"translate(" << xy(t.at) << ") rotate(" << num(-t.angle)
            << ") scale(" << num(t.widthFactor) << " 1)\" font-size=\"" << num(t.height / 0.73)
            << "\" text-anchor=\"" << anchorOf(t.align) << "\"";
        if (t.flags & 0x40) out << " font-style=\"italic\"";
        if (t.flags & 0x100) out << " font-weight=\"bold\"";
        if (t.flags & 0x400) out << " text-decoration=\"underline\"";
        out << " fill=\"black\" stroke=\"none\" xml:space=\"preserve\">" << xmlEscape(t.utf8)
            << "</text>";
    }

    void hatch(const Hatch& h) {
        std::string id = "hatch" + num(++hatches);
        std::string s = num(h.step), half = num(h.step / 2);
        out << "<defs><pattern id=\"" << id << "\" patternUnits=\"userSpaceOnUse\" width=\"" << s
            << "\" height=\"" << s << "\" patternTransform=\"rotate(" << num(-h.angle)
            << ")\"><path d=\"M 0 " << half << " H " << s;
        if (h.cross) out << " M " << half << " 0 V " << s;
        out << "\" stroke-width=\"0.25\"/></pattern></defs>";
        out << "<path d=\"" << loopsPath(h.loops) << "\" fill=\"url(#" << id
            << ")\" fill-rule=\"evenodd\" stroke=\"none\"/>";
    }
};

void openObject(std::ostream& out, const Object& o) {
    out << "<g data-ref=\"" << num(o.ref) << "\" data-kind=\"" << kindName(o.kind) << "\"";
    if (o.view != 0) out << " data-view=\"" << num(o.view) << "\"";
    if (o.where.known())
        out << " data-section=\"" << xmlEscape(cp1251ToUtf8(o.where.section)) << "\" data-line=\""
            << num(o.where.line) << "\"";
    out << ">";
}

} // namespace

void writeSvg(const Drawing& drawing, std::ostream& out) {
    std::vector<SheetObject> objects = sheetObjects(drawing);
    Extents e = extentsOf(objects);
    if (e.empty) e.add({0, 0});
    Extents canvas = e;
    canvas.add({e.minX - margin, e.minY - margin});
    canvas.add({e.maxX + margin, e.maxY + margin});
    std::string w = num(canvas.width()), h = num(canvas.height());
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" << w
        << "mm\" height=\"" << h << "mm\" viewBox=\"" << num(canvas.minX) << " "
        << num(-canvas.maxY) << " " << w << " " << h << "\">\n"
        << "<g fill=\"none\" stroke=\"black\" stroke-linecap=\"round\" stroke-linejoin=\"round\" "
           "font-family=\"osifont, ISOCPEUR, 'GOST type B', 'DejaVu Sans', sans-serif\">\n";
    Writer writer{out, canvas};
    for (const SheetObject& o : objects) {
        openObject(out, *o.object);
        for (const Item& i : o.items)
            writer.item(i);
        out << "</g>\n";
    }
    out << "</g>\n</svg>\n";
}

} // namespace qm::drawing
