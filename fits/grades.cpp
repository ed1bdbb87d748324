#include "fits/grades.h"

#include "text/cp1251.h"

namespace qm {

namespace {
[[noreturn]] void badGrade(const std::string& text) {
    throw FitsError(ru(u8"Квалитет ") + text + ru(u8" не определен"));
}
} // namespace

bool isGradeText(const std::string& g) {
    if (g == "01") return true;
    if (g.empty() || g.size() > 2 || (g.size() == 2 && g[0] == '0')) return false;
    int n = 0;
    for (char c : g) {
        if (c < '0' || c > '9') return false;
        n = n * 10 + (c - '0');
    }
    return n <= kHighestGradeCode;
}

bool isGradeCode(int code) {
    return code >= kLowestGradeCode && code <= kHighestGradeCode;
}

int gradeColumn(const std::string& g) {
    if (!isGradeText(g)) badGrade(g);
    return g == "01" ? 0 : std::stoi(g) + 1;
}

std::string gradeTextOf(int code) {
    if (!isGradeCode(code)) badGrade(std::to_string(code));
    return code == -1 ? std::string("01") : std::to_string(code);
}

int gradeNumber(const std::string& g) {
    if (!isGradeText(g)) badGrade(g);
    return g == "01" ? 1 : std::stoi(g);
}

} // namespace qm
