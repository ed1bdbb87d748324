#include "db/database_error.h"
#include "db/project_database.h"
#include "db/result_field.h"
#include "test_support.h"
#include "text/cp1251.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qm {
namespace {

const char kJet4[] = "testUnicodeCompV2003.mdb";
const char kJet3[] = "testV1997.mdb";

// Jet 3 keeps its code page at 0x3C of the header, under a fixed RC4 stream: XOR-ing the stored
// bytes with old ^ new code page changes it.
void setJet3CodePage(std::string& bytes, unsigned from, unsigned to) {
    bytes[0x3C] = char(bytes[0x3C] ^ ((from ^ to) & 0xFF));
    bytes[0x3D] = char(bytes[0x3D] ^ ((from ^ to) >> 8));
}

// Clears null-mask bits of the Jet 3 row that holds `marker`: its columns become NULL.
void clearNullBits(std::string& bytes, const std::string& marker, unsigned char bits) {
    const size_t pos = bytes.find(marker), page = pos / 2048 * 2048;
    const auto u16 = [&](size_t at) {
        return unsigned(static_cast<unsigned char>(bytes[page + at])) |
               unsigned(static_cast<unsigned char>(bytes[page + at + 1])) << 8;
    };
    const unsigned rows = u16(8);
    for (unsigned r = 0; r < rows; ++r) {
        unsigned start = u16(10 + 2 * r) & 0x1FFF, end = r == 0 ? 2048 : u16(8 + 2 * r) & 0x1FFF;
        if (pos - page >= start && pos - page < end) {
            bytes[page + end - 2] = char(bytes[page + end - 2] & ~bits); // 9 columns: 2 bytes
            return;
        }
    }
    throw std::logic_error("marker row not found");
}

class AccessImportTest : public ::testing::Test {
  protected:
    // A changed copy of a fixture in the test folder; returns its path.
    std::string patched(const char* fixture, const std::string& name, void (*patch)(std::string&)) {
        std::string bytes = test::readBytes(test::fixturePath(fixture));
        patch(bytes);
        test::writeBytes(dir.file(name), bytes);
        return dir.file(name);
    }
    ResultField field(int n) { return readResultField(db.result(), n); }
    std::string text(int n) { return field(n).text; }

    test::TempDir dir;
    ProjectDatabase db;
};

TEST_F(AccessImportTest, Jet4TextComesOutAsWritten) {
    db.connectDatabase(test::fixturePath(kJet4));
    EXPECT_TRUE(db.isReadOnly());
    EXPECT_EQ(db.tableNames(), std::vector<std::string>{"Table"});
    db.runQuery("SELECT count(*), typeof(ID), typeof(Unicode) FROM \"Table\"");
    EXPECT_EQ(field(0).number, 8);
    EXPECT_EQ(text(1), "integer");
    EXPECT_EQ(text(2), "text");
    // Text columns compare without case, Cyrillic included, as Access does.
    db.runQuery(ru(u8"SELECT Unicode FROM [Table] WHERE Unicode = 'мИР'"));
    EXPECT_EQ(text(0), ru(u8"Мир"));
    db.runQuery("SELECT Unicode FROM [Table] WHERE Unicode LIKE '%ASCII%'");
    EXPECT_EQ(text(0), "only ascii chars");
    // The 255 characters U+0001..U+00FF, none lost.
    db.runQuery("SELECT unicode(substr(Unicode, 1, 1)), unicode(substr(Unicode, 255, 1)), "
                "unicode(substr(Unicode, 228, 1)) FROM [Table] WHERE length(Unicode) = 255");
    EXPECT_EQ(field(0).number, 1);
    EXPECT_EQ(field(1).number, 255);
    EXPECT_EQ(field(2).number, 228);
}

TEST_F(AccessImportTest, Jet4TextWithoutWindows1251FormIsAnErrorForScripts) {
    db.connectDatabase(test::fixturePath(kJet4));
    // The first characters of the Greek, the Japanese and the Finnish value.
    for (int first : {0x3F0, 0x6F22, 0xE4}) {
        SCOPED_TRACE(first);
        db.runQuery("SELECT Unicode FROM [Table] WHERE unicode(Unicode) = " +
                    std::to_string(first));
        ASSERT_TRUE(db.result().hasCurrentRow());
        EXPECT_THROW(field(0), DatabaseError);
    }
}

TEST_F(AccessImportTest, Jet3ColumnsAreTyped) {
    db.connectDatabase(test::fixturePath(kJet3));
    EXPECT_EQ(db.tableNames(), (std::vector<std::string>{"Table1", "Table2", "Table3", "Table4"}));
    db.runQuery("SELECT A, B, C, D, E, F, G, H, I, typeof(C), typeof(F), typeof(G), typeof(H), "
                "typeof(I) FROM Table1 ORDER BY E DESC");
    ASSERT_EQ(db.result().rows.size(), 2u);
    const auto& columns = db.result().columns;
    EXPECT_EQ(columns[0].declaredType, "TEXT");
    EXPECT_EQ(columns[2].declaredType, "INTEGER");
    EXPECT_EQ(columns[5].declaredType, "REAL");
    EXPECT_EQ(columns[6].declaredType, "DATETIME");
    EXPECT_EQ(columns[8].declaredType, "BOOLEAN");
    EXPECT_EQ(text(0), "abcdefg");
    EXPECT_EQ(text(1), "hijklmnop");
    EXPECT_EQ(field(2).number, 2);
    EXPECT_EQ(field(3).number, 222);
    EXPECT_EQ(field(4).number, 333333333);
    EXPECT_EQ(field(5).number, 444.555);
    EXPECT_EQ(text(6), "1974-09-21 00:00:00");
    EXPECT_EQ(field(7).number, 3.5);
    EXPECT_EQ(field(8).number, 1);
    EXPECT_EQ(text(9) + text(10) + text(11) + text(12) + text(13), "integerrealtextrealinteger");
    db.setCurrentRow(1);
    EXPECT_EQ(text(6), "1981-12-12 00:00:00");
    EXPECT_EQ(field(8).number, 0);
    EXPECT_EQ(field(7).number, 0);

    db.runQuery("SELECT * FROM Table2");
    EXPECT_EQ(db.result().columns.size(), 89u);
    EXPECT_TRUE(db.result().rows.empty());
    db.runQuery("SELECT name, data FROM Table4");
    EXPECT_EQ(db.result().columns.size(), 2u);
}

TEST_F(AccessImportTest, NullsStayNull) {
    const std::string path = patched(kJet3, "nulls.mdb", [](std::string& b) {
        clearNullBits(b, "abcdefg", 0x01 | 0x20); // A and F of the second row
    });
    db.connectDatabase(path);
    db.runQuery("SELECT A IS NULL, F IS NULL, B, A FROM Table1 WHERE E = 333333333");
    EXPECT_EQ(field(0).number, 1);
    EXPECT_EQ(field(1).number, 1);
    EXPECT_EQ(text(2), "hijklmnop");
    EXPECT_FALSE(field(3).isText);
    EXPECT_EQ(field(3).number, 0);
}

TEST_F(AccessImportTest, ChangingStatementsAreRefusedAndTheFileStaysAsItWas) {
    const std::string path = patched(kJet3, "copy.mdb", [](std::string&) {});
    const std::string before = test::readBytes(path);
    db.connectDatabase(path);
    const std::string refusal = ru(u8"Файл Access '") + path +
                                ru(u8"' открыт только для чтения: запрос, изменяющий данные, "
                                   u8"не выполнен");
    for (const char* sql : {"UPDATE Table1 SET A = 'x'", "INSERT INTO Table3 (b) VALUES ('x')",
                            "DELETE FROM Table1", "CREATE TABLE t (a)", "DROP TABLE Table2",
                            "CREATE TEMP TABLE t (a)", "PRAGMA query_only = 0"}) {
        SCOPED_TRACE(sql);
        try {
            db.runQuery(sql);
            if (std::string(sql).rfind("PRAGMA", 0) != 0) ADD_FAILURE() << "no error";
        } catch (const DatabaseError& e) {
            EXPECT_EQ(e.what(), refusal);
        }
    }
    // Refused whether or not the PRAGMA above has switched query_only off.
    EXPECT_THROW(db.runQuery("UPDATE Table1 SET A = 'changed'"), DatabaseError);
    db.runQuery("SELECT count(*) FROM Table1 WHERE A = 'abcdefg'");
    EXPECT_EQ(field(0).number, 1);
    EXPECT_EQ(test::readBytes(path), before);
}

TEST_F(AccessImportTest, Jet3TextFollowsTheCodePageOfTheFile) {
    struct Case {
        const char* name;
        unsigned codePage;
        const char* table;
        const char* a;
    };
    // 1251 as the file says; none named: 1251, the code page of this system's users; 1252 kept.
    const Case cases[] = {
        {u8"кириллица.MDB", 1251, u8"Пример", u8"абвгдеж"},
        {u8"без страницы.Mdb", 0, u8"Пример", u8"абвгдеж"},
        {"latin.mdb", 1252, u8"Ïðèìåð", u8"àáâãäåæ"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string bytes = test::readBytes(test::fixturePath(kJet3));
        setJet3CodePage(bytes, 1252, c.codePage);
        const std::string cyr = ru(u8"Пример"), word = ru(u8"абвгдеж"), tree = ru(u8"Ёлка ёжик");
        ASSERT_GT(test::replaceAll(bytes, "Table1", cyr), 0);
        ASSERT_EQ(test::replaceAll(bytes, "abcdefg", word), 1);
        ASSERT_EQ(test::replaceAll(bytes, "hijklmnop", tree), 1);
        test::writeBytes(dir.file(c.name), bytes);

        db.connectDatabase(utf8ToCp1251(dir.file(c.name)));
        EXPECT_TRUE(db.isReadOnly());
        ASSERT_EQ(db.tableNames().size(), 4u);
        EXPECT_EQ(db.tableNames().back(), c.table); // after the Latin names
        db.showTable(db.tableNames().back());
        ASSERT_EQ(db.tableView().rows.size(), 2u);
        EXPECT_EQ(db.tableView().rows[1][0].bytes, c.a);
    }
    // Case-insensitive comparison and LIKE over the Russian text of the 1251 file.
    db.connectDatabase(utf8ToCp1251(dir.file(u8"кириллица.MDB")));
    db.runQuery(ru(u8"SELECT A, upper(B) FROM Пример WHERE B = 'ЁЛКА ЁЖИК' AND A LIKE 'АБВ%'"));
    EXPECT_EQ(text(0), ru(u8"абвгдеж"));
    EXPECT_EQ(text(1), ru(u8"ЁЛКА ЁЖИК"));
}

TEST_F(AccessImportTest, AChangedFileIsImportedAgain) {
    const std::string path = patched(kJet3, "live.mdb", [](std::string&) {});
    db.connectDatabase(path);
    db.runQuery("SELECT A FROM Table1 WHERE E = 333333333");
    EXPECT_EQ(text(0), "abcdefg");
    std::string bytes = test::readBytes(path);
    test::replaceAll(bytes, "abcdefg", "zyxwvut");
    test::writeBytes(path, bytes);
    std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) +
                                               std::chrono::seconds(2));
    db.executeQuery();
    EXPECT_EQ(text(0), "zyxwvut");
}

TEST_F(AccessImportTest, FilesThatCannotBeImported) {
    test::writeBytes(dir.file("text.mdb"), std::string(4096, 'x'));
    struct Case {
        std::string path;
        std::string message;
    };
    const Case cases[] = {
        {dir.file("none.mdb"),
         ru(u8"Файл базы данных '") + dir.file("none.mdb") + ru(u8"' не найден")},
        {dir.file("text.mdb"),
         ru(u8"Не удалось открыть файл Access '") + dir.file("text.mdb") + "'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        try {
            db.connectDatabase(c.path);
            ADD_FAILURE() << "no error";
        } catch (const DatabaseError& e) {
            EXPECT_EQ(e.what(), c.message);
        }
        EXPECT_FALSE(db.isOpen());
        EXPECT_EQ(db.dbPath(), c.path);
    }
}

} // namespace
} // namespace qm
