// The limits-and-fits object: a nominal size, a field and a grade in; the IT value, the upper and
// lower deviation (µm) and the full designation such as 50h7(-0.025) out. One instance is shared by
// the tolerance window and the script functions, and keeps the results of the last computation.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qm {

// Receives each message for the user (Windows-1251); the caller shows it in a message box.
using MessageFn = std::function<void(const std::string&)>;

// gradeForTolerance's answer when no grade at all fits (or the size has no row).
constexpr std::int32_t kNoGrade = -2;

class CDopuski {
  public:
    CDopuski();

    double nominal = 100; // mm
    std::string gradeText = "14";
    std::string fieldText; // shaft "a".."zc", hole "A".."ZC", or "не определено"
    std::string designation;
    bool isShaft = true;
    double standardTolerance = 0; // µm
    double upperDeviation = 0;    // µm, es or ES
    double lowerDeviation = 0;    // µm, ei or EI
    std::int32_t gradeCode = 0;
    std::vector<std::string> fieldList; // filled by the tolerance window
    // Set by computeDeviations when the field has no value for this size and grade.
    bool fieldMissing = false;

    // The operations throw FitsError when gradeText is not a grade.
    void lookupStandardTolerance(const MessageFn& say);
    // False (with a message) when fieldText is no field letter; isShaft is then left as it was.
    bool determineFieldKind(const MessageFn& say);
    void computeDeviations(const MessageFn& say);
    void checkFieldExists(const MessageFn& say);
    void formatDesignation();
    void gradeForTolerance(double nominalMm, double toleranceMm);
    // The whole chain for a script: each distinct message is shown once. Throws FitsError for a
    // grade code outside -1..17, before anything is changed.
    void designationFor(double nominalMm, const std::string& field, int code, const MessageFn& say);

  private:
    bool shaftUpTo500();
    bool holeUpTo500();
    bool shaftAbove500();
    bool holeAbove500();
    void setFromLower(double lower);
    void setFromUpper(double upper);
};

// The text of "не определено" (Windows-1251).
const std::string& undefinedFieldText();

} // namespace qm
