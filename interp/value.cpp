#include "interp/value.h"

#include "text/cp1251.h"

namespace qm {

// Parallel to the enumerators of Kind.
const std::string& kindName(Kind k) {
    static const std::string names[] = {
        "",  ru("число"), ru("строка"), ru("массив"), "f",   "(",          ")",  "*",
        "/", "+",         "-",          ":",          ",",   ">=",         "<=", "<>",
        ">", "<",         "=",          "OR",         "AND", ru("ошибка"),
    };
    return names[static_cast<int>(k)];
}

bool isComparison(Kind k) {
    return k >= Kind::Ge && k <= Kind::Eq;
}

} // namespace qm
