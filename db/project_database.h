// The project database: the one connection and the one query result of the program, as the
// data form shows them and the SQL commands of the language use them.
//
// Texts that come from the program (paths, the connection string, the query text, the caption,
// messages) are Windows-1251; what comes from the database (table names, column names, cell
// text) stays the database's UTF-8.
#pragma once

#include "db/file_stamp.h"
#include "db/query_result.h"
#include "text/lines.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qm {

class SqliteConnection;

class ProjectDatabase {
  public:
    ProjectDatabase();
    ~ProjectDatabase();
    ProjectDatabase(const ProjectDatabase&) = delete;
    ProjectDatabase& operator=(const ProjectDatabase&) = delete;

    // The connection string; its "Data Source=" entry is the database path.
    const std::string& connectionString() const { return connectionString_; }
    // The path last recorded for the project (`dbPath`); empty when none.
    const std::string& dbPath() const { return dbPath_; }
    // Told every recorded path, so that the project's `dbPath` follows it.
    std::function<void(const std::string&)> onPathChanged;

    // Records `path`, drops any old database from the connection string and, for a non-empty
    // path, connects: an SQLite file read-write, a ".mdb" file imported read-only. Throws
    // DatabaseError; the path stays recorded and in the string while the connection is closed.
    void connectDatabase(const std::string& path);
    // Closes the connection and records an empty path; the string keeps its entry.
    void disconnectDatabase();
    // Removes the "Data Source=" entry (and closes), as the project loader does after
    // disconnectDatabase so that a project without a database leaves no path in the string.
    void removeDataSource();
    bool isOpen() const { return connection_ != nullptr; }
    bool isReadOnly() const { return readOnly_; }

    // The table list and its text (the chosen table, UTF-8), and that table's rows.
    const std::vector<std::string>& tableNames() const { return tableNames_; }
    const std::string& tableListText() const { return tableListText_; }
    void showTable(const std::string& name);
    const QueryResult& tableView() const { return tableView_; }

    // "FMData", or "FMData - " and the path while a database is connected.
    const std::string& caption() const { return caption_; }
    // The query editor's lines and "Выполнить запрос": the text runs exactly once; with rows
    // it fills the result (current row: the first), without rows it leaves the result empty.
    const StringList& queryText() const { return queryText_; }
    void setQueryText(StringList lines) { queryText_ = std::move(lines); }
    void executeQuery();
    // SQLQUERY: the text becomes the editor's only line, then "Выполнить запрос".
    void runQuery(const std::string& sql);

    const QueryResult& result() const { return result_; }
    // The row the user selects in the result grid; -1 for none.
    void setCurrentRow(int row);
    // "Текущая база": the message to show.
    std::string currentDatabaseMessage() const;

  private:
    void recordPath(const std::string& path);
    void close();
    void open();
    void reopenIfNeeded();
    std::string readOnlyMessage() const;

    std::string connectionString_;
    std::string dbPath_;
    std::string caption_;
    std::vector<std::string> tableNames_;
    std::string tableListText_;
    StringList queryText_;
    QueryResult result_, tableView_;
    std::unique_ptr<SqliteConnection> connection_;
    std::string openPath_; // the path the open connection came from (Windows-1251)
    FileStamp openStamp_;
    bool readOnly_ = false;
};

// A path that names an Access file: ".mdb" in any case.
bool isAccessPath(const std::string& path);

} // namespace qm
