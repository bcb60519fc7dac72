// CExportDlg, the export dialog (dialog 140): which format, how many bits per dot (LVGL),
// monospace, LVGL compression, the font's C name, and whether the characters come from the
// list or from the code range. The file is asked for after it.
#pragma once

#include <QDialog>
#include <map>
#include <string>

#include "base/export_font.h"
#include "base/messages.h"
#include "ui/multi_language.h"
#include "ui/qt/ui_hooks.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace zemtra {

struct ExportChoice {
    ExportFormat format = ExportFormat::Lvgl;
    int bpp = 1;
    bool monospace = false;
    bool compress = false;
    std::string name;  // empty: made from the file's name
    bool fromList = true;
};

class CExportDlg : public QDialog {
    Q_OBJECT
  public:
    // language: the tables the texts come from (the main window's); null keeps English.
    // listCount: the characters of the list, which the first choice of characters shows.
    CExportDlg(const CMultiLanguage* language, UiHooks hooks, const ExportChoice& initial,
               size_t listCount, QWidget* parent = nullptr);

    QWidget* Control(int id) const;
    // What the controls say now.
    ExportChoice Choice() const;

    // OK: a name that is no C identifier keeps the dialog open, with a message.
    void accept() override;

  private:
    // Bits per dot for LVGL only, compression for LVGL at 2 or 4 bits.
    void EnableByFormat();
    QString Text(Msg id, const QStringList& args = {}) const;

    const CMultiLanguage* language_;
    UiHooks hooks_;
    std::map<int, QWidget*> controls_;
    QComboBox* format_ = nullptr;
    QComboBox* bpp_ = nullptr;
    QCheckBox* monospace_ = nullptr;
    QCheckBox* compress_ = nullptr;
    QLineEdit* name_ = nullptr;
    QComboBox* characters_ = nullptr;
};

// The order of the format drop-down list.
ExportFormat ExportFormatAt(int index);
int ExportFormatIndex(ExportFormat format);

}  // namespace zemtra
