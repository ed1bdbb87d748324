// Arithmetic on variants: 32-bit integers stay integers until they overflow, then the exact
// result is a double; every non-finite result is an evaluation error.
#pragma once

#include "interp/value.h"

namespace qm {

Variant addValues(const Variant& a, const Variant& b, char sep);
Variant multiplyValues(const Variant& a, const Variant& b, char sep);
Variant divideValues(const Variant& a, const Variant& b, char sep);
Variant negateValue(const Variant& a, char sep);

// Variant comparison: numbers by value, texts byte by byte, a text against a number as a number.
// Returns <0, 0, >0.
int compareValues(const Variant& a, const Variant& b, char sep);

// Throws an evaluation error for NaN and infinity.
double checkedResult(double x);

} // namespace qm
