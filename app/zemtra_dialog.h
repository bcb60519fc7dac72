// CZemtraDlg: the main window (dialog 102). It owns the settings record, the character list,
// the preview and the generation workers, and turns every control's event into calls on the
// core. Its parts are spread over zemtra_dialog*.cpp: start-up and shutdown, layout, settings
// controls with the scan demo, the character list with the preview, the workers, the project
// commands with pictures and the code range, and the languages with the link and About box.
#pragma once

#include <QDialog>
#include <QTimer>
#include <atomic>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "base/progress.h"
#include "base/project_settings.h"
#include "jobs/jobs.h"
#include "output/qt/export_dialog.h"
#include "raster/glyph_renderer.h"
#include "ui/control_ids.h"
#include "ui/multi_language.h"
#include "ui/qt/event_guard.h"
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
    bool WorkerRunning() const { return workerHeld_.load(); }
    bool Exporting() const { return exporting_.load(); }
    bool DemoTimerActive() const { return demoTimer_.isActive(); }
    const ProgressBarState& ProgressBar() const { return bar_; }
    // The language tables of the window and of the dialogs it opens; null before start-up.
    const CMultiLanguage* Language() const { return language_.get(); }
    QMenu* LanguageMenu() const { return languageMenu_; }
    // The scan demo's step, which the next tick draws.
    int32_t DemoStep() const { return demoStep_; }

    // Controls to record, and back (an edit only where its text differs). Control
    // notifications are locked out meanwhile, as the platform's data exchange does.
    void Pull();
    void Push();
    // Pull; the "Font" button shows the face; the font size from the matrix size (a bitmap
    // font file keeps its own); push.
    void DeriveFontSize();
    // Renders the selected item into the preview.
    void RefreshPreview();
    // Rebuilds the list box from a text (see the core's FillCharacterList).
    void FillCharacterList(std::u16string_view text, bool resetPictures);
    // Makes the list box's selected item current.
    void OnSelectCharacter();
    // The project load that start-up runs on Setting.ini (an empty path means that file).
    void Load(const std::filesystem::path& path);
    // Enables or disables every control of the window; the menu bar is left alone.
    void EnableAllControls(bool enable);
    // WM_GENERATION_PROGRESS: wParam 0 sets the range, 1 the position when it differs.
    void OnGenerationProgress(uint64_t wParam, int64_t lParam);
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
    // Every way of closing ends here: save Setting.ini, stop timer 0, stop and wait for a worker.
    void done(int result) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // A handler with the window's guard around it: what it throws becomes a message box.
    template <typename Handler>
    auto Guard(Handler handler) {
        return Guarded(this, &hooks_, std::move(handler));
    }

    void BuildWindow();
    void BuildMenu();
    void BuildControls();
    void TakeControls();
    void ConnectControls();
    void OnInitDialog();
    void DestroyWindow();
    void New();
    void SaveSettings();
    void ReadDirectControls();
    void ConnectCommands();

    // Project commands and pictures.
    void OnNew();
    void OnOpen();
    void OnSave();
    void OnLoadPicture();
    void OnAbout();
    // "Specimen Sheet...": PNG pages of the list, or of the code range when the list is empty,
    // written by a worker like the other long jobs.
    void OnSpecimenSheet();
    // "Export...": the export dialog, the file, then a worker with the progress bar; chosen
    // again while the export runs, the command stops it.
    void OnExport();

    // The code-range group.
    void OnCodePageChanged();
    void OnFromLostFocus();
    void OnToLostFocus();
    void OnCodeTextChanged(CHexEdit* field);
    void ShowCodeCharacters();

    // Languages and the link.
    void BuildLanguageMenu(const std::vector<std::u16string>& names);
    void UpdateLanguageChecks();
    void RefillScanCombos();
    void ConfigureHyperLink();

    // The scan demo: redraw the image for step (with redraw) and copy it onto control 1057.
    void PaintScanDemo(int32_t step, bool redraw);

    // Settings controls.
    void OnMatrixSizeChanged();
    void OnFontWidthChanged();
    void OnFontHeightChanged();
    void OnThresholdChanged();
    void OnFormatChanged();
    void OnScanComboChanged();
    void OnSpin(int id, int direction);
    void OnOffsetButton(int id);
    void OnFontButton();
    // "Font File...": a font file (and the face of a collection) instead of an installed face.
    void OnFontFileButton();
    // The "Font" button's caption: the font file's name while one is in use, else the face.
    void ShowFontName();
    // The preset drop-down: a choice sets the four scan-mode boxes; any change of those boxes
    // shows the preset they match, or "(none)".
    void PreparePresetCombo();
    void OnPresetChosen();
    void ShowMatchingPreset();
    void OnShowDemo();
    void OnDemoTimer();
    void OnAscii();
    void OnOK();
    void ShowOffsets(const QString& x, const QString& y);

    // Workers.
    void OnCreateList();
    void OnCreateLibrary();
    // The thread procedures; each works on its own copy of the record and list, taken when
    // the button was pressed, so no menu command can change them under it.
    static void ListGenerationWorker(CZemtraDlg* dialog, ProjectSettings job);
    static void LibraryGenerationWorker(CZemtraDlg* dialog, ProjectSettings job);
    static void SpecimenWorker(CZemtraDlg* dialog, ProjectSettings job);
    static void ExportWorker(CZemtraDlg* dialog, ProjectSettings job);
    // How an export ended, in words for the user: glyphs, what was left out, size and time. The
    // one place that words it; nothing when the window is closing.
    QString ExportReport(const ExportResult& result, double seconds) const;
    // A worker's last steps: the controls back on, its thread joined once it has returned.
    static void EndWorker(CZemtraDlg* dialog);
    // A message box from a worker thread, shown on the window's thread; the worker waits for it.
    static void TellFromWorker(CZemtraDlg* dialog, QMessageBox::Icon icon, const QString& text);
    void StartWorker(void (*procedure)(CZemtraDlg*, ProjectSettings), ProjectSettings job);
    void JoinEndedWorker();
    void WaitForWorker();
    void RunOutputView();
    QString AskLibraryTarget();
    void ShowMessage(QMessageBox::Icon icon, const QString& caption, const QString& text);

    UiHooks hooks_;
    ProjectSettings settings_;
    std::u16string currentCharacter_;
    std::u16string currentPicture_;
    std::filesystem::path programFolder_;
    GlyphRenderer renderer_;
    bool lockout_ = false;  // notifications are not handled during the data exchange
    int dpi_ = 96;

    QWidget* client_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
    std::map<int, QWidget*> controls_;
    QListWidget* list_ = nullptr;
    PreviewWidget* preview_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* fontButton_ = nullptr;
    QPushButton* fontFileButton_ = nullptr;
    QComboBox* preset_ = nullptr;
    QPushButton* createList_ = nullptr;
    QPushButton* createLibrary_ = nullptr;
    QLineEdit* matrixX_ = nullptr;
    QLineEdit* matrixY_ = nullptr;
    QLineEdit* fontWidth_ = nullptr;
    QLineEdit* fontHeight_ = nullptr;
    QLineEdit* threshold_ = nullptr;
    CHexEdit* from_ = nullptr;
    CHexEdit* to_ = nullptr;
    QLabel* fromCharacter_ = nullptr;
    QLabel* toCharacter_ = nullptr;
    ScanDemoWidget* demo_ = nullptr;
    CHyperLink* link_ = nullptr;
    QComboBox* dataBit_ = nullptr;
    QComboBox* codePage_ = nullptr;
    QComboBox* orient_ = nullptr;
    QComboBox* direct_ = nullptr;
    QComboBox* format_ = nullptr;
    QCheckBox* showDemo_ = nullptr;
    QLabel* offsetX_ = nullptr;
    QLabel* offsetY_ = nullptr;
    UpDownWidget* thresholdSpin_ = nullptr;
    QTimer demoTimer_;  // timer 0
    int32_t demoStep_ = 0;
    std::unique_ptr<CMultiLanguage> language_;
    QMenu* languageMenu_ = nullptr;

    ProgressBarState bar_;
    bool controlsEnabled_ = true;
    // The worker: its thread object (GUI thread only), whether a worker holds the handle (the
    // worker clears it as its last step), the run flag of the library job, and whether the
    // window is closing (then no Output View and no file dialog opens any more).
    std::thread worker_;
    std::atomic<bool> workerHeld_{false};
    StopFlag stop_;
    std::filesystem::path specimenTarget_;  // set before SpecimenWorker starts
    ExportJob exportJob_;                   // set before ExportWorker starts
    ExportChoice exportChoice_;             // what the export dialog showed last
    QString exportCaption_;                 // the command's caption while no export runs
    std::atomic<bool> exporting_{false};
    std::atomic<bool> closing_{false};
    bool destroyed_ = false;
};

}  // namespace zemtra
