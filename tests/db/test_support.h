// Helpers of the database tests: temporary folders, SQLite files built with plain SQL, the
// Access fixtures of the shared data folder.
#pragma once

#include <string>

namespace qm::test {

// A fresh folder removed with everything in it when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

// Creates the SQLite file `path` and runs `sql` (UTF-8) on it through the plain sqlite3 API.
void makeSqliteFile(const std::string& path, const std::string& sql);
// One value of a query on the file, as text ("NULL" for NULL), through the plain sqlite3 API.
std::string queryValue(const std::string& path, const std::string& sql);

std::string fixturePath(const std::string& name); // ${QM_SOURCE_DIR}/../shared/data/mdb/NAME
std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);
// Replaces every occurrence of `from` by `to` (same length); returns how many there were.
int replaceAll(std::string& bytes, const std::string& from, const std::string& to);

} // namespace qm::test
