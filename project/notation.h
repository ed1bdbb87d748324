// The two notations of table cells: numbers and dimensions.
#pragma once

#include "project/model.h"

#include <stdexcept>
#include <string>

namespace qm {

// A text that is no number (or no integer); the message names the rejected text.
class ConversionError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The first comma becomes a point, then the whole text must read as a number: blanks around,
// an optional sign, digits with an optional point, an optional exponent.
double parseNumber(const std::string& text);

// A decimal integer with an optional sign (the grade of a dimension).
std::int32_t parseInteger(const std::string& text);

// 50, 50H7, 50js6, 50(+0.025/-0.01), 50(-0.03): sets nominal, field, grade, upper, lower and
// mode of `dim`; name and note stay as they are.
void parseDimension(CParRazmer& dim, const std::string& text);

} // namespace qm
