// The GUI's modal questions (file dialogs, message boxes, the font picker, the clipboard)
// behind replaceable functions, so tests can answer them; plus the control-id helpers.
#pragma once

#include <QFont>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class QWidget;
class QAction;

class QFileDialog;

namespace zemtra {

class CMultiLanguage;

// The Qt property that carries a control's numeric id, and a menu command's id.
inline constexpr char kControlIdProperty[] = "controlId";
// A control's tooltip as the language gives it, for controls that add to it what they show.
inline constexpr char kControlTipProperty[] = "controlTip";
inline constexpr char kCommandIdProperty[] = "commandId";

struct SaveFileRequest {
    QString filter;         // ";;"-separated, see FileDialogFilter
    QString defaultSuffix;  // without the dot
    QString caption;        // the dialog's title; empty: the toolkit's own
    QString directory;      // where the dialog starts; empty: the toolkit's choice
    QString fileName;       // the name the dialog offers; empty: none
    // The suffix to add for each filter while it is selected, when they differ; empty: always
    // defaultSuffix.
    QStringList filterSuffixes;
    // When set, receives the index of the filter selected when the user confirmed.
    int* chosenFilter = nullptr;
};

struct OpenFileRequest {
    QString filter;         // ";;"-separated, see FileDialogFilter
    QString defaultSuffix;  // for a name typed without one; empty: none
    bool multiple = false;  // several files may be chosen
    QString caption;        // the dialog's title; empty: the toolkit's own
    QString directory;      // where the dialog starts; empty: the toolkit's choice
};

// The texts of the message boxes' buttons, in the window's language.
struct ButtonTexts {
    QString ok = QStringLiteral("OK");
    QString save = QStringLiteral("Save");
    QString discard = QStringLiteral("Discard");
    QString cancel = QStringLiteral("Cancel");
};

// The answer to "Save changes?".
enum class SaveChoice { Save, Discard, Cancel };

struct UiHooks {
    // A save-as dialog that asks before overwriting; an empty path when cancelled.
    std::function<QString(QWidget* parent, const SaveFileRequest& request)> saveFileName;
    // An open dialog for existing files; the chosen full paths in the dialog's order, none when
    // cancelled.
    std::function<QStringList(QWidget* parent, const OpenFileRequest& request)> openFileNames;
    std::function<void(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                       const QString& text)>
        messageBox;
    // One item of a list (the faces of a font collection); its index, nothing when cancelled.
    std::function<std::optional<int>(QWidget* parent, const QString& caption, const QString& label,
                                     const QStringList& items)>
        chooseItem;
    // The font picker on a font; nothing when cancelled.
    std::function<std::optional<QFont>(QWidget* parent, const QFont& initial)> chooseFont;
    // Puts text on the clipboard; false when the clipboard cannot be had.
    std::function<bool(const QString& text)> setClipboardText;
    // Opens a web address in the user's browser; the outcome number of ui/hyperlink_rules.h.
    std::function<int(const QString& address)> openLink;
    // The exclamation sound.
    std::function<void()> beep;
    // "Save changes?" with Save, Discard and Cancel; Cancel when the box is closed.
    std::function<SaveChoice(QWidget* parent, const QString& caption, const QString& text)>
        askSaveChanges;
    // The button texts the real message boxes show; shared by every copy of these hooks, so
    // the window's language reaches the dialogs it opens. Null in hooks that show no boxes.
    std::shared_ptr<ButtonTexts> buttons;
    // The window's language tables, in which the core's messages (the errors it throws) are
    // worded; the window sets them at start-up, before it opens any dialog. Null: English.
    std::shared_ptr<const CMultiLanguage> language;
};

// The real dialogs and the system clipboard.
UiHooks DefaultUiHooks();

// Qt's own file dialog (where the desktop offers none) opens too small for its columns: sized
// so that names, sizes, types and dates show whole, the name column taking the rest.
void FitFileDialog(QFileDialog& dialog);

inline QString ToQString(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}
inline std::u16string FromQString(const QString& text) {
    return text.toStdU16String();
}

// A file dialog's answer as a path of the file system (its bytes as the system names them).
std::filesystem::path ToLocalPath(const QString& path);

// The descendant of root whose controlId is id, or null.
QWidget* FindControl(const QWidget* root, int id);
// The action of the menu bar (or any menu) under root whose commandId is id, or null.
QAction* FindCommand(const QWidget* root, int id);

}  // namespace zemtra
