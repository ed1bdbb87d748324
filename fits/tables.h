// The ISO 286 tables of limits and fits: standard tolerances by size and grade, the fundamental
// deviations of shafts and holes, the increment of fine hole grades and the field letter lists.
// Tolerances and deviations are in micrometres; sizes in millimetres.
#pragma once

#include <array>
#include <string>

namespace qm {

// The mark of a cell for which the standard gives no field.
constexpr int NOT_EXISTS = -100000;

// Size intervals: each bound closes its interval ("over the previous bound up to this one").
inline constexpr std::array<double, 21> kToleranceBounds = {
    3,   6,   10,  18,  30,   50,   80,   120,  180,  250, 315,
    400, 500, 630, 800, 1000, 1250, 1600, 2000, 2500, 3150};
// Fine intervals of k..zc, K..ZC and the j and J columns.
inline constexpr std::array<double, 25> kFineBounds = {3,   6,   10,  14,  18,  24,  30,  40,  50,
                                                       65,  80,  100, 120, 140, 160, 180, 200, 225,
                                                       250, 280, 315, 355, 400, 450, 500};
// Intervals of a..g and A..G.
inline constexpr std::array<double, 23> kCoarseBounds = {3,   6,   10,  18,  30,  40,  50,  65,
                                                         80,  100, 120, 140, 160, 180, 200, 225,
                                                         250, 280, 315, 355, 400, 450, 500};
// Intervals of the deviations above 500 mm.
inline constexpr std::array<double, 16> kLargeBounds = {
    560, 630, 710, 800, 900, 1000, 1120, 1250, 1400, 1600, 1800, 2000, 2240, 2500, 2800, 3150};

// Grade columns: IT01, IT0, IT1 ... IT17.
constexpr int kGradeColumns = 19;

// Columns of the deviation tables.
constexpr int kShaftAColumns = 18; // k m n p r s t u v x y z za zb zc j1 j2 j3
constexpr int kShaftBColumns = 10; // a b c cd d e ef f fg g
constexpr int kDeltaColumns = 6;   // grades 3..8
constexpr int kLargeColumns = 14;  // c cd d e f g m n p r s t u v

extern const double kStandardTolerance[kToleranceBounds.size()][kGradeColumns];
extern const int kShaftTableA[kFineBounds.size()][kShaftAColumns];
extern const int kShaftTableB[kCoarseBounds.size()][kShaftBColumns];
extern const int kHoleTableJ[kFineBounds.size()][3]; // ES of J6, J7, J8
extern const int kDeltaTable[kFineBounds.size()][kDeltaColumns];
extern const int kLargeDeviation[kLargeBounds.size()][kLargeColumns];

extern const std::array<const char*, kShaftAColumns> kShaftANames;
extern const std::array<const char*, kShaftAColumns> kHoleANames;
extern const std::array<const char*, kShaftBColumns> kShaftBNames;
extern const std::array<const char*, kShaftBColumns> kHoleBNames;
extern const std::array<const char*, kLargeColumns> kLargeShaftNames;
extern const std::array<const char*, kLargeColumns> kLargeHoleNames;

// The 28 field letters of shafts and of holes, in the order of the standard.
extern const std::array<const char*, 28> kShaftFields;
extern const std::array<const char*, 28> kHoleFields;

// The row of a size: the first bound >= size; -1 when the size lies beyond the last bound (or is
// not a number). Sizes at or below 0 fall into the first row, as the first interval has no floor.
int rowOf(const double* bounds, int count, double size);
template <std::size_t N> int rowOf(const std::array<double, N>& bounds, double size) {
    return rowOf(bounds.data(), static_cast<int>(N), size);
}

// The column of a name in a column list; -1 when it has none. Names compare exactly.
template <std::size_t N>
int columnOf(const std::array<const char*, N>& names, const std::string& name) {
    for (std::size_t i = 0; i < N; ++i)
        if (name == names[i]) return static_cast<int>(i);
    return -1;
}

// Checked cell reads: a row or column outside its table gives NOT_EXISTS (0 for the IT table),
// so no lookup ever reads beyond a table.
double standardToleranceAt(int row, int gradeColumn);
int shaftA(int row, int column);
int shaftB(int row, int column);
// Hole table A: K..ZC are the shaft values negated (NOT_EXISTS kept), J1..J3 the J columns.
int holeA(int row, int column);
// Hole table B: the shaft table B negated (NOT_EXISTS kept).
int holeB(int row, int column);
// Delta for a fine row and grade 3..8; NOT_EXISTS for any other grade.
int deltaAt(int row, int grade);
int largeDeviation(int row, int column);

} // namespace qm
