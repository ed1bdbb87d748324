// One open SQLite database (a file, or the in-memory copy of an Access file) with the text
// folding of this system registered.
#pragma once

#include "db/query_result.h"

#include <memory>
#include <string>
#include <vector>

struct sqlite3;

namespace qm {

class SqliteConnection {
  public:
    // An existing database file, read-write. Throws DatabaseError (messages name `displayPath`,
    // the path as the user wrote it, in Windows-1251).
    static std::unique_ptr<SqliteConnection> openFile(const std::string& utf8Path,
                                                      const std::string& displayPath);
    static std::unique_ptr<SqliteConnection> openMemory();
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    sqlite3* handle() { return db_; }
    // Statements without a result (schema, transactions); throws DatabaseError.
    void execute(const std::string& sqlUtf8);
    // Runs one SQL statement exactly once. A statement with result columns fills the result
    // (the current row is the first, if any); one without leaves it empty. With `readOnly` a
    // statement that would change the database is refused before it runs (`readOnlyMessage`).
    QueryResult run(const std::string& sqlUtf8, bool readOnly = false,
                    const std::string& readOnlyMessage = {});
    // Tables and views, without SQLite's own, in case-insensitive order (UTF-8).
    std::vector<std::string> tableNames();
    // A transaction a statement (BEGIN) has opened and none has ended yet.
    bool inTransaction() const;

  private:
    explicit SqliteConnection(sqlite3* db) : db_(db) {}
    sqlite3* db_;
};

// An SQL error text for the user: "Ошибка SQL: " and SQLite's message (Windows-1251).
std::string sqlErrorMessage(const std::string& utf8Message);
// UTF-8 as Windows-1251 for messages: characters without a form become '?'.
std::string messageText(const std::string& utf8);
// An identifier in double quotes, inner quotes doubled.
std::string quoteIdentifier(const std::string& name);

} // namespace qm
