// Reading a .qmp file and scanning its lines for the keyword records.
#include "project/file_format.h"
#include "project/keywords.h"

#include "text/cp1251.h"

namespace qm {

std::string lineRef(int line) {
    return ru(u8", строка ") + std::to_string(line) + ": ";
}

namespace {

// The scan position and the record it is in, so that running off the end names both.
class Scanner {
  public:
    Scanner(const StringList& lines, const std::string& path) : L(lines), path_(path) {}

    ProjectContent run();

  private:
    const StringList& L;
    const std::string& path_;
    size_t A = 2;
    size_t recordStart = 0;
    std::string record;
    ProjectContent c;

    const std::string& at(size_t i) const;
    void begin(const std::string& keyword) {
        record = keyword;
        recordStart = A;
    }
    void readParameter();
    void readDatabasePath();
    void readSlide();
    void readInfo();
    void readMainCode();
    void readUnits();
};

// A line past the end is the list-index error of the original reader; it ends the scan.
const std::string& Scanner::at(size_t i) const {
    if (i < L.size()) return L[i];
    throw ProjectFileError(path_ + lineRef(static_cast<int>(recordStart) + 1) +
                           ru(u8"файл кончается внутри записи «") + record +
                           ru(u8"» (индекс списка вне границ (") + std::to_string(i) + "))");
}

// "параметр" and its four cells; A stays on the note cell, which the later checks examine.
void Scanner::readParameter() {
    begin(keyword::parameter());
    TableRow row;
    for (size_t k = 0; k < 4; ++k)
        row[k] = at(A + 1 + k);
    c.rows.push_back(row);
    c.valueLines.push_back(static_cast<int>(A + 3) + 1);
    A += 4;
}

void Scanner::readDatabasePath() {
    begin(keyword::databasePath());
    ++A;
    c.dbPath = at(A);
    if (!c.dbPath.empty()) ++A;
}

void Scanner::readSlide() {
    begin(keyword::slide());
    CSlide s;
    s.name = at(++A);
    s.image = at(++A);
    while (at(++A) != keyword::slideEnd())
        s.comment.push_back(L[A]);
    c.slides.push_back(s);
}

void Scanner::readInfo() {
    begin(keyword::info());
    while (at(++A) != keyword::infoEnd())
        c.additionalInfo.push_back(L[A]);
}

void Scanner::readMainCode() {
    ++A;
    while (A < L.size() && !keyword::isUnitMarker(L[A], 1))
        c.code[0].push_back(L[A++]);
}

// Units in increasing order; a marker of a lower unit inside a unit is content of that unit.
void Scanner::readUnits() {
    for (int k = 1; k <= 11; ++k) {
        if (A >= L.size() || L[A] != keyword::unit(k)) continue;
        ++A;
        while (A < L.size() && !keyword::isUnitMarker(L[A], k + 1))
            c.code[k].push_back(L[A++]);
    }
}

// Each pass makes the checks in this order, each on the line at the current position.
ProjectContent Scanner::run() {
    while (A < L.size()) {
        if (at(A) == keyword::parameter()) readParameter();
        if (at(A) == keyword::databasePath()) readDatabasePath();
        if (at(A) == keyword::slide()) readSlide();
        if (at(A) == keyword::info()) readInfo();
        if (at(A) == keyword::code()) readMainCode();
        readUnits();
        ++A;
    }
    return c;
}

} // namespace

ProjectContent scanProjectLines(const StringList& lines, const std::string& path) {
    return Scanner(lines, path).run();
}

StringList readProjectLines(const std::string& path) {
    std::string bytes = readFileBytes(path);
    if (!hasNonAscii(bytes) || !isValidUtf8(bytes)) return splitLines(bytes);
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
    StringList lines = splitLines(bytes);
    for (size_t i = 0; i < lines.size(); ++i) {
        try {
            lines[i] = utf8ToCp1251(lines[i]);
        } catch (const EncodingError& e) {
            throw ProjectFileError(path + lineRef(static_cast<int>(i) + 1) + e.what());
        }
    }
    return lines;
}

} // namespace qm
