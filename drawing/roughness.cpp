#include "drawing/roughness.h"

#include "drawing/annotate.h"

#include <algorithm>
#include <cmath>

namespace qm::drawing {

RoughnessTexts shareRoughnessTexts(const std::vector<std::string>& lines,
                                   const kompas::RoughRecord& r) {
    RoughnessTexts t;
    std::size_t next = 0;
    auto take = [&](std::size_t n, std::vector<std::string>& to) {
        for (std::size_t i = 0; i < n; ++i)
            to.push_back(next < lines.size() ? lines[next++] : std::string());
    };
    take(r.lines1, t.place1);
    take(r.lines2, t.place2);
    take(r.lines3, t.place3);
    if (r.place4 != 0 && next < lines.size()) t.place4 = lines[next];
    return t;
}

namespace {

const double root3 = std::sqrt(3.0);

// The sign drawn in its own frame: the vertex at the origin, the shelf to the right.
struct Frame {
    Point vertex;
    double angle = 0;
    Point at(double x, double y) const { return vertex + Affine::rotation(angle).apply({x, y}); }
};

double widest(const std::vector<std::string>& lines, double h) {
    double w = 0;
    for (const std::string& l : lines)
        w = std::max(w, textWidth(l, h));
    return w;
}

bool anyText(const std::vector<std::string>& lines) {
    return std::any_of(lines.begin(), lines.end(), [](const std::string& s) { return !s.empty(); });
}

// Lines stacked from the baseline `y0` at `x`, `step` apart (negative: downwards).
void stack(std::vector<Item>& out, const Frame& f, const std::vector<std::string>& lines, double x,
           double y0, double step, double u) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (!lines[i].empty())
            out.push_back(
                annotationText(lines[i], f.at(x, y0 + step * static_cast<double>(i)), f.angle, u));
}

} // namespace

std::vector<Item> buildRoughness(const kompas::RoughRecord& r, const RoughnessTexts& texts,
                                 double u) {
    std::vector<Item> out;
    const double h = sizes::textHeight * u; // the short leg: the height of the figures
    const double gap = sizes::textGap * u;
    const double step = sizes::lineSpacing * h;
    const std::size_t under = texts.place1.size() + texts.place3.size();
    // The long leg is at least three times the short one and clears the lines under the shelf.
    const double H = std::max(3 * h, h + gap + static_cast<double>(under) * step + gap);
    const double textsWidth = std::max(widest(texts.place1, h),
                                       std::max(widest(texts.place2, h), widest(texts.place3, h)));
    const bool shelf =
        anyText(texts.place1) || anyText(texts.place2) || anyText(texts.place3) || r.contour != 0;
    const double shelfLen = shelf ? std::max(h, textsWidth + 2 * gap) : 0;

    Point surface{r.x, r.y};
    Frame f{surface, std::isfinite(r.angle) ? r.angle : 0};
    if (r.leaderDir != 0) {
        // The sign stands on a shelf at the end of a leader whose arrow touches the surface.
        double len = (r.leaderLength > 0 ? r.leaderLength : sizes::shelfLength) * u;
        Point q = surface + direction(std::isfinite(r.leaderAngle) ? r.leaderAngle : 0) * len;
        addSegment(out, q, surface);
        addArrowHead(out, arrowInside, surface, unit(surface - q), u);
        if (r.leaderDir == -1 || r.leaderDir == 1) {
            double signWidth = h / root3 + H / root3 + shelfLen + 2 * u;
            Point far = q + Point{static_cast<double>(r.leaderDir), 0} * signWidth;
            addSegment(out, q, far);
            Point left = r.leaderDir == 1 ? q : far;
            f.vertex = left + Point{u + h / root3, 0};
        } else {
            f.vertex = q;
        }
    }

    addSegment(out, f.at(-h / root3, h), f.at(0, 0));
    Point top = f.at(H / root3, H);
    addSegment(out, f.at(0, 0), top);
    if (r.signType == 1) addSegment(out, f.at(-h / root3, h), f.at(h / root3, h));
    if (r.signType == 2) {
        // The circle of "material not removed", touching both legs under the short leg's top.
        out.push_back(Item{LineKind::Thin, Circle{f.at(0, 2 * h / 3), h / 3}});
    }
    if (shelf) addSegment(out, top, f.at(H / root3 + shelfLen, H));
    if (r.contour != 0) out.push_back(Item{LineKind::Thin, Circle{top, 0.6 * h}});

    const double x = H / root3 + gap;
    const double n2 = static_cast<double>(texts.place2.size());
    stack(out, f, texts.place2, x, H + gap + (n2 - 1) * step, -step, u);
    const double y1 = H - gap - h;
    stack(out, f, texts.place1, x, y1, -step, u);
    stack(out, f, texts.place3, x, y1 - static_cast<double>(texts.place1.size()) * step, -step, u);
    if (!texts.place4.empty())
        out.push_back(annotationText(texts.place4, f.at(h / root3 + gap + h * 0.5, 0), f.angle, u));
    return out;
}

} // namespace qm::drawing
