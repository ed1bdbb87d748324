// Rebuilding the typed parameters from the input-data table.
#pragma once

#include "project/model.h"
#include "project/table.h"

#include <stdexcept>
#include <string>

namespace qm {

// A table cell that does not convert. `conversion` is the conversion error as the user has
// always seen it; what() adds the row and the variable.
class ParameterError : public std::runtime_error {
  public:
    ParameterError(int row, std::string name, std::string conversion, const std::string& what)
        : std::runtime_error(what), row(row), name(std::move(name)),
          conversion(std::move(conversion)) {}
    int row; // 1-based data row of the table
    std::string name;
    std::string conversion;
};

// "исходные данные": the section name under which table rows are reported.
const std::string& tableSection();

// Clears `data` and rebuilds it row by row. Rows whose type text is no kind are skipped. On a
// cell that does not convert the order entry is already appended and ParameterError thrown.
void readParameterTable(CDataProject& data, const InputTable& table);

} // namespace qm
