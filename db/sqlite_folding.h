// Registers the Cyrillic-aware case folding on a SQLite connection: the collation
// RU_NOCASE and the functions upper, lower and like (with and without ESCAPE).
#pragma once

struct sqlite3;

namespace qm {

extern const char kFoldingCollation[]; // "RU_NOCASE"

// Throws DatabaseError when SQLite refuses a registration.
void registerTextFolding(sqlite3* db);

} // namespace qm
