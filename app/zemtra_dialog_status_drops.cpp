// The main window's words and news: its texts in the language, the status line, the program's
// caption, the standard buttons' texts, Escape, and files dropped on the window.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QStatusBar>
#include <QUrl>

#include "app/zemtra_dialog.h"
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

QString CZemtraDlg::ProgramCaption() const {
    const std::optional<std::u16string> caption =
        language_ ? language_->Caption(DialogSection(kMainDialogId), DialogTitleKey(kMainDialogId))
                  : std::nullopt;
    return ToQString(caption.value_or(std::u16string(MainDialogTemplate().caption)));
}

void CZemtraDlg::keyPressEvent(QKeyEvent* event) {
    // A dialog ends on Escape; a main window holding the user's work does not.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
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
    if (!controlsEnabled_ || jobs_->Running()) return;  // a job works on the settings
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
        ShowMessage(QMessageBox::Warning, Text(Msg::DropUnknown, {unknown.join(u'\n')}));
    }
    // A project replaces everything, so it is opened first and the rest added to it.
    if (!project.isEmpty() && !document_->OpenProject(ToLocalPath(project))) return;
    if (!font.isEmpty()) font_->UseFontFile(font);
    if (!pictures.isEmpty()) AddPictures(pictures);
}

}  // namespace zemtra
