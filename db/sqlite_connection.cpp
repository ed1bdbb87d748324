#include "db/sqlite_connection.h"

#include "db/database_error.h"
#include "db/file_stamp.h"
#include "db/sqlite_folding.h"
#include "db/text_fold.h"
#include "text/cp1251.h"

#include <sqlite3.h>

namespace qm {
namespace {

// Finalizes a statement however the block is left.
struct Statement {
    sqlite3_stmt* stmt = nullptr;
    ~Statement() { sqlite3_finalize(stmt); }
};

Cell readCell(sqlite3_stmt* stmt, int i) {
    switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_INTEGER:
        return Cell::ofInteger(sqlite3_column_int64(stmt, i));
    case SQLITE_FLOAT:
        return Cell::ofReal(sqlite3_column_double(stmt, i));
    case SQLITE_TEXT: {
        auto p = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
        return Cell::ofText(std::string(p, sqlite3_column_bytes(stmt, i)));
    }
    case SQLITE_BLOB: {
        Cell c;
        c.type = Cell::Type::Blob;
        auto p = static_cast<const char*>(sqlite3_column_blob(stmt, i));
        if (p) c.bytes.assign(p, sqlite3_column_bytes(stmt, i));
        return c;
    }
    default:
        return Cell{};
    }
}

// Anything after the first statement but blanks, comments and ";" is a second statement.
void requireSingleStatement(sqlite3* db, const char* rest, const char* end) {
    while (rest < end) {
        Statement next;
        const char* after = nullptr;
        int rc = sqlite3_prepare_v2(db, rest, int(end - rest), &next.stmt, &after);
        if (rc != SQLITE_OK || next.stmt)
            throw DatabaseError(
                ru(u8"Текст запроса содержит больше одного оператора SQL: выполните их по одному"));
        if (after == nullptr || after <= rest) break;
        rest = after;
    }
}

// What every connection of the project database gets: Jet's "text" string literals (kept on
// whatever SQLite's build default is) and the Cyrillic case folding.
void configure(sqlite3* db) {
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 1, nullptr);
    registerTextFolding(db);
}

} // namespace

std::string messageText(const std::string& utf8) {
    std::string out;
    for (char32_t cp : decodeUtf8Lossless(utf8)) {
        unsigned char byte;
        out += unicodeToCp1251(cp, byte) ? static_cast<char>(byte) : '?';
    }
    return out;
}

std::string sqlErrorMessage(const std::string& utf8Message) {
    return ru(u8"Ошибка SQL: ") + messageText(utf8Message);
}

std::string quoteIdentifier(const std::string& name) {
    std::string out = "\"";
    for (char c : name) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + '"';
}

std::unique_ptr<SqliteConnection> SqliteConnection::openFile(const std::string& utf8Path,
                                                             const std::string& displayPath) {
    requireDatabaseFile(utf8Path, displayPath);
    // A name that starts with "file:" would be read as a URI where SQLite allows them.
    std::string name = utf8Path.rfind("file:", 0) == 0 ? "./" + utf8Path : utf8Path;
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(name.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    std::unique_ptr<SqliteConnection> c(new SqliteConnection(db));
    const auto fail = [&] {
        return DatabaseError(ru(u8"Не удалось открыть базу данных '") + displayPath +
                             "': " + messageText(sqlite3_errmsg(db)));
    };
    if (rc != SQLITE_OK) throw fail();
    // SQLite reads the file lazily: a file that is no database fails only here.
    if (sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) !=
        SQLITE_OK)
        throw fail();
    sqlite3_busy_timeout(db, 2000);
    configure(db);
    return c;
}

std::unique_ptr<SqliteConnection> SqliteConnection::openMemory() {
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    std::unique_ptr<SqliteConnection> c(new SqliteConnection(db));
    if (rc != SQLITE_OK) throw DatabaseError(sqlErrorMessage(sqlite3_errmsg(db)));
    configure(db);
    return c;
}

SqliteConnection::~SqliteConnection() {
    sqlite3_close_v2(db_);
}

void SqliteConnection::execute(const std::string& sqlUtf8) {
    char* error = nullptr;
    if (sqlite3_exec(db_, sqlUtf8.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::string text = error ? error : sqlite3_errmsg(db_);
        sqlite3_free(error);
        throw DatabaseError(sqlErrorMessage(text));
    }
}

QueryResult SqliteConnection::run(const std::string& sqlUtf8, bool readOnly,
                                  const std::string& readOnlyMessage) {
    Statement s;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db_, sqlUtf8.data(), int(sqlUtf8.size()), &s.stmt, &tail) != SQLITE_OK)
        throw DatabaseError(sqlErrorMessage(sqlite3_errmsg(db_)));
    if (!s.stmt) throw DatabaseError(ru(u8"Текст запроса пуст"));
    requireSingleStatement(db_, tail, sqlUtf8.data() + sqlUtf8.size());
    if (readOnly && !sqlite3_stmt_readonly(s.stmt)) throw DatabaseError(readOnlyMessage);

    QueryResult result;
    const int n = sqlite3_column_count(s.stmt);
    for (int i = 0; i < n; ++i) {
        const char* type = sqlite3_column_decltype(s.stmt, i);
        result.columns.push_back({sqlite3_column_name(s.stmt, i), type ? type : ""});
    }
    for (;;) {
        int rc = sqlite3_step(s.stmt);
        if (rc == SQLITE_DONE) break;
        if (rc != SQLITE_ROW) throw DatabaseError(sqlErrorMessage(sqlite3_errmsg(db_)));
        std::vector<Cell> row;
        row.reserve(n);
        for (int i = 0; i < n; ++i)
            row.push_back(readCell(s.stmt, i));
        result.rows.push_back(std::move(row));
    }
    if (!result.rows.empty()) result.currentRow = 0;
    return result;
}

std::vector<std::string> SqliteConnection::tableNames() {
    QueryResult r = run(std::string("SELECT name FROM sqlite_master WHERE type IN ('table', "
                                    "'view') AND substr(name, 1, 7) <> 'sqlite_' ORDER BY name "
                                    "COLLATE ") +
                        kFoldingCollation);
    std::vector<std::string> names;
    for (const auto& row : r.rows)
        names.push_back(row[0].bytes);
    return names;
}

bool SqliteConnection::inTransaction() const {
    return sqlite3_get_autocommit(db_) == 0;
}

} // namespace qm
