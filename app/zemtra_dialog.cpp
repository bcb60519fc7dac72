// CZemtraDlg's life: construction, start-up on Setting.ini, the Enter key, and the shutdown
// sequence that every way of closing runs.
#include "app/zemtra_dialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <system_error>

#include "base/character_list.h"
#include "base/error.h"
#include "base/unicode.h"
#include "project/program_folder.h"
#include "project/project_file.h"
#include "raster/new_project.h"
#include "raster/qt/qimage_picture_decoder.h"
#include "ui/qt/app_icon.h"
#include "ui/qt/dialog_builder.h"
#include "ui/qt/hex_edit_widget.h"
#include "ui/qt/hyperlink_widget.h"

namespace zemtra {

CZemtraDlg::CZemtraDlg(UiHooks hooks, QWidget* parent)
    : QDialog(parent), hooks_(std::move(hooks)), renderer_(&DefaultPictureDecoder()) {
    BuildWindow();
    OnInitDialog();
}

CZemtraDlg::~CZemtraDlg() {
    // Destroyed without being closed (a test, or the application quitting): the same sequence.
    DestroyWindow();
    jobs_->Close();  // a run started after the window was closed
}

QWidget* CZemtraDlg::Control(int id) const {
    const auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

void CZemtraDlg::OnInitDialog() {
    // The framework's first data exchange puts the constructed record into the controls.
    panel_->Push();
    panel_->ShowRecord(QStringLiteral("0"), QStringLiteral("0"));
    // Minimised, the window manager shows this icon; there is no client area to paint it in.
    setWindowIcon(ZemtraIcon());
    programFolder_ = ProgramFolder();
    std::error_code ec;
    std::filesystem::current_path(programFolder_, ec);  // Language\ and Setting.ini resolve here
    language_ = std::make_shared<CMultiLanguage>(programFolder_);
    hooks_.language = language_;  // before the link or any dialog takes a copy of the hooks
    SetUpLanguages();
    document_->Start();
}

void CZemtraDlg::ShowProject(const LoadedProject& loaded) {
    editor_->Reset();  // undo never reaches into the project before
    panel_->ShowRecord(ToQString(loaded.offsetXText), ToQString(loaded.offsetYText));
    font_->ShowFontName();
    std::u16string listText;
    for (const std::u16string& item : settings_.LIST) listText += item;
    FillCharacterList(listText, false);  // which draws the preview
}

void CZemtraDlg::ShowNewProject() {
    panel_->Pull();
    editor_->Reset();     // the steps were those of the project that goes
    ApplyNew(settings_);  // an installed face again, no demo
    panel_->ShowRecord(QStringLiteral("0"), QStringLiteral("0"));
    font_->DeriveFontSize();       // which shows the font's name
    FillCharacterList(u"", true);  // which draws the preview
}

void CZemtraDlg::DestroyWindow() {
    if (destroyed_) return;
    destroyed_ = true;
    // The field being left is settled before the settings are saved, as the window's hiding
    // takes the focus away first on the platform.
    panel_->SettleFocusedCodeField();
    document_->WriteSettingIni();
    panel_->StopDemo();
    jobs_->Close();
}

void CZemtraDlg::ReadControls() {
    panel_->Pull();
    panel_->ReadDirectControls();
}

void CZemtraDlg::EnableAllControls(bool enable) {
    if (enable == controlsEnabled_) return;
    controlsEnabled_ = enable;
    // Window order is creation order; a hidden control is disabled too and stays hidden.
    for (QObject* child : client_->children()) {
        if (auto* w = qobject_cast<QWidget*>(child)) w->setEnabled(enable);
    }
}

void CZemtraDlg::ShowMessage(QMessageBox::Icon icon, const QString& text) {
    // The program's name: the title also names the project and marks changes.
    hooks_.messageBox(this, icon, ProgramCaption(), text);
}

void CZemtraDlg::reject() {
    if (!destroyed_ && !document_->MayClose()) return;
    QDialog::reject();
}

void CZemtraDlg::done(int result) {
    Guard([this] { DestroyWindow(); })();
    QDialog::done(result);
}

void CZemtraDlg::accept() {
    OnOK();
}

void CZemtraDlg::OnOK() {
    panel_->Pull();
    FillCharacterList(settings_.TEXT, true);
}

bool CZemtraDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize) {
        FollowParentSize(client_, clientBase_);
        // The cells follow the space; one render for a burst of resize events.
        if (!previewPending_) {
            previewPending_ = true;
            QTimer::singleShot(0, this, Guarded(this, &hooks_, [this] {
                                   previewPending_ = false;
                                   if (!destroyed_) RefreshPreview();
                               }));
        }
        return false;
    }
    // Files dropped on the text field are files for the window, not text to insert.
    if (text_ != nullptr && (watched == text_->viewport() || watched == text_)) {
        const QEvent::Type t = event->type();
        if (t == QEvent::DragEnter || t == QEvent::DragMove || t == QEvent::Drop) {
            auto* drop = static_cast<QDropEvent*>(event);
            if (drop->mimeData()->hasUrls()) {
                if (t == QEvent::Drop) {
                    dropEvent(drop);
                } else {
                    drop->acceptProposedAction();
                }
                return true;
            }
        }
    }
    // The multi-line text field does not take Enter for itself: Enter presses "Add".
    if (watched == text_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Guard([this] { accept(); })();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace zemtra
