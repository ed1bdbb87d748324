#include "db/result_field.h"

#include "db/database_error.h"
#include "db/text_fold.h"
#include "text/cp1251.h"

#include <cstdio>

namespace qm {
namespace {

// The database's text in Windows-1251; a character without a form there is an error, never '?'.
std::string fieldText(const std::string& utf8, int n) {
    std::string out;
    for (char32_t cp : decodeUtf8Lossless(utf8)) {
        unsigned char byte;
        if (unicodeToCp1251(cp, byte)) {
            out += static_cast<char>(byte);
            continue;
        }
        if (cp > 0x10FFFF)
            throw DatabaseError(ru(u8"Поле ") + std::to_string(n) +
                                ru(u8" содержит байты, которые не являются текстом UTF-8"));
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(cp));
        throw DatabaseError(ru(u8"Текст поля ") + std::to_string(n) + ru(u8" содержит символ ") +
                            code + ru(u8", которого нет в кодировке Windows-1251"));
    }
    return out;
}

} // namespace

ResultField readResultField(const QueryResult& result, int n) {
    if (!result.hasCurrentRow()) throw DatabaseError(ru(u8"Нет текущей строки результата запроса"));
    if (n < 0 || n >= int(result.columns.size()))
        throw DatabaseError(ru(u8"Номер поля ") + std::to_string(n) +
                            ru(u8" вне результата запроса (полей: ") +
                            std::to_string(result.columns.size()) + ")");
    const Cell& c = result.rows[result.currentRow][n];
    ResultField f;
    switch (c.type) {
    case Cell::Type::Null:
        break;
    case Cell::Type::Integer:
        f.number = double(c.integer);
        break;
    case Cell::Type::Real:
        f.number = c.real;
        break;
    case Cell::Type::Text:
        f.isText = true;
        f.text = fieldText(c.bytes, n);
        break;
    case Cell::Type::Blob:
        throw DatabaseError(ru(u8"Поле ") + std::to_string(n) +
                            ru(u8" содержит двоичные данные, а не число или текст"));
    }
    return f;
}

} // namespace qm
