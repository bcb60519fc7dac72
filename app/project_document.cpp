#include "app/project_document.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <system_error>

#include "base/error.h"
#include "base/unicode.h"
#include "project/profile.h"
#include "raster/new_project.h"
#include "ui/qt/ui_hooks.h"

namespace zemtra {

void ProjectDocument::Start(const std::filesystem::path& settingIni,
                            const ProjectSettings& restored) {
    try {
        memory_ = ReadWindowMemory(Profile::LoadFile(settingIni));
    } catch (const UserError&) {
        memory_ = {};  // the load of the settings has said why the file cannot be read
    }
    ProjectSettings file = restored;
    const std::filesystem::path last(Utf16ToUtf8(memory_.project));
    if (!memory_.project.empty()) {
        try {
            if (ReadProjectFile(last, file).isProject) {
                Take(last, file);
                return;
            }
        } catch (const UserError&) {
        }
    }
    ApplyNew(file);
    Take({}, file);
}

void ProjectDocument::Take(const std::filesystem::path& path, const ProjectSettings& settings) {
    path_ = path;
    savedForm_ = SavedForm(settings);
    savedSettings_ = settings;
}

void ProjectDocument::WriteSettingIni(const std::filesystem::path& file,
                                      const ProjectSettings& current) {
    memory_.project = path_.empty() ? std::u16string() : Utf8ToUtf16(path_.string());
    SaveSettingIni(file, discardOnClose_ ? savedSettings_ : current, memory_);
}

void ProjectDocument::AddRecent(const std::filesystem::path& path) {
    AddRecentProject(memory_.recent, Utf8ToUtf16(path.string()));
}

bool ProjectDocument::ForgetRecentIfGone(const std::u16string& path) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(Utf16ToUtf8(path), ec)) return false;
    RemoveRecentProject(memory_.recent, path);
    return true;
}

QString ProjectDocument::FolderFor(FileKind kind) const {
    const auto it = memory_.folders.find(kind);
    if (it != memory_.folders.end()) return ToQString(it->second);
    // The project's own folder before any other: where the user keeps this job's files.
    if (!path_.empty()) return QString::fromStdString(path_.parent_path().string());
    // Then the documents folder, where a desktop user looks first, when there is one.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
    return QDir::homePath();
}

void ProjectDocument::RememberFolder(FileKind kind, const QString& file) {
    if (file.isEmpty()) return;
    memory_.folders[kind] = FromQString(QFileInfo(file).absolutePath());
}

}  // namespace zemtra
