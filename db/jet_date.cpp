#include "db/jet_date.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace qm {
namespace {

// Year, month and day of a day count from 1970-01-01 (proleptic Gregorian calendar).
void civilFromDays(std::int64_t z, std::int64_t& y, int& m, int& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    d = int(doy - (153 * mp + 2) / 5 + 1);
    m = int(mp < 10 ? mp + 3 : mp - 9);
    y = yoe + era * 400 + (m <= 2 ? 1 : 0);
}

void appendPadded(std::string& out, std::int64_t v, int width) {
    char buf[24];
    auto end = std::to_chars(buf, buf + sizeof buf, v).ptr;
    for (int n = int(end - buf); n < width; ++n)
        out += '0';
    out.append(buf, end);
}

} // namespace

bool jetDateToIso(double days, std::string& out) {
    // 0001-01-01 .. 9999-12-31 lie within this range of days.
    if (!std::isfinite(days) || days < -693594 || days >= 2958466) return false;
    std::int64_t day = static_cast<std::int64_t>(std::trunc(days));
    std::int64_t seconds = std::llround(std::fabs(days - double(day)) * 86400.0);
    if (seconds >= 86400) ++day, seconds -= 86400;
    std::int64_t y;
    int m, d;
    civilFromDays(day - 25569, y, m, d); // 1899-12-30 is day -25569 of 1970
    if (y < 1 || y > 9999) return false;
    out.clear();
    appendPadded(out, y, 4);
    out += '-';
    appendPadded(out, m, 2);
    out += '-';
    appendPadded(out, d, 2);
    out += ' ';
    appendPadded(out, seconds / 3600, 2);
    out += ':';
    appendPadded(out, seconds / 60 % 60, 2);
    out += ':';
    appendPadded(out, seconds % 60, 2);
    return true;
}

} // namespace qm
