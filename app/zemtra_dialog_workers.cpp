// The generation workers of the main window: the two "Create" buttons and the specimen sheet,
// the lock-out of the controls, the progress message, and the wait for a worker when the
// window closes. A worker reaches the window only by blocking calls into the GUI thread, which
// keeps its event loop running whenever it waits for a worker.
#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <chrono>

#include "app/zemtra_dialog.h"
#include "base/error.h"
#include "jobs/jobs.h"
#include "output/qt/output_dialog.h"
#include "output/scan_order.h"
#include "raster/qt/qimage_picture_decoder.h"
#include "raster/qt/qimage_png_encoder.h"
#include "ui/file_filter.h"
#include "ui/qt/cross_thread.h"
#include "ui/qt/language.h"
#include "ui/special_strings.h"

namespace zemtra {
namespace {

// Runs f on the window's thread and waits until it has run, as the platform's SendMessage.
template <typename F>
void Send(CZemtraDlg* dialog, F f) {
    SendTo(dialog, std::move(f));
}

// Progress as WM_GENERATION_PROGRESS messages sent to the window.
class WindowProgress : public ProgressSink {
  public:
    explicit WindowProgress(CZemtraDlg* dialog) : dialog_(dialog) {}
    void SetRange(int minimum, int maximum) override {
        const int64_t lParam = ProgressRangeParam(minimum, maximum);
        Send(dialog_, [d = dialog_, lParam] { d->OnGenerationProgress(0, lParam); });
    }
    void SetPosition(int position) override {
        Send(dialog_, [d = dialog_, position] { d->OnGenerationProgress(1, position); });
    }

  private:
    CZemtraDlg* dialog_;
};

std::filesystem::path LocalPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QString ShownPath(const std::filesystem::path& p) {
    return QFile::decodeName(QByteArray::fromStdString(p.string()));
}

// What the window's jobs read and write pictures with, and whom they tell of their progress.
JobContext WindowJobContext(ProgressSink& progress, const StopFlag* stop) {
    JobContext context;
    context.pictures = &DefaultPictureDecoder();
    context.png = &DefaultPngEncoder();
    context.progress = &progress;
    context.stop = stop;
    return context;
}

// The file dialog's filter and suffix for an exported font.
SaveFileRequest ExportFileRequest(ExportFormat format) {
    const std::u16string all = u"|All Files(*.*)|*.*||";
    switch (format) {
        case ExportFormat::Bdf:
            return {ToQString(FileDialogFilter(u"BDF Fonts(*.bdf)|*.bdf" + all)),
                    QStringLiteral("bdf")};
        case ExportFormat::AdafruitGfx:
            return {ToQString(FileDialogFilter(u"C Header Files(*.h)|*.h" + all)),
                    QStringLiteral("h")};
        case ExportFormat::Lvgl:
            break;
    }
    return {ToQString(FileDialogFilter(u"C Source Files(*.c)|*.c" + all)), QStringLiteral("c")};
}

// The characters left out, as U+XXXX, "..." after the first few.
QString LackingList(const ExportResult& r) {
    QStringList codes;
    for (char16_t c : r.firstLacking) {
        codes << QStringLiteral("U+%1").arg(static_cast<unsigned>(c), 4, 16, QChar(u'0')).toUpper();
    }
    if (r.lacking > r.firstLacking.size()) codes << QStringLiteral("...");
    return codes.join(u' ');
}

// What to tell the user after a specimen sheet, or nothing when the window is closing.
QString SpecimenReport(const SpecimenResult& r) {
    switch (r.outcome) {
        case JobOutcome::Stopped:
            return {};
        case JobOutcome::NoDots:
            return QObject::tr("The matrix size must be at least 1 x 1 for a specimen sheet.");
        case JobOutcome::Done:
            break;
        default:
            return QObject::tr("The code range holds no code; nothing was written.");
    }
    const int count = static_cast<int>(r.glyphs);
    const QString what = r.ofList ? QObject::tr("%n character(s) of the list", "", count)
                                  : QObject::tr("%n code(s) of the range", "", count);
    if (r.pages == 1) {
        return QObject::tr("Wrote %1 into\n%2").arg(what, ShownPath(r.firstPage));
    }
    return QObject::tr("Wrote %1 on %2 pages:\n%3\n...\n%4")
        .arg(what)
        .arg(r.pages)
        .arg(ShownPath(r.firstPage), ShownPath(r.lastPage));
}

}  // namespace

void CZemtraDlg::EnableAllControls(bool enable) {
    if (enable == controlsEnabled_) return;
    controlsEnabled_ = enable;
    // Window order is creation order; a hidden control is disabled too and stays hidden.
    for (QObject* child : client_->children()) {
        if (auto* w = qobject_cast<QWidget*>(child)) w->setEnabled(enable);
    }
}

void CZemtraDlg::OnGenerationProgress(uint64_t wParam, int64_t lParam) {
    switch (ApplyProgressMessage(bar_, wParam, lParam)) {
        case ProgressChange::Range:
            progress_->setRange(bar_.minimum, bar_.maximum);
            break;
        case ProgressChange::Position:
            progress_->setValue(bar_.position);
            break;
        case ProgressChange::None:
            break;
    }
}

void CZemtraDlg::OnCreateList() {
    if (workerHeld_.load() || closing_.load()) return;  // a closed window starts nothing
    Pull();
    if (!HasDots(settings_)) return;
    EnableAllControls(false);
    ReadDirectControls();
    StartWorker(&ListGenerationWorker, settings_);
}

void CZemtraDlg::OnCreateLibrary() {
    if (workerHeld_.load()) {
        stop_.Request();  // the second press stops the run at its next code
        return;
    }
    if (closing_.load()) return;  // a closed window starts nothing
    Pull();
    if (!HasDots(settings_)) return;
    EnableAllControls(false);
    createLibrary_->setEnabled(true);
    ReadDirectControls();
    // The run flag is set before the thread starts, so an early stop request is not lost.
    stop_.Reset();
    StartWorker(&LibraryGenerationWorker, settings_);
}

void CZemtraDlg::OnSpecimenSheet() {
    if (workerHeld_.load() || closing_.load()) return;  // one job at a time
    Pull();
    ReadDirectControls();
    QString problem;
    if (!HasDots(settings_)) {
        problem = tr("The matrix size must be at least 1 x 1 for a specimen sheet.");
    } else if (const std::optional<std::string> why = RenderLimitError(settings_)) {
        problem = QString::fromStdString(*why);
    }
    if (!problem.isEmpty()) {
        ShowMessage(QMessageBox::Warning, windowTitle(), problem);
        return;
    }
    const QString name = hooks_.saveFileName(
        this, {ToQString(FileDialogFilter(u"PNG Files(*.png)|*.png|All Files(*.*)|*.*||")),
               QStringLiteral("png")});
    if (name.isEmpty()) return;
    specimenTarget_ = LocalPath(name);
    EnableAllControls(false);
    stop_.Reset();
    StartWorker(&SpecimenWorker, settings_);
}

void CZemtraDlg::OnExport() {
    QAction* command = FindCommand(menuBar_, kCmdExport);
    if (exporting_.load()) {
        stop_.Request();  // the command stops the export at its next character
        return;
    }
    if (workerHeld_.load() || closing_.load()) return;  // one job at a time
    Pull();
    ReadDirectControls();
    QString problem;
    if (!HasDots(settings_)) {
        problem = SpecialString(language_.get(), "IDS_EXPORT_NO_DOTS");
    } else if (const std::optional<std::string> why = RenderLimitError(settings_)) {
        problem = QString::fromStdString(*why);
    }
    if (!problem.isEmpty()) {
        ShowMessage(QMessageBox::Warning, windowTitle(), problem);
        return;
    }
    ExportJob job;
    job.characters = ExportCharacters::List;
    const size_t listed = ExportCharacterSet(settings_, job).size();
    CExportDlg chooser(language_.get(), hooks_, exportChoice_, listed, this);
    if (chooser.exec() != QDialog::Accepted) return;
    exportChoice_ = chooser.Choice();
    job.format = exportChoice_.format;
    job.bpp = exportChoice_.bpp;
    job.monospace = exportChoice_.monospace;
    job.compress = exportChoice_.compress;
    job.name = exportChoice_.name;
    job.characters = exportChoice_.fromList ? ExportCharacters::List : ExportCharacters::CodeRange;
    if (ExportCharacterSet(settings_, job).empty()) {
        ShowMessage(QMessageBox::Warning, windowTitle(),
                    SpecialString(language_.get(), "IDS_EXPORT_EMPTY"));
        return;
    }
    if (const std::optional<std::string> why = ExportJobProblem(settings_, job)) {
        ShowMessage(QMessageBox::Warning, windowTitle(), QString::fromStdString(*why));
        return;
    }
    const QString name = hooks_.saveFileName(this, ExportFileRequest(job.format));
    if (name.isEmpty()) return;
    job.target = LocalPath(name);
    exportJob_ = job;
    EnableAllControls(false);
    stop_.Reset();
    exporting_.store(true);
    exportCaption_ = command->text();
    command->setText(SpecialString(language_.get(), "IDS_EXPORT_STOP"));
    StartWorker(&ExportWorker, settings_);
}

QString CZemtraDlg::ExportReport(const ExportResult& r, double seconds) const {
    const CMultiLanguage* language = language_.get();
    switch (r.outcome) {
        case JobOutcome::Stopped:
            return closing_.load() ? QString() : SpecialString(language, "IDS_EXPORT_STOPPED");
        case JobOutcome::NoDots:
            return SpecialString(language, "IDS_EXPORT_NO_DOTS");
        case JobOutcome::NoCharacters:
            return SpecialString(language, "IDS_EXPORT_EMPTY");
        case JobOutcome::NoGlyphs:
            return SpecialString(language, "IDS_EXPORT_NO_GLYPHS").arg(r.characters);
        default:
            break;
    }
    const QLocale locale;
    QString text = SpecialString(language, "IDS_EXPORT_DONE")
                       .arg(r.glyphs)
                       .arg(ShownPath(exportJob_.target))
                       .arg(locale.toString(static_cast<qulonglong>(r.bytes)))
                       .arg(seconds, 0, 'f', 1);
    if (r.lacking > 0) {
        text += u'\n' +
                SpecialString(language, "IDS_EXPORT_LACKING").arg(r.lacking).arg(LackingList(r));
    }
    if (r.pictures > 0)
        text += u'\n' + SpecialString(language, "IDS_EXPORT_PICTURES").arg(r.pictures);
    return text;
}

void CZemtraDlg::StartWorker(void (*procedure)(CZemtraDlg*, ProjectSettings), ProjectSettings job) {
    if (worker_.joinable()) worker_.join();  // a finished run whose end is not handled yet
    workerHeld_.store(true);
    worker_ = std::thread(procedure, this, std::move(job));
}

void CZemtraDlg::JoinEndedWorker() {
    // Only a worker that has let go of the handle: it has nothing left to do but return.
    if (!workerHeld_.load() && worker_.joinable()) worker_.join();
}

void CZemtraDlg::WaitForWorker() {
    while (workerHeld_.load()) {
        stop_.Request();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (worker_.joinable()) worker_.join();
}

void CZemtraDlg::ShowMessage(QMessageBox::Icon icon, const QString& caption, const QString& text) {
    hooks_.messageBox(this, icon, caption, text);
}

void CZemtraDlg::RunOutputView() {
    if (closing_.load()) return;  // the window is going: nobody is left to look at the text
    COutputDlg view(language_.get(), ScanModeOf(settings_), hooks_);
    view.exec();
}

QString CZemtraDlg::AskLibraryTarget() {
    if (closing_.load() || stop_.Requested()) return {};
    const SaveFileRequest request{
        ToQString(FileDialogFilter(u"DZK Files(*.dzk)|*.dzk|All Files(*.*)|*.*||")),
        QStringLiteral("dzk")};
    return hooks_.saveFileName(this, request);
}

void CZemtraDlg::TellFromWorker(CZemtraDlg* d, QMessageBox::Icon icon, const QString& text) {
    Send(d, [d, icon, text] { d->ShowMessage(icon, d->windowTitle(), text); });
}

void CZemtraDlg::EndWorker(CZemtraDlg* d) {
    Send(d, [d] { d->EnableAllControls(true); });
    PostTo(d, [d] { d->JoinEndedWorker(); });
    d->workerHeld_.store(false);  // the last touch of the window
}

void CZemtraDlg::ListGenerationWorker(CZemtraDlg* d, ProjectSettings job) {
    WindowProgress progress(d);
    bool written = false;
    try {
        CSourceJob description;
        description.target = CSourceTarget::TemporaryOutputFile;
        written = RunJob(job, description, WindowJobContext(progress, nullptr)).outcome ==
                  JobOutcome::Done;
    } catch (const std::exception& e) {
        TellFromWorker(d, QMessageBox::Critical, QString::fromUtf8(e.what()));
        progress.SetPosition(0);
    } catch (...) {
        TellFromWorker(d, QMessageBox::Critical, QString::fromUtf8(kUnexpectedError));
        progress.SetPosition(0);
    }
    // The worker waits here until the user closes the Output View.
    if (written) Send(d, [d] { d->RunOutputView(); });
    EndWorker(d);
}

void CZemtraDlg::LibraryGenerationWorker(CZemtraDlg* d, ProjectSettings job) {
    WindowProgress progress(d);
    progress.SetRange(0, 100);
    progress.SetPosition(0);
    QString target;
    Send(d, [d, &target] { target = d->AskLibraryTarget(); });
    if (!target.isEmpty()) {
        try {
            LibraryJob description;
            description.target = LocalPath(target);
            const LibraryJobResult result =
                RunJob(job, description, WindowJobContext(progress, &d->stop_));
            // The empty file is what the run makes of such a range; it should not pass for a
            // library.
            if (result.emptyRange && result.outcome == JobOutcome::Done) {
                TellFromWorker(d, QMessageBox::Warning,
                               tr("%1; the library file is empty.")
                                   .arg(QString::fromStdString(*result.emptyRange)));
            }
            // Stopped by the button, not by closing: say what the file holds now.
            if (result.outcome == JobOutcome::Stopped && !d->closing_.load()) {
                TellFromWorker(d, QMessageBox::Information,
                               tr("Stopped. The %1 records written so far are kept in \"%2\".")
                                   .arg(result.counts.recordsWritten)
                                   .arg(target));
            }
        } catch (const CannotCreateFile&) {
            TellFromWorker(d, QMessageBox::NoIcon, ToQString(kOpenFileError));
        } catch (const std::exception& e) {
            TellFromWorker(d, QMessageBox::Critical, QString::fromUtf8(e.what()));
        } catch (...) {
            TellFromWorker(d, QMessageBox::Critical, QString::fromUtf8(kUnexpectedError));
        }
    }
    progress.SetPosition(0);
    EndWorker(d);
}

void CZemtraDlg::ExportWorker(CZemtraDlg* d, ProjectSettings job) {
    WindowProgress progress(d);
    progress.SetRange(0, 100);
    progress.SetPosition(0);
    const auto started = std::chrono::steady_clock::now();
    ExportResult result;
    QString failure;
    try {
        result = RunJob(job, d->exportJob_, WindowJobContext(progress, &d->stop_));
    } catch (const std::exception& e) {
        failure = QString::fromUtf8(e.what());
    } catch (...) {
        failure = QString::fromUtf8(kUnexpectedError);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    progress.SetPosition(0);
    Send(d, [d, &result, &failure, seconds] {
        d->exporting_.store(false);
        FindCommand(d->menuBar_, kCmdExport)->setText(d->exportCaption_);
        if (d->closing_.load()) return;
        const bool failed = !failure.isEmpty();
        const QString report = failed ? failure : d->ExportReport(result, seconds);
        if (report.isEmpty()) return;
        const bool done = !failed && result.outcome == JobOutcome::Done;
        d->ShowMessage(failed ? QMessageBox::Critical
                              : (done ? QMessageBox::Information : QMessageBox::Warning),
                       d->windowTitle(), report);
    });
    EndWorker(d);
}

void CZemtraDlg::SpecimenWorker(CZemtraDlg* d, ProjectSettings job) {
    WindowProgress progress(d);
    progress.SetRange(0, 100);
    progress.SetPosition(0);
    QString report;
    auto icon = QMessageBox::Information;
    try {
        SpecimenJob description;
        description.target = d->specimenTarget_;
        report = SpecimenReport(RunJob(job, description, WindowJobContext(progress, &d->stop_)));
    } catch (const std::exception& e) {
        report = QString::fromUtf8(e.what());
        icon = QMessageBox::Critical;
    } catch (...) {
        report = QString::fromUtf8(kUnexpectedError);
        icon = QMessageBox::Critical;
    }
    progress.SetPosition(0);
    if (!report.isEmpty()) {
        Send(d, [d, icon, report] {
            if (!d->closing_.load()) d->ShowMessage(icon, d->windowTitle(), report);
        });
    }
    EndWorker(d);
}

}  // namespace zemtra
