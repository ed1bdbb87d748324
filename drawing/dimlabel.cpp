#include "drawing/dimlabel.h"

#include "drawing/annotate.h"
#include "text/numbers.h"

#include <cmath>

namespace qm::drawing {

DimFlags parseDimFlags(const std::string& text) {
    DimFlags f;
    std::size_t pos = text.find('_');
    while (pos != std::string::npos) {
        std::size_t next = text.find('_', pos + 1);
        std::string name = text.substr(pos + 1, next == std::string::npos ? next : next - pos - 1);
        for (char& c : name)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (name == "AUTONOMINAL")
            f.autoNominal = true;
        else if (name == "RECTTEXT")
            f.rectText = true;
        else if (name == "PREFIX")
            f.prefix = true;
        else if (name == "NOMINALOFF")
            f.nominalOff = true;
        else if (name == "TOLERANCE")
            f.tolerance = true;
        else if (name == "DEVIATION")
            f.deviation = true;
        else if (name == "UNIT")
            f.unit = true;
        else if (name == "SUFFIX")
            f.suffix = true;
        pos = next;
    }
    return f;
}

std::string signText(std::int32_t code) {
    switch (code) {
    case 1:
        return "\u2300"; // diameter sign
    case 2:
        return "\u25A1"; // square
    case 3:
        return "R";
    case 77:
        return "M";
    default:
        return "";
    }
}

DimensionLabel composeLabel(const DimFlags& flags, const std::vector<std::string>& lines,
                            std::int32_t sign, const std::string& measured) {
    DimensionLabel l;
    std::size_t next = 0;
    auto take = [&]() { return next < lines.size() ? lines[next++] : std::string(); };
    if (flags.prefix) l.prefix = take();
    if (flags.autoNominal)
        l.nominal = measured;
    else if (!flags.nominalOff)
        l.nominal = take();
    if (flags.tolerance) l.grade = take();
    if (flags.deviation) {
        l.upper = take();
        l.lower = take();
    }
    if (flags.unit) l.unit = take();
    if (flags.suffix) l.suffix = take();
    while (next < lines.size())
        l.below.push_back(take());
    l.sign = signText(sign);
    l.framed = flags.rectText;
    return l;
}

std::string formatLength(double value) {
    return formatGeneral(value);
}

std::string formatAngle(double deg) {
    double total = std::round(std::fabs(deg) * 60.0); // whole minutes
    double whole = std::floor(total / 60.0);
    double minutes = total - whole * 60.0;
    std::string s = (deg < 0 && total > 0 ? "-" : "") + formatGeneral(whole) + "\u00B0";
    if (minutes > 0) s += formatGeneral(minutes) + "'";
    return s;
}

namespace {

constexpr double deviationFactor = 0.7; // deviations are written smaller than the nominal

// "+0.1" over "-0.1" reads as "±0.1".
bool symmetric(const std::string& upper, const std::string& lower, std::string& magnitude) {
    if (lower.size() < 2 || lower[0] != '-') return false;
    std::string up = !upper.empty() && upper[0] == '+' ? upper.substr(1) : upper;
    magnitude = lower.substr(1);
    double v = 0;
    return up == magnitude && readNumber(magnitude, '.', v) && v != 0;
}

struct Parts {
    std::string head, tail, plusMinus;
    double headWidth = 0, stackWidth = 0, tailWidth = 0, gap = 0, width = 0;
};

Parts measure(const DimensionLabel& l, double u) {
    Parts p;
    double h = sizes::textHeight * u;
    p.head = l.prefix + l.sign + l.nominal + l.grade;
    p.tail = l.unit + l.suffix;
    std::string m;
    if (symmetric(l.upper, l.lower, m))
        p.head += "\u00B1" + m;
    else if (!l.upper.empty() || !l.lower.empty())
        p.stackWidth = std::max(textWidth(l.upper, h * deviationFactor),
                                textWidth(l.lower, h * deviationFactor));
    p.headWidth = textWidth(p.head, h);
    p.tailWidth = textWidth(p.tail, h);
    p.gap = 0.3 * h;
    p.width = p.headWidth + (p.stackWidth > 0 ? p.gap + p.stackWidth : 0) +
              (p.tailWidth > 0 ? p.gap + p.tailWidth : 0);
    return p;
}

} // namespace

double labelWidth(const DimensionLabel& label, double u) {
    return measure(label, u).width;
}

std::vector<Item> layoutLabel(const DimensionLabel& l, Point at, Point dir, double u,
                              HAlign align) {
    std::vector<Item> out;
    Parts p = measure(l, u);
    double h = sizes::textHeight * u;
    double angle = angleOf(dir);
    Point n = perp(dir);
    Point start = at;
    if (align == HAlign::Center)
        start = at - dir * (p.width / 2);
    else if (align == HAlign::Right)
        start = at - dir * p.width;
    Point pen = start;
    if (!p.head.empty()) out.push_back(annotationText(p.head, pen, angle, u));
    pen = pen + dir * p.headWidth;
    if (p.stackWidth > 0) {
        pen = pen + dir * p.gap;
        double hd = deviationFactor;
        if (!l.upper.empty())
            out.push_back(
                annotationText(l.upper, pen + n * (h * (hd + 0.2)), angle, u, HAlign::Left, hd));
        if (!l.lower.empty())
            out.push_back(annotationText(l.lower, pen, angle, u, HAlign::Left, hd));
        pen = pen + dir * p.stackWidth;
    }
    if (p.tailWidth > 0) {
        pen = pen + dir * p.gap;
        out.push_back(annotationText(p.tail, pen, angle, u));
    }
    if (l.framed && p.width > 0) {
        double top = p.stackWidth > 0 ? h * (2 * deviationFactor + 0.2) : h;
        addFrame(out, start, dir, p.width, top, 0.5 * u);
    }
    return out;
}

void addBelowLines(std::vector<Item>& out, const DimensionLabel& label, Point at, Point dir,
                   double u) {
    Point step = perp(dir) * (-sizes::lineSpacing * sizes::textHeight * u);
    for (std::size_t i = 0; i < label.below.size(); ++i)
        if (!label.below[i].empty())
            out.push_back(annotationText(label.below[i], at + step * static_cast<double>(i),
                                         angleOf(dir), u, HAlign::Center));
}

} // namespace qm::drawing
