// CAboutDlg: the modal About box (dialog 100) with the icon, the name and version and OK; it
// takes its caption and button text from the main window's language when it opens.
#pragma once

#include <QDialog>
#include <map>

namespace zemtra {

class CZemtraDlg;

class CAboutDlg : public QDialog {
    Q_OBJECT
  public:
    // main: the main window whose language the box speaks; null keeps the template's texts.
    explicit CAboutDlg(CZemtraDlg* main, QWidget* parent = nullptr);

    // The control with this id (1: OK), or null.
    QWidget* Control(int id) const;
    // The version line.
    QString VersionText() const;

  private:
    CZemtraDlg* main_;
    std::map<int, QWidget*> controls_;
};

}  // namespace zemtra
