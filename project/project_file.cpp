#include "project/project_file.h"

#include "project/file_format.h"
#include "project/parameters.h"

#include "text/cp1251.h"

#include <exception>

namespace qm {

namespace {

template <class F, class... Args> void call(const F& hook, Args&&... args) {
    if (hook) hook(std::forward<Args>(args)...);
}

// Steps 2 to 5: the database link, the windows, the model replaced by what the file holds.
void replaceContent(ProjectDocument& doc, ProjectContent& c, const ProjectHooks& hooks,
                    std::exception_ptr& firstError) {
    call(hooks.disconnectDatabase);
    call(hooks.removeDataSource);
    doc.vizor.dbPath = c.dbPath;
    if (!c.dbPath.empty() && hooks.connectDatabase) {
        try {
            hooks.connectDatabase(c.dbPath);
        } catch (...) {
            firstError = std::current_exception();
        }
        doc.vizor.dbPath = c.dbPath; // kept, so that a save does not lose the database line
    }
    call(hooks.closeWindows);
    doc.additionalInfo = std::move(c.additionalInfo);
    for (size_t k = 0; k < c.code.size(); ++k)
        doc.vizor.project.code[k] = std::move(c.code[k]);
    doc.vizor.slides = std::move(c.slides);
    clearParameters(doc.vizor.project.data);
    doc.table.cutToHeader();
    doc.table.rows = c.rows;
}

// Step 8, with the error naming the file line of the cell.
void rebuildParameters(ProjectDocument& doc, const ProjectContent& c, const std::string& path,
                       std::exception_ptr& firstError) {
    try {
        readParameterTable(doc.vizor.project.data, doc.table);
    } catch (const ParameterError& e) {
        if (firstError) return;
        int line = c.valueLines.at(static_cast<size_t>(e.row) - 1);
        firstError = std::make_exception_ptr(ParameterError(
            e.row, e.name, e.conversion,
            path + lineRef(line) + e.conversion + " (" + tableSection() + ru(u8", строка ") +
                std::to_string(e.row) + ru(u8", параметр ") + e.name + ")"));
    }
}

void name(ProjectDocument& doc, const std::string& path, const ProjectHooks& hooks) {
    setProjectFileName(doc, path);
    doc.vizor.workDir = folderOf(path);
    call(hooks.fileNameChanged, path);
}

// Builds every line first, so that a text the file cannot hold stops the save before the write.
void writeProject(const ProjectDocument& doc) {
    StringList lines;
    try {
        lines = buildProjectLines(doc);
    } catch (const ProjectFileError& e) {
        throw ProjectFileError(doc.projectFileName + ": " + e.what());
    }
    writeLineFile(doc.projectFileName, lines);
}

} // namespace

void loadProject(ProjectDocument& doc, const std::string& path, const ProjectHooks& hooks) {
    ProjectContent content = scanProjectLines(readProjectLines(path), path);
    std::exception_ptr firstError;
    replaceContent(doc, content, hooks, firstError);
    rebuildParameters(doc, content, path, firstError);
    name(doc, path, hooks);
    doc.vizor.currentSlide = 0;
    call(hooks.slidesChanged);
    if (firstError) std::rethrow_exception(firstError);
}

bool saveProject(ProjectDocument& doc, const ProjectHooks& hooks) {
    call(hooks.takeEditorTexts);
    if (doc.projectFileName == unnamedProject()) return saveProjectAs(doc, hooks);
    writeProject(doc);
    return true;
}

bool saveProjectAs(ProjectDocument& doc, const ProjectHooks& hooks) {
    if (!hooks.askSaveFileName) return false;
    std::optional<std::string> path = hooks.askSaveFileName();
    if (!path) return false;
    return saveProjectAs(doc, *path, hooks);
}

bool saveProjectAs(ProjectDocument& doc, const std::string& path, const ProjectHooks& hooks) {
    const std::string oldName = doc.projectFileName, oldTitle = doc.projectTitle;
    const std::string oldWorkDir = doc.vizor.workDir;
    name(doc, path, hooks);
    try {
        call(hooks.takeEditorTexts);
        writeProject(doc);
    } catch (...) {
        doc.projectFileName = oldName;
        doc.projectTitle = oldTitle;
        doc.vizor.workDir = oldWorkDir;
        call(hooks.fileNameChanged, oldName);
        throw;
    }
    return true;
}

} // namespace qm
