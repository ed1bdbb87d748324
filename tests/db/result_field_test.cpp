#include "db/result_field.h"

#include "db/database_error.h"
#include "db/project_database.h"
#include "test_support.h"
#include "text/cp1251.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

class ResultFieldTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::makeSqliteFile(dir.file("f.db"), u8"CREATE TABLE Числа (Код INTEGER, Имя TEXT);"
                                               u8"INSERT INTO Числа VALUES (10, 'десять'),"
                                               u8"(20, NULL);");
        db.connectDatabase(dir.file("f.db"));
    }
    test::TempDir dir;
    ProjectDatabase db;
};

TEST_F(ResultFieldTest, ConvertsByTheTypeOfTheValue) {
    db.runQuery(ru(u8"SELECT NULL, 42, 2.5, 'Текст', '', -7.25e3, 9007199254740993, x'0001', "
                   u8"char(28450, 23383), 'a' || char(228), CAST(x'C0' AS TEXT)"));
    struct Case {
        int n;
        bool isText;
        double number;
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {0, false, 0, "", nullptr},
        {1, false, 42, "", nullptr},
        {2, false, 2.5, "", nullptr},
        {3, true, 0, u8"Текст", nullptr},
        {4, true, 0, "", nullptr},
        {5, false, -7250, "", nullptr},
        {6, false, 9007199254740992.0, "", nullptr},
        {7, false, 0, "", u8"Поле 7 содержит двоичные данные, а не число или текст"},
        {8, false, 0, "",
         u8"Текст поля 8 содержит символ U+6F22, которого нет в кодировке Windows-1251"},
        {9, false, 0, "",
         u8"Текст поля 9 содержит символ U+00E4, которого нет в кодировке Windows-1251"},
        {10, false, 0, "", u8"Поле 10 содержит байты, которые не являются текстом UTF-8"},
        {11, false, 0, "", u8"Номер поля 11 вне результата запроса (полей: 11)"},
        {-1, false, 0, "", u8"Номер поля -1 вне результата запроса (полей: 11)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        if (c.error) {
            try {
                readResultField(db.result(), c.n);
                ADD_FAILURE() << "no error";
            } catch (const DatabaseError& e) {
                EXPECT_EQ(e.what(), ru(c.error));
            }
            continue;
        }
        ResultField f = readResultField(db.result(), c.n);
        EXPECT_EQ(f.isText, c.isText);
        EXPECT_EQ(f.number, c.number);
        EXPECT_EQ(f.text, ru(c.text));
    }
}

TEST_F(ResultFieldTest, ReadsTheCurrentRow) {
    db.runQuery(ru(u8"SELECT Код, Имя FROM Числа ORDER BY Код"));
    EXPECT_EQ(readResultField(db.result(), 1).text, ru(u8"десять"));
    db.setCurrentRow(1);
    EXPECT_EQ(readResultField(db.result(), 0).number, 20);
    EXPECT_FALSE(readResultField(db.result(), 1).isText); // NULL: the number 0
    db.setCurrentRow(2);
    EXPECT_FALSE(db.result().hasCurrentRow());
}

TEST_F(ResultFieldTest, NoCurrentRowIsAnError) {
    const std::string noRow = ru(u8"Нет текущей строки результата запроса");
    const char* statements[] = {u8"SELECT Код FROM Числа WHERE Код < 0",
                                u8"UPDATE Числа SET Код = Код"};
    EXPECT_THROW(readResultField(db.result(), 0), DatabaseError); // nothing run yet
    for (const char* sql : statements) {
        SCOPED_TRACE(sql);
        db.runQuery(ru(sql));
        try {
            readResultField(db.result(), 0);
            ADD_FAILURE() << "no error";
        } catch (const DatabaseError& e) {
            EXPECT_EQ(e.what(), noRow);
        }
    }
}

} // namespace
} // namespace qm
