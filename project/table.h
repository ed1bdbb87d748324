// The input-data table: the header row and the data rows of four texts. This, not the typed
// parameters, is what the project file stores and what the main window shows and edits.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace qm {

enum TableColumn { ColType = 0, ColName = 1, ColValue = 2, ColNote = 3 };

using TableRow = std::array<std::string, 4>;

struct InputTable {
    // "Тип данных", "Переменная", "Значение", "Примечание".
    TableRow header = defaultHeader();
    std::vector<TableRow> rows; // the data rows, the header not included

    static TableRow defaultHeader();
    // The table of a fresh main window: the header and four empty rows.
    static InputTable initial();

    void cutToHeader() { rows.clear(); }
    // The first data row whose variable name is exactly `name`, or -1.
    int findByName(const std::string& name) const;
};

bool rowIsEmpty(const TableRow& row);

} // namespace qm
