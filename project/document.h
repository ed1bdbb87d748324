// The open project as a document: the model and the state beside it (file name, title, the
// input-data table, the additional information).
#pragma once

#include "project/model.h"
#include "project/table.h"

#include <string>

namespace qm {

// "Безымянный": the file name of a project that was never saved or opened.
const std::string& unnamedProject();

struct ProjectDocument {
    CSVizor vizor;
    std::string projectFileName = unnamedProject();
    std::string projectTitle = unnamedProject();
    InputTable table = InputTable::initial();
    StringList additionalInfo;

    // workDir starts as the folder of the running program.
    ProjectDocument();
};

// File name and title (the window caption is the desktop's).
void setProjectFileName(ProjectDocument& doc, const std::string& path);

// The folder of a file, absolute and ending with '/'.
std::string folderOf(const std::string& path);
// The folder of the running program, ending with '/'.
std::string programFolder();

} // namespace qm
