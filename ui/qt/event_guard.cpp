// The guard's message box, through the window's hooks so that tests can answer it; the core's
// errors worded in the window's language.
#include "ui/qt/event_guard.h"

#include "base/error.h"
#include "ui/multi_language.h"

namespace zemtra {

QString Worded(const CMultiLanguage* language, const MessageArg& fact) {
    if (fact.message.empty()) return QString::fromUtf8(fact.text);
    const Message& message = fact.message.front();
    return ToQString(language != nullptr ? language->Text(message) : EnglishText(message));
}

QString ErrorText(const CMultiLanguage* language, const std::exception& e) {
    return Worded(language, ErrorArg(e));
}

QString Worded(const UiHooks& hooks, const MessageArg& fact) {
    return Worded(hooks.language.get(), fact);
}

QString ErrorText(const UiHooks& hooks, const std::exception& e) {
    return ErrorText(hooks.language.get(), e);
}

void ShowEscapedError(QWidget* window, const UiHooks& hooks, const std::exception* e) {
    const QString title = window != nullptr ? window->windowTitle() : QString();
    const QString text =
        e != nullptr ? ErrorText(hooks, *e) : Worded(hooks, Message{Msg::UnexpectedError});
    if (hooks.messageBox) hooks.messageBox(window, QMessageBox::Critical, title, text);
}

}  // namespace zemtra
