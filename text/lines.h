// Line files: read with CR LF, LF or CR as line end, written in Windows-1251 with CR LF.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace qm {

using StringList = std::vector<std::string>;

// A file that cannot be read or written; the text names the file and the cause.
class FileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Splits text at CR LF, LF and CR. A final line end does not start another line.
StringList splitLines(const std::string& text);

// The core's Windows-1251 text of file bytes: valid UTF-8 with non-ASCII bytes is converted
// (a leading byte-order mark dropped), anything else is taken as Windows-1251 already.
std::string decodeFileText(const std::string& bytes);

std::string readFileBytes(const std::string& path);
StringList readLineFile(const std::string& path);

// Every line followed by CR LF.
std::string joinLinesCrLf(const StringList& lines);

// Replaces the file only once the new content is safely on disk: a temporary file in the same
// folder, flushed, then renamed over the old one. On failure the old file is untouched.
void writeFileAtomically(const std::string& path, const std::string& bytes);
void writeLineFile(const std::string& path, const StringList& lines);

} // namespace qm
