// Surface roughness marks (ISO 1302, GOST 2.309): the sign of its type, the contour circle, the
// texts of places 1 to 4 and, when asked for, a leader with a shelf the sign stands on.
#pragma once

#include "drawing/shapes.h"
#include "kompas/records.h"

#include <string>
#include <vector>

namespace qm::drawing {

// The parameter text lines shared out to the places by the record's line counts: place 1 (the
// roughness parameters, under the shelf), place 2 (the method, above it), place 3 (further
// requirements, under place 1), place 4 (the lay, beside the sign). Missing lines are empty.
struct RoughnessTexts {
    std::vector<std::string> place1, place2, place3;
    std::string place4;
};
RoughnessTexts shareRoughnessTexts(const std::vector<std::string>& lines,
                                   const kompas::RoughRecord& r);

// The mark in view coordinates; `u` is sheet millimetres in view units.
std::vector<Item> buildRoughness(const kompas::RoughRecord& r, const RoughnessTexts& texts,
                                 double u);

} // namespace qm::drawing
