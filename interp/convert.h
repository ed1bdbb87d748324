// The implicit conversions of values, under the user's decimal separator.
#pragma once

#include "interp/value.h"

#include <string>

namespace qm {

// Numbers: a text is read with the user's separator; an empty value is 0. Throws EvalError.
double toDouble(const Variant& v, char decimalSeparator);
// Rounds half to even; a text is read as a number first. Throws EvalError out of 32-bit range.
std::int32_t toInt(const Variant& v, char decimalSeparator);
// Integers in plain digits, doubles in the general format with the user's separator.
std::string toText(const Variant& v, char decimalSeparator);

// Round half to even, as the conversion to an integer does.
double roundHalfEven(double x);

} // namespace qm
