// The character list of the main window (list box 1002 beside the PIC list) and the preview
// of its selected item.
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <algorithm>
#include <system_error>

#include "app/zemtra_dialog.h"
#include "base/character_list.h"
#include "base/error.h"
#include "base/unicode.h"
#include "base/used_characters.h"
#include "jobs/list_items.h"
#include "raster/qt/preview_widget.h"
#include "raster/qt/qimage_picture_decoder.h"
#include "ui/file_filter.h"
#include "ui/qt/updown_widget.h"

namespace zemtra {
namespace {

// "#" and an empty entry name no picture, whatever files the program folder holds.
bool PictureFileExists(const std::u16string& entry) {
    if (!IsPictureEntry(entry)) return false;
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::path(Utf16ToUtf8(entry)), ec);
}

}  // namespace

void CZemtraDlg::ShowListItems(int row) {
    {
        const QSignalBlocker block(list_);
        list_->clear();
        QStringList items;
        items.reserve(static_cast<qsizetype>(settings_.LIST.size()));
        for (size_t i = 0; i < settings_.LIST.size(); ++i) {
            items.append(ToQString(IsPictureItem(settings_, i) ? std::u16string(kPictureItem)
                                                               : settings_.LIST[i]));
        }
        list_->addItems(items);
        if (!settings_.LIST.empty()) {
            list_->setCurrentRow(std::clamp(row, 0, static_cast<int>(settings_.LIST.size()) - 1));
        }
    }
    editor_->ForgetMarks();
}

void CZemtraDlg::FillCharacterList(std::u16string_view text, bool resetPictures) {
    zemtra::FillCharacterList(settings_, text, resetPictures);
    ShowListItems(0);
    if (settings_.LIST.empty()) {
        currentCharacter_.clear();
        if (resetPictures) currentPicture_.clear();
        RefreshPreview();
        return;
    }
    OnSelectCharacter();
}

void CZemtraDlg::OnSelectCharacter() {
    const int row = list_->currentRow();
    const bool valid = row >= 0 && static_cast<size_t>(row) < settings_.LIST.size();
    currentCharacter_ = valid ? settings_.LIST[static_cast<size_t>(row)] : std::u16string();
    if (!valid || static_cast<size_t>(row) >= settings_.PIC.size()) {
        currentPicture_.clear();  // the threshold controls keep their visibility
    } else {
        currentPicture_ = settings_.PIC[static_cast<size_t>(row)];
        const bool picture = PictureFileExists(currentPicture_);
        panel_->ShowThreshold(picture);
    }
    RefreshPreview();
}

void CZemtraDlg::RefreshPreview() {
    const bool picture = IsPictureEntry(currentPicture_);
    const std::u16string& source = picture ? currentPicture_ : currentCharacter_;
    // The list's marks and the status line's note follow the item and the matrix size.
    editor_->FollowSelection();
    const QSize client = preview_->ClientSize();
    PreviewCanvas& canvas = preview_->Canvas();
    if (!canvas.Begin(settings_, client.width(), client.height())) {
        // Nothing to draw: the reason takes the last picture's place, which would mislead.
        preview_->ShowError(Text(Msg::NoDots, {QString::number(MatrixWidth(settings_)),
                                               QString::number(MatrixHeight(settings_))}));
        return;
    }
    try {
        renderer_.RenderDotMatrix(settings_, source, nullptr, &canvas);
        preview_->ShowRendered();
    } catch (const UserError& e) {
        // Shown in the area: a modal box on every keystroke of a typed size would be a trap.
        preview_->ShowError(ErrorText(hooks_, e));
    }
}

void CZemtraDlg::OnAddFromFiles() {
    if (panel_->Locked()) return;
    panel_->Pull();
    const QString filter =
        ToQString(FileDialogFilter(FromQString(Text(Msg::FilterAll) + QStringLiteral("|*.*||"))));
    const QStringList names = hooks_.openFileNames(
        this,
        {filter, {}, true, Text(Msg::DlgAddFromFiles), document_->FolderFor(FileKind::Project)});
    if (names.isEmpty()) return;
    std::vector<std::filesystem::path> files;
    for (const QString& name : names) files.push_back(ToLocalPath(name));
    std::vector<char32_t> characters;
    try {
        characters = CharactersFromFiles(files);
    } catch (const UserError& e) {
        ShowMessage(QMessageBox::Warning, ErrorText(hooks_, e));
        return;
    }
    const int first = static_cast<int>(settings_.LIST.size());
    const size_t added = AddCharactersToList(settings_, characters);
    if (added > 0) {
        ShowListItems(first);
        OnSelectCharacter();
        document_->ScheduleTitleUpdate();
    }
    ShowStatus(Text(Msg::AddedFromFiles, {QString::number(added), QString::number(names.size())}));
}

void CZemtraDlg::OnLoadPicture() {
    // The file dialogs match patterns case-sensitively here, so both cases are listed.
    const QString filter = ToQString(FileDialogFilter(FromQString(
        Text(Msg::FilterPictures) +
        QStringLiteral("|*.BMP;*.JPEG;*.JPG;*.GIF;*.PNG;*.bmp;*.jpeg;*.jpg;*.gif;*.png|") +
        Text(Msg::FilterAll) + QStringLiteral("|*.*||"))));
    const QStringList names = hooks_.openFileNames(
        this,
        {filter, {}, true, Text(Msg::DlgLoadPicture), document_->FolderFor(FileKind::Picture)});
    if (names.isEmpty()) return;  // cancelled: nothing changes
    document_->RememberFolder(FileKind::Picture, names.front());
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
        ShowMessage(QMessageBox::Warning, Text(Msg::PicturesNotAdded, {refused.join(u'\n')}));
    }
    OnSelectCharacter();
}

}  // namespace zemtra
