#include "db/project_database.h"

#include "db/connection_string.h"
#include "db/database_error.h"
#include "db/result_field.h"
#include "test_support.h"
#include "text/cp1251.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace qm {
namespace {

const char* const kSchema = u8R"(
CREATE TABLE Пример1 (Код INTEGER PRIMARY KEY AUTOINCREMENT, Поле1 TEXT, Вес REAL);
INSERT INTO Пример1 (Код, Поле1, Вес) VALUES (1, 'Первый', 2.5), (2, 'второй', NULL),
  (3, 'Ёлка', 7);
CREATE TABLE "Таблица с пробелом" (x);
CREATE VIEW Вид AS SELECT Поле1 FROM Пример1;
)";

int count(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

class ProjectDatabaseTest : public ::testing::Test {
  protected:
    void SetUp() override {
        base = dir.file(u8"проект.db");
        test::makeSqliteFile(base, kSchema);
        db.onPathChanged = [this](const std::string& p) { recorded.push_back(p); };
    }
    // The core's (Windows-1251) form of a file name of the test folder.
    static std::string core(const std::string& utf8) { return utf8ToCp1251(utf8); }
    std::string firstText() { return readResultField(db.result(), 0).text; }

    test::TempDir dir;
    std::string base;
    ProjectDatabase db;
    std::vector<std::string> recorded;
};

TEST_F(ProjectDatabaseTest, ConnectsAndListsUserTablesAndViews) {
    EXPECT_EQ(db.caption(), "FMData");
    db.connectDatabase(core(base));
    EXPECT_TRUE(db.isOpen());
    EXPECT_FALSE(db.isReadOnly());
    EXPECT_EQ(recorded, std::vector<std::string>{core(base)});
    EXPECT_EQ(db.dbPath(), core(base));
    EXPECT_EQ(db.connectionString(), insertDataSource(startConnectionString(), core(base)));
    // No sqlite_sequence, although AUTOINCREMENT made one.
    EXPECT_EQ(db.tableNames(),
              (std::vector<std::string>{u8"Вид", u8"Пример1", u8"Таблица с пробелом"}));
    EXPECT_EQ(db.tableListText(), "");
    EXPECT_EQ(db.caption(), "FMData - " + core(base));
    EXPECT_EQ(db.currentDatabaseMessage(), ru(u8"Текущая база: '") + core(base) + "'");
}

TEST_F(ProjectDatabaseTest, TheStartQueryReadsItsFirstRow) {
    db.connectDatabase(core(base));
    ASSERT_EQ(db.queryText(), StringList{ru(u8"Select  Поле1 from Пример1 where Код =1")});
    db.executeQuery();
    ASSERT_EQ(db.result().columns.size(), 1u);
    EXPECT_EQ(db.result().columns[0].name, u8"Поле1");
    EXPECT_EQ(db.result().columns[0].declaredType, "TEXT");
    EXPECT_EQ(db.result().currentRow, 0);
    EXPECT_EQ(firstText(), ru(u8"Первый"));
}

TEST_F(ProjectDatabaseTest, EveryStatementRunsExactlyOnce) {
    struct Case {
        const char* sql;
        const char* check;
        const char* expected;
        size_t resultRows;
    };
    const Case cases[] = {
        {u8"INSERT INTO Пример1 (Поле1) VALUES ('новый')", u8"SELECT count(*) FROM Пример1", "4",
         0},
        {u8"UPDATE Пример1 SET Вес = Вес + 1 WHERE Код = 1",
         u8"SELECT Вес FROM Пример1 WHERE Код = 1", "3.5", 0},
        {u8"DELETE FROM Пример1 WHERE Код > 1", u8"SELECT count(*) FROM Пример1", "1", 0},
        {u8"INSERT INTO Пример1 (Поле1) VALUES ('с ответом') RETURNING Код",
         u8"SELECT count(*) FROM Пример1", "4", 1},
        {u8"SELECT * FROM Пример1 WHERE Код > 100", u8"SELECT count(*) FROM Пример1", "3", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sql);
        std::filesystem::remove(base);
        test::makeSqliteFile(base, kSchema);
        db.connectDatabase(core(base));
        EXPECT_NO_THROW(db.runQuery(ru(c.sql)));
        EXPECT_EQ(db.queryText(), StringList{ru(c.sql)});
        EXPECT_EQ(test::queryValue(base, c.check), c.expected);
        EXPECT_EQ(db.result().rows.size(), c.resultRows);
        EXPECT_EQ(db.result().hasCurrentRow(), c.resultRows > 0);
    }
    // The row a RETURNING statement gave is the new row's, read once.
    db.runQuery(ru(u8"INSERT INTO Пример1 (Поле1) VALUES ('ещё') RETURNING Код, Поле1"));
    EXPECT_EQ(readResultField(db.result(), 0).number, 4);
    EXPECT_EQ(test::queryValue(base, u8"SELECT count(*) FROM Пример1 WHERE Поле1 = 'ещё'"), "1");
}

TEST_F(ProjectDatabaseTest, MissingFileIsAnErrorThatLeavesThePathRecorded) {
    const std::string missing = dir.file(u8"нет такой.db");
    try {
        db.connectDatabase(core(missing));
        FAIL() << "no error";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(e.what(), ru(u8"Файл базы данных '") + core(missing) + ru(u8"' не найден"));
    }
    EXPECT_FALSE(std::filesystem::exists(missing)); // no new empty database
    EXPECT_FALSE(db.isOpen());
    EXPECT_EQ(db.dbPath(), core(missing));
    EXPECT_EQ(recorded, std::vector<std::string>{core(missing)});
    EXPECT_EQ(dataSource(db.connectionString()), core(missing));
    EXPECT_EQ(db.caption(), "FMData");
    EXPECT_TRUE(db.tableNames().empty());

    // "Выполнить запрос" opens the connection again from the string: now the file is there.
    test::makeSqliteFile(missing, kSchema);
    db.executeQuery();
    EXPECT_TRUE(db.isOpen());
    EXPECT_EQ(firstText(), ru(u8"Первый"));
    EXPECT_TRUE(db.tableNames().empty());
}

TEST_F(ProjectDatabaseTest, SecondConnectReplacesTheEntryAndAnEmptyPathRemovesIt) {
    const std::string other = dir.file("other.db");
    test::makeSqliteFile(other, "CREATE TABLE t (a); INSERT INTO t VALUES ('other');");
    db.connectDatabase(core(base));
    db.connectDatabase(core(other));
    EXPECT_EQ(count(db.connectionString(), "Data Source="), 1);
    EXPECT_EQ(db.connectionString(), insertDataSource(startConnectionString(), core(other)));
    EXPECT_EQ(db.tableNames(), std::vector<std::string>{"t"});

    db.runQuery("SELECT a FROM t");
    db.connectDatabase("");
    EXPECT_EQ(db.connectionString(), startConnectionString());
    EXPECT_FALSE(db.isOpen());
    EXPECT_FALSE(db.result().hasCurrentRow());
    EXPECT_EQ(db.dbPath(), "");
    EXPECT_TRUE(db.tableNames().empty());
    EXPECT_EQ(db.caption(), "FMData - " + core(other)); // the caption keeps its text
    EXPECT_EQ(recorded, (std::vector<std::string>{core(base), core(other), ""}));
}

TEST_F(ProjectDatabaseTest, DisconnectKeepsTheEntryUntilTheLoaderRemovesIt) {
    db.connectDatabase(core(base));
    db.showTable(u8"Пример1");
    db.executeQuery();
    db.disconnectDatabase();
    EXPECT_FALSE(db.isOpen());
    EXPECT_FALSE(db.result().hasCurrentRow());
    EXPECT_TRUE(db.tableView().rows.empty());
    EXPECT_EQ(db.tableListText(), "");
    EXPECT_EQ(db.dbPath(), "");
    EXPECT_EQ(db.caption(), "FMData");
    EXPECT_EQ(db.currentDatabaseMessage(), ru(u8"База не подсоединена"));
    EXPECT_EQ(dataSource(db.connectionString()), core(base));
    // The string still names the database, so a query opens it again.
    db.executeQuery();
    EXPECT_EQ(firstText(), ru(u8"Первый"));

    db.disconnectDatabase();
    db.removeDataSource();
    EXPECT_EQ(db.connectionString(), startConnectionString());
    try {
        db.executeQuery();
        FAIL() << "no error";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(e.what(), ru(u8"База не подсоединена"));
    }
}

TEST_F(ProjectDatabaseTest, FailedStatementsReportAndChangeNothing) {
    db.connectDatabase(core(base));
    db.executeQuery();
    struct Case {
        const char* sql;
        const char* messageStart;
    };
    const Case cases[] = {
        {u8"SELEC Поле1 FROM Пример1", u8"Ошибка SQL: "},
        {u8"SELECT * FROM Нет", u8"Ошибка SQL: no such table: Нет"},
        {u8"INSERT INTO Пример1 (Поле1) VALUES ('a'); INSERT INTO Пример1 (Поле1) VALUES ('b')",
         u8"Текст запроса содержит больше одного оператора SQL"},
        {u8"  -- только комментарий", u8"Текст запроса пуст"},
        {u8"INSERT INTO Пример1 (Код) VALUES (1)", u8"Ошибка SQL: UNIQUE constraint failed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sql);
        try {
            db.runQuery(ru(c.sql));
            ADD_FAILURE() << "no error";
        } catch (const DatabaseError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(ru(c.messageStart), 0), 0u) << e.what();
        }
        EXPECT_FALSE(db.result().hasCurrentRow());
        EXPECT_EQ(test::queryValue(base, u8"SELECT count(*) FROM Пример1"), "3");
    }
    db.runQuery(ru(u8"SELECT Поле1 FROM Пример1 WHERE Код = 2; -- второй ;"));
    EXPECT_EQ(firstText(), ru(u8"второй"));
}

TEST_F(ProjectDatabaseTest, FilesThatAreNoDatabase) {
    const std::string text = dir.file("notes.db");
    test::writeBytes(text, "just some text, long enough to be read as a header............");
    for (const std::string& path : {text, dir.path()}) {
        SCOPED_TRACE(path);
        EXPECT_THROW(db.connectDatabase(core(path)), DatabaseError);
        EXPECT_FALSE(db.isOpen());
    }
}

TEST_F(ProjectDatabaseTest, CyrillicCaseFoldingInQueries) {
    db.connectDatabase(core(base));
    db.runQuery(ru(u8"SELECT Поле1 FROM Пример1 WHERE Поле1 LIKE 'ВТОР%'"));
    EXPECT_EQ(firstText(), ru(u8"второй"));
    db.runQuery(ru(u8"SELECT upper('ёлка и Ель'), lower('ПОЛЕ Ё'), 'ПРИМЕР' = 'пример' "
                   u8"COLLATE RU_NOCASE, 'ёж' LIKE 'Ё_'"));
    EXPECT_EQ(readResultField(db.result(), 0).text, ru(u8"ЁЛКА И ЕЛЬ"));
    EXPECT_EQ(readResultField(db.result(), 1).text, ru(u8"поле ё"));
    EXPECT_EQ(readResultField(db.result(), 2).number, 1);
    EXPECT_EQ(readResultField(db.result(), 3).number, 1);
    db.runQuery(ru(u8"SELECT Поле1 FROM Пример1 ORDER BY Поле1 COLLATE RU_NOCASE"));
    std::vector<std::string> order;
    for (const auto& row : db.result().rows)
        order.push_back(row[0].bytes);
    EXPECT_EQ(order, (std::vector<std::string>{u8"второй", u8"Ёлка", u8"Первый"}));
}

// Every query used to get a connection of its own: a BEGIN of one query holds nothing back from
// the next.
TEST_F(ProjectDatabaseTest, ATransactionDoesNotOutliveItsQuery) {
    db.connectDatabase(core(base));
    db.runQuery("BEGIN IMMEDIATE");
    db.runQuery(ru(u8"INSERT INTO Пример1 (Поле1) VALUES ('после BEGIN')"));
    EXPECT_EQ(test::queryValue(base, u8"SELECT count(*) FROM Пример1"), "4");
    test::makeSqliteFile(base, u8"INSERT INTO Пример1 (Поле1) VALUES ('другой процесс')");
    EXPECT_EQ(test::queryValue(base, u8"SELECT count(*) FROM Пример1"), "5");
}

// Scripts cannot put an apostrophe inside a string, so their queries quote text as Jet allows.
TEST_F(ProjectDatabaseTest, DoubleQuotesMakeTextWhereNoColumnHasThatName) {
    db.connectDatabase(core(base));
    db.runQuery(ru(u8"SELECT \"Поле1\" FROM Пример1 WHERE Поле1 = \"второй\""));
    EXPECT_EQ(firstText(), ru(u8"второй"));
}

TEST_F(ProjectDatabaseTest, TheTableGridShowsWhatTheStatementLeft) {
    db.connectDatabase(core(base));
    db.showTable(u8"Пример1");
    EXPECT_EQ(db.tableListText(), u8"Пример1");
    EXPECT_EQ(db.tableView().rows.size(), 3u);
    db.runQuery(ru(u8"DELETE FROM Пример1 WHERE Код = 3"));
    EXPECT_EQ(db.tableView().rows.size(), 2u);
    EXPECT_NO_THROW(db.runQuery(ru(u8"DROP TABLE Пример1")));
    EXPECT_TRUE(db.tableView().columns.empty());
}

TEST_F(ProjectDatabaseTest, AReplacedFileIsOpenedAgain) {
    db.connectDatabase(core(base));
    db.executeQuery();
    const std::string fresh = dir.file("fresh.db");
    test::makeSqliteFile(fresh, u8"CREATE TABLE Пример1 (Код, Поле1);"
                                u8"INSERT INTO Пример1 VALUES (1, 'заменён');");
    ASSERT_EQ(std::rename(fresh.c_str(), base.c_str()), 0);
    db.executeQuery();
    EXPECT_EQ(firstText(), ru(u8"заменён"));
}

} // namespace
} // namespace qm
