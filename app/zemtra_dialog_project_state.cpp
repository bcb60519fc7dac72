// What the main window knows about its project beyond the settings: which file it works on,
// whether its state differs from that file (compared as the saved forms), the title with its
// mark, "Save changes?", Recent, dropped files, the status line, the folders of the file
// dialogs and the window's size, kept in Setting.ini.
#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>

#include "app/zemtra_dialog.h"
#include "base/error.h"
#include "base/unicode.h"
#include "ui/dialog_template.h"
#include "ui/file_filter.h"

namespace zemtra {
QString CZemtraDlg::Text(const MessageArg& fact) const {
    return Worded(hooks_, fact);
}

QString CZemtraDlg::Text(Msg id, const QStringList& args) const {
    std::vector<std::u16string> filled;
    filled.reserve(static_cast<size_t>(args.size()));
    for (const QString& a : args) filled.push_back(FromQString(a));
    if (!language_) return ToQString(FillText(MessageTextOf(id).english, filled));
    return ToQString(language_->Text(id, filled));
}

void CZemtraDlg::ShowStatus(const QString& text) {
    statusMessage_.reset();
    status_->showMessage(text);
    status_->setToolTip(text);  // a long line is cut where the window ends
}

void CZemtraDlg::ShowStatus(const Message& message) {
    ShowStatus(Text(MessageArg(message)));
    statusMessage_ = message;  // worded again when the language changes
}

QString CZemtraDlg::StatusText() const {
    return status_->currentMessage();
}

ProjectForm CZemtraDlg::CurrentForm() {
    panel_->Pull();
    panel_->ReadDirectControls();
    return SavedForm(settings_);
}

bool CZemtraDlg::IsModified() {
    return document_.Differs(CurrentForm());
}

void CZemtraDlg::TakeSavedState(const std::filesystem::path& path) {
    panel_->Pull();
    panel_->ReadDirectControls();
    document_.Take(path, settings_);
    UpdateTitle();
}

void CZemtraDlg::ScheduleTitleUpdate() {
    if (titlePending_ || destroyed_) return;
    titlePending_ = true;
    // Once per burst of events: the comparison pulls every control.
    QTimer::singleShot(0, this, [this] {
        titlePending_ = false;
        if (!destroyed_) UpdateTitle();
    });
}

QString CZemtraDlg::ProgramCaption() const {
    const std::optional<std::u16string> caption =
        language_ ? language_->Caption(DialogSection(kMainDialogId), DialogTitleKey(kMainDialogId))
                  : std::nullopt;
    return ToQString(caption.value_or(std::u16string(MainDialogTemplate().caption)));
}

void CZemtraDlg::UpdateTitle() {
    const QString name = document_.Path().empty()
                             ? Text(Msg::Untitled)
                             : QString::fromStdString(document_.Path().filename().string());
    const QString program = ProgramCaption();
    setWindowTitle((IsModified() ? QStringLiteral("*") : QString()) + name + QStringLiteral(" - ") +
                   program);
}

bool CZemtraDlg::MayDiscardChanges() {
    if (!IsModified()) return true;
    const QString name = document_.Path().empty()
                             ? Text(Msg::Untitled)
                             : QString::fromStdString(document_.Path().filename().string());
    switch (hooks_.askSaveChanges(this, ProgramCaption(), Text(Msg::SaveChanges, {name}))) {
        case SaveChoice::Save:
            return OnSave();
        case SaveChoice::Discard:
            return true;
        case SaveChoice::Cancel:
            return false;
    }
    return false;
}

bool CZemtraDlg::OpenProject(const std::filesystem::path& path) {
    // The file is read into a copy first: one that is no project changes nothing.
    ProjectSettings read = settings_;
    LoadedProject loaded;
    try {
        loaded = ReadProjectFile(path, read);
    } catch (const UserError& e) {
        ShowMessage(QMessageBox::Warning, windowTitle(), ErrorText(hooks_, e));
        return false;
    }
    const QString shown = QString::fromStdString(path.string());
    if (!loaded.isProject) {
        ShowMessage(QMessageBox::Warning, windowTitle(),
                    Text(Msg::NotAProject, {shown, Text(loaded.notAProject)}));
        return false;
    }
    if (!MayDiscardChanges()) return false;
    const std::vector<std::string> bad = ChoicesOutOfRange(read);
    settings_ = std::move(read);
    ShowLoaded(loaded);
    TakeSavedState(path);
    AddRecent(path);
    ShowStatus(Message{Msg::StatusOpened, {FromQString(shown)}});
    TellSkippedGlyphs(path, loaded.glyphProblems);
    // Named now rather than at the first Create, which would refuse them.
    if (!bad.empty()) {
        QStringList named;
        for (const std::string& b : bad) named << QString::fromStdString(b);
        const Message why{Msg::ChoicesOutOfRange, {path.string(), FromQString(named.join(", "))}};
        ShowStatus(why);
        ShowMessage(QMessageBox::Warning, windowTitle(), Text(MessageArg(why)));
    }
    return true;
}

void CZemtraDlg::reject() {
    if (!destroyed_) {
        const bool modified = IsModified();
        if (!MayDiscardChanges()) return;
        // Still modified after the question: the answer was Discard, and the next start shows
        // the project as it was saved (or as New made it), not the discarded work.
        document_.DiscardOnClose(modified && IsModified());
    }
    QDialog::reject();
}

void CZemtraDlg::keyPressEvent(QKeyEvent* event) {
    // A dialog ends on Escape; a main window holding the user's work does not.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// ---- Recent.

void CZemtraDlg::AddRecent(const std::filesystem::path& path) {
    document_.AddRecent(path);
    RebuildRecentMenu();
}

void CZemtraDlg::RebuildRecentMenu() {
    if (recentMenu_ == nullptr) return;
    recentMenu_->clear();
    if (document_.Memory().recent.empty()) {
        QAction* none = recentMenu_->addAction(Text(Msg::RecentEmpty));
        none->setProperty(kCommandIdProperty, kCmdRecentNone);
        none->setEnabled(false);
        return;
    }
    const QString home = QDir::homePath();
    for (size_t i = 0; i < document_.Memory().recent.size(); ++i) {
        QString path = ToQString(document_.Memory().recent[i]);
        QString shown = path;
        if (!home.isEmpty() && shown.startsWith(home + u'/')) shown = u'~' + shown.mid(home.size());
        shown.replace(u'&', QStringLiteral("&&"));
        QAction* action = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        action->setProperty(kCommandIdProperty, kCmdRecentFirst + static_cast<int>(i));
        action->setToolTip(path);
        const int index = static_cast<int>(i);
        connect(action, &QAction::triggered, this, Guard([this, index] { OnRecent(index); }));
    }
}

void CZemtraDlg::OnRecent(int index) {
    if (index < 0 || static_cast<size_t>(index) >= document_.Memory().recent.size()) return;
    const std::u16string path = document_.Memory().recent[static_cast<size_t>(index)];
    if (!OpenProject(std::filesystem::path(Utf16ToUtf8(path)))) {
        // A file that went away or is no project any more leaves the list.
        if (document_.ForgetRecentIfGone(path)) RebuildRecentMenu();
    }
}

// ---- Dropped files.

void CZemtraDlg::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() && controlsEnabled_) event->acceptProposedAction();
}

void CZemtraDlg::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) paths << url.toLocalFile();
    }
    event->acceptProposedAction();
    Guard([this, paths] { DropFiles(paths); })();
}

void CZemtraDlg::DropFiles(const QStringList& paths) {
    if (!controlsEnabled_ || runner_.Running()) return;  // a job works on the settings
    QStringList pictures;
    QStringList unknown;
    QString project;
    QString font;
    for (const QString& p : paths) {
        switch (DroppedFileKind(FromQString(p))) {
            case DroppedKind::Project:
                if (project.isEmpty()) project = p;
                break;
            case DroppedKind::Picture:
                pictures << p;
                break;
            case DroppedKind::Font:
                font = p;
                break;
            case DroppedKind::Other:
                unknown << p;
                break;
        }
    }
    if (!unknown.isEmpty()) {
        ShowMessage(QMessageBox::Warning, windowTitle(),
                    Text(Msg::DropUnknown, {unknown.join(u'\n')}));
    }
    // A project replaces everything, so it is opened first and the rest added to it.
    if (!project.isEmpty() && !OpenProject(ToLocalPath(project))) return;
    if (!font.isEmpty()) ChooseFontFile(font);
    if (!pictures.isEmpty()) AddPictures(pictures);
}

// ---- File dialogs and the window's size.

QString CZemtraDlg::OneKindFilter(Msg kind, const QString& suffix) const {
    return ToQString(FileDialogFilter(FromQString(Text(kind) + QStringLiteral("|*.") + suffix +
                                                  QStringLiteral("|") + Text(Msg::FilterAll) +
                                                  QStringLiteral("|*.*||"))));
}

QString CZemtraDlg::AskSaveName(FileKind kind, Msg filter, const QString& suffix, Msg caption,
                                const QString& offered) {
    SaveFileRequest request;
    request.filter = OneKindFilter(filter, suffix);
    request.defaultSuffix = suffix;
    request.caption = Text(caption);
    request.directory = document_.FolderFor(kind);
    request.fileName = offered;
    const QString name = hooks_.saveFileName(this, request);
    document_.RememberFolder(kind, name);
    return name;
}

void CZemtraDlg::RestoreWindowSize() {
    // Sizes are kept in the toolkit's device-independent pixels, so a 2x screen reads them alike.
    if (document_.Memory().width > 0 && document_.Memory().height > 0) {
        resize(std::max(document_.Memory().width, minimumWidth()),
               std::max(document_.Memory().height, minimumHeight()));
    }
    if (document_.Memory().maximized) setWindowState(windowState() | Qt::WindowMaximized);
}

void CZemtraDlg::RememberWindowSize() {
    document_.Memory().maximized = isMaximized();
    const QRect normal = isMaximized() || isFullScreen() ? normalGeometry() : geometry();
    if (normal.isValid()) {
        document_.Memory().width = normal.width();
        document_.Memory().height = normal.height();
    }
}

void CZemtraDlg::SetButtonTexts() {
    if (!hooks_.buttons) return;
    hooks_.buttons->ok = Text(Msg::ButtonOk);
    hooks_.buttons->cancel = Text(Msg::ButtonCancel);
    hooks_.buttons->save = Text(Msg::ButtonSave);
    hooks_.buttons->discard = Text(Msg::ButtonDiscard);
}

}  // namespace zemtra
