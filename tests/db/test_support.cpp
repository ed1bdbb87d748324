#include "test_support.h"

#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace qm::test {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qm-db-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void makeSqliteFile(const std::string& path, const std::string& sql) {
    sqlite3* db = nullptr;
    if (sqlite3_open(path.c_str(), &db) != SQLITE_OK) throw std::runtime_error("open " + path);
    char* error = nullptr;
    int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
    std::string text = error ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    if (rc != SQLITE_OK) throw std::runtime_error("sql: " + text);
}

std::string queryValue(const std::string& path, const std::string& sql) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        throw std::runtime_error("open " + path);
    sqlite3_stmt* stmt = nullptr;
    std::string value = "no row";
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW) {
        auto p = sqlite3_column_text(stmt, 0);
        value = p ? reinterpret_cast<const char*>(p) : "NULL";
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return value;
}

std::string fixturePath(const std::string& name) {
    const char* root = std::getenv("QM_SOURCE_DIR");
    return std::string(root ? root : ".") + "/../shared/data/mdb/" + name;
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + path);
}

int replaceAll(std::string& bytes, const std::string& from, const std::string& to) {
    if (from.size() != to.size()) throw std::logic_error("replaceAll: lengths differ");
    int n = 0;
    for (size_t at = bytes.find(from); at != std::string::npos; at = bytes.find(from, at + 1)) {
        bytes.replace(at, from.size(), to);
        ++n;
    }
    return n;
}

} // namespace qm::test
