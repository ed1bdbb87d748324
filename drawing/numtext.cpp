#include "drawing/numtext.h"

#include <charconv>
#include <cmath>

namespace qm::drawing {

std::string num(double v) {
    if (!std::isfinite(v)) return "0"; // never reached: the drawing refuses such values
    char buf[400];
    std::to_chars_result res;
    if (std::fabs(v) < 1e12)
        res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 6);
    else
        res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 12);
    std::string s(buf, res.ptr);
    if (s.find('e') == std::string::npos && s.find('.') != std::string::npos) {
        while (s.back() == '0')
            s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    if (s == "-0") s = "0";
    return s;
}

std::string num(int v) {
    char buf[16];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

} // namespace qm::drawing
