// The project the main window works on, apart from its controls: which file it is, the state
// it had when last opened or saved (so the window can tell whether its own differs), and the
// window's memory in Setting.ini (recent projects, the file dialogs' folders, its size).
#pragma once

#include <QString>
#include <filesystem>

#include "base/project_settings.h"
#include "project/project_file.h"
#include "project/window_memory.h"

namespace zemtra {

class ProjectDocument {
  public:
    // The project file; empty while untitled.
    const std::filesystem::path& Path() const { return path_; }
    const WindowMemory& Memory() const { return memory_; }
    WindowMemory& Memory() { return memory_; }
    // Whether the start state was taken, so the title has something to compare with.
    bool Started() const { return !savedForm_.empty(); }

    // Start-up, after Setting.ini's settings were restored: reads the window's memory from
    // that file (a file that cannot be read gives none). The restored settings belong to the
    // project open at exit while that file still is one; otherwise the state with nothing to
    // lose is the one New gives.
    void Start(const std::filesystem::path& settingIni, const ProjectSettings& restored);
    // Whether what Save would write (now) differs from the project as last opened or saved.
    bool Differs(const ProjectForm& now) const { return now != savedForm_; }
    // The window's state is the project's as opened or saved under path (empty: untitled).
    void Take(const std::filesystem::path& path, const ProjectSettings& settings);
    // Closing with "Discard": Setting.ini gets the project as last opened or saved.
    void DiscardOnClose(bool discard) { discardOnClose_ = discard; }
    // Setting.ini at exit: the window's memory, and the settings (or, when closing discards,
    // the saved ones). Throws UserError when the file cannot be written.
    void WriteSettingIni(const std::filesystem::path& file, const ProjectSettings& current);

    // Project > Recent: path first; Forget drops one that went away or is no file any more
    // (true when it did).
    void AddRecent(const std::filesystem::path& path);
    bool ForgetRecentIfGone(const std::u16string& path);

    // A file dialog's start folder for a kind of file: the one last used for it, else the
    // project's, else the documents folder when there is one, else home.
    QString FolderFor(FileKind kind) const;
    void RememberFolder(FileKind kind, const QString& file);

  private:
    std::filesystem::path path_;
    ProjectForm savedForm_;
    ProjectSettings savedSettings_;
    bool discardOnClose_ = false;
    WindowMemory memory_;
};

}  // namespace zemtra
