// The limits-and-fits object: deviations and designations of shafts and holes, the fields that do
// not exist, the messages, and the grade by tolerance.
#include "fits/dopuski.h"
#include "fits/grades.h"
#include "text/cp1251.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace qm {
namespace {

struct Result {
    double it, upper, lower;
    std::string designation;
    std::vector<std::string> messages; // UTF-8
};

Result run(double size, const std::string& field, int code, CDopuski& d) {
    Result r;
    d.designationFor(size, ru(field.c_str()), code,
                     [&r](const std::string& m) { r.messages.push_back(cp1251ToUtf8(m)); });
    r.it = d.standardTolerance;
    r.upper = d.upperDeviation;
    r.lower = d.lowerDeviation;
    r.designation = cp1251ToUtf8(d.designation);
    return r;
}

Result run(double size, const std::string& field, int code) {
    CDopuski d;
    return run(size, field, code, d);
}

struct FieldCase {
    double size;
    const char* field;
    int grade;
    double upper, lower;
};

void expectFields(const std::vector<FieldCase>& cases) {
    for (const FieldCase& c : cases) {
        const Result r = run(c.size, c.field, c.grade);
        const std::string what = std::to_string(c.size) + " " + c.field + std::to_string(c.grade);
        EXPECT_EQ(r.upper, c.upper) << what;
        EXPECT_EQ(r.lower, c.lower) << what;
        EXPECT_TRUE(r.messages.empty()) << what << ": " << r.messages.front();
    }
}

TEST(Dopuski, DesignationsOfTheCommonFields) {
    struct Case {
        double size;
        const char* field;
        int grade;
        double it, upper, lower;
        const char* designation;
    };
    const Case cases[] = {
        {50, "h", 7, 25, 0, -25, "50h7(-0.025)"},
        {50, "H", 7, 25, 25, 0, "50H7(+0.025)"},
        {50, "js", 7, 25, 12.5, -12.5, "50js7(+/-0.0125)"},
        {50, "Js", 7, 25, 12.5, -12.5, "50Js7(+/-0.0125)"},
        {50, "f", 7, 25, -25, -50, "50f7(-0.025/-0.05)"},
        {50, "k", 6, 16, 18, 2, "50k6(+0.018/+0.002)"},
        {50, "k", 8, 39, 39, 0, "50k8(+0.039)"},
        {50, "K", 7, 25, 7, -18, "50K7(+0.007/-0.018)"},
        {50, "K", 9, 62, 0, -62, "50K9(-0.062)"},
        {300, "M", 6, 32, -9, -41, "300M6(-0.009/-0.041)"},
        {50, "j", 6, 16, 11, -5, "50j6(+0.011/-0.005)"},
        {600, "k", 7, 70, 70, 0, "600k7(+0.07)"},
        {600, "K", 7, 70, 0, -70, "600K7(-0.07)"},
        {600, "f", 7, 70, -76, -146, "600f7(-0.076/-0.146)"},
        {12.5, "h", -1, 0.5, 0, -0.5, "12.5h01(-0.0005)"},
        {100, "H", 0, 1.5, 1.5, 0, "100H0(+0.0015)"},
        {3000, "H", 17, 21000, 21000, 0, "3000H17(+21)"},
    };
    for (const Case& c : cases) {
        const Result r = run(c.size, c.field, c.grade);
        EXPECT_EQ(r.designation, c.designation);
        EXPECT_EQ(r.it, c.it) << c.designation;
        EXPECT_EQ(r.upper, c.upper) << c.designation;
        EXPECT_EQ(r.lower, c.lower) << c.designation;
        EXPECT_TRUE(r.messages.empty()) << c.designation;
    }
}

// Limit deviations (µm) of the shaft fields as the standard's tables of fields print them, a few
// sizes for every letter.
TEST(Dopuski, ShaftFieldsOfTheStandard) {
    expectFields({
        {2, "a", 11, -270, -330},  {110, "a", 11, -410, -630}, {480, "a", 11, -1650, -2050},
        {35, "b", 11, -170, -330}, {45, "b", 11, -180, -340},  {190, "b", 11, -340, -630},
        {25, "c", 11, -110, -240}, {45, "c", 11, -130, -290},  {300, "c", 11, -330, -650},
        {5, "cd", 6, -46, -54},    {10, "cd", 7, -56, -71},    {50, "d", 9, -80, -142},
        {100, "d", 9, -120, -207}, {350, "d", 11, -210, -570}, {50, "e", 8, -50, -89},
        {100, "e", 9, -72, -159},  {2, "e", 7, -14, -24},      {8, "ef", 6, -18, -27},
        {3, "ef", 7, -10, -20},    {100, "f", 6, -36, -58},    {200, "f", 7, -50, -96},
        {400, "f", 8, -62, -151},  {5, "fg", 5, -6, -11},      {50, "g", 6, -9, -25},
        {100, "g", 6, -12, -34},   {10, "g", 5, -5, -11},      {100, "j", 5, 6, -9},
        {200, "j", 6, 16, -13},    {40, "j", 7, 15, -10},      {2, "j", 8, 8, -6},
        {100, "k", 6, 25, 3},      {20, "k", 5, 11, 2},        {450, "k", 7, 68, 5},
        {100, "k", 4, 13, 3},      {50, "m", 6, 25, 9},        {100, "m", 6, 35, 13},
        {2, "m", 5, 6, 2},         {50, "n", 6, 33, 17},       {100, "n", 6, 45, 23},
        {50, "p", 6, 42, 26},      {100, "p", 6, 59, 37},      {2, "p", 6, 12, 6},
        {60, "r", 6, 60, 41},      {70, "r", 6, 62, 43},       {150, "r", 6, 90, 65},
        {60, "s", 6, 72, 53},      {110, "s", 7, 114, 79},     {5, "s", 6, 27, 19},
        {40, "t", 6, 64, 48},      {300, "t", 6, 272, 240},    {25, "t", 7, 62, 41},
        {20, "u", 6, 54, 41},      {45, "u", 7, 95, 70},       {100, "u", 6, 146, 124},
        {5, "u", 6, 31, 23},       {20, "v", 6, 60, 47},       {16, "v", 6, 50, 39},
        {15, "x", 6, 56, 45},      {5, "x", 6, 36, 28},        {2, "x", 7, 30, 20},
        {25, "y", 6, 88, 75},      {20, "y", 6, 76, 63},       {10, "z", 6, 51, 42},
        {190, "z", 7, 566, 520},   {2, "z", 6, 32, 26},        {30, "za", 6, 131, 118},
        {8, "za", 7, 67, 52},      {100, "zb", 7, 480, 445},   {5, "zb", 8, 68, 50},
        {45, "zc", 8, 364, 325},   {8, "zc", 9, 133, 97},      {2, "zc", 10, 100, 60},
    });
}

// Limit deviations of the hole fields: K..ZC take the increment Delta in the fine grades.
TEST(Dopuski, HoleFieldsOfTheStandard) {
    expectFields({
        {10, "A", 11, 370, 280},   {50, "B", 11, 340, 180},    {45, "C", 11, 290, 130},
        {90, "C", 11, 390, 170},   {5, "CD", 7, 58, 46},       {50, "D", 9, 142, 80},
        {100, "D", 10, 260, 120},  {50, "E", 9, 112, 50},      {30, "E", 8, 73, 40},
        {8, "EF", 7, 33, 18},      {50, "F", 7, 50, 25},       {100, "F", 8, 90, 36},
        {5, "FG", 6, 14, 6},       {50, "G", 7, 34, 9},        {100, "G", 6, 34, 12},
        {50, "J", 6, 10, -6},      {100, "J", 7, 22, -13},     {200, "J", 8, 47, -25},
        {2, "J", 7, 4, -6},        {50, "K", 6, 3, -13},       {100, "K", 7, 10, -25},
        {50, "K", 8, 12, -27},     {2, "K", 7, 0, -10},        {50, "M", 7, 0, -25},
        {100, "M", 6, -6, -28},    {50, "M", 8, 5, -34},       {50, "N", 7, -8, -33},
        {100, "N", 6, -16, -38},   {50, "N", 9, 0, -62},       {2, "N", 7, -4, -14},
        {50, "P", 7, -17, -42},    {100, "P", 6, -30, -52},    {50, "P", 8, -26, -65},
        {50, "P", 9, -26, -88},    {2, "P", 7, -6, -16},       {60, "R", 7, -30, -60},
        {70, "R", 7, -32, -62},    {60, "S", 7, -42, -72},     {110, "S", 7, -66, -101},
        {2, "S", 7, -14, -24},     {35, "T", 7, -39, -64},     {300, "T", 6, -231, -263},
        {25, "U", 7, -40, -61},    {45, "U", 7, -61, -86},     {20, "V", 7, -39, -60},
        {15, "X", 7, -38, -56},    {25, "Y", 7, -67, -88},     {10, "Z", 7, -36, -51},
        {30, "ZA", 7, -110, -131}, {100, "ZB", 8, -445, -499}, {45, "ZC", 7, -316, -341},
        {2, "ZC", 7, -60, -70},    {50, "K", 3, -1, -5},       {50, "P", 3, -25, -29},
    });
}

TEST(Dopuski, FieldsAbove500) {
    expectFields({
        {1000, "d", 9, -320, -550},
        {1100, "e", 8, -195, -360},
        {2000, "g", 6, -32, -124},
        {700, "m", 6, 80, 30},
        {1500, "p", 6, 218, 140},
        {3000, "s", 7, 1610, 1400},
        {550, "c", 11, -520, -960},
        {600, "cd", 8, -390, -500},
        {800, "js", 9, 100, -100},
        {600, "P", 7, -78, -148},
        {2400, "U", 7, -2500, -2675},
        {1200, "M", 7, -40, -145},
        {900, "F", 8, 226, 86},
        {550, "C", 11, 960, 520},
        {3150, "V", 6, -3900, -4035},
        {800, "h", 10, 0, -320},
        {501, "Js", 7, 35, -35},
        {500, "f", 7, -68, -131},
    });
}

// Fields without values for the size or grade are reported once and get zero deviations.
TEST(Dopuski, FieldsThatDoNotExist) {
    struct Case {
        double size;
        const char* field;
        int grade;
        const char* designation;
    };
    const Case cases[] = {
        {10, "t", 7, "10t7(+/-0)"},     {14, "v", 7, "14v7(+/-0)"},
        {18, "y", 6, "18y6(+/-0)"},     {20, "cd", 7, "20cd7(+/-0)"},
        {15, "ef", 7, "15ef7(+/-0)"},   {12, "fg", 6, "12fg6(+/-0)"},
        {5, "j", 8, "5j8(+/-0)"},       {50, "j", 4, "50j4(+/-0)"},
        {50, "j", 9, "50j9(+/-0)"},     {50, "J", 5, "50J5(+/-0)"},
        {50, "J", 9, "50J9(+/-0)"},     {10, "T", 7, "10T7(+/-0)"},
        {20, "CD", 7, "20CD7(+/-0)"},   {600, "a", 11, "600a11(+/-0)"},
        {600, "x", 7, "600x7(+/-0)"},   {600, "zc", 7, "600zc7(+/-0)"},
        {600, "j", 6, "600j6(+/-0)"},   {600, "J", 7, "600J7(+/-0)"},
        {600, "ZC", 7, "600ZC7(+/-0)"}, {600, "EF", 7, "600EF7(+/-0)"},
        {50, "K", 2, "50K2(+/-0)"},     {50, "P", -1, "50P01(+/-0)"},
        {50, "M", 0, "50M0(+/-0)"},     {50, "N", 1, "50N1(+/-0)"},
    };
    for (const Case& c : cases) {
        CDopuski d;
        d.upperDeviation = 5; // a value of an earlier computation must not survive
        d.lowerDeviation = -5;
        const Result r = run(c.size, c.field, c.grade, d);
        EXPECT_EQ(r.designation, c.designation);
        EXPECT_EQ(r.upper, 0) << c.designation;
        EXPECT_EQ(r.lower, 0) << c.designation;
        ASSERT_EQ(r.messages.size(), 1u) << c.designation;
        EXPECT_EQ(r.messages[0],
                  std::string("Для номинала  ") +
                      r.designation.substr(0, r.designation.find_first_not_of("0123456789.")) +
                      " поле допуска " + c.field + " не существует\nПроверте исходные данные");
    }
}

TEST(Dopuski, IntervalBoundsBelongToTheLowerInterval) {
    EXPECT_EQ(run(3, "h", 7).it, 10);
    EXPECT_EQ(run(3.001, "h", 7).it, 12);
    EXPECT_EQ(run(3, "x", 7).lower, 20); // fine rows
    EXPECT_EQ(run(3.001, "x", 7).lower, 28);
    EXPECT_EQ(run(3, "c", 11).upper, -60); // rows of a..g
    EXPECT_EQ(run(3.001, "c", 11).upper, -70);
    EXPECT_EQ(run(500, "u", 8).lower, 540); // the last row of the fine table
    EXPECT_EQ(run(500.001, "u", 8).lower, 600);
    EXPECT_EQ(run(560, "r", 7).lower, 150); // rows above 500 mm
    EXPECT_EQ(run(560.001, "r", 7).lower, 155);
    EXPECT_EQ(run(3150, "H", 7).upper, 210);
}

TEST(Dopuski, SizesOutOfRange) {
    Result r = run(0.5, "h", 7);
    EXPECT_EQ(r.messages,
              std::vector<std::string>{"Значение 0.5 меньше допустимого, допуск не определен"});
    EXPECT_EQ(r.it, 0);
    EXPECT_EQ(r.designation, "0.5h7(+/-0)");

    r = run(4000, "h", 7);
    EXPECT_EQ(r.messages,
              std::vector<std::string>{"Значение 4000 больше допустимого, допуск не определен"});
    EXPECT_EQ(r.designation, "4000h7(+/-0)");

    // Beyond the last row a field that needs a table value does not exist.
    r = run(3200.5, "f", 7);
    ASSERT_EQ(r.messages.size(), 2u);
    EXPECT_EQ(r.messages[1],
              "Для номинала  3200.5 поле допуска f не существует\nПроверте исходные данные");
    EXPECT_EQ(r.designation, "3200.5f7(+/-0)");

    for (double size : {0.0, -20.0, std::nan("")}) {
        r = run(size, "H", 7);
        EXPECT_EQ(r.designation, "не определено") << size;
        EXPECT_EQ(r.it, 0);
        EXPECT_EQ(r.upper, 0);
        EXPECT_EQ(r.lower, 0);
    }
}

TEST(Dopuski, UndefinedAndUnknownFields) {
    Result r = run(100, "не определено", 14);
    EXPECT_EQ(r.designation, "не определено");
    EXPECT_EQ(r.messages, std::vector<std::string>{"Поле не определено"}); // once, not twice
    EXPECT_EQ(r.upper, 0);

    // An unknown field leaves the deviations of the last computation in place.
    CDopuski d;
    run(50, "f", 7, d);
    r = run(50, "q", 7, d);
    EXPECT_EQ(r.messages, std::vector<std::string>{"Поле q не определено"});
    EXPECT_EQ(r.designation, "50q7(-0.025/-0.05)");
    EXPECT_TRUE(d.isShaft);
    r = run(50, "JS", 7, d); // letters compare exactly
    EXPECT_EQ(r.messages, std::vector<std::string>{"Поле JS не определено"});
}

TEST(Dopuski, FieldKindFollowsTheLetters) {
    CDopuski d;
    const MessageFn quiet = [](const std::string&) {};
    d.fieldText = "H";
    EXPECT_TRUE(d.determineFieldKind(quiet));
    EXPECT_FALSE(d.isShaft);
    d.fieldText = "zc";
    EXPECT_TRUE(d.determineFieldKind(quiet));
    EXPECT_TRUE(d.isShaft);
    d.fieldText = "Zc";
    EXPECT_FALSE(d.determineFieldKind(quiet));
    EXPECT_TRUE(d.isShaft);
}

// The operations one by one, as the tolerance window calls them.
TEST(Dopuski, WindowSequence) {
    CDopuski d;
    std::vector<std::string> messages;
    const MessageFn say = [&](const std::string& m) { messages.push_back(m); };
    d.nominal = 100;
    d.gradeText = "14";
    d.lookupStandardTolerance(say);
    d.computeDeviations(say);
    d.checkFieldExists(say);
    d.formatDesignation();
    EXPECT_EQ(d.designation, undefinedFieldText());
    EXPECT_EQ(messages, std::vector<std::string>{ru("Поле не определено")});
    d.fieldText = "h";
    d.lookupStandardTolerance(say);
    d.computeDeviations(say);
    d.checkFieldExists(say);
    d.formatDesignation();
    EXPECT_EQ(d.designation, "100h14(-0.87)");
}

TEST(Dopuski, GradeCodesOutsideTheGradesAreRefused) {
    CDopuski d;
    run(50, "h", 7, d);
    for (int code : {-2, 18, 100}) {
        EXPECT_THROW(d.designationFor(20, "f", code, [](const std::string&) {}), FitsError);
        EXPECT_EQ(d.designation, "50h7(-0.025)") << code;
        EXPECT_EQ(d.nominal, 50);
    }
    d.gradeText = "18";
    EXPECT_THROW(d.lookupStandardTolerance([](const std::string&) {}), FitsError);
}

TEST(Dopuski, GradeForTolerance) {
    struct Case {
        double size, tolerance;
        int code;
    };
    const Case cases[] = {
        {100, 0.08, 8},
        {100, 0.054, 8},
        {100, 0.0539, 7},
        {100, 0.087, 9},
        {100, 0.0015, 0},
        {100, 0.001, -1},
        {100, 0.0009, -2},
        {100, 0, -2},
        {100, 3.5, 17},
        {100, 100, 17},
        {2, 0.0003, -1},
        {25, 0.0006, -1},
        {25, 0.000599, -2},
        {3, 0.01, 7},
        {3.001, 0.01, 6},
        {600, 0.07, 7},
        {3150, 21, 17},
        {3150.01, 1, -2},
        {0, 1, -2},
        {-5, 1, -2},
        {std::nan(""), 1, -2},
        {100, std::nan(""), -2},
    };
    for (const Case& c : cases) {
        CDopuski d;
        d.gradeForTolerance(c.size, c.tolerance);
        EXPECT_EQ(d.gradeCode, c.code) << c.size << " " << c.tolerance;
    }
}

// Every IT value of every row, written in mm, gives its own grade back.
TEST(Dopuski, GradeForToleranceOfEveryITValue) {
    static const double sizes[] = {2,   5,   8,   15,  25,  40,   60,   100,  150,  200, 300,
                                   350, 450, 600, 700, 900, 1100, 1500, 1800, 2200, 3000};
    for (double size : sizes) {
        for (int code = -1; code <= 17; ++code) {
            CDopuski d;
            d.designationFor(size, "H", code, [](const std::string&) {});
            d.gradeForTolerance(size, d.standardTolerance / 1000);
            EXPECT_EQ(d.gradeCode, code) << size << " " << code;
        }
    }
}

} // namespace
} // namespace qm
