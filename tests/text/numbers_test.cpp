#include "text/numbers.h"

#include <gtest/gtest.h>

#include <clocale>

using namespace qm;

TEST(GeneralFormat, Table) {
    struct Case {
        double v;
        const char* text;
    } cases[] = {
        {0, "0"},
        {5, "5"},
        {-3, "-3"},
        {0.25, "0.25"},
        {2.0 / 3, "0.666666666666667"},
        {0.0001, "0.0001"},
        {0.00001, "1E-5"},
        {0.000123, "0.000123"},
        {1.5e-7, "1.5E-7"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E15"},
        {2.5e20, "2.5E20"},
        {999999999999999.0, "999999999999999"},
        {9999999999999999.0, "1E16"},
        {-0.0125, "-0.0125"},
        {3000000000.0, "3000000000"},
        {0.1 + 0.2, "0.3"},
        {1e-300, "1E-300"},
        {-1.7976931348623157e308, "-1.79769313486232E308"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatGeneral(c.v), c.text) << c.v;
    EXPECT_EQ(formatGeneral(-12.5, ','), "-12,5");
}

TEST(GeneralFormat, IgnoresTheProcessLocale) {
    const char* set = std::setlocale(LC_ALL, "de_DE.UTF-8");
    if (!set) set = std::setlocale(LC_ALL, "ru_RU.UTF-8");
    EXPECT_EQ(formatGeneral(2.5), "2.5");
    double v = 0;
    EXPECT_TRUE(readNumber("2.5", '.', v));
    EXPECT_EQ(v, 2.5);
    std::setlocale(LC_ALL, "C");
}

TEST(ReadNumber, Table) {
    struct Case {
        const char* text;
        char sep;
        bool ok;
        double v;
    } cases[] = {
        {"12.5", '.', true, 12.5}, {" -3 ", '.', true, -3},  {"12,5", ',', true, 12.5},
        {"12,5", '.', false, 0},   {"12.5", ',', false, 0},  {"1e-6", '.', true, 1e-6},
        {"+.5", '.', true, 0.5},   {"1.", '.', true, 1},     {"", '.', false, 0},
        {"abc", '.', false, 0},    {"1.2.3", '.', false, 0}, {"1e", '.', false, 0},
        {"1e999", '.', false, 0},  {"-", '.', false, 0},
    };
    for (const auto& c : cases) {
        double v = 0;
        EXPECT_EQ(readNumber(c.text, c.sep, v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_DOUBLE_EQ(v, c.v) << c.text;
        }
    }
}

TEST(ReadInt32, Range) {
    int v;
    EXPECT_TRUE(readInt32("2147483647", v));
    EXPECT_EQ(v, 2147483647);
    EXPECT_FALSE(readInt32("2147483648", v));
    EXPECT_FALSE(readInt32("3000000000", v));
    EXPECT_FALSE(readInt32("", v));
    EXPECT_FALSE(readInt32("12a", v));
}
