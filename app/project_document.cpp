#include "app/project_document.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>
#include <system_error>

#include "base/error.h"
#include "base/unicode.h"
#include "project/profile.h"
#include "project/program_folder.h"
#include "raster/new_project.h"
#include "ui/control_ids.h"
#include "ui/file_filter.h"
#include "ui/qt/event_guard.h"
#include "ui/qt/ui_hooks.h"

namespace zemtra {
namespace {

constexpr char16_t kProjectSuffix[] = u"fprj";

}  // namespace

ProjectDocument::ProjectDocument(ProjectSettings& record, WindowHost& host, UiHooks& hooks,
                                 QWidget* window)
    : QObject(window), settings_(record), host_(host), hooks_(hooks), window_(window) {}

void ProjectDocument::Start() {
    host_.ReadControls();
    // Setting.ini is read once: the last run's settings, then the window's memory.
    Profile profile;
    LoadedProject loaded;
    try {
        profile = Profile::LoadFile(SettingIniPath());
        loaded = ReadProject(profile, settings_);
    } catch (const UserError& e) {
        // The start-up has nothing else to show: it says why and falls back on New.
        host_.ShowMessage(QMessageBox::Warning, ErrorText(hooks_, e));
    }
    if (loaded.isProject) {
        host_.ShowProject(loaded);
        TellSkippedGlyphs(SettingIniPath(), loaded.glyphProblems);
    } else {
        host_.ShowNewProject();
    }
    memory_ = ReadWindowMemory(profile);  // none when the file could not be read
    // The comparison is with the file the restored settings came from, if it still is one.
    ProjectSettings file = settings_;
    const std::filesystem::path last(Utf16ToUtf8(memory_.project));
    bool titled = false;
    if (!memory_.project.empty()) {
        try {
            titled = ReadProjectFile(last, file).isProject;
        } catch (const UserError&) {
        }
    }
    if (!titled) {
        file = settings_;
        ApplyNew(file);
    }
    path_ = titled ? last : std::filesystem::path();
    savedForm_ = SavedForm(file);
    savedSettings_ = file;
    UpdateTitle();
    RebuildRecentMenu();
    RestoreWindowSize();
}

bool ProjectDocument::IsModified() {
    host_.ReadControls();
    return SavedForm(settings_) != savedForm_;
}

void ProjectDocument::Take(const std::filesystem::path& path) {
    host_.ReadControls();
    path_ = path;
    savedForm_ = SavedForm(settings_);
    savedSettings_ = settings_;
    UpdateTitle();
}

QString ProjectDocument::ShownName() const {
    return path_.empty() ? host_.Text(Msg::Untitled)
                         : QString::fromStdString(path_.filename().string());
}

bool ProjectDocument::MayDiscardChanges() {
    if (!IsModified()) return true;
    switch (hooks_.askSaveChanges(window_, host_.ProgramCaption(),
                                  host_.Text(Msg::SaveChanges, {ShownName()}))) {
        case SaveChoice::Save:
            return SaveCommand();
        case SaveChoice::Discard:
            return true;
        case SaveChoice::Cancel:
            return false;
    }
    return false;
}

bool ProjectDocument::MayClose() {
    const bool modified = IsModified();
    if (!MayDiscardChanges()) return false;
    // Still modified after the question: the answer was Discard, and the next start shows the
    // project as it was saved (or as New made it), not the discarded work.
    discardOnClose_ = modified && IsModified();
    return true;
}

bool ProjectDocument::OpenProject(const std::filesystem::path& path) {
    ProjectSettings read = settings_;
    LoadedProject loaded;
    try {
        loaded = ReadProjectFile(path, read);
    } catch (const UserError& e) {
        host_.ShowMessage(QMessageBox::Warning, ErrorText(hooks_, e));
        return false;
    }
    const QString shown = QString::fromStdString(path.string());
    if (!loaded.isProject) {
        host_.ShowMessage(QMessageBox::Warning,
                          host_.Text(Msg::NotAProject, {shown, host_.Text(loaded.notAProject)}));
        return false;
    }
    if (!MayDiscardChanges()) return false;
    const std::vector<std::string> bad = ChoicesOutOfRange(read);
    settings_ = std::move(read);
    host_.ShowProject(loaded);
    Take(path);
    AddRecent(path);
    host_.ShowStatus(Message{Msg::StatusOpened, {FromQString(shown)}});
    TellSkippedGlyphs(path, loaded.glyphProblems);
    // Named now rather than at the first Create, which would refuse them.
    if (!bad.empty()) {
        QStringList named;
        for (const std::string& b : bad) named << QString::fromStdString(b);
        const Message why{Msg::ChoicesOutOfRange, {path.string(), FromQString(named.join(", "))}};
        host_.ShowStatus(why);
        host_.ShowMessage(QMessageBox::Warning, host_.Text(MessageArg(why)));
    }
    return true;
}

void ProjectDocument::TellSkippedGlyphs(const std::filesystem::path& file,
                                        const std::vector<std::string>& problems) {
    if (problems.empty()) return;
    QStringList lines;
    for (const std::string& problem : problems) lines << QString::fromStdString(problem);
    host_.ShowMessage(
        QMessageBox::Warning,
        host_.Text(Msg::GlyphsSkipped, {QString::fromStdString(file.string()), lines.join(u'\n')}));
}

bool ProjectDocument::Save(const std::filesystem::path& path) {
    host_.ReadControls();
    try {
        // Merged into the file: Setting.ini keeps its [Setting] section, a project its extras.
        SaveProject(path.empty() ? SettingIniPath() : path, settings_);
        return true;
    } catch (const UserError& e) {
        // Quietly losing the settings would surprise the user at the next start or open.
        host_.ShowMessage(QMessageBox::Warning, ErrorText(hooks_, e));
        return false;
    }
}

void ProjectDocument::New() {
    if (!MayDiscardChanges()) return;
    host_.ShowNewProject();
    Take({});
    host_.ShowStatus(QString());  // the old project's news is not the new one's
}

void ProjectDocument::Open() {
    const QStringList names = hooks_.openFileNames(
        window_,
        {OneKindFilter(Msg::FilterProject, ToQString(kProjectSuffix)), ToQString(kProjectSuffix),
         false, host_.Text(Msg::DlgOpenProject), FolderFor(FileKind::Project)});
    if (names.isEmpty()) return;
    RememberFolder(FileKind::Project, names.front());
    OpenProject(ToLocalPath(names.front()));
}

bool ProjectDocument::SaveCommand() {
    const std::filesystem::path path = path_;
    if (path.empty()) return SaveAs();
    if (!Save(path)) return false;
    Take(path);
    AddRecent(path);
    host_.ShowStatus(Message{Msg::StatusSaved, {path.string()}});
    return true;
}

bool ProjectDocument::SaveAs() {
    // The project's own name to start from, or "Untitled.fprj".
    const QString offered =
        path_.empty() ? host_.Text(Msg::Untitled) + QStringLiteral(".") + ToQString(kProjectSuffix)
                      : ShownName();
    const QString name = AskSaveName(FileKind::Project, Msg::FilterProject,
                                     ToQString(kProjectSuffix), Msg::DlgSaveProject, offered);
    if (name.isEmpty()) return false;
    if (!Save(ToLocalPath(name))) return false;
    Take(ToLocalPath(name));
    AddRecent(path_);
    host_.ShowStatus(Message{Msg::StatusSaved, {FromQString(name)}});
    return true;
}

void ProjectDocument::WriteSettingIni() {
    closed_ = true;
    host_.ReadControls();
    RememberWindowSize();
    memory_.project = path_.empty() ? std::u16string() : Utf8ToUtf16(path_.string());
    try {
        SaveSettingIni(SettingIniPath(), discardOnClose_ ? savedSettings_ : settings_, memory_);
    } catch (const UserError& e) {
        // Quietly losing the settings would surprise the user at the next start.
        host_.ShowMessage(QMessageBox::Warning, ErrorText(hooks_, e));
    }
}

void ProjectDocument::ScheduleTitleUpdate() {
    if (titlePending_ || closed_) return;
    titlePending_ = true;
    QTimer::singleShot(0, this, [this] {
        titlePending_ = false;
        if (!closed_) UpdateTitle();
    });
}

void ProjectDocument::UpdateTitle() {
    if (savedForm_.empty()) return;  // before start-up has its state
    window_->setWindowTitle((IsModified() ? QStringLiteral("*") : QString()) + ShownName() +
                            QStringLiteral(" - ") + host_.ProgramCaption());
}

// ---- Recent.

void ProjectDocument::AddRecent(const std::filesystem::path& path) {
    AddRecentProject(memory_.recent, Utf8ToUtf16(path.string()));
    RebuildRecentMenu();
}

void ProjectDocument::RebuildRecentMenu() {
    if (recentMenu_ == nullptr) return;
    recentMenu_->clear();
    if (memory_.recent.empty()) {
        QAction* none = recentMenu_->addAction(host_.Text(Msg::RecentEmpty));
        none->setProperty(kCommandIdProperty, kCmdRecentNone);
        none->setEnabled(false);
        return;
    }
    const QString home = QDir::homePath();
    for (size_t i = 0; i < memory_.recent.size(); ++i) {
        QString path = ToQString(memory_.recent[i]);
        QString shown = path;
        if (!home.isEmpty() && shown.startsWith(home + u'/')) shown = u'~' + shown.mid(home.size());
        shown.replace(u'&', QStringLiteral("&&"));
        QAction* action = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        action->setProperty(kCommandIdProperty, kCmdRecentFirst + static_cast<int>(i));
        action->setToolTip(path);
        const int index = static_cast<int>(i);
        connect(action, &QAction::triggered, this,
                Guarded(window_, &hooks_, [this, index] { OpenRecent(index); }));
    }
}

void ProjectDocument::OpenRecent(int index) {
    if (index < 0 || static_cast<size_t>(index) >= memory_.recent.size()) return;
    const std::u16string path = memory_.recent[static_cast<size_t>(index)];
    if (OpenProject(std::filesystem::path(Utf16ToUtf8(path)))) return;
    // A file that went away or is no project any more leaves the list.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(Utf16ToUtf8(path), ec)) {
        RemoveRecentProject(memory_.recent, path);
        RebuildRecentMenu();
    }
}

// ---- File dialogs and the window's size.

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

QString ProjectDocument::OneKindFilter(Msg kind, const QString& suffix) const {
    return ToQString(FileDialogFilter(
        FromQString(host_.Text(kind) + QStringLiteral("|*.") + suffix + QStringLiteral("|") +
                    host_.Text(Msg::FilterAll) + QStringLiteral("|*.*||"))));
}

QString ProjectDocument::AskSaveName(FileKind kind, Msg filter, const QString& suffix, Msg caption,
                                     const QString& offered) {
    SaveFileRequest request;
    request.filter = OneKindFilter(filter, suffix);
    request.defaultSuffix = suffix;
    request.caption = host_.Text(caption);
    request.directory = FolderFor(kind);
    request.fileName = offered;
    const QString name = hooks_.saveFileName(window_, request);
    RememberFolder(kind, name);
    return name;
}

void ProjectDocument::RestoreWindowSize() {
    // Sizes are kept in the toolkit's device-independent pixels, so a 2x screen reads them alike.
    if (memory_.width > 0 && memory_.height > 0) {
        window_->resize(std::max(memory_.width, window_->minimumWidth()),
                        std::max(memory_.height, window_->minimumHeight()));
    }
    if (memory_.maximized) window_->setWindowState(window_->windowState() | Qt::WindowMaximized);
}

void ProjectDocument::RememberWindowSize() {
    memory_.maximized = window_->isMaximized();
    const QRect normal = window_->isMaximized() || window_->isFullScreen()
                             ? window_->normalGeometry()
                             : window_->geometry();
    if (normal.isValid()) {
        memory_.width = normal.width();
        memory_.height = normal.height();
    }
}

}  // namespace zemtra
