#include "fits/grades.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(Grades, TheThreeForms) {
    struct Case {
        const char* text;
        int column, code, number;
    };
    const Case cases[] = {{"01", 0, -1, 1}, {"0", 1, 0, 0},     {"1", 2, 1, 1},
                          {"7", 8, 7, 7},   {"10", 11, 10, 10}, {"17", 18, 17, 17}};
    for (const Case& c : cases) {
        EXPECT_TRUE(isGradeText(c.text));
        EXPECT_EQ(gradeColumn(c.text), c.column) << c.text;
        EXPECT_EQ(gradeTextOf(c.code), c.text);
        EXPECT_EQ(gradeNumber(c.text), c.number) << c.text;
    }
}

TEST(Grades, AnythingElseIsRefused) {
    for (const char* text : {"", "18", "07", "001", "-1", "1a", " 7", "IT7", "99"}) {
        EXPECT_FALSE(isGradeText(text)) << text;
        EXPECT_THROW(gradeColumn(text), FitsError) << text;
        EXPECT_THROW(gradeNumber(text), FitsError) << text;
    }
    for (int code : {-2, 18, 1000})
        EXPECT_THROW(gradeTextOf(code), FitsError) << code;
}

} // namespace
} // namespace qm
