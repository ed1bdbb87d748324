// Opening and saving the project file. The dialogs, the windows and the database link are
// plugged in through hooks, called at the steps where the file commands have always used them.
#pragma once

#include "project/document.h"

#include <functional>
#include <optional>
#include <string>

namespace qm {

struct ProjectHooks {
    // Database link: drop it, remove the "Data Source=" entry from the connection string, and
    // connect the project's database.
    std::function<void()> disconnectDatabase;
    std::function<void()> removeDataSource;
    std::function<void(const std::string& path)> connectDatabase;
    // Desktop: close the code editor and the result window, release the result toggle, show the
    // start picture.
    std::function<void()> closeWindows;
    // Desktop: the code editor's texts into the model before saving, when it is open.
    std::function<void()> takeEditorTexts;
    // Desktop: the caption after the file name changed.
    std::function<void(const std::string& path)> fileNameChanged;
    // Desktop: the slide chooser, the first slide and the counter after an open.
    std::function<void()> slidesChanged;
    // Desktop: the save dialog; nullopt when cancelled (no dialog counts as cancelled).
    std::function<std::optional<std::string>()> askSaveFileName;
};

// Opens the file at `path`. The whole file is read and scanned first; a file that cannot be
// read or ends inside a record throws ProjectFileError and leaves the open project as it was.
// Otherwise the project is replaced and named after the file; a cell that does not convert or
// a database that does not connect is then thrown (ParameterError, or the database's error)
// with the project already open.
void loadProject(ProjectDocument& doc, const std::string& path, const ProjectHooks& hooks = {});

// Writes the project to its file, or asks for a name first when it has none. False when the
// dialog was cancelled. A failed write throws FileError and leaves the old file as it was.
bool saveProject(ProjectDocument& doc, const ProjectHooks& hooks = {});
bool saveProjectAs(ProjectDocument& doc, const ProjectHooks& hooks = {});
// saveProjectAs with the name already chosen. A failed write keeps the previous name.
bool saveProjectAs(ProjectDocument& doc, const std::string& path, const ProjectHooks& hooks = {});

} // namespace qm
