// Plane geometry of the drawing: points, angles in degrees and the similarity transforms that
// views, moves, rotations, scaled copies and mirrors are made of.
#pragma once

#include <cmath>

namespace qm::drawing {

constexpr double pi = 3.14159265358979323846;

inline double radians(double degrees) {
    return degrees * pi / 180.0;
}
inline double degrees(double radians) {
    return radians * 180.0 / pi;
}
// The angle brought into [0, 360).
double normalizeDegrees(double degrees);

struct Point {
    double x = 0, y = 0;
};

inline Point operator+(Point a, Point b) {
    return {a.x + b.x, a.y + b.y};
}
inline Point operator-(Point a, Point b) {
    return {a.x - b.x, a.y - b.y};
}
inline Point operator*(Point a, double k) {
    return {a.x * k, a.y * k};
}
inline Point operator*(double k, Point a) {
    return {a.x * k, a.y * k};
}
inline double dot(Point a, Point b) {
    return a.x * b.x + a.y * b.y;
}
inline double cross(Point a, Point b) {
    return a.x * b.y - a.y * b.x;
}
inline double length(Point a) {
    return std::hypot(a.x, a.y);
}
inline double distance(Point a, Point b) {
    return length(b - a);
}
// The vector turned a quarter counter-clockwise.
inline Point perp(Point a) {
    return {-a.y, a.x};
}
// The unit vector at an angle in degrees.
inline Point direction(double degrees) {
    return {std::cos(radians(degrees)), std::sin(radians(degrees))};
}
// The vector of length 1 along `a`, or `fallback` when `a` is (almost) zero.
Point unit(Point a, Point fallback = {1, 0});
// The angle of a vector in degrees, in (-180, 180].
inline double angleOf(Point a) {
    return degrees(std::atan2(a.y, a.x));
}

// x' = a x + c y + tx, y' = b x + d y + ty. The drawing only ever builds similarities (rotation,
// uniform scale, translation, reflection), so circles stay circles and angles stay angles.
struct Affine {
    double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

    Point apply(Point p) const { return {a * p.x + c * p.y + tx, b * p.x + d * p.y + ty}; }
    Point applyVector(Point v) const { return {a * v.x + c * v.y, b * v.x + d * v.y}; }
    // This transform followed by `next`.
    Affine then(const Affine& next) const;
    Affine inverse() const;
    double determinant() const { return a * d - b * c; }
    bool mirrored() const { return determinant() < 0; }
    // The length factor (the transforms are similarities).
    double scale() const { return std::sqrt(std::fabs(determinant())); }
    // The angle in degrees that a direction at `degrees` has after the transform.
    double mapAngle(double degrees) const { return angleOf(applyVector(direction(degrees))); }

    static Affine translation(double dx, double dy);
    static Affine rotation(double degrees, Point about = {});
    static Affine scaling(double factor, Point about = {});
    // The reflection in the line through p1 and p2 (the identity when they coincide).
    static Affine mirror(Point p1, Point p2);
};

bool isFinite(Point p);
bool isFinite(const Affine& t);

} // namespace qm::drawing
