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

#include "ui/qt/ui_hooks.h"

namespace zemtra {

// What a message box says of an exception that is no std::exception.
inline constexpr char kUnexpectedError[] = "An unexpected error occurred.";

// The message box for what escaped a handler: the window's title and the error's text.
void ShowEscapedError(QWidget* window, const UiHooks& hooks, const char* what);

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
            ShowEscapedError(window, *hooks, e.what());
        } catch (...) {
            ShowEscapedError(window, *hooks, kUnexpectedError);
        }
    };
}

}  // namespace zemtra
