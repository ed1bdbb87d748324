#include "project/table.h"

#include "text/cp1251.h"

namespace qm {

TableRow InputTable::defaultHeader() {
    return {ru(u8"Тип данных"), ru(u8"Переменная"), ru(u8"Значение"), ru(u8"Примечание")};
}

InputTable InputTable::initial() {
    InputTable t;
    t.rows.resize(4);
    return t;
}

int InputTable::findByName(const std::string& name) const {
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i][ColName] == name) return static_cast<int>(i);
    return -1;
}

bool rowIsEmpty(const TableRow& row) {
    for (const auto& cell : row)
        if (!cell.empty()) return false;
    return true;
}

} // namespace qm
