#include "test_host.h"

#include "interp/errors.h"
#include "interp/scopes.h"

#include <gtest/gtest.h>

using namespace qm;
using test::Session;

static std::vector<std::string> utf8(const StringList& lines) {
    std::vector<std::string> out;
    for (const auto& l : lines)
        out.push_back(cp1251ToUtf8(l));
    return out;
}

TEST(Run, VariablesDoNotSurviveButTheResultSlotDoes) {
    Session r;
    r({"function f(x); return x+1; end;", "a=f(1); printf(a);"});
    EXPECT_EQ(utf8(r.host.text), (std::vector<std::string>{"2"}));
    r({"function g; z=1; end;", "printf(g());", "printf(a);"});
    // g ends without RETURN: the last RETURN of the previous run is its value; A is gone
    EXPECT_EQ(utf8(r.host.text), (std::vector<std::string>{"2"}));
    ASSERT_EQ(r.host.causes.size(), 1u);
    EXPECT_EQ(utf8(r.host.causes),
              (std::vector<std::string>{"основной код, строка 3: неизвестное имя A"}));
}

TEST(Run, AssignmentThatLooksLikeACommand) {
    Session r;
    r({"b=1; printf(a=b);"});
    EXPECT_TRUE(r.host.text.empty());
    const CNameVar* v = findScalar(r.st.frames[0], "PRINTF(A");
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->value.i, 1);
}

TEST(Run, SpaceBeforeEqualsMakesAnotherName) {
    Session r;
    r({"a = 1;"});
    EXPECT_NE(findScalar(r.st.frames[0], "A "), nullptr);
    EXPECT_EQ(findScalar(r.st.frames[0], "A"), nullptr);
}

TEST(Run, LocalsAndGlobalsInsideProcedures) {
    Session r;
    r({"g=1;", "procedure p; g=2; b=5; l_var g2=3; end;", "p;", "printf(g);"});
    EXPECT_EQ(utf8(r.host.text), (std::vector<std::string>{"2"}));
    EXPECT_EQ(findScalar(r.st.frames[0], "B"), nullptr); // B was a local of P
    r({"procedure p; array t; t[0]=1; printf(size(t)); end;", "p;"});
    ASSERT_EQ(r.host.messages.size(), 1u);
    EXPECT_EQ(cp1251ToUtf8(r.host.messages[0]), "Неверно объявлен локальный массив ' ARRAY T'");
    EXPECT_EQ(utf8(r.host.text), (std::vector<std::string>{"1"}));
}

TEST(Run, StopRequestEndsTheRunWithOneMessage) {
    Session r;
    int polls = 0;
    r.host.stop = [&] { return ++polls > 50; };
    r({"function f(n); while(1=1); n=n+1; next; end;", "x=f(1);", "printf('never');"});
    EXPECT_TRUE(r.host.text.empty());
    EXPECT_EQ(utf8(r.host.messages), (std::vector<std::string>{"Выполнение проекта прервано"}));
}

TEST(Run, TopLevelEndEndsTheRun) {
    Session r;
    r({"printf('a');", "end;", "printf('b');"});
    EXPECT_EQ(utf8(r.host.text), (std::vector<std::string>{"a"}));
    EXPECT_TRUE(r.st.frames.empty());
    r({"printf('c');", "return 1;", "printf('d');"});
    EXPECT_EQ(utf8(r.host.text), (std::vector<std::string>{"c"}));
}

TEST(Run, ErrorsOutsideStatementsEscapeTheRun) {
    Session r;
    EXPECT_THROW(r({"procedure p(a); end;", "p(nothing);"}), ScriptError);
    EXPECT_THROW(r({"function f; return nothing; end;", "f;"}), ScriptError);
    // inside an expression the enclosing statement reports it
    r({"function f; return nothing; end;", "x=f();"});
    EXPECT_EQ(utf8(r.host.messages).back(), "Ошибка при выполнении выражения 'X=F()'");
}

TEST(Run, ArgumentsAreEvaluatedOncePerFetch) {
    Session r;
    r({"n=0;", "function tick; n=n+1; return n; end;", "x=tick()+tick();",
       "printf(x); printf(n);"});
    EXPECT_EQ(utf8(r.host.text), (std::vector<std::string>{"3", "2"}));
}

TEST(Run, DeepButBoundedRecursionWorks) {
    Session r;
    r.st.maxCallDepth = 200;
    r({"function d(n); if(n<1); return 0; end_if; return 1+d(n-1); end;", "printf(d(150));",
       "printf(d(250));"});
    EXPECT_EQ(utf8(r.host.text).front(), "150");
    EXPECT_EQ(r.host.messages.size(), 1u);
}

// What a statement's text says is kept between executions; what its names mean is not.
TEST(Run, NamesAreResolvedEveryTime) {
    Session r;
    // the same statement reads SIN as the function, then as the variable made meanwhile
    r({"i=0;", "while(i<2); printf(sin(0)+i); sin=10; i=i+1; next;"});
    EXPECT_EQ(utf8(r.host.text), (std::vector<std::string>{"0", "11"}));
    // a local of the same name hides the global for the same expression text
    r({"a=1;", "procedure show; printf(a); end;", "procedure local; l_var a=2; printf(a); end;",
       "show; local; show;"});
    EXPECT_EQ(utf8(r.host.text), (std::vector<std::string>{"1", "2", "1"}));
    // a later run makes its variables in another order
    r({"a=1; b=2;", "printf(a); printf(b);"});
    r({"b=3; a=4;", "printf(a); printf(b);"});
    EXPECT_EQ(utf8(r.host.text), (std::vector<std::string>{"4", "3"}));
}
