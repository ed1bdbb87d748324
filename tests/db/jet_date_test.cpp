#include "db/jet_date.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qm {
namespace {

TEST(JetDate, DaysAndTimeOfDay) {
    struct Case {
        double days;
        const char* iso; // nullptr: not a date
    };
    const Case cases[] = {
        {0, "1899-12-30 00:00:00"},
        {1.5, "1899-12-31 12:00:00"},
        {60, "1900-02-28 00:00:00"}, // 1900 is no leap year
        {61, "1900-03-01 00:00:00"},
        {29476, "1980-09-12 00:00:00"},
        {36526.75, "2000-01-01 18:00:00"},
        {-1.25, "1899-12-29 06:00:00"}, // before the epoch the time still counts forward
        {0.999999999, "1899-12-31 00:00:00"},
        {2958465.99998, "9999-12-31 23:59:58"},
        {-693593, "0001-01-01 00:00:00"},
        {2958466, nullptr},
        {-693595, nullptr},
        {NAN, nullptr},
        {INFINITY, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.days);
        std::string iso;
        ASSERT_EQ(jetDateToIso(c.days, iso), c.iso != nullptr);
        if (c.iso) {
            EXPECT_EQ(iso, c.iso);
        }
    }
}

} // namespace
} // namespace qm
