// CAboutDlg: the modal About box (dialog 100) with the icon, the name and version and OK; it
// takes its caption and button text from the main window's language when it opens.
#pragma once

#include <QDialog>
#include <map>

#include "ui/multi_language.h"

namespace zemtra {

class CAboutDlg : public QDialog {
    Q_OBJECT
  public:
    // language: the tables the box speaks (the main window's); null keeps the template's texts.
    explicit CAboutDlg(const CMultiLanguage* language, QWidget* parent = nullptr);

    // The control with this id (1: OK), or null.
    QWidget* Control(int id) const;
    // The version line.
    QString VersionText() const;

  private:
    std::map<int, QWidget*> controls_;
};

}  // namespace zemtra
