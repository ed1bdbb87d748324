// The SQL commands of the language on the project database: SQLQUERY and SQLSETDB, and the
// function SQLREZULT.
#pragma once

namespace qm {

class CCompil;
class ProjectDatabase;

// Registers the commands and the function on `st`; `db` must outlive it.
void installDatabaseCommands(CCompil& st, ProjectDatabase& db);

} // namespace qm
