// Access dates as text: the import stores them as ISO text that SQLite's date functions read.
#pragma once

#include <string>

namespace qm {

// A Jet date (days since 1899-12-30; the fraction is the time of day, counted forward from
// midnight also for days before 1899-12-30) as "YYYY-MM-DD HH:MM:SS", rounded to the second.
// False for values outside the years 1..9999 or not finite.
bool jetDateToIso(double days, std::string& out);

} // namespace qm
