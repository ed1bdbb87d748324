#include "project/declarations.h"
#include "project/parameters.h"

#include "text/cp1251.h"

#include <gtest/gtest.h>

#include <cfloat>

using namespace qm;

namespace {

CUnitProject declare(const std::vector<TableRow>& rows) {
    InputTable table;
    table.rows = rows;
    CUnitProject unit;
    readParameterTable(unit.data, table);
    generateDeclarations(unit);
    return unit;
}

StringList utf8(const StringList& lines) {
    StringList out;
    for (const auto& l : lines)
        out.push_back(cp1251ToUtf8(l));
    return out;
}

const std::string kMarker = u8"////----------- код выше создан программой, не изменять------------";

} // namespace

TEST(Declarations, AnEmptyTableGivesTheMarkerAnEmptyLineAndImplementation) {
    EXPECT_EQ(utf8(declare({}).declarations), (StringList{kMarker, "", "implementation"}));
}

TEST(Declarations, EveryKindInTableOrder) {
    CUnitProject unit = declare({
        {ru(u8"размер"), "d1", "40h6", ru(u8"вал")},
        {ru(u8"число"), "D", "2,5", "diameter"},
        {ru(u8"тип не определен"), "X", "1", "skipped"},
        {ru(u8"строка"), "M", "steel 45", "material"},
        {ru(u8"шероховатость"), "r", "Ra3.2", "face"},
        {ru(u8"размер"), "d2", "50(+0.025/-0.01)", ""},
        {ru(u8"число"), "E", "1e-6", ""},
        {ru(u8"строка"), "S", "", "empty"},
        {"", "", "", ""},
    });
    EXPECT_EQ(utf8(unit.declarations), (StringList{u8"array d1; //вал",
                                                   "d1[0]=40;",
                                                   "d1[1]='h';",
                                                   "d1[2]=6;",
                                                   "d1[3]=0;",
                                                   "d1[4]=0;",
                                                   "D=2.5; //diameter",
                                                   "M='steel 45'; //material",
                                                   "array r; //face",
                                                   "r[0]='Ra';",
                                                   "r[1]=3.2;",
                                                   "array d2; //",
                                                   "d2[0]=50;",
                                                   "d2[1]='0';",
                                                   "d2[2]=0;",
                                                   "d2[3]=0.025;",
                                                   "d2[4]=-0.01;",
                                                   "E=0.000001; //",
                                                   "S=''; //empty",
                                                   kMarker,
                                                   "",
                                                   "implementation"}));
    const CDataProject& d = unit.data;
    ASSERT_EQ(d.order.size(), 7u);
    EXPECT_EQ(d.order[0].kind, KindRazmer);
    EXPECT_EQ(d.order[5].kind, KindDecimal);
    EXPECT_EQ(d.order[5].index, 1);
    EXPECT_EQ(d.order[4].index, 1); // the second dimension
    EXPECT_EQ(d.dims[1].mode, 0);
}

TEST(Declarations, ApostrophesOfQuotedTextsBecomeBackquotes) {
    CUnitProject unit = declare({{ru(u8"строка"), "S", "O'Brien's", "it's a note"},
                                 {ru(u8"шероховатость"), "R", "R'6.3", ""}});
    EXPECT_EQ(unit.declarations[0], "S='O`Brien`s'; //it's a note");
    EXPECT_EQ(unit.declarations[2], "R[0]='R`';");
}

TEST(Declarations, ACellThatDoesNotConvertLeavesItsOrderEntryAndNamesTheRow) {
    InputTable table;
    table.rows = {{ru(u8"число"), "A", "1", ""},
                  {ru(u8"строка"), "S", "x", ""},
                  {ru(u8"шероховатость"), "R", "R", ""}};
    CDataProject data;
    try {
        readParameterTable(data, table);
        FAIL();
    } catch (const ParameterError& e) {
        EXPECT_EQ(e.row, 3);
        EXPECT_EQ(e.name, "R");
        EXPECT_EQ(cp1251ToUtf8(e.conversion), u8"'' не является правильным числом");
        EXPECT_EQ(cp1251ToUtf8(e.what()),
                  u8"исходные данные, строка 3 (R): '' не является правильным числом");
    }
    ASSERT_EQ(data.order.size(), 3u);
    EXPECT_EQ(data.order[2].kind, KindSh);
    EXPECT_TRUE(data.roughs.empty());
    // A fresh rebuild starts from nothing.
    table.rows.pop_back();
    readParameterTable(data, table);
    EXPECT_EQ(data.order.size(), 2u);
}

TEST(DeclarationNumber, TheGeneralFormatWhereTheLanguageReadsItBack) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {50, "50"},
        {2.5, "2.5"},
        {0.025, "0.025"},
        {-0.01, "-0.01"},
        {0.0001, "0.0001"},
        {0, "0"},
        {2147483647, "2147483647"},
        {1e-6, "0.000001"},
        {1.2e-5, "0.000012"},
        {-1e-5, "-0.00001"},
        {3000000000, "3000000000.0"},
        {2147483648.0, "2147483648.0"},
        {-2147483648.0, "-2147483648.0"}, // the sign is an operator: the digits alone are read
        {1e15, "1000000000000000.0"},
        {1.5e16, "15000000000000000.0"},
        {0.1 + 0.2, "0.30000000000000004"}, // more than 15 digits: the exact digits
    };
    for (const auto& c : cases)
        EXPECT_EQ(declarationNumber(c.value), c.text) << c.value;
}

TEST(DeclarationNumber, TheExtremeMagnitudesInFixedNotation) {
    std::string big = declarationNumber(1.79769313486231e308);
    EXPECT_EQ(big, "179769313486231" + std::string(294, '0') + ".0");
    std::string small = declarationNumber(2.2250738585072e-308);
    EXPECT_EQ(small, "0." + std::string(307, '0') + "22250738585072");
    EXPECT_EQ(declarationNumber(DBL_MAX).substr(0, 18), "179769313486231570");
    EXPECT_EQ(declarationNumber(DBL_MAX).size(), 311u);
}
