// The default modal dialogs and clipboard access, and finding controls by their ids.
#include "ui/qt/ui_hooks.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QInputDialog>
#include <QPushButton>
#include <QTreeView>
#include <QWidget>

#include "ui/hyperlink_rules.h"

namespace zemtra {

void FitFileDialog(QFileDialog& dialog) {
    auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (details == nullptr) return;  // the desktop's own dialog
    dialog.resize(std::max(dialog.width(), 860), std::max(dialog.height(), 520));
    QHeaderView* header = details->header();
    header->setStretchLastSection(false);
    header->setMinimumSectionSize(60);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < header->count(); ++column) {
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
}

namespace {

QString AskSaveFileName(QWidget* parent, const SaveFileRequest& request) {
    QFileDialog dialog(parent, request.caption, request.directory);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(request.filter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
    FitFileDialog(dialog);
    const QStringList filters = dialog.nameFilters();
    if (!request.filterSuffixes.isEmpty()) {
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog, &request, filters](const QString& filter) {
                             const qsizetype i = filters.indexOf(filter);
                             if (i >= 0 && i < request.filterSuffixes.size()) {
                                 dialog.setDefaultSuffix(request.filterSuffixes[i]);
                             }
                         });
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    if (request.chosenFilter != nullptr) {
        *request.chosenFilter = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
    }
    return dialog.selectedFiles().front();
}

QStringList AskOpenFileNames(QWidget* parent, const OpenFileRequest& request) {
    QFileDialog dialog(parent, request.caption, request.directory);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    dialog.setNameFilter(request.filter);
    if (!request.defaultSuffix.isEmpty()) dialog.setDefaultSuffix(request.defaultSuffix);
    FitFileDialog(dialog);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles();
}

void ShowMessageBox(const ButtonTexts& buttons, QWidget* parent, QMessageBox::Icon icon,
                    const QString& caption, const QString& text) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    box.button(QMessageBox::Ok)->setText(buttons.ok);
    box.exec();
}

SaveChoice AskSaveChanges(const ButtonTexts& buttons, QWidget* parent, const QString& caption,
                          const QString& text) {
    QMessageBox box(QMessageBox::Warning, caption, text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.button(QMessageBox::Save)->setText(buttons.save);
    box.button(QMessageBox::Discard)->setText(buttons.discard);
    box.button(QMessageBox::Cancel)->setText(buttons.cancel);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
        case QMessageBox::Save:
            return SaveChoice::Save;
        case QMessageBox::Discard:
            return SaveChoice::Discard;
        default:
            return SaveChoice::Cancel;
    }
}

std::optional<int> PickItem(const ButtonTexts& buttons, QWidget* parent, const QString& caption,
                            const QString& label, const QStringList& items) {
    QInputDialog dialog(parent);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(label);
    dialog.setComboBoxItems(items);
    dialog.setComboBoxEditable(false);
    dialog.setOkButtonText(buttons.ok);
    dialog.setCancelButtonText(buttons.cancel);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const auto index = static_cast<int>(items.indexOf(dialog.textValue()));
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
    hooks.buttons = std::make_shared<ButtonTexts>();
    const std::shared_ptr<const ButtonTexts> buttons = hooks.buttons;
    hooks.saveFileName = AskSaveFileName;
    hooks.openFileNames = AskOpenFileNames;
    hooks.messageBox = [buttons](QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                                 const QString& text) {
        ShowMessageBox(*buttons, parent, icon, caption, text);
    };
    hooks.askSaveChanges = [buttons](QWidget* parent, const QString& caption, const QString& text) {
        return AskSaveChanges(*buttons, parent, caption, text);
    };
    hooks.chooseItem = [buttons](QWidget* parent, const QString& caption, const QString& label,
                                 const QStringList& items) {
        return PickItem(*buttons, parent, caption, label, items);
    };
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
