// CZemtraDlg: the main window (dialog 102), built from its table. It owns the record, the
// renderer and its parts: project_document.h, settings_panel.h, font_controls.h, glyph_editor.h
// and window_jobs.h. Its own work: zemtra_dialog.cpp (start-up, shutdown), _building,
// _list_preview (with pictures), _status_drops (texts, status line, drops), _languages_about.
#pragma once

#include <QDialog>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/font_controls.h"
#include "app/glyph_editor.h"
#include "app/project_document.h"
#include "app/settings_panel.h"
#include "app/window_jobs.h"
#include "raster/glyph_renderer.h"
#include "ui/qt/event_guard.h"
#include "ui/qt/language.h"
#include "ui/qt/ui_hooks.h"

class QListWidget;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QStatusBar;

namespace zemtra {

class PreviewWidget;

class CZemtraDlg : public QDialog, private WindowHost {
    Q_OBJECT
  public:
    // Builds the window and runs its start-up (program folder, Setting.ini, first preview).
    explicit CZemtraDlg(UiHooks hooks = DefaultUiHooks(), QWidget* parent = nullptr);
    ~CZemtraDlg() override;

    QWidget* Control(int id) const;  // the control of dialog 102 with this id, or null
    QMenuBar* MenuBar() const { return menuBar_; }
    UiHooks& Hooks() { return hooks_; }
    const ProjectSettings& Settings() const { return settings_; }
    const std::u16string& CurrentCharacter() const { return currentCharacter_; }
    const std::u16string& CurrentPicture() const { return currentPicture_; }
    const std::filesystem::path& ProgramFolderPath() const { return programFolder_; }
    ProjectDocument& Document() { return *document_; }
    const SettingsPanel& Panel() const { return *panel_; }
    GlyphEditor& Editor() { return *editor_; }
    const WindowJobs& Jobs() const { return *jobs_; }
    const CMultiLanguage* Language() const { return language_.get(); }  // null at first
    QMenu* LanguageMenu() const { return languageMenu_; }

    // The status line, in the window's language (a message is worded again on a switch).
    void ShowStatus(const QString& text) override;
    void ShowStatus(const Message& message) override;
    QString StatusText() const;
    // Texts in the window's language (English before start-up): filled with args, or a fact.
    QString Text(Msg id, const QStringList& args = {}) const override;
    QString Text(const MessageArg& fact) const override;

    // Dropped files: a project opens, pictures are added, a font file is chosen.
    void DropFiles(const QStringList& paths);
    void RefreshPreview();
    // Rebuilds the list box from a text (see the core's FillCharacterList).
    void FillCharacterList(std::u16string_view text, bool resetPictures);
    // Selects a language (empty: the stored one) and re-texts the window and its menus.
    void ApplyLanguage(std::u16string_view name);

    void accept() override;          // "Add" (the default button, Enter): the window stays
    void reject() override;          // the close box, Exit, Ctrl+Q: asks about changes first
    void done(int result) override;  // every way of closing: Setting.ini, timer, jobs

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;  // Escape does not close the main window
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
                document_->ScheduleTitleUpdate();
            });
    }

    void BuildWindow();
    void BuildMenu();
    void TakeControls();
    void ConnectControls();
    void ConnectEditor();
    void OnInitDialog();
    void DestroyWindow();
    QString ProgramCaption() const override;
    void ShowMessage(QMessageBox::Icon icon, const QString& text) override;
    void ReadControls() override;
    void EnableAllControls(bool enable) override;
    void ShowProject(const LoadedProject& loaded) override;
    void ShowNewProject() override;

    void ShowListItems(int row);  // the list box afresh from LIST, row selected
    void OnSelectCharacter();
    void OnOK();
    void AddPictures(const QStringList& names);
    void OnLoadPicture();
    void OnAddFromFiles();

    void SetUpLanguages();
    void BuildLanguageMenu(const std::vector<std::u16string>& names);
    void OnLanguageCommand(uint32_t id);
    void OnAbout();

    UiHooks hooks_;
    ProjectSettings settings_;
    GlyphRenderer renderer_;
    ProjectDocument* document_ = nullptr;
    SettingsPanel* panel_ = nullptr;
    GlyphEditor* editor_ = nullptr;
    FontControls* font_ = nullptr;
    WindowJobs* jobs_ = nullptr;
    std::u16string currentCharacter_, currentPicture_;
    std::filesystem::path programFolder_;
    std::shared_ptr<CMultiLanguage> language_;
    QtTranslations qtTranslations_;         // Qt's dialogs and standard buttons in the language
    std::optional<Message> statusMessage_;  // what the status line says, when a message
    int dpi_ = 96;
    QSize clientBase_;  // the template's client size, the smallest the window gets
    std::map<int, QWidget*> controls_;
    QWidget* client_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
    QMenu *languageMenu_ = nullptr, *editMenu_ = nullptr;
    QStatusBar* status_ = nullptr;
    QListWidget* list_ = nullptr;
    PreviewWidget* preview_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
    bool previewPending_ = false, controlsEnabled_ = true, destroyed_ = false;
};

}  // namespace zemtra
