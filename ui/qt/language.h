// Applying the language tables to Qt windows: a dialog's caption and its controls' texts by
// their ids, and a menu bar's captions by position path and command id.
#pragma once

#include <QString>
#include <vector>

#include "ui/multi_language.h"

class QMenuBar;
class QWidget;

namespace zemtra {

// Sets a control's window text, whatever kind of control it is (a button's or label's caption,
// a group box's title, an edit's text).
void SetControlText(QWidget* control, const QString& text);

// TranslateDialog: the caption of window from IDD_<dialogId>_Title and the text of every
// control on controlsParent (its direct children that carry an id, in window order) from
// IDD_<dialogId>_<id>; missing and empty texts leave things as they are.
void TranslateDialogWindow(const CMultiLanguage& language, QWidget* window, int dialogId,
                           QWidget* controlsParent);

// The menu bar as the core's menu tree: popups, commands by their commandId, separators.
std::vector<MenuItem> MenuTree(const QMenuBar* bar);
// TranslateMenu on a menu bar: sets the captions the tables give.
void TranslateMenuBar(const CMultiLanguage& language, QMenuBar* bar, int menuId);

}  // namespace zemtra
