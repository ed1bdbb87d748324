#include "interp/convert.h"

#include "interp/errors.h"
#include "text/cp1251.h"
#include "text/numbers.h"

#include <cmath>

namespace qm {

double roundHalfEven(double x) {
    double r = std::nearbyint(x); // the default rounding mode rounds half to even
    if (std::fabs(x - std::trunc(x)) == 0.5) {
        double f = std::floor(x);
        r = (std::fmod(f, 2.0) == 0) ? f : f + 1;
    }
    return r;
}

static double textToDouble(const std::string& s, char sep) {
    double v;
    if (readNumber(s, sep, v)) return v;
    throw EvalError(ru("текст '") + s + ru("' не является числом"));
}

double toDouble(const Variant& v, char sep) {
    switch (v.type) {
    case Variant::Type::Empty:
        return 0;
    case Variant::Type::Int:
        return v.i;
    case Variant::Type::Double:
        return v.d;
    case Variant::Type::Text:
        return textToDouble(v.s, sep);
    }
    return 0;
}

std::int32_t toInt(const Variant& v, char sep) {
    if (v.type == Variant::Type::Int) return v.i;
    double d = roundHalfEven(toDouble(v, sep));
    if (!(d >= -2147483648.0 && d <= 2147483647.0))
        throw EvalError(ru("число ") + formatGeneral(d) + ru(" не помещается в целое"));
    return static_cast<std::int32_t>(d);
}

std::string toText(const Variant& v, char sep) {
    switch (v.type) {
    case Variant::Type::Empty:
        return "";
    case Variant::Type::Int:
        return std::to_string(v.i);
    case Variant::Type::Double:
        return formatGeneral(v.d, sep);
    case Variant::Type::Text:
        return v.s;
    }
    return "";
}

} // namespace qm
