#include "project/notation.h"

#include "text/cp1251.h"

#include <gtest/gtest.h>

using namespace qm;

TEST(ParseNumber, CommaOrPointAndTheStandardReading) {
    EXPECT_DOUBLE_EQ(parseNumber("1,5"), 1.5);
    EXPECT_DOUBLE_EQ(parseNumber("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(parseNumber(" -2,5E-3 "), -0.0025);
    EXPECT_DOUBLE_EQ(parseNumber("+7"), 7);
    EXPECT_DOUBLE_EQ(parseNumber("1e-6"), 1e-6);
    for (const char* bad : {"1,5,2", "", " ", "abc", "1.5.2", "1e", "5mm", "1e999"})
        EXPECT_THROW(parseNumber(bad), ConversionError) << bad;
}

TEST(ParseNumber, TheErrorNamesTheRejectedText) {
    try {
        parseNumber("4,5,2");
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_NE(std::string(e.what()).find("'4.5,2'"), std::string::npos) << e.what();
    }
}

struct DimCase {
    const char* text;
    double nominal;
    const char* field;
    int grade;
    double upper, lower;
    int mode;
};

TEST(ParseDimension, TheNotationsOfTheTable) {
    const DimCase cases[] = {
        {"50", 50, "0", 0, 0, 0, -1},
        {"50 H 7", 50, "H", 7, 0, 0, 1},
        {"50H7", 50, "H", 7, 0, 0, 1},
        {"12,5h6", 12.5, "h", 6, 0, 0, 1},
        {"50js6", 50, "js", 6, 0, 0, 1},
        {"50Js6", 50, "Js", 6, 0, 0, 1},
        {"50H7(+0.025/0)", 50, "H", 7, 0, 0, 1},
        {"50(+0.025/-0.01)", 50, "0", 0, 0.025, -0.01, 0},
        {"50(-0.03)", 50, "0", 0, 0, -0.03, 0},
        {"50(+0.03)", 50, "0", 0, 0.03, 0, 0},
        {"50(0)", 50, "0", 0, 0, 0, 0},
        {"50(+0.1/-0.2", 50, "0", 0, 0.1, -0.2, 0},
        {"50(+0,1/-0,2)", 50, "0", 0, 0.1, -0.2, 0},
        {"50H", 50, "0", 0, 0, 0, -1},
        {"", 0, "0", 0, 0, 0, -1},
        {"   ", 0, "0", 0, 0, 0, -1},
        {".5", 0.5, "0", 0, 0, 0, -1},
    };
    for (const auto& c : cases) {
        CParRazmer d;
        d.name = "d";
        d.note = "n";
        parseDimension(d, c.text);
        EXPECT_DOUBLE_EQ(d.nominal, c.nominal) << c.text;
        EXPECT_EQ(d.field, c.field) << c.text;
        EXPECT_EQ(d.grade, c.grade) << c.text;
        EXPECT_DOUBLE_EQ(d.upper, c.upper) << c.text;
        EXPECT_DOUBLE_EQ(d.lower, c.lower) << c.text;
        EXPECT_EQ(d.mode, c.mode) << c.text;
        EXPECT_EQ(d.name, "d");
        EXPECT_EQ(d.note, "n");
    }
}

TEST(ParseDimension, TextsThatDoNotConvert) {
    for (const char* bad : {"H7", "-50", "50JS6", "50cd11", "1,5,2H7", "50()", "50(x/0)", "50H7.5",
                            "50H99999999999"}) {
        CParRazmer d;
        EXPECT_THROW(parseDimension(d, bad), ConversionError) << bad;
    }
}

TEST(ParseInteger, SignAndRange) {
    EXPECT_EQ(parseInteger("7"), 7);
    EXPECT_EQ(parseInteger("-3"), -3);
    EXPECT_EQ(parseInteger("+12"), 12);
    EXPECT_EQ(parseInteger("2147483647"), 2147483647);
    EXPECT_EQ(parseInteger("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"", "-", "2147483648", "1.0", "S6", "6 "})
        EXPECT_THROW(parseInteger(bad), ConversionError) << bad;
}
