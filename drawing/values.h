// Which numbers of a record the drawing accepts: finite ones of a drawing's size. A record with
// anything else (garbage, NaN, 1e300) is refused rather than drawn.
#pragma once

#include <cmath>
#include <initializer_list>

namespace qm::drawing {

// 10^9 mm is a thousand kilometres: nothing a sheet holds.
constexpr double maxCoordinate = 1e9;

inline bool sane(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v) || std::fabs(v) > maxCoordinate) return false;
    return true;
}

} // namespace qm::drawing
