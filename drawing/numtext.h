// Numbers for the files we write: '.' as separator whatever the process locale, no exponent for
// drawing-sized values, no "-0", and no more than the six decimals a drawing needs.
#pragma once

#include <string>

namespace qm::drawing {

std::string num(double value);
std::string num(int value);

} // namespace qm::drawing
