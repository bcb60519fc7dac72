// What the main window's parts (the project document, the long jobs) ask of the window they
// work in: words in its language, its status line and message boxes, its controls, and its
// display of a project.
#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

#include "base/messages.h"

namespace zemtra {

struct LoadedProject;

class WindowHost {
  public:
    virtual QString Text(Msg id, const QStringList& args = {}) const = 0;
    virtual QString Text(const MessageArg& fact) const = 0;
    // The program's name in the language: the title's tail and the message boxes' caption.
    virtual QString ProgramCaption() const = 0;
    virtual void ShowStatus(const QString& text) = 0;
    virtual void ShowStatus(const Message& message) = 0;
    virtual void ShowMessage(QMessageBox::Icon icon, const QString& text) = 0;
    // The controls into the record, all of them.
    virtual void ReadControls() = 0;
    virtual void EnableAllControls(bool enable) = 0;
    // The record on show as a loaded project (list, font, codes, preview), or made anew.
    virtual void ShowProject(const LoadedProject& loaded) = 0;
    virtual void ShowNewProject() = 0;

  protected:
    ~WindowHost() = default;
};

}  // namespace zemtra
