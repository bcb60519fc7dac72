// The project the main window works on, apart from its controls: which file it is, the state
// it had when last opened or saved (whether the window's differs shows in the title), the
// project commands (New, Open, Save, Save As, Recent, "Save changes?"), and the window's memory
// in Setting.ini (the last run's settings, recent projects, the file dialogs' folders, size).
#pragma once

#include <QObject>
#include <QString>
#include <filesystem>
#include <string>
#include <vector>

#include "app/window_host.h"
#include "base/project_settings.h"
#include "project/project_file.h"
#include "project/window_memory.h"

class QMenu;
class QWidget;

namespace zemtra {

struct UiHooks;

class ProjectDocument : public QObject {
    Q_OBJECT
  public:
    ProjectDocument(ProjectSettings& record, WindowHost& host, UiHooks& hooks, QWidget* window);

    // The project file; empty while untitled.
    const std::filesystem::path& Path() const { return path_; }
    const WindowMemory& Memory() const { return memory_; }
    WindowMemory& Memory() { return memory_; }
    // Project > Recent, filled from the memory.
    void SetRecentMenu(QMenu* menu) { recentMenu_ = menu; }

    // Start-up: the last run's settings from Setting.ini (or New's, saying why), then the
    // window's memory. Those settings belong to the project open at exit while that file still
    // is one; otherwise the state with nothing to lose is the one New gives.
    void Start();
    // Whether what Save would write now differs from the project as last opened or saved.
    bool IsModified();
    // Asks "Save changes?" when modified: true when the caller may go on (saved, discarded,
    // nothing to ask), false when the user cancelled or the save failed.
    bool MayDiscardChanges();
    // Reads a project file into a copy first (one that is no project changes nothing and says
    // why), asks about unsaved changes, then shows it. True when it was opened.
    bool OpenProject(const std::filesystem::path& path);
    // Saves the settings as a project (empty path: Setting.ini); false, after telling the
    // user, when the file cannot be written.
    bool Save(const std::filesystem::path& path);
    void New();
    void Open();
    // Save writes the project's own file; an untitled one asks for a name as Save As does.
    bool SaveCommand();
    bool SaveAs();
    // Closing: true when the window may close; "Discard" leaves the project as last opened
    // or saved for the next start.
    bool MayClose();
    // Setting.ini at exit: the settings (or, after "Discard", the saved ones), the memory and
    // the window's size.
    void WriteSettingIni();

    // The title: "*" when modified, the project's name and the program's. Scheduled once for
    // a burst of events, as the comparison reads every control.
    void ScheduleTitleUpdate();
    void UpdateTitle();
    void RebuildRecentMenu();

    // A file dialog's start folder for a kind of file: the one last used for it, else the
    // project's, else the documents folder when there is one, else home.
    QString FolderFor(FileKind kind) const;
    void RememberFolder(FileKind kind, const QString& file);
    // The filter of one kind of file ("TEXT|*.suffix") and of all files, in the language.
    QString OneKindFilter(Msg kind, const QString& suffix) const;
    // Asks where to write a file of a kind, starting in that kind's folder, and remembers the
    // folder of the answer; empty when the user cancels.
    QString AskSaveName(FileKind kind, Msg filter, const QString& suffix, Msg caption,
                        const QString& offered = QString());
    // The glyph edits a load skipped, in one message.
    void TellSkippedGlyphs(const std::filesystem::path& file,
                           const std::vector<std::string>& problems);

  private:
    void Take(const std::filesystem::path& path);  // the window's state, opened or saved as path
    QString ShownName() const;
    void AddRecent(const std::filesystem::path& path);
    void OpenRecent(int index);
    void RestoreWindowSize();
    void RememberWindowSize();

    ProjectSettings& settings_;
    WindowHost& host_;
    UiHooks& hooks_;
    QWidget* window_;
    QMenu* recentMenu_ = nullptr;
    std::filesystem::path path_;
    ProjectForm savedForm_;
    ProjectSettings savedSettings_;
    bool discardOnClose_ = false;
    bool titlePending_ = false;
    bool closed_ = false;  // Setting.ini is written: the title is left alone
    WindowMemory memory_;
};

}  // namespace zemtra
