// Column names, field letter lists and the checked reads of the tables.
#include "fits/tables.h"

namespace qm {

const std::array<const char*, kShaftAColumns> kShaftANames = {
    "k", "m", "n", "p", "r", "s", "t", "u", "v", "x", "y", "z", "za", "zb", "zc", "j1", "j2", "j3"};
const std::array<const char*, kShaftAColumns> kHoleANames = {
    "K", "M", "N", "P", "R", "S", "T", "U", "V", "X", "Y", "Z", "ZA", "ZB", "ZC", "J1", "J2", "J3"};
const std::array<const char*, kShaftBColumns> kShaftBNames = {"a", "b",  "c", "cd", "d",
                                                              "e", "ef", "f", "fg", "g"};
const std::array<const char*, kShaftBColumns> kHoleBNames = {"A", "B",  "C", "CD", "D",
                                                             "E", "EF", "F", "FG", "G"};
const std::array<const char*, kLargeColumns> kLargeShaftNames = {
    "c", "cd", "d", "e", "f", "g", "m", "n", "p", "r", "s", "t", "u", "v"};
const std::array<const char*, kLargeColumns> kLargeHoleNames = {"C", "CD", "D", "E", "F", "G", "M",
                                                                "N", "P",  "R", "S", "T", "U", "V"};

const std::array<const char*, 28> kShaftFields = {
    "a", "b", "c", "cd", "d", "e", "ef", "f", "fg", "g", "h", "js", "j",  "k",
    "m", "n", "p", "r",  "s", "t", "u",  "v", "x",  "y", "z", "za", "zb", "zc"};
const std::array<const char*, 28> kHoleFields = {
    "A", "B", "C", "CD", "D", "E", "EF", "F", "FG", "G", "H", "Js", "J",  "K",
    "M", "N", "P", "R",  "S", "T", "U",  "V", "X",  "Y", "Z", "ZA", "ZB", "ZC"};

int rowOf(const double* bounds, int count, double size) {
    for (int i = 0; i < count; ++i)
        if (bounds[i] >= size) return i;
    return -1;
}

namespace {
template <std::size_t R, std::size_t C> bool inside(int row, int column) {
    return row >= 0 && column >= 0 && static_cast<std::size_t>(row) < R &&
           static_cast<std::size_t>(column) < C;
}
int negated(int v) {
    return v == NOT_EXISTS ? NOT_EXISTS : -v;
}
} // namespace

double standardToleranceAt(int row, int gradeColumn) {
    if (!inside<kToleranceBounds.size(), kGradeColumns>(row, gradeColumn)) return 0;
    return kStandardTolerance[row][gradeColumn];
}

int shaftA(int row, int column) {
    if (!inside<kFineBounds.size(), kShaftAColumns>(row, column)) return NOT_EXISTS;
    return kShaftTableA[row][column];
}

int shaftB(int row, int column) {
    if (!inside<kCoarseBounds.size(), kShaftBColumns>(row, column)) return NOT_EXISTS;
    return kShaftTableB[row][column];
}

int holeA(int row, int column) {
    constexpr int firstJ = kShaftAColumns - 3;
    if (!inside<kFineBounds.size(), kShaftAColumns>(row, column)) return NOT_EXISTS;
    if (column >= firstJ) return kHoleTableJ[row][column - firstJ];
    return negated(kShaftTableA[row][column]);
}

int holeB(int row, int column) {
    return negated(shaftB(row, column));
}

int deltaAt(int row, int grade) {
    if (!inside<kFineBounds.size(), kDeltaColumns>(row, grade - 3)) return NOT_EXISTS;
    return kDeltaTable[row][grade - 3];
}

int largeDeviation(int row, int column) {
    if (!inside<kLargeBounds.size(), kLargeColumns>(row, column)) return NOT_EXISTS;
    return kLargeDeviation[row][column];
}

} // namespace qm
