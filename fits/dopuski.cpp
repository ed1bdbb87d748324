#include "fits/dopuski.h"

#include "fits/grades.h"
#include "fits/tables.h"
#include "text/cp1251.h"
#include "text/numbers.h"

#include <set>

namespace qm {

const std::string& undefinedFieldText() {
    static const std::string text = ru(u8"не определено");
    return text;
}

CDopuski::CDopuski() : fieldText(undefinedFieldText()) {}

void CDopuski::lookupStandardTolerance(const MessageFn& say) {
    const int column = gradeColumn(gradeText);
    if (nominal < 1) {
        say(ru(u8"Значение ") + formatGeneral(nominal) +
            ru(u8" меньше допустимого, допуск не определен"));
        standardTolerance = 0;
        return;
    }
    if (nominal > kToleranceBounds.back()) {
        say(ru(u8"Значение ") + formatGeneral(nominal) +
            ru(u8" больше допустимого, допуск не определен"));
        standardTolerance = 0;
        return;
    }
    // A size that is not a number has no row and, like the sizes out of range, no tolerance.
    standardTolerance = standardToleranceAt(rowOf(kToleranceBounds, nominal), column);
}

bool CDopuski::determineFieldKind(const MessageFn& say) {
    if (columnOf(kShaftFields, fieldText) >= 0) {
        isShaft = true;
        return true;
    }
    if (columnOf(kHoleFields, fieldText) >= 0) {
        isShaft = false;
        return true;
    }
    if (fieldText == undefinedFieldText())
        say(ru(u8"Поле не определено"));
    else
        say(ru(u8"Поле ") + fieldText + ru(u8" не определено"));
    return false;
}

void CDopuski::checkFieldExists(const MessageFn& say) {
    if (!fieldMissing) return;
    say(ru(u8"Для номинала  ") + formatGeneral(nominal) + ru(u8" поле допуска ") + fieldText +
        ru(u8" не существует") + "\n" + ru(u8"Проверте исходные данные"));
    upperDeviation = 0;
    lowerDeviation = 0;
}

namespace {
// A deviation in mm with its sign: "+0.018", "-0.025", "0".
std::string signedMm(double um) {
    std::string text = formatGeneral(um * 0.001);
    return um > 0 ? "+" + text : text;
}
} // namespace

void CDopuski::formatDesignation() {
    if (fieldText == undefinedFieldText()) {
        designation = undefinedFieldText();
        upperDeviation = lowerDeviation = 0;
        return;
    }
    if (!(nominal > 0)) { // a size that is not a number is no size either
        designation = undefinedFieldText();
        standardTolerance = upperDeviation = lowerDeviation = 0;
        return;
    }
    const std::string prefix = formatGeneral(nominal) + fieldText + gradeText;
    if (upperDeviation == -lowerDeviation)
        designation = prefix + "(+/-" + formatGeneral(upperDeviation * 0.001) + ")";
    else if (upperDeviation == 0)
        designation = prefix + "(" + signedMm(lowerDeviation) + ")";
    else if (lowerDeviation == 0)
        designation = prefix + "(" + signedMm(upperDeviation) + ")";
    else
        designation =
            prefix + "(" + signedMm(upperDeviation) + "/" + signedMm(lowerDeviation) + ")";
}

// Counts the grades of the size's row, from "01" up, whose IT does not exceed the tolerance; the
// last of them is the answer. Defined results where the row gives none: -1 when only "01" fits,
// kNoGrade when nothing fits or the size has no row (not above 0, above 3150 mm); 17 when even
// IT17 fits. Equal counts as fitting, and a tolerance that is an IT value written in mm may come
// out of the multiplication by 1000 a hair below it, hence the slack of 1e-9 µm.
void CDopuski::gradeForTolerance(double nominalMm, double toleranceMm) {
    const int row = nominalMm > 0 ? rowOf(kToleranceBounds, nominalMm) : -1;
    if (row < 0) {
        gradeCode = kNoGrade;
        return;
    }
    const double t = toleranceMm * 1000;
    int passed = 0;
    while (passed < kGradeColumns && kStandardTolerance[row][passed] <= t + 1e-9)
        ++passed;
    gradeCode = passed >= 2 ? passed - 2 : (passed == 1 ? -1 : kNoGrade);
}

void CDopuski::designationFor(double nominalMm, const std::string& field, int code,
                              const MessageFn& say) {
    const std::string grade = gradeTextOf(code);
    nominal = nominalMm;
    gradeText = grade;
    fieldText = field;
    // determineFieldKind runs twice (once inside computeDeviations): its message is shown once.
    std::set<std::string> shown;
    const MessageFn once = [&](const std::string& text) {
        if (shown.insert(text).second) say(text);
    };
    lookupStandardTolerance(once);
    determineFieldKind(once);
    computeDeviations(once);
    checkFieldExists(once);
    formatDesignation();
}

} // namespace qm
