#include "db/text_fold.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(TextFold, CaseOfLatinAndCyrillicLetters) {
    struct Case {
        const char* mixed;
        const char* lower;
        const char* upper;
    };
    const Case cases[] = {
        {u8"Поле1 Код", u8"поле1 код", u8"ПОЛЕ1 КОД"},
        {u8"Ёлка ёЖ", u8"ёлка ёж", u8"ЁЛКА ЁЖ"},
        {u8"Ґанок Їжак Ўся Ђ", u8"ґанок їжак ўся ђ", u8"ҐАНОК ЇЖАК ЎСЯ Ђ"},
        {u8"Ää Öß ÿ×", u8"ää öß ÿ×", u8"ÄÄ Öß ÿ×"},
        {u8"Ѣѣ Ӂӂ Ӏ", u8"ѣѣ ӂӂ ӏ", u8"ѢѢ ӁӁ Ӏ"},
        {u8"漢字 ϰαὶ 1+1", u8"漢字 ϰαὶ 1+1", u8"漢字 ϰαὶ 1+1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mixed);
        EXPECT_EQ(lowerUtf8(c.mixed), c.lower);
        EXPECT_EQ(upperUtf8(c.mixed), c.upper);
    }
}

TEST(TextFold, BytesThatAreNotUtf8PassThrough) {
    const std::string bad = "A\xC0\xFF"
                            "b\xE2\x82";
    EXPECT_EQ(lowerUtf8(bad), "a\xC0\xFF"
                              "b\xE2\x82");
    EXPECT_EQ(encodeUtf8Lossless(decodeUtf8Lossless(bad)), bad);
}

TEST(TextFold, OrderIgnoresCaseAndPutsYoAfterYe) {
    EXPECT_EQ(compareIgnoringCase(u8"ПРИМЕР", u8"пример"), 0);
    EXPECT_EQ(compareIgnoringCase(u8"Ёж", u8"ёЖ"), 0);
    EXPECT_LT(compareIgnoringCase(u8"ель", u8"ёж"), 0);
    EXPECT_LT(compareIgnoringCase(u8"ёж", u8"жук"), 0);
    EXPECT_GT(compareIgnoringCase(u8"Ёж", u8"Ель"), 0);
    EXPECT_LT(compareIgnoringCase(u8"Код", u8"кода"), 0);
    EXPECT_LT(compareIgnoringCase(u8"Zebra", u8"яблоко"), 0);
    EXPECT_NE(compareIgnoringCase(u8"ель", u8"ёль"), 0);
}

TEST(TextFold, Like) {
    struct Case {
        const char* pattern;
        const char* text;
        char32_t escape;
        bool matches;
    };
    const Case cases[] = {
        {u8"пер%", u8"Первый", 0, true},
        {u8"%ЫЙ", u8"Первый", 0, true},
        {u8"_ервый", u8"Первый", 0, true},
        {u8"__рвый", u8"Первый", 0, true},
        {u8"___рвый", u8"Первый", 0, false},
        {u8"%ё%", u8"ЁЛКА", 0, true},
        {u8"%е%", u8"ЁЛКА", 0, false},
        {u8"%", u8"", 0, true},
        {u8"", u8"", 0, true},
        {u8"_", u8"", 0, false},
        {u8"a%b%c", u8"aXbYbZc", 0, true},
        {u8"a%b%c", u8"aXbYbZ", 0, false},
        {u8"%%%x", u8"yyyx", 0, true},
        {u8"100!%", u8"100%", U'!', true},
        {u8"100!%", u8"1000", U'!', false},
        {u8"a!_b", u8"a_b", U'!', true},
        {u8"a!_b", u8"axb", U'!', false},
        {u8"abc!", u8"abc", U'!', false},
        {u8"жЖ", u8"ЖЖ", U'ж', false},
        {u8"жЖ", u8"Ж", U'ж', true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " / " + c.text);
        EXPECT_EQ(likeMatches(c.pattern, c.text, c.escape), c.matches);
    }
}

} // namespace
} // namespace qm
