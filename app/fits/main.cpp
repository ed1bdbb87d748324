// quillmark-fits: the limits-and-fits lookup on the command line.
//   quillmark-fits SIZE FIELD GRADE         50h7(-0.025) IT=25 upper=0 lower=-25
//   quillmark-fits --grade SIZE TOLERANCE   the code of the coarsest grade within TOLERANCE (mm)
#include "fits/dopuski.h"
#include "fits/grades.h"
#include "text/cp1251.h"
#include "text/numbers.h"

#include <cstdio>
#include <exception>
#include <iostream>
#include <string>

namespace {

const char* const kUsage =
    "usage: quillmark-fits SIZE FIELD GRADE\n"
    "       quillmark-fits --grade SIZE TOLERANCE\n"
    "\n"
    "SIZE FIELD GRADE   the designation of a toleranced size, its IT value and its deviations\n"
    "                   in micrometres, e.g. quillmark-fits 50 h 7\n"
    "                   prints 50h7(-0.025) IT=25 upper=0 lower=-25\n"
    "--grade SIZE TOL   the grade code of the coarsest standard grade whose tolerance does not\n"
    "                   exceed TOL (mm): -1 for grade 01, -2 when no grade fits\n"
    "\n"
    "SIZE and TOL are in mm (\".\" or \",\" as decimal separator); FIELD is a shaft field a..zc,\n"
    "js or a hole field A..ZC, Js; GRADE is 01, 0, 1 ... 17. Messages go to stderr.\n";

struct UsageError {
    std::string what;
};

// A number as the project files write it: the first comma is taken as the decimal point.
double numberArgument(const std::string& text, const char* name) {
    std::string s = text;
    if (auto comma = s.find(','); comma != std::string::npos) s[comma] = '.';
    double value = 0;
    if (!qm::readNumber(s, '.', value))
        throw UsageError{std::string(name) + " is not a number: " + text};
    return value;
}

// One line per message box, as quillmark-run writes them: a line break inside becomes "\n".
void printMessage(const std::string& text) {
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        line += (text[i] == '\n' || text[i] == '\r') ? std::string("\\n") : std::string(1, text[i]);
    }
    std::cerr << "message: " << qm::cp1251ToUtf8(line) << "\n";
}

int designation(const std::string& sizeArg, const std::string& fieldArg,
                const std::string& gradeArg) {
    const double size = numberArgument(sizeArg, "SIZE");
    if (!qm::isGradeText(gradeArg)) throw UsageError{"GRADE is not 01, 0, 1 ... 17: " + gradeArg};
    std::string field;
    try {
        field = qm::utf8ToCp1251(fieldArg);
    } catch (const qm::EncodingError&) {
        throw UsageError{"FIELD is not a field: " + fieldArg};
    }
    const int code = gradeArg == "01" ? -1 : std::stoi(gradeArg);
    qm::CDopuski dopuski;
    dopuski.designationFor(size, field, code, printMessage);
    std::cout << qm::cp1251ToUtf8(dopuski.designation)
              << " IT=" << qm::formatGeneral(dopuski.standardTolerance)
              << " upper=" << qm::formatGeneral(dopuski.upperDeviation)
              << " lower=" << qm::formatGeneral(dopuski.lowerDeviation) << "\n";
    return 0;
}

int grade(const std::string& sizeArg, const std::string& toleranceArg) {
    const double size = numberArgument(sizeArg, "SIZE");
    const double tolerance = numberArgument(toleranceArg, "TOLERANCE");
    qm::CDopuski dopuski;
    dopuski.gradeForTolerance(size, tolerance);
    std::cout << dopuski.gradeCode << "\n";
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        const std::string first = argc > 1 ? argv[1] : "";
        if (argc == 2 && (first == "--help" || first == "-h")) {
            std::cout << kUsage;
            return 0;
        }
        if (argc == 4 && first == "--grade") return grade(argv[2], argv[3]);
        if (argc == 4 && first.rfind("--", 0) != 0) return designation(argv[1], argv[2], argv[3]);
        throw UsageError{argc == 1 ? "missing arguments" : "wrong arguments"};
    } catch (const UsageError& e) {
        std::cerr << "quillmark-fits: " << e.what << "\n" << kUsage;
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "quillmark-fits: " << qm::cp1251ToUtf8(e.what()) << "\n";
        return 1;
    }
}
