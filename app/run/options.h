// The command line of quillmark-run.
#pragma once

#include "runner_host.h"

#include <string>
#include <utility>
#include <vector>

namespace qm {

struct RunOptions {
    std::string file;
    char decimalSeparator = 0; // 0: that of the process locale
    double timeoutSeconds = 0; // 0: none
    OutputEncoding encoding = OutputEncoding::Utf8;
    std::vector<std::pair<std::string, std::string>> sets; // --set NAME=VALUE, in order
    bool printProgram = false;
    std::string saveAs;
    std::string tracePath, svgPath, dxfPath, dbPath;
    bool help = false, version = false;
};

// Throws UsageError for anything it cannot take.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

RunOptions parseOptions(int argc, char** argv);
extern const char* const kUsage;

} // namespace qm
