// The lines of a .qmp file: building them from the document and scanning them back.
#pragma once

#include "project/document.h"
#include "text/lines.h"

#include <array>
#include <string>
#include <vector>

namespace qm {

// A project file that cannot be read, scanned or written; the text names the file and, where
// there is one, the 1-based line.
class ProjectFileError : public FileError {
  public:
    using FileError::FileError;
};

// What a scan of a file found, before anything of the open project is touched.
struct ProjectContent {
    std::vector<TableRow> rows;
    std::vector<int> valueLines; // 1-based file line of each row's value cell
    std::vector<CSlide> slides;
    StringList additionalInfo;
    std::array<StringList, 12> code;
    std::string dbPath;
};

// The file's lines in the written layout. Throws ProjectFileError (without a file name) when a
// text holds a line break, which the file could not give back.
StringList buildProjectLines(const ProjectDocument& doc);

// Scans the lines as the reader always has: keywords are recognised wherever they stand, the
// first two lines are never examined. Throws ProjectFileError naming `path` and the line when
// the file ends inside a record.
ProjectContent scanProjectLines(const StringList& lines, const std::string& path);

// Reads a project file (Windows-1251, or UTF-8 when it is valid UTF-8 with non-ASCII bytes).
StringList readProjectLines(const std::string& path);

// ", строка N: " in Windows-1251, for messages that name a line.
std::string lineRef(int line);

} // namespace qm
