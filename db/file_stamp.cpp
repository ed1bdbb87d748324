#include "db/file_stamp.h"

#include "db/database_error.h"
#include "text/cp1251.h"

#include <sys/stat.h>

namespace qm {
namespace {

bool statFile(const std::string& utf8Path, struct stat& st) {
    return ::stat(utf8Path.c_str(), &st) == 0;
}

FileStamp stampOf(const struct stat& st) {
    FileStamp s;
    s.device = st.st_dev;
    s.inode = st.st_ino;
    s.size = st.st_size;
    s.mtimeSec = st.st_mtim.tv_sec;
    s.mtimeNsec = st.st_mtim.tv_nsec;
    return s;
}

} // namespace

bool readFileStamp(const std::string& utf8Path, FileStamp& out) {
    struct stat st;
    if (!statFile(utf8Path, st)) return false;
    out = stampOf(st);
    return true;
}

FileStamp requireDatabaseFile(const std::string& utf8Path, const std::string& displayPath) {
    struct stat st;
    if (!statFile(utf8Path, st))
        throw DatabaseError(ru(u8"Файл базы данных '") + displayPath + ru(u8"' не найден"));
    if (!S_ISREG(st.st_mode))
        throw DatabaseError(ru(u8"'") + displayPath + ru(u8"' не является файлом базы данных"));
    return stampOf(st);
}

} // namespace qm
