// The default modal dialogs and clipboard access, and finding controls by their ids.
#include "ui/qt/ui_hooks.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QWidget>

#include "ui/hyperlink_rules.h"

namespace zemtra {
namespace {

QString AskSaveFileName(QWidget* parent, const SaveFileRequest& request) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(request.filter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

QStringList AskOpenFileNames(QWidget* parent, const OpenFileRequest& request) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    dialog.setNameFilter(request.filter);
    if (!request.defaultSuffix.isEmpty()) dialog.setDefaultSuffix(request.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles();
}

void ShowMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                    const QString& text) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

std::optional<int> PickItem(QWidget* parent, const QString& caption, const QString& label,
                            const QStringList& items) {
    bool ok = false;
    const QString chosen = QInputDialog::getItem(parent, caption, label, items, 0, false, &ok);
    if (!ok) return std::nullopt;
    const auto index = static_cast<int>(items.indexOf(chosen));
    return index >= 0 ? std::optional<int>(index) : std::nullopt;
}

std::optional<QFont> PickFont(QWidget* parent, const QFont& initial) {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, parent);
    if (!ok) return std::nullopt;
    return font;
}

bool PutOnClipboard(const QString& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) return false;
    clipboard->setText(text);
    // Some platforms refuse quietly; what reads back tells.
    return clipboard->text() == text;
}

}  // namespace

UiHooks DefaultUiHooks() {
    UiHooks hooks;
    hooks.saveFileName = AskSaveFileName;
    hooks.openFileNames = AskOpenFileNames;
    hooks.messageBox = ShowMessageBox;
    hooks.chooseItem = PickItem;
    hooks.chooseFont = PickFont;
    hooks.setClipboardText = PutOnClipboard;
    hooks.openLink = [](const QString& address) { return OpenTarget(address.toStdU16String()); };
    hooks.beep = [] { QApplication::beep(); };
    return hooks;
}

std::filesystem::path ToLocalPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QWidget* FindControl(const QWidget* root, int id) {
    if (root == nullptr) return nullptr;
    const QList<QWidget*> widgets = root->findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        const QVariant v = w->property(kControlIdProperty);
        if (v.isValid() && v.toInt() == id) return w;
    }
    return nullptr;
}

QAction* FindCommand(const QWidget* root, int id) {
    if (root == nullptr) return nullptr;
    const QList<QAction*> actions = root->findChildren<QAction*>();
    for (QAction* a : actions) {
        const QVariant v = a->property(kCommandIdProperty);
        if (v.isValid() && v.toInt() == id) return a;
    }
    return nullptr;
}

}  // namespace zemtra
