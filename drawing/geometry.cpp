#include "drawing/geometry.h"

namespace qm::drawing {

double normalizeDegrees(double deg) {
    double r = std::fmod(deg, 360.0);
    if (r < 0) r += 360.0;
    if (r >= 360.0) r -= 360.0; // fmod of a tiny negative number rounds up to 360
    return r;
}

Point unit(Point a, Point fallback) {
    double len = length(a);
    if (!(len > 1e-12) || !std::isfinite(len)) return fallback;
    return a * (1.0 / len);
}

Affine Affine::then(const Affine& n) const {
    Affine r;
    r.a = n.a * a + n.c * b;
    r.b = n.b * a + n.d * b;
    r.c = n.a * c + n.c * d;
    r.d = n.b * c + n.d * d;
    r.tx = n.a * tx + n.c * ty + n.tx;
    r.ty = n.b * tx + n.d * ty + n.ty;
    return r;
}

Affine Affine::inverse() const {
    double det = determinant();
    Affine r;
    if (det == 0) return r; // never built: every transform of the drawing has a scale > 0
    r.a = d / det;
    r.b = -b / det;
    r.c = -c / det;
    r.d = a / det;
    r.tx = -(r.a * tx + r.c * ty);
    r.ty = -(r.b * tx + r.d * ty);
    return r;
}

Affine Affine::translation(double dx, double dy) {
    Affine t;
    t.tx = dx;
    t.ty = dy;
    return t;
}

Affine Affine::rotation(double deg, Point about) {
    double cs = std::cos(radians(deg)), sn = std::sin(radians(deg));
    Affine t;
    t.a = cs;
    t.b = sn;
    t.c = -sn;
    t.d = cs;
    t.tx = about.x - (cs * about.x - sn * about.y);
    t.ty = about.y - (sn * about.x + cs * about.y);
    return t;
}

Affine Affine::scaling(double k, Point about) {
    Affine t;
    t.a = k;
    t.d = k;
    t.tx = about.x - k * about.x;
    t.ty = about.y - k * about.y;
    return t;
}

Affine Affine::mirror(Point p1, Point p2) {
    Point u = p2 - p1;
    double len2 = dot(u, u);
    if (!(len2 > 0) || !std::isfinite(len2)) return {};
    // Reflection matrix for the direction u: [[ux²-uy², 2uxuy], [2uxuy, uy²-ux²]] / |u|².
    Affine t;
    t.a = (u.x * u.x - u.y * u.y) / len2;
    t.b = 2 * u.x * u.y / len2;
    t.c = t.b;
    t.d = -t.a;
    t.tx = p1.x - (t.a * p1.x + t.c * p1.y);
    t.ty = p1.y - (t.b * p1.x + t.d * p1.y);
    return t;
}

bool isFinite(Point p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

bool isFinite(const Affine& t) {
    return std::isfinite(t.a) && std::isfinite(t.b) && std::isfinite(t.c) && std::isfinite(t.d) &&
           std::isfinite(t.tx) && std::isfinite(t.ty);
}

} // namespace qm::drawing
