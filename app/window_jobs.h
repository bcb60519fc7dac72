// The main window's long jobs: "Create" of the C source (with its Output View) and of the font
// library, the specimen sheet and the export. Each checks that it has work, asks for its file,
// then runs as a procedure on one job runner with the progress bar following it, on its own
// copy of the settings; its end goes to the status line, what went wrong into a message box.
#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <atomic>
#include <filesystem>

#include "app/job_runner.h"
#include "app/window_host.h"
#include "base/messages.h"
#include "base/progress.h"
#include "base/project_settings.h"
#include "jobs/jobs.h"
#include "output/qt/export_dialog.h"
#include "project/window_memory.h"
#include "ui/settings_controls.h"

class QAction;
class QCheckBox;
class QProgressBar;
class QPushButton;
class QWidget;

namespace zemtra {

class ProjectDocument;
struct UiHooks;

class WindowJobs : public QObject {
    Q_OBJECT
  public:
    struct Controls {
        QWidget* window;
        QProgressBar* progress;
        QPushButton* createLibrary;
        QCheckBox* libraryHeader;
        QAction* exportCommand;
    };
    WindowJobs(ProjectSettings& record, WindowHost& host, ProjectDocument& document, UiHooks& hooks,
               const Controls& controls, QObject* parent);
    ~WindowJobs() override;

    void CreateList();
    // A second press while the library is built stops it.
    void CreateLibrary();
    // PNG pages of the list, or of the code range when the list is empty.
    void SpecimenSheet();
    // The export dialog, the file, then the run; chosen again while it runs, it stops it.
    void Export();

    bool Running() const { return runner_.Running(); }
    bool Exporting() const { return exporting_.load(); }
    const ProgressBarState& ProgressBar() const { return bar_; }
    // The window is closing: nothing starts and no dialog opens any more; a run is stopped
    // and waited for.
    void Close();

  private:
    bool SayNothingToDo(JobOutcome why);
    bool MatrixJobMayStart();
    void Start(void (WindowJobs::*procedure)(ProjectSettings));
    void ListGenerationWorker(ProjectSettings job);
    void LibraryGenerationWorker(ProjectSettings job);
    void SpecimenWorker(ProjectSettings job);
    void ExportWorker(ProjectSettings job);
    // From a worker thread, worded and shown on the window's thread; the worker waits for it.
    void TellFromWorker(QMessageBox::Icon icon, const std::exception& e);
    void TellFromWorker(QMessageBox::Icon icon, Msg id, const QStringList& args);
    void StatusFromWorker(const Message& message);
    void RunOutputView(const FonttabCodes& codes);
    QString AskLibraryTarget();
    // How an export ended: for the status line, and worth a message box when nothing was
    // written or it failed.
    struct ExportEnd {
        bool news = false;
        QMessageBox::Icon icon = QMessageBox::Information;
        QString text;
    };
    ExportEnd ExportEndOf(const ExportResult& result, double seconds) const;

    ProjectSettings& settings_;
    WindowHost& host_;
    ProjectDocument& document_;
    UiHooks& hooks_;
    Controls controls_;
    JobRunner runner_;
    ProgressBarState bar_;
    std::filesystem::path specimenTarget_;  // set before SpecimenWorker starts
    PreparedExport exportJob_;              // set before ExportWorker starts
    ExportChoice exportChoice_;             // what the export dialog showed last
    QString exportCaption_;                 // the command's caption while no export runs
    QString libraryCaption_;                // the Create button's caption while no build runs
    std::atomic<bool> exporting_{false};
    std::atomic<bool> closing_{false};
};

}  // namespace zemtra
