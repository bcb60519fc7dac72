// Applying the language tables to Qt windows: a dialog's caption and its controls' texts by
// their ids, a menu bar's captions by position path and command id, and Qt's own translations
// for the dialogs Qt draws (file dialogs, standard buttons).
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "ui/multi_language.h"

class QMenuBar;
class QTranslator;
class QWidget;

namespace zemtra {

// Sets a control's window text, whatever kind of control it is (a button's or label's caption,
// a group box's title, an edit's text).
void SetControlText(QWidget* control, const QString& text);

// A message with its facts in the language's words, or in English without a language: what a
// child dialog of the main window says.
QString LanguageText(const CMultiLanguage* language, Msg id, const QStringList& args = {});

// TranslateDialog: the caption of window from IDD_<dialogId>_Title and the text of every
// control on controlsParent (its direct children that carry an id, in window order) from
// IDD_<dialogId>_<id>; missing and empty texts leave things as they are.
void TranslateDialogWindow(const CMultiLanguage& language, QWidget* window, int dialogId,
                           QWidget* controlsParent);

// The menu bar as the core's menu tree: popups, commands by their commandId, separators.
std::vector<MenuItem> MenuTree(const QMenuBar* bar);
// TranslateMenu on a menu bar: sets the captions the tables give.
void TranslateMenuBar(const CMultiLanguage& language, QMenuBar* bar, int menuId);

// Qt's own translations (the Debian package qt6-translations-l10n) for one locale at a time,
// installed in the application while this object lives.
class QtTranslations {
  public:
    QtTranslations();
    ~QtTranslations();
    QtTranslations(const QtTranslations&) = delete;
    QtTranslations& operator=(const QtTranslations&) = delete;

    // Puts the translations of locale ("zh_CN", "zh_TW") in place of the ones before; "en", an
    // empty locale or one without a translation file leave Qt's English. Gives whether a
    // translation was loaded. Qt sends every widget a LanguageChange, so open standard buttons
    // follow.
    bool Switch(const QString& locale);

  private:
    std::unique_ptr<QTranslator> translator_;
};

}  // namespace zemtra
