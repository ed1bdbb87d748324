// The open project in memory: parameters of four kinds, twelve code texts, the generated
// declarations, the assembled program text, slides, the folder and the database path.
#pragma once

#include "interp/state.h"
#include "text/lines.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qm {

// Kind codes of `CDataPar`, with the texts of the table's "Тип данных" column.
enum ParamKind : std::uint8_t { KindRazmer = 0, KindStr = 1, KindDecimal = 2, KindSh = 3 };

// The type text of a kind ("размер", "строка", "число", "шероховатость"), Windows-1251.
const std::string& kindText(ParamKind kind);

// One entry of the table order: which list holds the parameter, and where.
struct CDataPar {
    std::uint8_t kind = 0;
    std::int32_t index = 0;
};

struct CParDecimal {
    std::string name;
    double value = 0; // the variant of the model only ever holds a double
    std::string note;
};

struct CParStr {
    std::string name;
    std::string value;
    std::string note;
};

struct CParSh {
    std::string name;
    std::string letters; // "Ra" or "Rz": the first two characters of the cell
    double value = 0;
    std::string note;
};

struct CParRazmer {
    std::string name;
    double nominal = 0;
    std::string field = "0"; // "0" when the dimension has no field
    std::int32_t grade = 0;
    double upper = 0;
    double lower = 0;
    std::int32_t mode = -1; // -1 nominal only, 0 explicit deviations, 1 field and grade
    std::string note;
};

// The typed parameters, rebuilt from the input-data table before every run.
struct CDataProject {
    std::vector<CDataPar> order;
    std::vector<CParRazmer> dims;
    std::vector<CParStr> strs;
    std::vector<CParDecimal> nums;
    std::vector<CParSh> roughs;
};

void clearParameters(CDataProject& data);

// code[0] is the main code, code[1]..code[11] the units "Unit1".."Unit11".
struct CUnit {
    std::array<StringList, 12> code;
};

struct CUnitProject : CUnit {
    CDataProject data;
    StringList declarations; // derived: regenerated before every run, never stored
};

struct CSlide {
    std::string name;
    std::string image; // file name inside workDir + "Image/"
    StringList comment;
};

struct CSVizor {
    std::string workDir; // always ends with '/'
    std::string dbPath;
    CUnitProject project;
    ProgramText programText; // derived: the program of the last run
    std::vector<CSlide> slides;
    std::int32_t currentSlide = 0;

    // Slide list operations.
    void appendSlide(const CSlide& s) { slides.push_back(s); }
    // Later slides move up by one; an index outside the list is refused.
    void eraseSlide(int index);
    int slideCount() const { return static_cast<int>(slides.size()); }
    const CSlide& slide(int index) const;
    void clearSlides() { slides.clear(); }
};

// The picture file of a slide: workDir + "Image/" + image.
std::string slideImagePath(const CSVizor& vizor, const CSlide& slide);

} // namespace qm
