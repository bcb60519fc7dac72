// CZemtraDlg: the main window (dialog 102). It owns the settings record, the character list,
// the preview and the generation workers, and turns every control's event into calls on the
// core. Its parts are spread over zemtra_dialog*.cpp, each named for what it holds: start-up and
// shutdown (zemtra_dialog.cpp), _building, _settings_controls (with the scan demo),
// _list_preview, _glyph_editor, _workers (on the job runner, app/job_runner.h),
// _commands_code_range (project commands, pictures, the code range), _project_state (the file,
// its changes, the title, Setting.ini, the status line), _font_file_presets and
// _languages_about.
#pragma once

#include <QDialog>
#include <QTimer>
#include <atomic>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/glyph_editor.h"
#include "app/job_runner.h"
#include "app/project_document.h"
#include "app/settings_panel.h"
#include "base/glyph_editing.h"
#include "base/messages.h"
#include "base/progress.h"
#include "base/project_settings.h"
#include "jobs/jobs.h"
#include "output/qt/export_dialog.h"
#include "project/project_file.h"
#include "project/window_memory.h"
#include "raster/glyph_renderer.h"
#include "ui/control_ids.h"
#include "ui/multi_language.h"
#include "ui/qt/event_guard.h"
#include "ui/qt/language.h"
#include "ui/qt/ui_hooks.h"
#include "ui/settings_controls.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;

namespace zemtra {

class CHexEdit;
class CHyperLink;
class PreviewWidget;
class ScanDemoWidget;
class UpDownWidget;

class CZemtraDlg : public QDialog {
    Q_OBJECT
  public:
    // Builds the window and runs its start-up (program folder, Setting.ini, first preview).
    explicit CZemtraDlg(UiHooks hooks = DefaultUiHooks(), QWidget* parent = nullptr);
    ~CZemtraDlg() override;

    // The control of dialog 102 with this id, or null.
    QWidget* Control(int id) const;
    QMenuBar* MenuBar() const { return menuBar_; }
    UiHooks& Hooks() { return hooks_; }
    const ProjectSettings& Settings() const { return settings_; }
    const std::u16string& CurrentCharacter() const { return currentCharacter_; }
    const std::u16string& CurrentPicture() const { return currentPicture_; }
    const std::filesystem::path& ProgramFolderPath() const { return programFolder_; }
    bool WorkerRunning() const { return runner_.Running(); }
    bool Exporting() const { return exporting_.load(); }
    bool DemoTimerActive() const { return panel_->DemoTimerActive(); }
    const ProgressBarState& ProgressBar() const { return bar_; }
    // The language tables of the window and of the dialogs it opens; null before start-up.
    const CMultiLanguage* Language() const { return language_.get(); }
    QMenu* LanguageMenu() const { return languageMenu_; }
    // The scan demo's step, which the next tick draws.
    int32_t DemoStep() const { return panel_->DemoStep(); }

    // The status line under the window's controls: what the last job or command came to.
    // Jobs and commands of every kind end by calling it with a text in the window's language.
    void ShowStatus(const QString& text);
    void ShowStatus(const Message& message);
    QString StatusText() const;
    QStatusBar* StatusBar() const { return status_; }

    // Whether what Save would write now differs from the project as it was last opened or
    // saved (for an untitled window: from what New gives). It compares SavedForm()s, so
    // whatever a project comes to hold counts without more work.
    bool IsModified();
    // The project file the window works on (empty while untitled), and the window's memory in
    // Setting.ini (size, recent projects, folders).
    const std::filesystem::path& ProjectPath() const { return document_.Path(); }
    const WindowMemory& Memory() const { return document_.Memory(); }
    // Asks "Save changes?" when the state is modified: true when the caller may go on (saved,
    // discarded, or nothing to ask), false when the user cancelled or the save failed.
    bool MayDiscardChanges();
    // Opens a project file: checks it first (a file that is no project changes nothing and says
    // why), asks about unsaved changes, then loads it. True when it was opened.
    bool OpenProject(const std::filesystem::path& path);
    // Handles dropped files: a project opens (asking first), pictures are added as by Load
    // Picture, a font file is chosen as by Font File...; anything else is named in a message.
    void DropFiles(const QStringList& paths);
    // A text of the window's language (English before start-up), filled with args.
    QString Text(Msg id, const QStringList& args = {}) const;
    // A message of the core (or a fact that is plain text) in the window's language.
    QString Text(const MessageArg& fact) const;

    // Pull; the "Font" button shows the face; the font size from the matrix size (a bitmap
    // font file keeps its own); push.
    void DeriveFontSize();
    // Renders the selected item into the preview.
    void RefreshPreview();
    // Rebuilds the list box from a text (see the core's FillCharacterList).
    void FillCharacterList(std::u16string_view text, bool resetPictures);
    // The list box shown afresh from LIST, the item at row selected.
    void ShowListItems(int row);
    // Makes the list box's selected item current.
    void OnSelectCharacter();
    // The project load that start-up runs on Setting.ini (an empty path means that file).
    void Load(const std::filesystem::path& path);
    // The hand edit of the selected list item at the current matrix size: null for none, for a
    // picture item and without a selection. Set and revert change the settings, refresh the
    // preview and the title's changed mark; they give false (changing nothing) where the item
    // cannot be edited or the dots are not the matrix's size. The preview's editor builds on
    // these.
    const GlyphDots* SelectedItemEdit() const { return editor_->SelectedItemEdit(); }
    bool SetSelectedItemEdit(const DotMatrix& dots) { return editor_->SetSelectedItemEdit(dots); }
    bool RevertSelectedItemEdit() { return editor_->RevertSelectedItemEdit(); }
    // The editor's undo history (every edit of the window since the project was loaded).
    const GlyphEditHistory& EditHistory() const { return editor_->History(); }
    // Enables or disables every control of the window; the menu bar is left alone.
    void EnableAllControls(bool enable);
    // Saves the settings as a project (an empty path means Setting.ini); false, after telling
    // the user, when the file cannot be written.
    bool Save(const std::filesystem::path& path);

    // Selects a language (empty: the stored one) and re-texts the window, its menu bar and
    // its three translated combo boxes, which keep their selections.
    void ApplyLanguage(std::u16string_view name);
    // A command of the language menu; ids outside 60000..60999 do nothing.
    void OnLanguageCommand(uint32_t id);

    // "Add", reached by the default button and the Enter key; the window never closes on it.
    void accept() override;
    // The close box, Exit and Ctrl+Q: asks about unsaved changes first.
    void reject() override;
    // Every way of closing ends here: save Setting.ini, stop timer 0, stop and wait for a worker.
    void done(int result) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Escape does not close the main window.
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // A handler with the window's guard around it: what it throws becomes a message box; the
    // title's changed mark follows what it did.
    template <typename Handler>
    auto Guard(Handler handler) {
        return Guarded(
            this, &hooks_, [
                this, handler = std::move(handler)
            ](auto&&... args) -> void requires std::invocable<const Handler&, decltype(args)...> {
                handler(std::forward<decltype(args)>(args)...);
                ScheduleTitleUpdate();
            });
    }

    void BuildWindow();
    void BuildMenu();
    void BuildControls();
    void TakeControls();
    void ConnectControls();
    void OnInitDialog();
    void DestroyWindow();
    void New();
    // The one message of a load whose [Glyphs] section had entries that could not be read.
    void TellSkippedGlyphs(const std::filesystem::path& file,
                           const std::vector<std::string>& problems);
    void SaveSettings();
    void ConnectCommands();

    // Project commands and pictures.
    void OnNew();
    void OnOpen();
    // Save writes the project's own file; an untitled window asks for one as Save As does.
    // False when nothing was saved.
    bool OnSave();
    bool OnSaveAs();
    void OnRecent(int index);
    void RebuildRecentMenu();
    void AddRecent(const std::filesystem::path& path);
    // The settings' saved form for the comparison; what a failing pull or save check gives is
    // taken as a change.
    ProjectForm CurrentForm();
    void ScheduleTitleUpdate();
    // The program's name in the language: the title's tail and the message boxes' caption.
    QString ProgramCaption() const;
    void UpdateTitle();
    // Takes the window's present state as the project's, opened or saved under path (empty:
    // untitled).
    void TakeSavedState(const std::filesystem::path& path);
    // The file dialog filter of one kind of file ("TEXT|*.suffix") and of all files, in the
    // window's language.
    QString OneKindFilter(Msg kind, const QString& suffix) const;
    // Asks where to write a file of a kind, starting in that kind's last folder, and remembers
    // the folder of the answer; empty when the user cancels.
    QString AskSaveName(FileKind kind, Msg filter, const QString& suffix, Msg caption,
                        const QString& offered = QString());
    void RestoreWindowSize();
    // Start-up: the window's memory from Setting.ini, and the state to compare with.
    void TakeStartState();
    void RememberWindowSize();
    void SetButtonTexts();
    // Applies a loaded project's settings to the controls (the tail of Load).
    void ShowLoaded(const LoadedProject& loaded);
    void AddPictures(const QStringList& names);
    void ChooseFontFile(const QString& name);
    // Why a job has nothing to do, in a message; false when it has.
    bool SayNothingToDo(JobOutcome why);
    // Records the controls and says why a job that draws the whole matrix cannot start (no
    // dots, sizes beyond the limits); true when it may.
    bool MatrixJobMayStart();
    void OnLoadPicture();
    void OnAbout();
    // "Specimen Sheet...": PNG pages of the list, or of the code range when the list is empty,
    // written by a worker like the other long jobs.
    void OnSpecimenSheet();
    // "Export...": the export dialog, the file, then a worker with the progress bar; chosen
    // again while the export runs, the command stops it.
    void OnExport();
    // Project > Font Sources...: the font's sources in their dialog.
    void OnFontSources();
    // "Add from Files...": the characters of chosen files that the list lacks, appended.
    void OnAddFromFiles();

    void ConnectEditor();

    // Languages and the link.
    void BuildLanguageMenu(const std::vector<std::u16string>& names);
    void UpdateLanguageChecks();
    void ConfigureHyperLink();

    // The font (zemtra_dialog_font.cpp).
    void OnFontButton();
    // "Font File...": a font file (and the face of a collection) instead of an installed face.
    void OnFontFileButton();
    // The "Font" button's caption: the font file's name while one is in use, else the face.
    void ShowFontName();
    void OnOK();

    // Workers.
    void OnCreateList();
    void OnCreateLibrary();
    // The thread procedures; each works on its own copy of the record and list, taken when
    // the button was pressed, so no menu command can change them under it.
    void ListGenerationWorker(ProjectSettings job);
    void LibraryGenerationWorker(ProjectSettings job);
    void SpecimenWorker(ProjectSettings job);
    void ExportWorker(ProjectSettings job);
    // A thread procedure on runner_, on its own copy of the settings.
    void StartWorker(void (CZemtraDlg::*procedure)(ProjectSettings));
    // How an export ended, for the status line or a message box: glyphs, what was left out,
    // size, time and file. The one place that words it.
    struct ExportEnd {
        bool news = false;  // worth a message box: nothing was written, or it failed
        QMessageBox::Icon icon = QMessageBox::Information;
        QString text;
    };
    ExportEnd ExportEndOf(const ExportResult& result, double seconds) const;
    // The progress bar and the controls follow runner_.
    void ConnectJobRunner();
    // An error's message box from a worker thread, worded and shown on the window's thread; the
    // worker waits for it.
    void TellFromWorker(QMessageBox::Icon icon, const std::exception& e);
    // The same with a text of the window's language, which also goes into the status line.
    void TellFromWorker(QMessageBox::Icon icon, Msg id, const QStringList& args);
    // A status line from a worker thread, unless the window is closing.
    void StatusFromWorker(const Message& message);
    void RunOutputView(const FonttabCodes& codes);
    // The status line of a C source: the fonttab's code page and the characters it lacks.
    QString FonttabNote(const FonttabCodes& codes) const;
    QString AskLibraryTarget();
    void ShowMessage(QMessageBox::Icon icon, const QString& caption, const QString& text);

    UiHooks hooks_;
    ProjectSettings settings_;
    std::u16string currentCharacter_;
    std::u16string currentPicture_;
    std::filesystem::path programFolder_;
    GlyphRenderer renderer_;
    int dpi_ = 96;

    QWidget* client_ = nullptr;
    QSize clientBase_;  // the template's client size, the smallest the window gets
    QMenuBar* menuBar_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QStatusBar* status_ = nullptr;
    ProjectDocument document_;
    SettingsPanel* panel_ = nullptr;  // the settings controls
    GlyphEditor* editor_ = nullptr;   // the glyph editor on the preview
    bool titlePending_ = false;
    bool previewPending_ = false;
    std::map<int, QWidget*> controls_;
    QListWidget* list_ = nullptr;
    PreviewWidget* preview_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* createList_ = nullptr;
    QPushButton* createLibrary_ = nullptr;
    CHyperLink* link_ = nullptr;
    QCheckBox* libraryHeader_ = nullptr;  // the firmware's header beside the library
    std::shared_ptr<CMultiLanguage> language_;
    QtTranslations qtTranslations_;  // Qt's dialogs and standard buttons in the language
    QMenu* languageMenu_ = nullptr;
    QMenu* editMenu_ = nullptr;

    ProgressBarState bar_;
    bool controlsEnabled_ = true;
    JobRunner runner_;                      // the thread of the long jobs
    std::filesystem::path specimenTarget_;  // set before SpecimenWorker starts
    PreparedExport exportJob_;              // set before ExportWorker starts
    ExportChoice exportChoice_;             // what the export dialog showed last
    QString exportCaption_;                 // the command's caption while no export runs
    std::optional<Message> statusMessage_;  // what the status line says, when it was a message
    QString libraryCaption_;                // the Create button's caption while no build runs
    std::atomic<bool> exporting_{false};
    // The window is closing: no Output View and no file dialog opens any more.
    std::atomic<bool> closing_{false};
    bool destroyed_ = false;
};

}  // namespace zemtra
