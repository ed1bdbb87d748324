#include "db/project_database.h"

#include "db/connection_string.h"
#include "db/database_error.h"
#include "db/mdb_import.h"
#include "db/sqlite_connection.h"
#include "text/cp1251.h"

namespace qm {
namespace {

const char kCaption[] = "FMData";

std::string joinedQuery(const StringList& lines) {
    std::string sql;
    for (size_t i = 0; i < lines.size(); ++i)
        sql += (i ? "\n" : "") + lines[i];
    return sql;
}

} // namespace

bool isAccessPath(const std::string& path) {
    return path.size() >= 4 && lowerCase(path.substr(path.size() - 4)) == ".mdb";
}

ProjectDatabase::ProjectDatabase()
    : connectionString_(startConnectionString()),
      caption_(kCaption), queryText_{ru(u8"Select  Поле1 from Пример1 where Код =1")} {}

ProjectDatabase::~ProjectDatabase() = default;

void ProjectDatabase::recordPath(const std::string& path) {
    dbPath_ = path;
    if (onPathChanged) onPathChanged(path);
}

// Closing the connection closes what was read through it.
void ProjectDatabase::close() {
    connection_.reset();
    readOnly_ = false;
    openPath_.clear();
    result_ = QueryResult{};
    tableView_ = QueryResult{};
}

// Opens the database the connection string names.
void ProjectDatabase::open() {
    if (!hasDataSource(connectionString_)) throw DatabaseError(ru(u8"База не подсоединена"));
    const std::string path = dataSource(connectionString_);
    const std::string fsPath = cp1251ToUtf8(path);
    const FileStamp stamp = requireDatabaseFile(fsPath, path);
    std::unique_ptr<SqliteConnection> c;
    const bool access = isAccessPath(path);
    if (access) {
        c = SqliteConnection::openMemory();
        importAccessFile(fsPath, path, *c);
        c->execute("PRAGMA query_only = 1");
    } else {
        c = SqliteConnection::openFile(fsPath, path);
    }
    connection_ = std::move(c);
    readOnly_ = access;
    openPath_ = path;
    openStamp_ = stamp;
}

// The reopening of "Выполнить запрос", kept where it shows: after a failed connection, when
// the file has been replaced (or an imported Access file has changed) since, and when a
// statement has left a transaction open (the reopening ends it without its changes).
void ProjectDatabase::reopenIfNeeded() {
    if (connection_ && !connection_->inTransaction() &&
        dataSource(connectionString_) == openPath_) {
        FileStamp now;
        if (readFileStamp(cp1251ToUtf8(openPath_), now) &&
            (readOnly_ ? now.sameContent(openStamp_) : now.sameFile(openStamp_)))
            return;
    }
    close();
    open();
}

void ProjectDatabase::connectDatabase(const std::string& path) {
    tableNames_.clear();
    recordPath(path);
    removeDataSource();
    if (path.empty()) {
        tableListText_.clear();
        return;
    }
    std::string longer = insertDataSource(connectionString_, path);
    close();
    connectionString_ = longer;
    open();
    tableNames_ = connection_->tableNames();
    caption_ = kCaption + std::string(" - ") + path;
    tableListText_.clear();
}

void ProjectDatabase::disconnectDatabase() {
    tableNames_.clear();
    tableListText_.clear();
    recordPath("");
    close();
    caption_ = kCaption;
}

// Step 3 of connectDatabase, and the project loader's extra step.
void ProjectDatabase::removeDataSource() {
    if (!hasDataSource(connectionString_)) return;
    std::string shorter = qm::removeDataSource(connectionString_);
    close();
    connectionString_ = shorter;
}

void ProjectDatabase::showTable(const std::string& name) {
    tableView_ = QueryResult{};
    tableListText_ = name;
    if (name.empty()) return;
    reopenIfNeeded();
    tableView_ = connection_->run("SELECT * FROM " + quoteIdentifier(name));
}

std::string ProjectDatabase::readOnlyMessage() const {
    return ru(u8"Файл Access '") + openPath_ +
           ru(u8"' открыт только для чтения: запрос, изменяющий данные, не выполнен");
}

void ProjectDatabase::executeQuery() {
    reopenIfNeeded();
    result_ = QueryResult{};
    result_ = connection_->run(cp1251ToUtf8(joinedQuery(queryText_)), readOnly_, readOnlyMessage());
    // The table grid shows the table as the statement has left it; a table the statement has
    // dropped just leaves the grid empty.
    if (!tableListText_.empty()) {
        try {
            tableView_ = connection_->run("SELECT * FROM " + quoteIdentifier(tableListText_));
        } catch (const DatabaseError&) {
            tableView_ = QueryResult{};
        }
    }
}

void ProjectDatabase::runQuery(const std::string& sql) {
    queryText_ = StringList{sql};
    executeQuery();
}

void ProjectDatabase::setCurrentRow(int row) {
    result_.currentRow = row >= 0 && row < int(result_.rows.size()) ? row : -1;
}

std::string ProjectDatabase::currentDatabaseMessage() const {
    if (dbPath_.empty()) return ru(u8"База не подсоединена");
    return ru(u8"Текущая база: '") + dbPath_ + "'";
}

} // namespace qm
