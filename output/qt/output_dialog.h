// COutputDlg, the Output View (dialog 129): the generated C source text, loaded from the
// temporary file on a thread of its own while the window waits disabled, with Copy and Save,
// and Verify, which reads the glyph under the caret back from the text.
#pragma once

#include <QDialog>
#include <QString>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "base/dot_matrix.h"
#include "base/messages.h"
#include "base/scan_order.h"
#include "ui/multi_language.h"
#include "ui/qt/ui_hooks.h"

class QLabel;
class QPlainTextEdit;

namespace zemtra {

class COutputDlg : public QDialog {
    Q_OBJECT
  public:
    // language: the tables the texts come from (the main window's); null keeps English. mode:
    // the scan mode Verify unpacks with. The text is read from source (the temporary output
    // file unless given).
    COutputDlg(const CMultiLanguage* language, const ScanMode& mode, UiHooks hooks,
               std::filesystem::path source = {}, QWidget* parent = nullptr);
    ~COutputDlg() override;

    QWidget* Control(int id) const;
    QPlainTextEdit* TextBox() const { return text_; }
    bool Loaded() const { return loaded_; }

    // Button 1031: the text box's text to the clipboard, with a message either way.
    void OnCopy();
    // Button 1032: the text box's text into a file the user names: C source as UTF-8 without a
    // byte-order mark, or Unicode text as UTF-16LE with it, as the filter or the name says.
    void OnSave();
    // A line under the text on how the text was made (the fonttab codes), in the language.
    void SetNote(const QString& note);
    QString Note() const;
    // The folder Save's dialog starts in, and the one the last save went to.
    void SetFolder(const QString& folder) { folder_ = folder; }
    const QString& Folder() const { return folder_; }
    // Button 1033: parses the text box's text and unpacks the character whose words or comment
    // stand on the caret's line in the scan mode, showing it beside the text in the preview's
    // colours; what keeps it from being read goes into a message box.
    void OnVerify();
    // Changes the scan mode Verify unpacks with.
    void SetScanMode(const ScanMode& mode) { mode_ = mode; }
    // The glyph the last Verify showed; nothing before one succeeded.
    const std::optional<DotMatrix>& VerifiedGlyph() const { return verified_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void StartLoading();
    void OnLoaded(std::u16string text);
    // What the text box holds, with the platform's line breaks; the loaded text itself as
    // long as the user has not edited it, so Copy and Save give its exact characters.
    std::u16string CurrentText() const;
    // A clipboard message (IDS_CLIP_SUCCESS, IDS_CLIP_ERROR) in the main window's language,
    // with "\n" as line breaks; English where the language has none.
    QString ClipboardMessage(std::string_view key) const;
    // A text of the main window's language, English without one.
    QString Say(Msg id, const QStringList& args = {}) const;
    void ShowVerified(const DotMatrix& glyph, const QString& caption);
    // The note in the line's width, ending in an ellipsis where it is longer; whole in the tip.
    void ElideNote();

    const CMultiLanguage* language_;
    UiHooks hooks_;
    std::filesystem::path source_;
    std::u16string outputText_;
    QPlainTextEdit* text_ = nullptr;
    QLabel* verifyPicture_ = nullptr;
    QLabel* verifyCaption_ = nullptr;
    QLabel* note_ = nullptr;
    QString noteText_;  // the note whole
    QSize base_;        // the template's size, the smallest the view gets
    QString folder_;
    ScanMode mode_;
    std::optional<DotMatrix> verified_;
    std::map<int, QWidget*> controls_;
    std::thread loader_;  // OutputLoadWorker
    bool loaded_ = false;
};

}  // namespace zemtra
