// Upper and lower deviations from the field letters, the grade and the IT value. A field that has
// no value for the size and grade at hand (a NOT_EXISTS cell, "j" outside grades 5 to 8, "J"
// outside 6 to 8, a letter without a column above 500 mm, a size beyond the last row, the Delta of
// a hole K..ZC in a grade below 3) sets fieldMissing: checkFieldExists then reports it and the
// deviations are 0.
#include "fits/dopuski.h"

#include "fits/grades.h"
#include "fits/tables.h"

namespace qm {

void CDopuski::computeDeviations(const MessageFn& say) {
    fieldMissing = false;
    if (!determineFieldKind(say)) return; // an unknown field leaves the deviations as they were
    bool found;
    if (nominal > 500)
        found = isShaft ? shaftAbove500() : holeAbove500();
    else
        found = isShaft ? shaftUpTo500() : holeUpTo500();
    if (!found) {
        fieldMissing = true;
        upperDeviation = lowerDeviation = 0;
    }
}

void CDopuski::setFromLower(double lower) {
    lowerDeviation = lower;
    upperDeviation = lower + standardTolerance;
}

void CDopuski::setFromUpper(double upper) {
    upperDeviation = upper;
    lowerDeviation = upper - standardTolerance;
}

bool CDopuski::shaftUpTo500() {
    const double it = standardTolerance;
    const int grade = gradeNumber(gradeText);
    std::string letters = fieldText;
    if (letters == "h") {
        setFromUpper(0);
        return true;
    }
    if (letters == "js") {
        upperDeviation = it / 2;
        lowerDeviation = -it / 2;
        return true;
    }
    // k is tabled for grades 4 to 7 only; the others start at 0 ("01" reads as 1 here).
    if (letters == "k" && (grade <= 3 || grade >= 8)) {
        setFromLower(0);
        return true;
    }
    if (letters == "j") {
        if (grade == 5 || grade == 6)
            letters = "j1";
        else if (grade == 7)
            letters = "j2";
        else if (grade == 8)
            letters = "j3";
        else
            return false;
    }
    if (int column = columnOf(kShaftANames, letters); column >= 0) {
        const int v = shaftA(rowOf(kFineBounds, nominal), column);
        if (v == NOT_EXISTS) return false;
        setFromLower(v);
        return true;
    }
    if (int column = columnOf(kShaftBNames, letters); column >= 0) {
        const int v = shaftB(rowOf(kCoarseBounds, nominal), column);
        if (v == NOT_EXISTS) return false;
        setFromUpper(v);
        return true;
    }
    return false;
}

namespace {
bool isOneOf(const std::string& s, std::initializer_list<const char*> names) {
    for (const char* n : names)
        if (s == n) return true;
    return false;
}
} // namespace

bool CDopuski::holeUpTo500() {
    const double it = standardTolerance;
    const int grade = gradeNumber(gradeText);
    std::string letters = fieldText;
    if (letters == "H") {
        setFromLower(0);
        return true;
    }
    if (letters == "Js") {
        upperDeviation = it / 2;
        lowerDeviation = -it / 2;
        return true;
    }
    if (letters == "M" && gradeText == "6" && nominal > 250 && nominal <= 315) {
        setFromUpper(-9);
        return true;
    }
    if ((letters == "N" || letters == "K") && grade >= 9) {
        setFromUpper(0);
        return true;
    }
    if (letters == "J") {
        if (grade < 6 || grade > 8) return false;
        letters = grade == 6 ? "J1" : grade == 7 ? "J2" : "J3";
    }
    if (int column = columnOf(kHoleBNames, letters); column >= 0) {
        const int v = holeB(rowOf(kCoarseBounds, nominal), column);
        if (v == NOT_EXISTS) return false;
        setFromLower(v);
        return true;
    }
    const int column = columnOf(kHoleANames, letters);
    if (column < 0) return false;
    const int row = rowOf(kFineBounds, nominal);
    const int v = holeA(row, column);
    if (v == NOT_EXISTS) return false;
    int delta = 0;
    const bool fine = isOneOf(letters, {"M", "K", "N"})
                          ? grade < 9
                          : !isOneOf(letters, {"J1", "J2", "J3"}) && grade < 8;
    if (fine) {
        delta = deltaAt(row, grade); // no column below grade 3
        if (delta == NOT_EXISTS) return false;
    }
    setFromUpper(v + delta);
    return true;
}

bool CDopuski::shaftAbove500() {
    const double it = standardTolerance;
    if (fieldText == "h") {
        setFromUpper(0);
        return true;
    }
    if (fieldText == "k") {
        setFromLower(0);
        return true;
    }
    if (fieldText == "js") {
        upperDeviation = it / 2;
        lowerDeviation = -it / 2;
        return true;
    }
    const int column = columnOf(kLargeShaftNames, fieldText);
    const int v = largeDeviation(rowOf(kLargeBounds, nominal), column);
    if (v == NOT_EXISTS) return false;
    if (column < 6) // c .. g
        setFromUpper(-v);
    else // m .. v
        setFromLower(v);
    return true;
}

bool CDopuski::holeAbove500() {
    const double it = standardTolerance;
    if (fieldText == "K") {
        setFromUpper(0);
        return true;
    }
    if (fieldText == "H") {
        setFromLower(0);
        return true;
    }
    if (fieldText == "Js") {
        upperDeviation = it / 2;
        lowerDeviation = -it / 2;
        return true;
    }
    const int column = columnOf(kLargeHoleNames, fieldText);
    const int v = largeDeviation(rowOf(kLargeBounds, nominal), column);
    if (v == NOT_EXISTS) return false;
    if (column < 6) // C .. G
        setFromLower(v);
    else // M .. V
        setFromUpper(-v);
    return true;
}

} // namespace qm
