// Which file a path names and how it looked when the database was opened: a reopening is
// needed only when the file has been replaced (or, for an imported copy, changed).
#pragma once

#include <string>

namespace qm {

struct FileStamp {
    unsigned long long device = 0, inode = 0;
    long long size = 0, mtimeSec = 0, mtimeNsec = 0;
    bool sameFile(const FileStamp& o) const { return device == o.device && inode == o.inode; }
    bool sameContent(const FileStamp& o) const {
        return sameFile(o) && size == o.size && mtimeSec == o.mtimeSec && mtimeNsec == o.mtimeNsec;
    }
};

// False when the path names no file.
bool readFileStamp(const std::string& utf8Path, FileStamp& out);
// The stamp of an existing regular file; otherwise DatabaseError naming `displayPath`.
FileStamp requireDatabaseFile(const std::string& utf8Path, const std::string& displayPath);

} // namespace qm
