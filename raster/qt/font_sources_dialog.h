// CFontSourcesDlg, the font sources dialog (dialog 141): a table of the faces and font files that
// draw ranges of the project's font before its own face, each with its ranges, size and offset;
// buttons add a face or a file, move a source up or down, or remove it.
#pragma once

#include <QDialog>
#include <map>
#include <vector>

#include "base/font_source.h"
#include "base/messages.h"
#include "ui/multi_language.h"
#include "ui/qt/ui_hooks.h"

class QTableWidget;

namespace zemtra {

class CFontSourcesDlg : public QDialog {
    Q_OBJECT
  public:
    // language: the tables the texts come from (the main window's); null keeps English.
    CFontSourcesDlg(const CMultiLanguage* language, UiHooks hooks,
                    const std::vector<FontSource>& sources, QWidget* parent = nullptr);

    QWidget* Control(int id) const;
    // A row for the source at the end of the table.
    void AppendSource(const FontSource& source);
    // The sources the table held when OK was pressed.
    const std::vector<FontSource>& Sources() const { return sources_; }

    // OK: every row must read as a source that can draw; the first that cannot is named, its
    // row selected, and the dialog stays open.
    void accept() override;

  private:
    void OnAddFace();
    void OnAddFile();
    void MoveSelected(int by);
    void OnRemove();
    QString Text(Msg id, const QStringList& args = {}) const;

    const CMultiLanguage* language_;
    UiHooks hooks_;
    std::map<int, QWidget*> controls_;
    QTableWidget* table_ = nullptr;
    std::vector<FontSource> sources_;
};

}  // namespace zemtra
