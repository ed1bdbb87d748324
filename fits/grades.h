// The three forms of a grade: the text "01", "0", "1" ... "17"; the table column (0 for "01", the
// number + 1 otherwise); the grade code of the script functions (-1 for "01", the number
// otherwise).
#pragma once

#include <stdexcept>
#include <string>

namespace qm {

// A grade outside "01", "0" ... "17". The text (Windows-1251) is meant for the user.
class FitsError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

constexpr int kLowestGradeCode = -1; // "01"
constexpr int kHighestGradeCode = 17;

bool isGradeText(const std::string& gradeText);
bool isGradeCode(int code);
// Throw FitsError for anything that is not a grade.
int gradeColumn(const std::string& gradeText);
std::string gradeTextOf(int code);
// The grade read as an integer, "01" reading as 1 (the reading of the hole rules).
int gradeNumber(const std::string& gradeText);

} // namespace qm
