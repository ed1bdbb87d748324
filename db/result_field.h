// Reading one field of the current row of a query result, by the type of its value: what
// SQLREZULT gives a script.
#pragma once

#include "db/query_result.h"

#include <string>

namespace qm {

struct ResultField {
    bool isText = false;
    double number = 0; // NULL reads as 0
    std::string text;  // Windows-1251
};

// Column n (from 0) of the current row. NULL → the number 0; text → text in Windows-1251;
// integers and reals → a double. Throws DatabaseError for no current row, a column number
// outside the result, a blob, and text with a character that has no Windows-1251 form.
ResultField readResultField(const QueryResult& result, int n);

} // namespace qm
