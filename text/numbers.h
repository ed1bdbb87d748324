// Numbers as text, independent of the process locale.
#pragma once

#include <string>

namespace qm {

// The general number format: 15 significant digits, '.' as separator, fixed notation for
// decimal exponents -3..15 (0.0001 .. 15 digits before the point), otherwise 1E-5 / 2.5E20.
std::string formatGeneral(double value);
// The same with another decimal separator (the implicit conversion to text).
std::string formatGeneral(double value, char decimalSeparator);

// Reads the whole text as a decimal number with the given separator: optional blanks around,
// an optional sign, digits with at most one separator, an optional exponent. False otherwise.
bool readNumber(const std::string& text, char decimalSeparator, double& out);

// A run of digits as a 32-bit signed integer; false when empty, not digits, or out of range.
bool readInt32(const std::string& digits, int& out);

} // namespace qm
