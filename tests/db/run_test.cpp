// The SQL commands through quillmark-run, on SQLite files the tests build.
#include "test_support.h"
#include "text/cp1251.h"
#include "text/lines.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>

namespace qm {
namespace {

struct RunOutput {
    int status = -1;
    std::string out;
};

// Runs quillmark-run with `args` (a shell-quoted tail); stdout only.
RunOutput quillmarkRun(const std::string& args) {
    RunOutput r;
    FILE* p = popen((std::string("'") + QM_RUN_PATH + "' " + args + " 2>/dev/null").c_str(), "r");
    if (!p) return r;
    char buf[4096];
    for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;)
        r.out.append(buf, n);
    int st = pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

class RunTest : public ::testing::Test {
  protected:
    void SetUp() override {
        base = dir.file(u8"база проекта.db");
        test::makeSqliteFile(base, u8"CREATE TABLE Пример1 (Код INTEGER PRIMARY KEY, Поле1 TEXT, "
                                   u8"Вес REAL); INSERT INTO Пример1 VALUES (1, 'Первый', 2.5), "
                                   u8"(2, 'второй', NULL);");
    }
    std::string module(const StringList& utf8Lines) {
        StringList lines;
        for (const auto& l : utf8Lines)
            lines.push_back(utf8ToCp1251(l));
        writeLineFile(dir.file("run.qmu"), lines);
        return "'" + dir.file("run.qmu") + "'";
    }
    test::TempDir dir;
    std::string base;
};

TEST_F(RunTest, DbOptionConnectsAndEveryStatementRunsOnce) {
    RunOutput r = quillmarkRun(
        "--db '" + base + "' " +
        module({"SQLQUERY('SELECT Поле1 FROM Пример1');", "PRINTF(SQLREZULT(0));",
                "SQLQUERY('UPDATE Пример1 SET Вес=Вес+1 WHERE Код=1');",
                "SQLQUERY('INSERT INTO Пример1 (Поле1) VALUES (\"новый\")');",
                "SQLQUERY('SELECT count(*), max(Вес), (SELECT Вес FROM Пример1 "
                "WHERE Код=2) FROM Пример1');",
                "PRINTF(SQLREZULT(0));", "PRINTF(SQLREZULT(1));", "PRINTF(SQLREZULT(2) + 1);"}));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, u8"Первый\n3\n3.5\n1\n");
    EXPECT_EQ(test::queryValue(base, u8"SELECT group_concat(Поле1 || ':' || ifnull(Вес, '-')) "
                                     u8"FROM Пример1"),
              u8"Первый:3.5,второй:-,новый:-");
}

TEST_F(RunTest, SetDbInTheScript) {
    RunOutput r = quillmarkRun(module({"SQLSETDB('" + base + "');", "K=2;",
                                       "SQLQUERY('SELECT Поле1 FROM Пример1 WHERE Код=' + STR(K));",
                                       "PRINTF(SQLREZULT(0));"}));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, u8"второй\n");
}

} // namespace
} // namespace qm
