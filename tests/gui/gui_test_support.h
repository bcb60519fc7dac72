// Shared pieces of the GUI tests: a scratch program folder, answers for the modal dialogs,
// finding controls by id, and waiting while the event loop runs.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "app/zemtra_dialog.h"
#include "support/scoped_env.h"
#include "support/test_support.h"
#include "ui/control_ids.h"
#include "ui/multi_language.h"
#include "ui/qt/ui_hooks.h"

namespace zemtra::test {

struct ShownMessage {
    QMessageBox::Icon icon;
    QString caption;
    QString text;
};

// Answers every modal question of the program and remembers what was asked.
struct TestHooks {
    std::deque<QString> saveNames;  // answers of the save dialogs, in order; empty: cancel
    std::optional<int> saveFilter;  // the filter the save dialogs report as chosen
    std::vector<SaveFileRequest> saveRequests;
    std::vector<ShownMessage> messages;
    std::deque<QStringList> openNames;  // answers of the open dialogs, in order; empty: cancel
    std::vector<OpenFileRequest> openRequests;
    std::optional<QFont> font;       // the font picker's answer
    std::optional<QFont> fontShown;  // the font the picker was opened on
    std::optional<int> item;         // the list question's answer
    std::vector<QStringList> itemQuestions;
    bool clipboardWorks = true;
    QString clipboard;
    int linkOutcome = 42;  // what opening a link gives
    std::vector<QString> openedLinks;
    int beeps = 0;
    std::deque<SaveChoice> saveChanges;  // answers to "Save changes?"; empty: Discard
    std::vector<QString> saveQuestions;
    // The button texts the window hands its message boxes.
    std::shared_ptr<ButtonTexts> buttons = std::make_shared<ButtonTexts>();

    UiHooks Make() {
        UiHooks h;
        h.buttons = buttons;
        h.askSaveChanges = [this](QWidget*, const QString&, const QString& text) {
            saveQuestions.push_back(text);
            if (saveChanges.empty()) return SaveChoice::Discard;
            const SaveChoice choice = saveChanges.front();
            saveChanges.pop_front();
            return choice;
        };
        h.saveFileName = [this](QWidget*, const SaveFileRequest& r) {
            saveRequests.push_back(r);
            if (saveFilter && r.chosenFilter != nullptr) *r.chosenFilter = *saveFilter;
            if (saveNames.empty()) return QString();
            QString name = saveNames.front();
            saveNames.pop_front();
            return name;
        };
        h.openFileNames = [this](QWidget*, const OpenFileRequest& r) {
            openRequests.push_back(r);
            if (openNames.empty()) return QStringList();
            QStringList names = openNames.front();
            openNames.pop_front();
            return names;
        };
        h.openLink = [this](const QString& address) {
            openedLinks.push_back(address);
            return linkOutcome;
        };
        h.beep = [this] { ++beeps; };
        h.messageBox = [this](QWidget*, QMessageBox::Icon icon, const QString& caption,
                              const QString& text) {
            messages.push_back({icon, caption, text});
        };
        h.chooseFont = [this](QWidget*, const QFont& initial) {
            fontShown = initial;
            return font;
        };
        h.chooseItem = [this](QWidget*, const QString&, const QString&, const QStringList& items) {
            itemQuestions.push_back(items);
            return item;
        };
        h.setClipboardText = [this](const QString& text) {
            if (!clipboardWorks) return false;
            clipboard = text;
            return true;
        };
        return h;
    }
};

// A program folder of its own (Setting.ini goes there) for one test.
class ScopedHome {
  public:
    ScopedHome() : env_("ZEMTRA_HOME", dir_.Path().c_str()) {}
    const std::filesystem::path& Path() const { return dir_.Path(); }
    std::filesystem::path operator/(std::string_view name) const { return dir_ / name; }

  private:
    ScratchDir dir_;
    ScopedEnv env_;
};

template <typename T = QWidget>
T* Ctl(const CZemtraDlg& dialog, int id) {
    T* w = qobject_cast<T*>(dialog.Control(id));
    EXPECT_NE(w, nullptr) << "control " << id;
    return w;
}

// Runs the event loop until done() holds or the time is up; gives done().
inline bool ProcessUntil(const std::function<bool()>& done, int timeoutMs = 20000) {
    QElapsedTimer clock;
    clock.start();
    // Waits for events instead of spinning, which took a core from the job being waited for;
    // the tick wakes the wait should done() turn true without an event.
    QTimer tick;
    tick.start(2);
    while (!done()) {
        if (clock.elapsed() > timeoutMs) return false;
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// Calls action once on the first visible top-level window of type T for which ready holds,
// from inside whatever event loop runs then (a modal dialog's own loop included).
template <typename T>
void WhenShown(std::function<void(T*)> action, std::function<bool(T*)> ready = nullptr) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, action, ready] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            T* t = qobject_cast<T*>(w);
            if (t == nullptr || !t->isVisible() || (ready && !ready(t))) continue;
            timer->stop();
            timer->deleteLater();
            action(t);
            return;
        }
    });
    timer->start();
}

// The controls of the window that are enabled.
inline std::vector<int> EnabledControls(const CZemtraDlg& dialog, const std::vector<int>& ids) {
    std::vector<int> enabled;
    for (int id : ids) {
        if (dialog.Control(id) && dialog.Control(id)->isEnabled()) enabled.push_back(id);
    }
    return enabled;
}

}  // namespace zemtra::test
