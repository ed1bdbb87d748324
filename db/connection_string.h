// The connection string of the project database: the place that holds the database path, as
// its "Data Source=" entry right after "User ID=Admin;".
#pragma once

#include <string>

namespace qm {

// The string the connection starts with (no "Data Source=" entry).
const std::string& startConnectionString();

bool hasDataSource(const std::string& connection);
// Removes the entry from "Data Source=" through its closing ";" inclusive; unchanged when the
// string has none.
std::string removeDataSource(const std::string& connection);
// Puts "Data Source=" + path + ";" right after "User ID=Admin;". A path with ';' or '"' is
// written in double quotes (inner quotes doubled) so that the entry still ends at its own ';'.
// Throws DatabaseError when the string has no "User ID=Admin;".
std::string insertDataSource(const std::string& connection, const std::string& path);
// The path of the entry (quotes undone); empty when the string has none.
std::string dataSource(const std::string& connection);

} // namespace qm
