#include "test_host.h"

#include <gtest/gtest.h>

using namespace qm;

static std::vector<std::string> statements(std::initializer_list<const char*> lines) {
    std::vector<std::string> out;
    for (const auto& s : prepareStatements(test::program(lines)))
        out.push_back(cp1251ToUtf8(s.text));
    return out;
}

TEST(Loader, CleaningTable) {
    struct Case {
        const char* line;
        std::vector<std::string> statements;
    } cases[] = {
        {"A=1; B=2", {"A=1"}},
        {"S='a;b';", {"S='a;b'"}},
        {"S='x//y'; // note", {"S='x//y'"}},
        {"print ( a + 1 ) ;", {"PRINT(A+1)"}},
        {"END_IF ;", {"END_IF "}},
        {"s='Hello  World';", {"S='Hello  World'"}},
        {"   \tx\t=\t1;;  ;y=2;", {"X = 1", "Y=2"}},
        {"// only a comment", {}},
        {"implementation", {}},
        {"вал = 'Вал';", {"ВАЛ = 'Вал'"}},
        {"a='it''s'; b=1;", {"A='it''s'", "B=1"}},
        {"printf('a' + 'b')  ;", {"PRINTF('a'+'b')"}},
        {"x = a +  ;", {"X = A+"}},
        {"x = y [ 1 ] ;", {"X = Y [ 1 ] "}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(statements({c.line}), c.statements) << c.line;
}

TEST(Loader, StatementsRememberTheirLine) {
    auto list = prepareStatements(test::program({"a=1;", "", "b=2; c=3;"}));
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].where.line, 1);
    EXPECT_EQ(list[1].where.line, 3);
    EXPECT_EQ(list[2].where.line, 3);
    EXPECT_EQ(cp1251ToUtf8(list[2].where.describe()), "основной код, строка 3");
}

TEST(Loader, StatementCannotSpanLines) {
    EXPECT_EQ(statements({"IF(A>1", ");"}), std::vector<std::string>{")"});
}
