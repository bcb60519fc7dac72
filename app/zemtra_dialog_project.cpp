// The main window's project commands (New, Open, Save), Load Picture, and the code-range
// group: the code page's default range, the clamping when a code field is left, and the
// characters of the two codes.
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

constexpr char16_t kProjectFilter[] = u"Zemtra Project(*.fprj)|*.fprj|All Files(*.*)|*.*||";
// The file dialogs match patterns case-sensitively here, so both cases are listed.
constexpr char16_t kPictureFilter[] =
    u"BMP JPEG JPG GIF PNG|*.BMP;*.JPEG;*.JPG;*.GIF;*.PNG;*.bmp;*.jpeg;*.jpg;*.gif;*.png|"
    u"All Files(*.*)|*.*||";
constexpr char16_t kProjectSuffix[] = u"fprj";

}  // namespace

void CZemtraDlg::OnNew() {
    New();
}

void CZemtraDlg::OnOpen() {
    const QStringList names = hooks_.openFileNames(
        this, {ToQString(FileDialogFilter(kProjectFilter)), ToQString(kProjectSuffix), false});
    if (names.isEmpty()) return;
    Load(ToLocalPath(names.front()));
}

void CZemtraDlg::OnSave() {
    const QString name = hooks_.saveFileName(
        this, {ToQString(FileDialogFilter(kProjectFilter)), ToQString(kProjectSuffix)});
    if (name.isEmpty()) return;
    Save(ToLocalPath(name));
}

void CZemtraDlg::OnLoadPicture() {
    const QStringList names =
        hooks_.openFileNames(this, {ToQString(FileDialogFilter(kPictureFilter)), {}, true});
    if (names.isEmpty()) return;  // cancelled: nothing changes
    QStringList refused;
    {
        // One selection change for the whole batch, after it.
        const QSignalBlocker block(list_);
        for (const QString& name : names) {
            const auto refusal =
                AddPictureItem(settings_, DefaultPictureDecoder(), FromQString(name));
            if (refusal) {
                refused << name + QStringLiteral(": ") + QString::fromStdString(refusal->reason);
                continue;
            }
            list_->addItem(ToQString(kPictureItem));
            list_->setCurrentRow(list_->count() - 1);
        }
    }
    if (!refused.isEmpty()) {
        ShowMessage(QMessageBox::Warning, windowTitle(),
                    tr("These pictures were not added:\n\n%1").arg(refused.join(u'\n')));
    }
    OnSelectCharacter();
}

void CZemtraDlg::OnCodePageChanged() {
    if (lockout_) return;
    Pull();
    const CodeRange range = CodeRangeOf(settings_.CODEPAGE);
    from_->SetValue(range.lowest);
    to_->SetValue(range.highest);
    // Equal texts set no change off, yet the characters belong to the new code page.
    ShowCodeCharacters();
}

void CZemtraDlg::OnFromLostFocus() {
    const uint32_t from = from_->GetValue();
    const uint32_t clamped = ClampedFrom(from, to_->GetValue(), codePage_->currentIndex());
    if (clamped != from) from_->SetValue(clamped);
}

void CZemtraDlg::OnToLostFocus() {
    const uint32_t to = to_->GetValue();
    const uint32_t clamped = ClampedTo(to, from_->GetValue(), codePage_->currentIndex());
    if (clamped != to) to_->SetValue(clamped);
}

void CZemtraDlg::OnCodeTextChanged(CHexEdit* field) {
    const uint16_t code = static_cast<uint16_t>(field->GetValue() & 0xFFFF);
    (field == from_ ? settings_.FROM : settings_.TO) = code;
    QLabel* box = field == from_ ? fromCharacter_ : toCharacter_;
    const int32_t kind = codePage_->currentIndex();
    if (kind < static_cast<int32_t>(CodePageKind::Unicode) ||
        kind > static_cast<int32_t>(CodePageKind::Big5)) {
        box->clear();
        return;
    }
    box->setText(ToQString(CodeToCharacter(code, kind)));
}

void CZemtraDlg::ShowCodeCharacters() {
    OnCodeTextChanged(from_);
    OnCodeTextChanged(to_);
}

}  // namespace zemtra
