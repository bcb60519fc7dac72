// The main window's project commands (New, Open, Save, Save As) and the pictures of Load
// Picture.
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>

#include "app/zemtra_dialog.h"
#include "base/character_list.h"
#include "base/code_page.h"
#include "jobs/list_items.h"
#include "project/project_file.h"
#include "raster/qt/qimage_picture_decoder.h"
#include "ui/file_filter.h"
#include "ui/qt/hex_edit_widget.h"

namespace zemtra {
namespace {

constexpr char16_t kProjectSuffix[] = u"fprj";

}  // namespace

void CZemtraDlg::OnNew() {
    if (!MayDiscardChanges()) return;
    New();
    TakeSavedState({});
    ShowStatus(QString());  // the old project's news is not the new one's
}

void CZemtraDlg::OnOpen() {
    const QStringList names =
        hooks_.openFileNames(this, {OneKindFilter(Msg::FilterProject, ToQString(kProjectSuffix)),
                                    ToQString(kProjectSuffix), false, Text(Msg::DlgOpenProject),
                                    document_.FolderFor(FileKind::Project)});
    if (names.isEmpty()) return;
    document_.RememberFolder(FileKind::Project, names.front());
    OpenProject(ToLocalPath(names.front()));
}

bool CZemtraDlg::OnSave() {
    const std::filesystem::path path = document_.Path();
    if (path.empty()) return OnSaveAs();
    if (!Save(path)) return false;
    TakeSavedState(path);
    AddRecent(path);
    ShowStatus(Message{Msg::StatusSaved, {path.string()}});
    return true;
}

bool CZemtraDlg::OnSaveAs() {
    // The project's own name to start from, or "Untitled.fprj".
    const QString offered =
        document_.Path().empty()
            ? Text(Msg::Untitled) + QStringLiteral(".") + ToQString(kProjectSuffix)
            : QString::fromStdString(document_.Path().filename().string());
    const QString name = AskSaveName(FileKind::Project, Msg::FilterProject,
                                     ToQString(kProjectSuffix), Msg::DlgSaveProject, offered);
    if (name.isEmpty()) return false;
    if (!Save(ToLocalPath(name))) return false;
    TakeSavedState(ToLocalPath(name));
    AddRecent(document_.Path());
    ShowStatus(Message{Msg::StatusSaved, {FromQString(name)}});
    return true;
}

void CZemtraDlg::OnLoadPicture() {
    // The file dialogs match patterns case-sensitively here, so both cases are listed.
    const QString filter = ToQString(FileDialogFilter(FromQString(
        Text(Msg::FilterPictures) +
        QStringLiteral("|*.BMP;*.JPEG;*.JPG;*.GIF;*.PNG;*.bmp;*.jpeg;*.jpg;*.gif;*.png|") +
        Text(Msg::FilterAll) + QStringLiteral("|*.*||"))));
    const QStringList names = hooks_.openFileNames(
        this,
        {filter, {}, true, Text(Msg::DlgLoadPicture), document_.FolderFor(FileKind::Picture)});
    if (names.isEmpty()) return;  // cancelled: nothing changes
    document_.RememberFolder(FileKind::Picture, names.front());
    AddPictures(names);
}

void CZemtraDlg::AddPictures(const QStringList& names) {
    QStringList refused;
    {
        // One selection change for the whole batch, after it.
        const QSignalBlocker block(list_);
        for (const QString& name : names) {
            const auto refusal =
                AddPictureItem(settings_, DefaultPictureDecoder(), FromQString(name));
            if (refusal) {
                refused << name + QStringLiteral(": ") + Text(refusal->reason);
                continue;
            }
            list_->addItem(ToQString(kPictureItem));
            list_->setCurrentRow(list_->count() - 1);
        }
    }
    if (!refused.isEmpty()) {
        ShowMessage(QMessageBox::Warning, windowTitle(),
                    Text(Msg::PicturesNotAdded, {refused.join(u'\n')}));
    }
    OnSelectCharacter();
}

}  // namespace zemtra
