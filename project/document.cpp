#include "project/document.h"

#include "text/cp1251.h"

#include <filesystem>
#include <system_error>

namespace qm {

namespace fs = std::filesystem;

const std::string& unnamedProject() {
    static const std::string name = ru(u8"Безымянный");
    return name;
}

ProjectDocument::ProjectDocument() {
    vizor.workDir = programFolder();
}

void setProjectFileName(ProjectDocument& doc, const std::string& path) {
    doc.projectFileName = path;
    doc.projectTitle = fs::path(path).filename().string();
}

std::string folderOf(const std::string& path) {
    std::error_code ec;
    fs::path p = fs::absolute(fs::path(path), ec);
    if (ec) p = fs::path(path);
    std::string folder = p.parent_path().string();
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

std::string programFolder() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return folderOf("x");
    return folderOf(exe.string());
}

} // namespace qm
