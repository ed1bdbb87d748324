// The tables against the printed rows, against each other (the relations the standard builds them
// by) and at their edges.
#include "fits/tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace qm {
namespace {

using Row = std::vector<double>;

Row toleranceRow(int row) {
    return Row(kStandardTolerance[row], kStandardTolerance[row] + kGradeColumns);
}

TEST(Tables, StandardToleranceRows) {
    struct Case {
        double size;
        Row values;
    };
    const Case cases[] = {
        {25, {0.6, 1, 1.5, 2.5, 4, 6, 9, 13, 21, 33, 52, 84, 130, 210, 330, 520, 840, 1300, 2100}},
        {100,
         {1, 1.5, 2.5, 4, 6, 10, 15, 22, 35, 54, 87, 140, 220, 350, 540, 870, 1400, 2200, 3500}},
        {2, {0.3, 0.5, 0.8, 1.2, 2, 3, 4, 6, 10, 14, 25, 40, 60, 100, 140, 250, 400, 600, 1000}},
        {200,
         {2, 3, 4.5, 7, 10, 14, 20, 29, 46, 72, 115, 185, 290, 460, 720, 1150, 1850, 2900, 4600}},
        {450,
         {4, 6, 8, 10, 15, 20, 27, 40, 63, 97, 155, 250, 400, 630, 970, 1550, 2500, 4000, 6300}},
        {600,
         {4.5, 6, 9, 11, 16, 22, 30, 44, 70, 110, 175, 280, 440, 700, 1100, 1750, 2800, 4400,
          7000}},
        {700,
         {5, 7, 10, 13, 18, 25, 35, 50, 80, 125, 200, 320, 500, 800, 1250, 2000, 3200, 5000, 8000}},
        {900,
         {5.5, 8, 11, 15, 21, 29, 40, 56, 90, 140, 230, 360, 560, 900, 1400, 2300, 3600, 5600,
          9000}},
        {1100,
         {6.5, 9, 13, 18, 24, 34, 46, 66, 105, 165, 260, 420, 660, 1050, 1650, 2600, 4200, 6600,
          10500}},
        {1500,
         {8, 11, 15, 21, 29, 40, 54, 78, 125, 195, 310, 500, 780, 1250, 1950, 3100, 5000, 7800,
          12500}},
        {1800,
         {9, 13, 18, 25, 35, 48, 65, 92, 150, 230, 370, 600, 920, 1500, 2300, 3700, 6000, 9200,
          15000}},
        {2200,
         {11, 15, 22, 30, 41, 57, 77, 110, 175, 280, 440, 700, 1100, 1750, 2800, 4400, 7000, 11000,
          17500}},
        {3000,
         {13, 18, 26, 36, 50, 69, 93, 135, 210, 330, 540, 860, 1350, 2100, 3300, 5400, 8600, 13500,
          21000}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(toleranceRow(rowOf(kToleranceBounds, c.size)), c.values) << c.size;
}

TEST(Tables, ShaftRowsOver30UpTo40) {
    const int row = rowOf(kFineBounds, 35);
    const std::vector<int> a(kShaftTableA[row], kShaftTableA[row] + kShaftAColumns);
    EXPECT_EQ(a, (std::vector<int>{2, 9, 17, 26, 34, 43, 48, 60, 68, 80, 94, 112, 148, 200, 274, -5,
                                   -10, NOT_EXISTS}));
    const int rowB = rowOf(kCoarseBounds, 35);
    const std::vector<int> b(kShaftTableB[rowB], kShaftTableB[rowB] + kShaftBColumns);
    EXPECT_EQ(b, (std::vector<int>{-310, -170, -120, NOT_EXISTS, -80, -50, NOT_EXISTS, -25,
                                   NOT_EXISTS, -9}));
}

// Where the standard gives no field: t up to 24 mm, v up to 14, y up to 18, j8 above 3 mm, and
// cd, ef, fg above 10 mm; everywhere else the cells hold values.
TEST(Tables, NotExistingCellsLieWhereTheStandardHasNoField) {
    for (int row = 0; row < static_cast<int>(kFineBounds.size()); ++row) {
        const double upTo = kFineBounds[row];
        for (int col = 0; col < kShaftAColumns; ++col) {
            const std::string name = kShaftANames[col];
            const bool missing = (name == "t" && upTo <= 24) || (name == "v" && upTo <= 14) ||
                                 (name == "y" && upTo <= 18) || (name == "j3" && upTo > 3);
            EXPECT_EQ(kShaftTableA[row][col] == NOT_EXISTS, missing) << name << " " << upTo;
        }
    }
    for (int row = 0; row < static_cast<int>(kCoarseBounds.size()); ++row)
        for (int col = 0; col < kShaftBColumns; ++col) {
            const std::string name = kShaftBNames[col];
            const bool missing =
                (name == "cd" || name == "ef" || name == "fg") && kCoarseBounds[row] > 10;
            EXPECT_EQ(kShaftTableB[row][col] == NOT_EXISTS, missing)
                << name << " " << kCoarseBounds[row];
        }
}

// Delta of grade n is IT(n) - IT(n-1) of the interval (1.5 µm held as 1); 0 up to 3 mm.
TEST(Tables, DeltaIsTheStepBetweenNeighbouringGrades) {
    for (int row = 0; row < static_cast<int>(kFineBounds.size()); ++row) {
        const int main = rowOf(kToleranceBounds, kFineBounds[row]);
        for (int grade = 3; grade <= 8; ++grade) {
            const double step =
                kStandardTolerance[main][grade + 1] - kStandardTolerance[main][grade];
            const int expected = row == 0 ? 0 : static_cast<int>(std::floor(step));
            EXPECT_EQ(kDeltaTable[row][grade - 3], expected)
                << kFineBounds[row] << " grade " << grade;
        }
    }
    EXPECT_EQ(std::vector<int>(kDeltaTable[7], kDeltaTable[7] + 6),
              (std::vector<int>{1, 3, 4, 5, 9, 14}));
    EXPECT_EQ(std::vector<int>(kDeltaTable[24], kDeltaTable[24] + 6),
              (std::vector<int>{5, 5, 7, 13, 23, 34}));
}

// From IT7 up to 500 mm (IT6 above) every fifth grade is ten times coarser.
TEST(Tables, EveryFifthGradeIsTenTimesCoarser) {
    for (int row = 0; row < static_cast<int>(kToleranceBounds.size()); ++row) {
        const int first = kToleranceBounds[row] <= 500 ? 7 : 6;
        for (int grade = first; grade + 5 <= 17; ++grade)
            EXPECT_EQ(kStandardTolerance[row][grade + 6], 10 * kStandardTolerance[row][grade + 1])
                << kToleranceBounds[row] << " IT" << grade;
    }
}

TEST(Tables, ToleranceGrowsWithGradeAndSize) {
    for (int row = 0; row < static_cast<int>(kToleranceBounds.size()); ++row)
        for (int c = 0; c < kGradeColumns; ++c) {
            if (c > 0) {
                EXPECT_GT(kStandardTolerance[row][c], kStandardTolerance[row][c - 1]);
            }
            if (row > 0) {
                EXPECT_GE(kStandardTolerance[row][c], kStandardTolerance[row - 1][c]);
            }
        }
}

// Fundamental deviations grow away from the zero line with the size, and with the letter.
TEST(Tables, DeviationsGrowWithSizeAndLetter) {
    // across: +1 when the magnitudes rise from column to column, -1 when they fall, 0 unchecked.
    const auto grows = [](auto& table, int rows, int columns, int across) {
        for (int r = 0; r < rows; ++r) {
            int previous = 0;
            for (int c = 0; c < columns; ++c) {
                if (table[r][c] == NOT_EXISTS) continue;
                const int v = std::abs(table[r][c]);
                if (r > 0 && table[r - 1][c] != NOT_EXISTS) {
                    EXPECT_GE(v, std::abs(table[r - 1][c])) << r << " " << c;
                }
                if (across != 0 && previous != 0) {
                    EXPECT_GT(across * (v - previous), 0) << r << " " << c;
                }
                previous = v;
            }
        }
    };
    grows(kShaftTableA, kFineBounds.size(), kShaftAColumns, 0); // k..zc across below
    for (int r = 0; r < static_cast<int>(kFineBounds.size()); ++r)
        for (int c = 1; c < 15; ++c) {
            int before = c - 1;
            while (before >= 0 && kShaftTableA[r][before] == NOT_EXISTS)
                --before;
            if (kShaftTableA[r][c] != NOT_EXISTS) {
                EXPECT_GT(kShaftTableA[r][c], kShaftTableA[r][before]) << r << " " << c;
            }
        }
    grows(kShaftTableB, kCoarseBounds.size(), kShaftBColumns, -1); // a > b > ... > g
    grows(kHoleTableJ, kFineBounds.size(), 3, +1);
    grows(kLargeDeviation, kLargeBounds.size(), 6, -1); // c > cd > ... > g
    for (int r = 0; r < static_cast<int>(kLargeBounds.size()); ++r)
        for (int c = 7; c < kLargeColumns; ++c) { // m < n < ... < v
            EXPECT_GT(kLargeDeviation[r][c], kLargeDeviation[r][c - 1]) << r << " " << c;
            if (r > 0) {
                EXPECT_GE(kLargeDeviation[r][c], kLargeDeviation[r - 1][c]);
            }
        }
}

// The hole J of a grade ends where the shaft j of the grade below begins (lower deviation of J(n)
// = -(upper deviation of j(n-1))), above 3 mm, where the standard keeps its own values.
TEST(Tables, HoleJMirrorsShaftJOfTheGradeBelow) {
    for (int row = 1; row < static_cast<int>(kFineBounds.size()); ++row) {
        const int main = rowOf(kToleranceBounds, kFineBounds[row]);
        const auto it = [&](int grade) { return kStandardTolerance[main][grade + 1]; };
        const int j5j6 = kShaftTableA[row][15], j7 = kShaftTableA[row][16];
        EXPECT_EQ(kHoleTableJ[row][0] - it(6), -(j5j6 + it(5))) << kFineBounds[row];
        EXPECT_EQ(kHoleTableJ[row][1] - it(7), -(j5j6 + it(6))) << kFineBounds[row];
        EXPECT_EQ(kHoleTableJ[row][2] - it(8), -(j7 + it(7))) << kFineBounds[row];
    }
    EXPECT_EQ(std::vector<int>(kHoleTableJ[8], kHoleTableJ[8] + 3), (std::vector<int>{10, 14, 24}));
}

TEST(Tables, LargeDeviationRows) {
    const std::vector<std::vector<int>> rows = {
        {520, 370, 260, 145, 76, 22, 26, 44, 78, 150, 280, 400, 600, 740},
        {580, 390, 260, 145, 76, 22, 26, 44, 78, 155, 310, 450, 660, 820},
        {640, 430, 290, 160, 80, 24, 30, 50, 88, 175, 340, 500, 740, 920},
        {700, 450, 290, 160, 80, 24, 30, 50, 88, 185, 380, 560, 840, 1000},
        {780, 500, 320, 170, 86, 26, 34, 56, 100, 210, 430, 620, 940, 1150},
        {860, 520, 320, 170, 86, 26, 34, 56, 100, 220, 470, 680, 1050, 1300},
        {940, 580, 350, 195, 98, 28, 40, 66, 120, 250, 520, 780, 1150, 1450},
        {1050, 600, 350, 195, 98, 28, 40, 66, 120, 260, 580, 840, 1300, 1600},
        {1150, 660, 390, 220, 110, 30, 48, 78, 140, 300, 640, 960, 1450, 1800},
        {1300, 720, 390, 220, 110, 30, 48, 78, 140, 330, 720, 1050, 1600, 2000},
        {1450, 780, 430, 240, 120, 32, 58, 92, 170, 370, 820, 1200, 1850, 2300},
        {1600, 820, 430, 240, 120, 32, 58, 92, 170, 400, 920, 1350, 2000, 2500},
        {1800, 920, 480, 260, 130, 34, 68, 110, 195, 440, 1000, 1500, 2300, 2800},
        {2000, 980, 480, 260, 130, 34, 68, 110, 195, 460, 1100, 1650, 2500, 3100},
        {2200, 1050, 520, 290, 145, 38, 76, 135, 240, 550, 1250, 1900, 2900, 3500},
        {2500, 1150, 520, 290, 145, 38, 76, 135, 240, 580, 1400, 2100, 3200, 3900},
    };
    ASSERT_EQ(rows.size(), kLargeBounds.size());
    for (std::size_t r = 0; r < rows.size(); ++r)
        EXPECT_EQ(std::vector<int>(kLargeDeviation[r], kLargeDeviation[r] + kLargeColumns), rows[r])
            << kLargeBounds[r];
}

TEST(Tables, HoleTablesMirrorTheShaftTables) {
    const int row = rowOf(kFineBounds, 45);
    EXPECT_EQ(holeA(row, columnOf(kHoleANames, "K")), -2);
    EXPECT_EQ(holeA(row, columnOf(kHoleANames, "ZC")), -325);
    EXPECT_EQ(holeA(row, columnOf(kHoleANames, "J3")), 24);
    EXPECT_EQ(holeA(0, columnOf(kHoleANames, "T")), NOT_EXISTS);
    EXPECT_EQ(holeB(rowOf(kCoarseBounds, 35), columnOf(kHoleBNames, "A")), 310);
    EXPECT_EQ(holeB(rowOf(kCoarseBounds, 35), columnOf(kHoleBNames, "CD")), NOT_EXISTS);
}

TEST(Tables, RowOfTakesTheFirstBoundNotBelowTheSize) {
    EXPECT_EQ(rowOf(kToleranceBounds, 3), 0);
    EXPECT_EQ(rowOf(kToleranceBounds, 3.001), 1);
    EXPECT_EQ(rowOf(kFineBounds, 14), 3);
    EXPECT_EQ(rowOf(kFineBounds, 14.0001), 4);
    EXPECT_EQ(rowOf(kToleranceBounds, 3150), 20);
    EXPECT_EQ(rowOf(kToleranceBounds, 3150.001), -1);
    EXPECT_EQ(rowOf(kFineBounds, 500.5), -1);
    EXPECT_EQ(rowOf(kLargeBounds, 500.5), 0);
    EXPECT_EQ(rowOf(kToleranceBounds, 0), 0);
    EXPECT_EQ(rowOf(kToleranceBounds, -7), 0);
    EXPECT_EQ(rowOf(kToleranceBounds, std::nan("")), -1);
}

TEST(Tables, ReadsOutsideATableGiveNoValue) {
    EXPECT_EQ(standardToleranceAt(-1, 5), 0);
    EXPECT_EQ(standardToleranceAt(21, 5), 0);
    EXPECT_EQ(standardToleranceAt(0, 19), 0);
    EXPECT_EQ(shaftA(25, 0), NOT_EXISTS);
    EXPECT_EQ(shaftA(0, -1), NOT_EXISTS);
    EXPECT_EQ(shaftB(-1, 0), NOT_EXISTS);
    EXPECT_EQ(holeA(0, 18), NOT_EXISTS);
    EXPECT_EQ(holeB(23, 0), NOT_EXISTS);
    EXPECT_EQ(deltaAt(5, 2), NOT_EXISTS);
    EXPECT_EQ(deltaAt(5, 9), NOT_EXISTS);
    EXPECT_EQ(deltaAt(5, 3), 1);
    EXPECT_EQ(deltaAt(-1, 3), NOT_EXISTS);
    EXPECT_EQ(largeDeviation(16, 0), NOT_EXISTS);
    EXPECT_EQ(largeDeviation(0, -1), NOT_EXISTS);
}

TEST(Tables, FieldLetterLists) {
    EXPECT_EQ(columnOf(kShaftFields, "a"), 0);
    EXPECT_EQ(columnOf(kShaftFields, "js"), 11);
    EXPECT_EQ(columnOf(kShaftFields, "zc"), 27);
    EXPECT_EQ(columnOf(kHoleFields, "Js"), 11);
    EXPECT_EQ(columnOf(kHoleFields, "JS"), -1);
    EXPECT_EQ(columnOf(kShaftFields, "H"), -1);
}

} // namespace
} // namespace qm
