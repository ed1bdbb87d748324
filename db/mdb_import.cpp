#include "db/mdb_import.h"

#include "db/database_error.h"
#include "db/jet_date.h"
#include "db/query_result.h"
#include "db/sqlite_connection.h"
#include "db/sqlite_folding.h"
#include "text/cp1251.h"
#include "text/numbers.h"

#include <mdbtools.h>
#include <sqlite3.h>

#include <cstring>
#include <memory>
#include <vector>

namespace qm {
namespace {

// libmdb hands text over through one buffer per column, of its bind size: memo text that
// would not fit is refused rather than cut. The other bound columns receive at most a page of
// bytes (a text field, a GUID, an OLE chunk), whatever the bind size.
const size_t kTextBind = 16384, kMemoBind = 1 << 20;
const int kOffsetMask = 0x1fff;

struct MdbCloser {
    void operator()(MdbHandle* m) const { mdb_close(m); }
};
struct TableCloser {
    void operator()(MdbTableDef* t) const { mdb_free_tabledef(t); }
};

// libmdb's text conversion, pointed at UTF-8 whatever the environment says.
void decodeTextAsUtf8(MdbHandle* mdb, const std::string& displayPath) {
    const std::string from = IS_JET3(mdb) ? jet3Charset(mdb->f->code_page) : "UTF-16LE";
    mdb_iconv_close(mdb);
    mdb->iconv_in = iconv_open("UTF-8", from.c_str());
    mdb->iconv_out = iconv_open(from.c_str(), "UTF-8");
    if (mdb->iconv_in == (iconv_t)-1)
        throw DatabaseError(ru(u8"Нет преобразования текста из ") + from + ru(u8" для файла '") +
                            displayPath + "'");
}

// Text compares without case, as it does in Access.
std::string declaredType(int colType) {
    switch (colType) {
    case MDB_TEXT:
    case MDB_MEMO:
    case MDB_REPID:
        return std::string("TEXT COLLATE ") + kFoldingCollation;
    case MDB_BOOL:
        return "BOOLEAN";
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
    case MDB_COMPLEX:
        return "INTEGER";
    case MDB_MONEY:
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_NUMERIC:
        return "REAL";
    case MDB_DATETIME:
        return "DATETIME";
    default:
        return "BLOB";
    }
}

// Columns whose value libmdb must turn into text (or, for OLE, fetch) through a bound buffer.
bool needsBinding(int colType) {
    return colType == MDB_TEXT || colType == MDB_MEMO || colType == MDB_REPID ||
           colType == MDB_OLE || colType == MDB_BOOL;
}

class TableCopy {
  public:
    TableCopy(MdbHandle* mdb, MdbTableDef* table, const std::string& displayPath)
        : mdb_(mdb), table_(table), displayPath_(displayPath) {}
    void copyInto(SqliteConnection& target);

  private:
    MdbColumn* column(unsigned i) const {
        return static_cast<MdbColumn*>(g_ptr_array_index(table_->columns, i));
    }
    std::string tableName() const { return messageText(table_->name); }
    DatabaseError damaged() const;
    void bindColumns();
    std::vector<Cell> currentRow();
    Cell fieldValue(unsigned i, const MdbField& f);
    unsigned char* bytesAt(const MdbField& f, int size) const;

    MdbHandle* mdb_;
    MdbTableDef* table_;
    const std::string& displayPath_;
    std::vector<std::vector<char>> buffers_;
};

DatabaseError TableCopy::damaged() const {
    return DatabaseError(ru(u8"Файл Access '") + displayPath_ + ru(u8"' повреждён: таблица '") +
                         tableName() + ru(u8"' не читается"));
}

void TableCopy::bindColumns() {
    bool memo = false;
    for (unsigned i = 0; i < table_->num_cols; ++i)
        memo = memo || column(i)->col_type == MDB_MEMO;
    mdb_set_bind_size(mdb_, memo ? kMemoBind : kTextBind);
    buffers_.resize(table_->num_cols);
    for (unsigned i = 0; i < table_->num_cols; ++i) {
        int type = column(i)->col_type;
        if (!needsBinding(type)) continue;
        buffers_[i].assign(type == MDB_MEMO ? kMemoBind : kTextBind, '\0');
        mdb_bind_column(table_, int(i) + 1, buffers_[i].data(), nullptr);
    }
}

unsigned char* TableCopy::bytesAt(const MdbField& f, int size) const {
    if (f.start < 0 || f.siz < size || f.start + size > mdb_->fmt->pg_size) throw damaged();
    return mdb_->pg_buf + f.start;
}

Cell TableCopy::fieldValue(unsigned i, const MdbField& f) {
    MdbColumn* col = column(i);
    if (col->col_type == MDB_BOOL) return Cell::ofInteger(f.is_null ? 0 : 1); // the null bit
    if (f.is_null) return Cell{};
    const char* bound = buffers_[i].empty() ? nullptr : buffers_[i].data();
    switch (col->col_type) {
    case MDB_BYTE:
        return Cell::ofInteger(*bytesAt(f, 1));
    case MDB_INT:
        return Cell::ofInteger(std::int16_t(mdb_get_int16(bytesAt(f, 2), 0)));
    case MDB_LONGINT:
    case MDB_COMPLEX:
        return Cell::ofInteger(std::int32_t(mdb_get_int32(bytesAt(f, 4), 0)));
    case MDB_FLOAT:
        return Cell::ofReal(mdb_get_single(bytesAt(f, 4), 0));
    case MDB_DOUBLE:
        return Cell::ofReal(mdb_get_double(bytesAt(f, 8), 0));
    case MDB_MONEY: {
        const unsigned char* b = bytesAt(f, 8);
        std::uint64_t u = 0;
        for (int k = 7; k >= 0; --k)
            u = (u << 8) | b[k];
        return Cell::ofReal(double(std::int64_t(u)) / 10000.0);
    }
    case MDB_DATETIME: {
        double days = mdb_get_double(bytesAt(f, 8), 0);
        std::string iso;
        return jetDateToIso(days, iso) ? Cell::ofText(iso) : Cell::ofReal(days);
    }
    case MDB_NUMERIC: {
        bytesAt(f, 17);
        char* text = mdb_numeric_to_string(mdb_, f.start, col->col_scale, col->col_prec);
        double v = 0;
        bool ok = text && readNumber(text, '.', v);
        g_free(text);
        if (!ok) throw damaged();
        return Cell::ofReal(v);
    }
    case MDB_TEXT:
    case MDB_REPID:
        return Cell::ofText(bound);
    case MDB_MEMO: {
        size_t n = std::strlen(bound);
        if (n + 8 >= kMemoBind)
            throw DatabaseError(ru(u8"Поле MEMO '") + messageText(col->name) + ru(u8"' таблицы '") +
                                tableName() + ru(u8"' файла '") + displayPath_ +
                                ru(u8"' слишком длинное для переноса"));
        return Cell::ofText(std::string(bound, n));
    }
    case MDB_OLE: {
        size_t size = 0;
        void* data = mdb_ole_read_full(mdb_, col, &size);
        Cell c;
        c.type = Cell::Type::Blob;
        if (data) c.bytes.assign(static_cast<const char*>(data), size);
        free(data);
        return c;
    }
    default: { // binary and kinds this import does not know: the bytes as they are
        Cell c;
        c.type = Cell::Type::Blob;
        if (f.siz > 0) c.bytes.assign(reinterpret_cast<const char*>(bytesAt(f, f.siz)), f.siz);
        return c;
    }
    }
}

// The row mdb_fetch_row has just read: its fields, which also tell NULL from empty text.
std::vector<Cell> TableCopy::currentRow() {
    int start = 0;
    size_t size = 0;
    if (table_->cur_row == 0 || mdb_find_row(mdb_, int(table_->cur_row) - 1, &start, &size) != 0)
        throw damaged();
    std::vector<MdbField> fields(table_->num_cols + 1);
    int n = mdb_crack_row(table_, start & kOffsetMask, size, fields.data());
    if (n < 0) throw damaged();
    std::vector<Cell> row(table_->num_cols);
    for (unsigned k = 0; k < table_->num_cols; ++k) {
        unsigned i = unsigned(fields[k].colnum);
        if (i >= table_->num_cols) throw damaged();
        row[i] = fieldValue(i, fields[k]);
    }
    return row;
}

void bindCell(sqlite3_stmt* stmt, int index, const Cell& c) {
    switch (c.type) {
    case Cell::Type::Null:
        sqlite3_bind_null(stmt, index);
        break;
    case Cell::Type::Integer:
        sqlite3_bind_int64(stmt, index, c.integer);
        break;
    case Cell::Type::Real:
        sqlite3_bind_double(stmt, index, c.real);
        break;
    case Cell::Type::Text:
        sqlite3_bind_text(stmt, index, c.bytes.data(), int(c.bytes.size()), SQLITE_TRANSIENT);
        break;
    case Cell::Type::Blob:
        sqlite3_bind_blob(stmt, index, c.bytes.data(), int(c.bytes.size()), SQLITE_TRANSIENT);
        break;
    }
}

void TableCopy::copyInto(SqliteConnection& target) {
    std::string create = "CREATE TABLE " + quoteIdentifier(table_->name) + " (";
    std::string insert = "INSERT INTO " + quoteIdentifier(table_->name) + " VALUES (";
    for (unsigned i = 0; i < table_->num_cols; ++i) {
        create += (i ? ", " : "") + quoteIdentifier(column(i)->name) + " " +
                  declaredType(column(i)->col_type);
        insert += i ? ", ?" : "?";
    }
    try {
        target.execute(create + ")");
    } catch (const DatabaseError& e) {
        throw DatabaseError(ru(u8"Таблица '") + tableName() + ru(u8"' файла Access '") +
                            displayPath_ + ru(u8"' не переносится: ") + e.what());
    }
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(target.handle(), (insert + ")").c_str(), -1, &stmt, nullptr) !=
        SQLITE_OK)
        throw DatabaseError(sqlErrorMessage(sqlite3_errmsg(target.handle())));
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> guard(stmt, sqlite3_finalize);
    bindColumns();
    mdb_rewind_table(table_);
    while (mdb_fetch_row(table_)) {
        std::vector<Cell> row = currentRow();
        for (size_t i = 0; i < row.size(); ++i)
            bindCell(stmt, int(i) + 1, row[i]);
        if (sqlite3_step(stmt) != SQLITE_DONE)
            throw DatabaseError(sqlErrorMessage(sqlite3_errmsg(target.handle())));
        sqlite3_reset(stmt);
    }
}

} // namespace

std::string jet3Charset(unsigned codePage) {
    static const unsigned known[] = {874,  932,  936,  949,  950,  1250, 1251,
                                     1252, 1253, 1254, 1255, 1256, 1257, 1258};
    for (unsigned cp : known)
        if (cp == codePage) return "CP" + std::to_string(cp);
    return "CP1251"; // a file that names no code page we know comes from this system's users
}

void importAccessFile(const std::string& utf8Path, const std::string& displayPath,
                      SqliteConnection& target) {
    std::unique_ptr<MdbHandle, MdbCloser> mdb(mdb_open(utf8Path.c_str(), MDB_NOFLAGS));
    if (!mdb) throw DatabaseError(ru(u8"Не удалось открыть файл Access '") + displayPath + "'");
    decodeTextAsUtf8(mdb.get(), displayPath);
    GPtrArray* catalog = mdb_read_catalog(mdb.get(), MDB_TABLE);
    if (!catalog)
        throw DatabaseError(ru(u8"Не удалось прочитать список таблиц файла Access '") +
                            displayPath + "'");
    target.execute("BEGIN");
    for (unsigned i = 0; i < catalog->len; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(catalog, i));
        if (!mdb_is_user_table(entry)) continue;
        std::unique_ptr<MdbTableDef, TableCloser> table(mdb_read_table(entry));
        if (!table || !mdb_read_columns(table.get()))
            throw DatabaseError(ru(u8"Не удалось прочитать таблицу '") +
                                messageText(entry->object_name) + ru(u8"' файла Access '") +
                                displayPath + "'");
        TableCopy(mdb.get(), table.get(), displayPath).copyInto(target);
    }
    target.execute("COMMIT");
}

} // namespace qm
