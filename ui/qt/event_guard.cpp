// The guard's message box, through the window's hooks so that tests can answer it.
#include "ui/qt/event_guard.h"

namespace zemtra {

void ShowEscapedError(QWidget* window, const UiHooks& hooks, const char* what) {
    const QString title = window != nullptr ? window->windowTitle() : QString();
    if (hooks.messageBox) {
        hooks.messageBox(window, QMessageBox::Critical, title, QString::fromUtf8(what));
    }
}

}  // namespace zemtra
