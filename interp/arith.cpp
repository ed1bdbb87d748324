#include "interp/arith.h"

#include "interp/convert.h"
#include "interp/errors.h"
#include "text/cp1251.h"

#include <cmath>

namespace qm {

double checkedResult(double x) {
    if (std::isnan(x)) throw EvalError(ru("результат не является действительным числом"));
    if (std::isinf(x)) throw EvalError(ru("переполнение: результат слишком велик"));
    return x;
}

static bool bothIntegral(const Variant& a, const Variant& b) {
    auto integral = [](const Variant& v) {
        return v.type == Variant::Type::Int || v.type == Variant::Type::Empty;
    };
    return integral(a) && integral(b);
}

static Variant fromWide(long long r) {
    if (r >= INT32_MIN && r <= INT32_MAX) return Variant::ofInt(static_cast<std::int32_t>(r));
    return Variant::ofDouble(static_cast<double>(r));
}

Variant addValues(const Variant& a, const Variant& b, char sep) {
    if (bothIntegral(a, b)) return fromWide(static_cast<long long>(a.i) + b.i);
    return Variant::ofDouble(checkedResult(toDouble(a, sep) + toDouble(b, sep)));
}

Variant multiplyValues(const Variant& a, const Variant& b, char sep) {
    if (bothIntegral(a, b)) return fromWide(static_cast<long long>(a.i) * b.i);
    return Variant::ofDouble(checkedResult(toDouble(a, sep) * toDouble(b, sep)));
}

Variant divideValues(const Variant& a, const Variant& b, char sep) {
    double divisor = toDouble(b, sep);
    double dividend = toDouble(a, sep);
    if (divisor == 0) throw EvalError(ru("деление на ноль"));
    return Variant::ofDouble(checkedResult(dividend / divisor));
}

Variant negateValue(const Variant& a, char sep) {
    switch (a.type) {
    case Variant::Type::Empty:
        return Variant::ofInt(0);
    case Variant::Type::Int:
        return fromWide(-static_cast<long long>(a.i));
    case Variant::Type::Double:
        return Variant::ofDouble(-a.d);
    case Variant::Type::Text:
        return Variant::ofDouble(-toDouble(a, sep));
    }
    return a;
}

int compareValues(const Variant& a, const Variant& b, char sep) {
    using T = Variant::Type;
    if (a.type == T::Text && b.type == T::Text) {
        int c = a.s.compare(b.s); // std::string compares char_traits<char>: unsigned bytes
        return c < 0 ? -1 : c > 0 ? 1 : 0;
    }
    if (a.type == T::Text && b.type == T::Empty) return a.s.empty() ? 0 : 1;
    if (a.type == T::Empty && b.type == T::Text) return b.s.empty() ? 0 : -1;
    if (a.type == T::Int && b.type == T::Int) return a.i < b.i ? -1 : a.i > b.i ? 1 : 0;
    double x = toDouble(a, sep), y = toDouble(b, sep);
    return x < y ? -1 : x > y ? 1 : 0;
}

} // namespace qm
