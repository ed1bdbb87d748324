#include "text/numbers.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace qm {

std::string formatGeneral(double value) {
    return formatGeneral(value, '.');
}

std::string formatGeneral(double value, char sep) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0) return "0";
    // d.dddddddddddddde±X: the nearest value with 15 significant digits.
    char buf[64];
    auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
    std::string sci(buf, res.ptr);
    size_t epos = sci.find('e');
    std::string digits = sci.substr(0, 1) + sci.substr(2, epos - 2);
    int exp10 = std::atoi(sci.c_str() + epos + 1) + 1; // value = 0.d1d2... * 10^exp10
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    const int n = static_cast<int>(digits.size());
    std::string out = value < 0 ? "-" : "";
    if (exp10 >= -3 && exp10 <= 15) {
        if (exp10 <= 0) {
            out += '0';
            out += sep;
            out.append(static_cast<size_t>(-exp10), '0');
            out += digits;
        } else if (exp10 >= n) {
            out += digits;
            out.append(static_cast<size_t>(exp10 - n), '0');
        } else {
            out += digits.substr(0, exp10);
            out += sep;
            out += digits.substr(exp10);
        }
    } else {
        out += digits[0];
        if (n > 1) {
            out += sep;
            out += digits.substr(1);
        }
        out += 'E';
        out += std::to_string(exp10 - 1);
    }
    return out;
}

bool readNumber(const std::string& text, char sep, double& out) {
    size_t b = 0, e = text.size();
    while (b < e && (text[b] == ' ' || text[b] == '\t'))
        ++b;
    while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t'))
        --e;
    std::string s;
    size_t i = b;
    if (i < e && (text[i] == '+' || text[i] == '-')) s += text[i++];
    bool digits = false, point = false;
    for (; i < e; ++i) {
        char c = text[i];
        if (c >= '0' && c <= '9') {
            s += c;
            digits = true;
        } else if (c == sep && !point) {
            s += '.';
            point = true;
        } else {
            break;
        }
    }
    if (!digits) return false;
    if (i < e && (text[i] == 'e' || text[i] == 'E')) {
        s += 'e';
        ++i;
        if (i < e && (text[i] == '+' || text[i] == '-')) s += text[i++];
        bool expDigits = false;
        for (; i < e && text[i] >= '0' && text[i] <= '9'; ++i) {
            s += text[i];
            expDigits = true;
        }
        if (!expDigits) return false;
    }
    if (i != e) return false;
    const char* first = s.c_str();
    if (*first == '+') ++first;
    double v;
    auto res = std::from_chars(first, s.c_str() + s.size(), v);
    if (res.ec != std::errc() || res.ptr != s.c_str() + s.size()) return false;
    if (!std::isfinite(v)) return false;
    out = v;
    return true;
}

bool readInt32(const std::string& digits, int& out) {
    if (digits.empty()) return false;
    long long v = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
        if (v > INT_MAX) return false;
    }
    out = static_cast<int>(v);
    return true;
}

} // namespace qm
