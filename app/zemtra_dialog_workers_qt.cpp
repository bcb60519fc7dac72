// The generation workers of the main window: the two "Create" buttons and the specimen sheet,
// the lock-out of the controls, the progress message, and the wait for a worker when the
// window closes. A worker reaches the window only by blocking calls into the GUI thread, which
// keeps its event loop running whenever it waits for a worker.
#include <QCoreApplication>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <chrono>

#include "app/cross_thread_qt.h"
#include "app/error.h"
#include "app/file_filter.h"
#include "app/special_strings.h"
#include "app/zemtra_dialog.h"
#include "output/c_source_writer.h"
#include "output/font_library.h"
#include "output/output_dialog.h"
#include "output/output_text.h"
#include "raster/picture_check.h"
#include "raster/qimage_matrix_png.h"
#include "raster/qimage_picture_decoder.h"
#include "raster/specimen.h"

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

// Rendering the glyphs fills the bar to this position, writing the pages the rest.
constexpr int kSpecimenRenderShare = 80;

class ScaledProgress : public ProgressSink {
  public:
    ScaledProgress(ProgressSink& to, int scale) : to_(to), scale_(scale) {}
    void SetRange(int minimum, int maximum) override { to_.SetRange(minimum, maximum); }
    void SetPosition(int position) override { to_.SetPosition(position * scale_ / 100); }

  private:
    ProgressSink& to_;
    int scale_;
};

QString ShownPath(const std::filesystem::path& p) {
    return QFile::decodeName(QByteArray::fromStdString(p.string()));
}

// Renders the sheet's glyphs and writes its pages; what to tell the user afterwards, or
// nothing when the window is closing.
QString WriteSpecimenSheet(const ProjectSettings& job, const std::filesystem::path& target,
                           ProgressSink& progress, const StopFlag& stop) {
    GlyphRenderer renderer(&DefaultPictureDecoder());
    ScaledProgress rendering(progress, kSpecimenRenderShare);
    const SpecimenRun run{&rendering, &stop};
    const bool list = !job.LIST.empty();
    const std::vector<SpecimenGlyph> glyphs =
        list ? SpecimenGlyphsOfList(job, renderer, run) : SpecimenGlyphsOfRange(job, renderer, run);
    if (stop.Requested()) return {};
    if (glyphs.empty()) return QObject::tr("The code range holds no code; nothing was written.");
    const size_t pages = SpecimenPageCount(glyphs.size());
    for (size_t page = 0; page < pages; ++page) {
        if (stop.Requested()) return {};
        const auto first = glyphs.begin() + static_cast<std::ptrdiff_t>(page * kSpecimenPerPage);
        const auto last = glyphs.begin() + static_cast<std::ptrdiff_t>(std::min(
                                               glyphs.size(), (page + 1) * kSpecimenPerPage));
        SaveRasterPng(SpecimenPage(std::vector<SpecimenGlyph>(first, last), renderer.Fonts()),
                      SpecimenPageFile(target, page, pages));
        progress.SetPosition(kSpecimenRenderShare +
                             static_cast<int>((page + 1) * (100 - kSpecimenRenderShare) / pages));
    }
    const QString what = list ? QObject::tr("%n character(s) of the list", "", int(glyphs.size()))
                              : QObject::tr("%n code(s) of the range", "", int(glyphs.size()));
    if (pages == 1) {
        return QObject::tr("Wrote %1 into\n%2").arg(what, ShownPath(target));
    }
    return QObject::tr("Wrote %1 on %2 pages:\n%3\n...\n%4")
        .arg(what)
        .arg(pages)
        .arg(ShownPath(SpecimenPageFile(target, 0, pages)),
             ShownPath(SpecimenPageFile(target, pages - 1, pages)));
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
    if (MatrixWidth(settings_) <= 0 || MatrixHeight(settings_) <= 0) return;
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
    if (MatrixWidth(settings_) <= 0 || MatrixHeight(settings_) <= 0) return;
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
    if (MatrixWidth(settings_) < 1 || MatrixHeight(settings_) < 1) {
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
    COutputDlg view(this, hooks_);
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
    if (!job.LIST.empty()) {
        bool written = false;
        try {
            // A picture item whose file went missing or broke would come out blank.
            if (auto why = ListPictureProblems(DefaultPictureDecoder(), job)) {
                throw UserError(*why);
            }
            GlyphRenderer renderer(&DefaultPictureDecoder());
            RendererGlyphSource glyphs(renderer, job);
            written = WriteCSourceToTempFile(job, CharacterText(job.LIST), glyphs, &progress);
        } catch (const std::exception& e) {
            TellFromWorker(d, QMessageBox::Critical, QString::fromUtf8(e.what()));
            progress.SetPosition(0);
        }
        // The worker waits here until the user closes the Output View.
        if (written) Send(d, [d] { d->RunOutputView(); });
    }
    EndWorker(d);
}

void CZemtraDlg::LibraryGenerationWorker(CZemtraDlg* d, ProjectSettings job) {
    WindowProgress progress(d);
    progress.SetRange(0, 100);
    progress.SetPosition(0);
    QString target;
    Send(d, [d, &target] { target = d->AskLibraryTarget(); });
    if (!target.isEmpty()) {
        const std::filesystem::path path = LocalPath(target);
        if (!CreateOrEmptyFile(path)) {
            TellFromWorker(d, QMessageBox::NoIcon, ToQString(kOpenFileError));
        } else {
            try {
                LibraryOptions options;
                options.progress = &progress;
                options.stop = &d->stop_;
                const LibraryResult result = BuildFontLibrary(job, path, options);
                // The empty file is what the run makes of such a range; it should not pass
                // for a library.
                if (const auto empty = EmptyCodeRectangle(job); empty && !result.stopped) {
                    TellFromWorker(
                        d, QMessageBox::Warning,
                        tr("%1; the library file is empty.").arg(QString::fromStdString(*empty)));
                }
                // Stopped by the button, not by closing: say what the file holds now.
                if (result.stopped && !d->closing_.load()) {
                    TellFromWorker(d, QMessageBox::Information,
                                   tr("Stopped. The %1 records written so far are kept in \"%2\".")
                                       .arg(result.recordsWritten)
                                       .arg(target));
                }
            } catch (const std::exception& e) {
                TellFromWorker(d, QMessageBox::Critical, QString::fromUtf8(e.what()));
            }
        }
    }
    progress.SetPosition(0);
    EndWorker(d);
}

void CZemtraDlg::SpecimenWorker(CZemtraDlg* d, ProjectSettings job) {
    WindowProgress progress(d);
    progress.SetRange(0, 100);
    progress.SetPosition(0);
    QString report;
    auto icon = QMessageBox::Information;
    try {
        report = WriteSpecimenSheet(job, d->specimenTarget_, progress, d->stop_);
    } catch (const std::exception& e) {
        report = QString::fromUtf8(e.what());
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
