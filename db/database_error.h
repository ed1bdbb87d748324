// Failures of the project database: connection, SQL, import and reading of the result.
#pragma once

#include <stdexcept>
#include <string>

namespace qm {

// The text is Windows-1251, ready to be shown to the user.
class DatabaseError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

} // namespace qm
