// The rows a statement returned: what the result grid shows and SQLREZULT reads.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qm {

// One value as the database stores it. Text is the database's UTF-8; a blob is raw bytes.
struct Cell {
    enum class Type : std::uint8_t { Null, Integer, Real, Text, Blob };
    Type type = Type::Null;
    std::int64_t integer = 0;
    double real = 0;
    std::string bytes; // Text and Blob

    static Cell ofInteger(std::int64_t v) {
        Cell c;
        c.type = Type::Integer;
        c.integer = v;
        return c;
    }
    static Cell ofReal(double v) {
        Cell c;
        c.type = Type::Real;
        c.real = v;
        return c;
    }
    static Cell ofText(std::string v) {
        Cell c;
        c.type = Type::Text;
        c.bytes = std::move(v);
        return c;
    }
};

struct ResultColumn {
    std::string name;         // UTF-8
    std::string declaredType; // the column's declared type in the schema; empty for expressions
};

struct QueryResult {
    std::vector<ResultColumn> columns; // empty: the statement returned no rows at all
    std::vector<std::vector<Cell>> rows;
    int currentRow = -1; // -1: no current row

    bool hasCurrentRow() const { return currentRow >= 0 && currentRow < int(rows.size()); }
};

} // namespace qm
