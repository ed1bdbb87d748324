#include "db/sqlite_folding.h"

#include "db/database_error.h"
#include "db/text_fold.h"

#include <sqlite3.h>

#include <string>
#include <string_view>

namespace qm {

const char kFoldingCollation[] = "RU_NOCASE";

namespace {

std::string_view textOf(sqlite3_value* v) {
    auto p = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return p ? std::string_view(p, sqlite3_value_bytes(v)) : std::string_view();
}

int collate(void*, int na, const void* a, int nb, const void* b) {
    return compareIgnoringCase(std::string_view(static_cast<const char*>(a), na),
                               std::string_view(static_cast<const char*>(b), nb));
}

void caseFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    bool upper = sqlite3_user_data(ctx) != nullptr;
    std::string s = upper ? upperUtf8(textOf(argv[0])) : lowerUtf8(textOf(argv[0]));
    sqlite3_result_text(ctx, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
}

// like(pattern, text [, escape]), as "text LIKE pattern [ESCAPE escape]" calls it.
void likeFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    int limit = sqlite3_limit(sqlite3_context_db_handle(ctx), SQLITE_LIMIT_LIKE_PATTERN_LENGTH, -1);
    if (sqlite3_value_bytes(argv[0]) > limit)
        return sqlite3_result_error(ctx, "LIKE or GLOB pattern too complex", -1);
    char32_t escape = 0;
    if (argc == 3) {
        if (sqlite3_value_type(argv[2]) == SQLITE_NULL) return sqlite3_result_null(ctx);
        std::u32string e = decodeUtf8Lossless(textOf(argv[2]));
        if (e.size() != 1)
            return sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
        escape = e[0];
    }
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    sqlite3_result_int(ctx, likeMatches(textOf(argv[0]), textOf(argv[1]), escape) ? 1 : 0);
}

void check(sqlite3* db, int rc, const char* what) {
    if (rc != SQLITE_OK)
        throw DatabaseError(std::string("SQLite: ") + what + ": " + sqlite3_errmsg(db));
}

} // namespace

void registerTextFolding(sqlite3* db) {
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    static int upperTag = 1;
    check(db, sqlite3_create_collation(db, kFoldingCollation, SQLITE_UTF8, nullptr, collate),
          "collation");
    check(db, sqlite3_create_function(db, "upper", 1, flags, &upperTag, caseFunction, 0, 0),
          "upper");
    check(db, sqlite3_create_function(db, "lower", 1, flags, nullptr, caseFunction, 0, 0), "lower");
    check(db, sqlite3_create_function(db, "like", 2, flags, nullptr, likeFunction, 0, 0), "like");
    check(db, sqlite3_create_function(db, "like", 3, flags, nullptr, likeFunction, 0, 0), "like");
}

} // namespace qm
