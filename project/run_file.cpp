#include "project/run_file.h"

#include "project/file_format.h"
#include "project/parameters.h"
#include "project/pipeline.h"
#include "project/project_file.h"

#include "text/cp1251.h"

namespace qm {

namespace {

// A usage error of the project options; the text is Windows-1251.
class ProjectUsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The command line is UTF-8 as a rule; other bytes are taken as Windows-1251.
std::string argumentText(const std::string& arg) {
    try {
        return decodeFileText(arg);
    } catch (const EncodingError& e) {
        throw ProjectUsageError("--set: " + std::string(e.what()));
    }
}

// Each NAME=VALUE replaces the value cell of the first row whose variable is NAME.
void applySets(ProjectDocument& doc, const ProjectRunOptions& options) {
    for (const auto& [nameArg, valueArg] : options.sets) {
        std::string name = argumentText(nameArg);
        int row = doc.table.findByName(name);
        if (row < 0)
            throw ProjectUsageError("--set " + name +
                                    ": no row of the input-data table has this variable");
        doc.table.rows[static_cast<size_t>(row)][ColValue] = argumentText(valueArg);
    }
}

int reportCell(CCompil& compil, const ParameterError& e) {
    compil.host().statementError(e.conversion, SourceLocation{tableSection(), e.row},
                                 ru(u8"параметр ") + e.name);
    return 1;
}

int fail(const ProjectRunOutput& output, const std::string& text) {
    if (output.error) output.error(text);
    return 2;
}

int usage(const ProjectRunOutput& output, const std::string& text) {
    if (!output.usageError) return fail(output, text);
    output.usageError(text);
    return 2;
}

} // namespace

int runProjectFile(const std::string& path, const ProjectRunOptions& options, CCompil& compil,
                   const ProjectRunOutput& output) {
    ProjectDocument doc;
    try {
        loadProject(doc, path, options.hooks);
    } catch (const ParameterError&) {
        // The project is open; the run rebuilds the parameters and reports the cell.
    } catch (const std::exception& e) {
        return fail(output, e.what()); // a file error, or a database that does not connect
    }
    try {
        applySets(doc, options);
        if (!options.saveAs.empty()) {
            saveProjectAs(doc, options.saveAs, options.hooks);
            if (!options.printProgram) return 0;
        }
    } catch (const ProjectUsageError& e) {
        return usage(output, e.what());
    } catch (const FileError& e) {
        return fail(output, e.what());
    }
    try {
        if (options.printProgram) {
            prepareDeclarations(doc);
            assembleProgram(doc.vizor);
            for (const std::string& line : doc.vizor.programText.lines)
                if (output.printLine) output.printLine(line);
            return 0;
        }
        ResultWindow result;
        runProject(doc, compil, result);
    } catch (const ParameterError& e) {
        return reportCell(compil, e);
    }
    return 0;
}

} // namespace qm
