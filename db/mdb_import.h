// Access files (.mdb, Jet 3 and Jet 4) read through libmdb into a SQLite database.
#pragma once

#include <string>

namespace qm {

class SqliteConnection;

// Copies every user table of the file into `target`: names kept, columns typed (text and memo
// as TEXT folded by RU_NOCASE, integers as INTEGER, money, float, double and numeric as REAL,
// dates as ISO text, booleans as 0/1, binary and OLE as BLOB), NULLs kept. Jet 3 text is read
// in the code page the file names (Windows-1251 when it names none we know).
// Throws DatabaseError; messages name `displayPath` (Windows-1251).
void importAccessFile(const std::string& utf8Path, const std::string& displayPath,
                      SqliteConnection& target);

// The iconv name of a Jet 3 file's code page.
std::string jet3Charset(unsigned codePage);

} // namespace qm
