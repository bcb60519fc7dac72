// The last stop of every GUI event handler: whatever a handler throws becomes a message box on
// its window, never an exception through Qt's event loop, which would end the program.
//
// One catch style throughout the window: a handler catches UserError itself only where it has
// something of its own to do with it (fall back, show it in place, keep a dialog open); a
// thread's body catches std::exception and tells the window; everything else reaches this
// guard.
#pragma once

#include <QMessageBox>
#include <QWidget>
#include <concepts>
#include <exception>
#include <utility>

#include "base/messages.h"
#include "ui/qt/ui_hooks.h"

namespace zemtra {

// A message of the core in a language (null: English); a fact that is plain text as it is.
QString Worded(const CMultiLanguage* language, const MessageArg& fact);
// What an exception says in a language (null: English): a UserError's message worded, any
// other exception's text as it is.
QString ErrorText(const CMultiLanguage* language, const std::exception& e);
// The same in the language of hooks.
QString Worded(const UiHooks& hooks, const MessageArg& fact);
QString ErrorText(const UiHooks& hooks, const std::exception& e);

// The message box for what escaped a handler: the window's title and the error's text; null
// for an exception that is no std::exception.
void ShowEscapedError(QWidget* window, const UiHooks& hooks, const std::exception* e);

// The handler with the guard around it, for connect() and event overrides. hooks is read when
// the handler runs, so a window may change its hooks after connecting. The guarded handler
// takes what the handler takes, so Qt passes a signal's arguments only as far as it uses them.
template <typename Handler>
auto Guarded(QWidget* window, const UiHooks* hooks, Handler handler) {
    return [ window, hooks, handler = std::move(handler) ](
               auto&&... args) -> void requires std::invocable<const Handler&, decltype(args)...> {
        try {
            handler(std::forward<decltype(args)>(args)...);
        } catch (const std::exception& e) {
            ShowEscapedError(window, *hooks, &e);
        } catch (...) {
            ShowEscapedError(window, *hooks, nullptr);
        }
    };
}

}  // namespace zemtra
