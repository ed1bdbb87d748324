#include "db/script_commands.h"

#include "db/connection_string.h"
#include "db/project_database.h"
#include "interp/state.h"
#include "test_host.h"
#include "test_support.h"
#include "text/cp1251.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

const char* const kSchema = u8R"(
CREATE TABLE Пример1 (Код INTEGER PRIMARY KEY, Поле1 TEXT, Вес REAL, Пусто);
INSERT INTO Пример1 VALUES (1, 'Первый', 2.5, NULL), (2, 'второй', -4, NULL);
)";

class ScriptCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        base = dir.file(u8"база.db");
        test::makeSqliteFile(base, kSchema);
        st.decimalSeparator = '.';
        installDatabaseCommands(st, db);
    }
    // Runs program lines written in UTF-8; @DB@ stands for the test database's path.
    void run(std::vector<std::string> lines) {
        ProgramText program;
        for (std::string& l : lines) {
            for (size_t at; (at = l.find("@DB@")) != std::string::npos;)
                l.replace(at, 4, base);
            program.add(utf8ToCp1251(l), {ru(u8"основной код"), int(program.lines.size()) + 1});
        }
        host.text.clear();
        st.runProgram(program);
    }
    StringList printed() const {
        StringList out;
        for (const auto& l : host.text)
            out.push_back(cp1251ToUtf8(l));
        return out;
    }
    std::string lastCause() const {
        return host.causes.empty() ? "" : cp1251ToUtf8(host.causes.back());
    }

    test::TempDir dir;
    std::string base;
    test::RecordingHost host;
    CCompil st{host};
    ProjectDatabase db;
};

TEST_F(ScriptCommandsTest, QueryAndReadTheFirstRow) {
    run({"SQLSETDB('@DB@');",
         "SQLQUERY('SELECT Поле1, Код, Вес, Пусто FROM Пример1 ORDER BY Код');", "A=SQLREZULT(0);",
         "B=SQLREZULT(1) + 1;", "C=SQLREZULT(2) * 2;", "D=SQLREZULT(3) + 5;", "PRINTF(A);",
         "PRINTF(B);", "PRINTF(C);", "PRINTF(D);", "PRINTF(SIZE(SQLREZULT(0)));"});
    EXPECT_TRUE(host.errors.empty()) << lastCause();
    EXPECT_EQ(printed(), (StringList{u8"Первый", "2", "5", "5", "6"}));
    EXPECT_EQ(db.dbPath(), utf8ToCp1251(base));
    EXPECT_EQ(db.queryText(),
              StringList{ru(u8"SELECT Поле1, Код, Вес, Пусто FROM Пример1 ORDER BY Код")});
}

TEST_F(ScriptCommandsTest, AQueryJoinsNumbersThroughStr) {
    run({"SQLSETDB('@DB@');", "K=2;",
         "SQLQUERY('SELECT Поле1 FROM Пример1 WHERE Код = ' + STR(K));", "PRINTF(SQLREZULT(0));",
         "SQLQUERY('SELECT Вес FROM Пример1 WHERE Код = ' + STR(K));", "PRINTF(SQLREZULT(0));",
         "PRINTF(SQLREZULT(0.4));"});
    EXPECT_TRUE(host.errors.empty()) << lastCause();
    EXPECT_EQ(printed(), (StringList{u8"второй", "-4", "-4"}));
}

TEST_F(ScriptCommandsTest, ChangesRunOnceAndReportNothing) {
    run({"SQLSETDB('@DB@');", "SQLQUERY('UPDATE Пример1 SET Вес = Вес + 1 WHERE Код = 1');",
         "SQLQUERY('INSERT INTO Пример1 (Вес) VALUES (' + STR(9) + ')');", "PRINTF('готово');"});
    EXPECT_TRUE(host.errors.empty()) << lastCause();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(printed(), StringList{u8"готово"});
    EXPECT_EQ(test::queryValue(base, u8"SELECT Вес FROM Пример1 WHERE Код = 1"), "3.5");
    EXPECT_EQ(test::queryValue(base, u8"SELECT count(*) FROM Пример1"), "3");
    // A statement without rows leaves no current row.
    run({"X=SQLREZULT(0);"});
    EXPECT_EQ(lastCause(), u8"Нет текущей строки результата запроса");
}

TEST_F(ScriptCommandsTest, TheResultOutlivesTheRun) {
    run({"SQLSETDB('@DB@');", "SQLQUERY('SELECT Поле1 FROM Пример1 WHERE Код = 2');"});
    run({"PRINTF(SQLREZULT(0));"});
    EXPECT_EQ(printed(), StringList{u8"второй"});
}

TEST_F(ScriptCommandsTest, FailuresAreStatementErrors) {
    struct Case {
        std::vector<std::string> lines;
        const char* statement;
        const char* causeStart;
    };
    const Case cases[] = {
        {{"SQLSETDB('@DB@');", "SQLQUERY('SELEC 1');"}, "SQLQUERY('SELEC 1')", u8"Ошибка SQL"},
        {{"SQLSETDB('@DB@');", "SQLQUERY('SELECT 1');", "X=SQLREZULT(1);"},
         "X=SQLREZULT(1)",
         u8"Номер поля 1 вне результата запроса (полей: 1)"},
        {{"SQLSETDB('@DB@');", "SQLQUERY('SELECT char(1008, 945)');", "X=SQLREZULT(0);"},
         "X=SQLREZULT(0)",
         u8"Текст поля 0 содержит символ U+03F0"},
        {{"SQLSETDB('/нет/такой/базы.db');"},
         "SQLSETDB('/нет/такой/базы.db')",
         u8"Файл базы данных '/нет/такой/базы.db' не найден"},
        {{"SQLSETDB('');", "SQLQUERY('SELECT 1');"},
         "SQLQUERY('SELECT 1')",
         u8"База не подсоединена"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.statement);
        host.errors.clear();
        host.causes.clear();
        run(c.lines);
        ASSERT_EQ(host.errors.size(), 1u);
        EXPECT_EQ(cp1251ToUtf8(host.errors[0]),
                  std::string(u8"Ошибка при выполнении выражения '") + c.statement + "'");
        EXPECT_EQ(lastCause().rfind(c.causeStart, 0), 0u) << lastCause();
    }
}

TEST_F(ScriptCommandsTest, SetDbWithAnEmptyPathDisconnects) {
    run({"SQLSETDB('@DB@');", "SQLSETDB('@DB@');"});
    EXPECT_EQ(db.connectionString(), insertDataSource(startConnectionString(), utf8ToCp1251(base)));
    run({"P='';", "SQLSETDB(P);"});
    EXPECT_TRUE(host.errors.empty()) << lastCause();
    EXPECT_EQ(db.connectionString(), startConnectionString());
    EXPECT_EQ(db.dbPath(), "");
    EXPECT_FALSE(db.isOpen());
}

} // namespace
} // namespace qm
