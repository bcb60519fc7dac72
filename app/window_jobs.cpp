#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <chrono>
#include <optional>

#include "app/window_jobs.h"

#include "app/project_document.h"
#include "base/code_page.h"
#include "base/error.h"
#include "base/scan_order.h"
#include "base/unicode.h"
#include "jobs/jobs.h"
#include "output/font_export.h"
#include "output/qt/output_dialog.h"
#include "project/project_file.h"
#include "raster/qt/qimage_picture_decoder.h"
#include "raster/qt/qimage_png_encoder.h"
#include "ui/control_ids.h"
#include "ui/file_filter.h"
#include "ui/qt/cross_thread.h"
#include "ui/qt/language.h"
#include "ui/qt/ui_hooks.h"

namespace zemtra {
namespace {

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

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// "1 glyph", "4 glyphs": the count with its word, worded in the window's language.
Message Counted(int64_t n, Msg one, Msg many) {
    return Message{n == 1 ? one : many, {std::to_string(n)}};
}

QString Seconds(double s) {
    return QString::number(s, 'f', 1);
}

}  // namespace

WindowJobs::WindowJobs(ProjectSettings& record, WindowHost& host, ProjectDocument& document,
                       UiHooks& hooks, const Controls& controls, QObject* parent)
    : QObject(parent),
      settings_(record),
      host_(host),
      document_(document),
      hooks_(hooks),
      controls_(controls) {
    connect(&runner_, &JobRunner::rangeChanged, this, [this](int minimum, int maximum) {
        ApplyProgressRange(bar_, minimum, maximum);
        controls_.progress->setRange(bar_.minimum, bar_.maximum);
    });
    connect(&runner_, &JobRunner::positionChanged, this, [this](int position) {
        if (ApplyProgressPosition(bar_, position) == ProgressChange::Position) {
            controls_.progress->setValue(bar_.position);
        }
    });
    connect(&runner_, &JobRunner::finished, this, [this] { host_.EnableAllControls(true); });
}

WindowJobs::~WindowJobs() {
    Close();
}

void WindowJobs::Close() {
    closing_.store(true);
    runner_.StopAndWait();
}

bool WindowJobs::SayNothingToDo(JobOutcome why) {
    QString text;
    switch (why) {
        case JobOutcome::Done:
            return false;
        case JobOutcome::EmptyList:
            text = host_.Text(Msg::EmptyList);
            break;
        case JobOutcome::NoDots:
            text = host_.Text(Msg::NoDots, {QString::number(MatrixWidth(settings_)),
                                            QString::number(MatrixHeight(settings_))});
            break;
        default:
            text = host_.Text(Msg::EmptyCodeRange);
            break;
    }
    // Pressing a button and seeing nothing happen looks like a fault.
    host_.ShowMessage(QMessageBox::Information, text);
    host_.ShowStatus(text);
    return true;
}

void WindowJobs::CreateList() {
    if (runner_.Running() || closing_.load()) return;  // a closed window starts nothing
    host_.ReadControls();
    if (SayNothingToDo(CSourceWorkOf(settings_))) return;
    host_.EnableAllControls(false);
    Start(&WindowJobs::ListGenerationWorker);
}

void WindowJobs::CreateLibrary() {
    if (runner_.Running()) {
        runner_.Stop().Request();  // the second press stops the run at its next code
        return;
    }
    if (closing_.load()) return;  // a closed window starts nothing
    host_.ReadControls();
    if (SayNothingToDo(HasDots(settings_) ? JobOutcome::Done : JobOutcome::NoDots)) return;
    host_.EnableAllControls(false);
    controls_.createLibrary->setEnabled(true);
    // A press now stops the run: the button says so until the run ends.
    libraryCaption_ = controls_.createLibrary->text();
    controls_.createLibrary->setText(host_.Text(Msg::LibraryStop));
    Start(&WindowJobs::LibraryGenerationWorker);
}

bool WindowJobs::MatrixJobMayStart() {
    host_.ReadControls();
    if (SayNothingToDo(HasDots(settings_) ? JobOutcome::Done : JobOutcome::NoDots)) return false;
    if (const std::optional<Message> why = RenderLimitError(settings_)) {
        host_.ShowMessage(QMessageBox::Warning, host_.Text(*why));
        return false;
    }
    return true;
}

void WindowJobs::SpecimenSheet() {
    if (runner_.Running() || closing_.load()) return;  // one job at a time
    if (!MatrixJobMayStart()) return;
    const QString name = document_.AskSaveName(FileKind::Specimen, Msg::FilterPng,
                                               QStringLiteral("png"), Msg::DlgSpecimen);
    if (name.isEmpty()) return;
    specimenTarget_ = ToLocalPath(name);
    host_.EnableAllControls(false);
    Start(&WindowJobs::SpecimenWorker);
}

void WindowJobs::Export() {
    QAction* command = controls_.exportCommand;
    if (exporting_.load()) {
        runner_.Stop().Request();  // the command stops the export at its next character
        return;
    }
    if (runner_.Running() || closing_.load()) return;  // one job at a time
    if (!MatrixJobMayStart()) return;
    ExportJob job;
    job.characters = ExportCharacters::List;
    const size_t listed = ExportCharacterSet(settings_, job).size();
    CExportDlg chooser(hooks_.language.get(), hooks_, exportChoice_, listed, controls_.window);
    if (chooser.exec() != QDialog::Accepted) return;
    exportChoice_ = chooser.Choice();
    job.format = exportChoice_.format;
    job.bpp = exportChoice_.bpp;
    job.monospace = exportChoice_.monospace;
    job.compress = exportChoice_.compress;
    job.name = exportChoice_.name;
    job.characters = exportChoice_.fromList ? ExportCharacters::List : ExportCharacters::CodeRange;
    std::variant<MessageArg, PreparedExport> prepared = PrepareExport(settings_, job);
    if (const auto* why = std::get_if<MessageArg>(&prepared)) {
        host_.ShowMessage(QMessageBox::Warning, host_.Text(*why));
        return;
    }
    PreparedExport& ready = std::get<PreparedExport>(prepared);
    if (ready.characters.empty()) {
        host_.ShowMessage(QMessageBox::Information, host_.Text(Msg::ExportEmpty));
        return;
    }
    const ExportFormatRow& row = ExportFormatRowOf(job.format);
    const QString suffix =
        QString::fromUtf8(row.suffix.data(), static_cast<qsizetype>(row.suffix.size()));
    const QString name =
        document_.AskSaveName(FileKind::Export, row.filter, suffix, Msg::DlgExport);
    if (name.isEmpty()) return;
    ready.job.target = ToLocalPath(name);
    exportJob_ = std::move(ready);
    host_.EnableAllControls(false);
    exporting_.store(true);
    exportCaption_ = command->text();
    command->setText(host_.Text(Msg::ExportStop));
    Start(&WindowJobs::ExportWorker);
}

WindowJobs::ExportEnd WindowJobs::ExportEndOf(const ExportResult& r, double seconds) const {
    ExportEnd end;
    end.news = r.outcome != JobOutcome::Done;
    switch (r.outcome) {
        case JobOutcome::Done:
            break;
        case JobOutcome::Stopped:
            end.text = host_.Text(Msg::ExportStopped);
            return end;
        case JobOutcome::NoDots:
            end.text = host_.Text(Msg::NoDots, {QString::number(MatrixWidth(settings_)),
                                                QString::number(MatrixHeight(settings_))});
            return end;
        case JobOutcome::NoGlyphs:
            end.icon = QMessageBox::Warning;
            end.text = host_.Text(Msg::ExportNoGlyphs, {QString::number(r.characters)});
            return end;
        default:
            end.text = host_.Text(Msg::ExportEmpty);
            return end;
    }
    end.text = host_.Text(Msg::StatusExport, {QString::number(r.glyphs), QString::number(r.bytes),
                                              Seconds(seconds), ShownPath(exportJob_.job.target)});
    if (r.lacking > 0) {
        end.text += QStringLiteral("; ") +
                    host_.Text(Msg::ExportLacking, {QString::number(r.lacking),
                                                    QString::fromStdString(LackingCodes(r))});
    }
    if (r.pictures > 0) {
        end.text +=
            QStringLiteral("; ") + host_.Text(Msg::ExportPictures, {QString::number(r.pictures)});
    }
    return end;
}

void WindowJobs::Start(void (WindowJobs::*procedure)(ProjectSettings)) {
    // Its own copy of the settings, taken now, so no menu command can change them under it.
    runner_.Start(
        [this, procedure, job = settings_]() mutable { (this->*procedure)(std::move(job)); });
}

void WindowJobs::RunOutputView(const FonttabCodes& codes) {
    if (closing_.load()) return;  // the window is going: nobody is left to look at the text
    const QString note = host_.Text(MessageArg(FonttabNote(codes)));
    host_.ShowStatus(FonttabNote(codes));
    COutputDlg view(hooks_.language.get(), ScanModeOf(settings_), hooks_);
    view.SetNote(note);
    view.SetFolder(document_.FolderFor(FileKind::Output));
    view.exec();
    if (!view.Folder().isEmpty() && view.Folder() != document_.FolderFor(FileKind::Output)) {
        document_.Memory().folders[FileKind::Output] = FromQString(view.Folder());
    }
}

QString WindowJobs::AskLibraryTarget() {
    if (closing_.load() || runner_.Stop().Requested()) return {};
    return document_.AskSaveName(FileKind::Library, Msg::FilterDzk, QStringLiteral("dzk"),
                                 Msg::DlgLibrary);
}

void WindowJobs::TellFromWorker(QMessageBox::Icon icon, const std::exception& e) {
    // Worded on the window's thread, whose language may change while a worker runs.
    runner_.Send([this, icon, fact = ErrorArg(e)] { host_.ShowMessage(icon, host_.Text(fact)); });
}

void WindowJobs::TellFromWorker(QMessageBox::Icon icon, Msg id, const QStringList& args) {
    runner_.Send([this, icon, id, args] {
        const QString text = host_.Text(id, args);
        host_.ShowStatus(text);
        host_.ShowMessage(icon, text);
    });
}

void WindowJobs::StatusFromWorker(const Message& message) {
    runner_.Send([this, message] {
        if (!closing_.load()) host_.ShowStatus(message);
    });
}

void WindowJobs::ListGenerationWorker(ProjectSettings job) {
    ProgressSink& progress = runner_.Progress();
    bool written = false;
    FonttabCodes codes;
    try {
        CSourceJob description;
        description.target = CSourceTarget::TemporaryOutputFile;
        const CSourceResult result = RunJob(job, description, WindowJobContext(progress, nullptr));
        written = result.outcome == JobOutcome::Done;
        codes = result.fonttab;
    } catch (const std::exception& e) {
        TellFromWorker(QMessageBox::Critical, e);
        progress.SetPosition(0);
    } catch (...) {
        TellFromWorker(QMessageBox::Critical, Msg::UnexpectedError, {});
        progress.SetPosition(0);
    }
    // The worker waits here until the user closes the Output View.
    if (written) runner_.Send([this, &codes] { RunOutputView(codes); });
}

void WindowJobs::LibraryGenerationWorker(ProjectSettings job) {
    ProgressSink& progress = runner_.Progress();
    progress.SetRange(0, 100);
    progress.SetPosition(0);
    QString target;
    bool header = false;
    runner_.Send([this, &target, &header] {
        target = AskLibraryTarget();
        header = controls_.libraryHeader->isChecked();
    });
    if (!target.isEmpty()) {
        try {
            LibraryJob description;
            description.target = ToLocalPath(target);
            if (header) {
                // hz16.dzk: hz16.h with hz16_info, and the map where codes are not characters.
                description.header =
                    std::filesystem::path(description.target).replace_extension(".h");
                description.headerName = CIdentifierFrom(description.target.stem().string());
                description.unicodeMap =
                    job.CODEPAGE != static_cast<int32_t>(CodePageKind::Unicode);
            }
            const auto start = std::chrono::steady_clock::now();
            const LibraryJobResult result =
                RunJob(job, description, WindowJobContext(progress, &runner_.Stop()));
            if (result.emptyRange && result.outcome == JobOutcome::Done) {
                // The empty file is what the run makes of such a range; it should not pass for
                // a library.
                const auto hex = [](int v, int digits) {
                    return QStringLiteral("%1").arg(v, digits, 16, QChar(u'0')).toUpper();
                };
                TellFromWorker(
                    QMessageBox::Warning, Msg::LibraryEmptyRange,
                    {hex(job.FROM, 4), hex(job.TO, 4), hex(job.FROM >> 8, 2), hex(job.TO >> 8, 2),
                     hex(job.FROM & 0xFF, 2), hex(job.TO & 0xFF, 2)});
            } else if (result.outcome == JobOutcome::Stopped) {
                // Stopped by the button, not by closing: say what the file holds now.
                if (!closing_.load()) {
                    TellFromWorker(QMessageBox::Information, Msg::LibraryStopped,
                                   {QString::number(result.counts.recordsWritten), target});
                }
            } else {
                // However fast it ends, the run says so: a second press meant to stop it would
                // otherwise start another.
                Message status{
                    description.header ? Msg::StatusLibraryHeader : Msg::StatusLibrary,
                    {Counted(result.counts.recordsWritten, Msg::CountRecord, Msg::CountRecords),
                     std::to_string(result.bytes), FromQString(Seconds(SecondsSince(start))),
                     FromQString(target)}};
                if (description.header) status.args.emplace_back(description.header->string());
                StatusFromWorker(status);
            }
        } catch (const CannotCreateFile&) {
            TellFromWorker(QMessageBox::NoIcon, Msg::OpenFileError, {});
        } catch (const std::exception& e) {
            TellFromWorker(QMessageBox::Critical, e);
        } catch (...) {
            TellFromWorker(QMessageBox::Critical, Msg::UnexpectedError, {});
        }
    }
    progress.SetPosition(0);
    runner_.Send([this] { controls_.createLibrary->setText(libraryCaption_); });
}

void WindowJobs::ExportWorker(ProjectSettings job) {
    ProgressSink& progress = runner_.Progress();
    progress.SetRange(0, 100);
    progress.SetPosition(0);
    const auto start = std::chrono::steady_clock::now();
    ExportResult result;
    std::optional<MessageArg> failure;  // worded on the window's thread, in its language then
    try {
        result = RunJob(job, exportJob_, WindowJobContext(progress, &runner_.Stop()));
    } catch (const std::exception& e) {
        failure = ErrorArg(e);
    } catch (...) {
        failure = Message{Msg::UnexpectedError};
    }
    const double seconds = SecondsSince(start);
    progress.SetPosition(0);
    runner_.Send([this, &result, &failure, seconds] {
        exporting_.store(false);
        controls_.exportCommand->setText(exportCaption_);
        if (closing_.load()) return;
        ExportEnd end;
        if (!failure) {
            end = ExportEndOf(result, seconds);
        } else {
            end = {true, QMessageBox::Critical, host_.Text(*failure)};
        }
        // The end goes to the status line; what wrote nothing is said in a message box too.
        host_.ShowStatus(end.text);
        if (end.news) host_.ShowMessage(end.icon, end.text);
    });
}

void WindowJobs::SpecimenWorker(ProjectSettings job) {
    ProgressSink& progress = runner_.Progress();
    progress.SetRange(0, 100);
    progress.SetPosition(0);
    try {
        SpecimenJob description;
        description.target = specimenTarget_;
        const auto start = std::chrono::steady_clock::now();
        const SpecimenResult r =
            RunJob(job, description, WindowJobContext(progress, &runner_.Stop()));
        switch (r.outcome) {
            case JobOutcome::Done: {
                QString pages = ShownPath(r.firstPage);
                if (r.pages > 1) pages += QStringLiteral(" ... ") + ShownPath(r.lastPage);
                StatusFromWorker(Message{
                    Msg::StatusSpecimen,
                    {Counted(static_cast<int64_t>(r.glyphs), Msg::CountGlyph, Msg::CountGlyphs),
                     Counted(static_cast<int64_t>(r.pages), Msg::CountPage, Msg::CountPages),
                     std::to_string(r.bytes), FromQString(Seconds(SecondsSince(start))),
                     FromQString(pages)}});
                break;
            }
            case JobOutcome::Stopped:
                break;
            case JobOutcome::NoDots:
                TellFromWorker(
                    QMessageBox::Information, Msg::NoDots,
                    {QString::number(MatrixWidth(job)), QString::number(MatrixHeight(job))});
                break;
            default:
                TellFromWorker(QMessageBox::Information, Msg::EmptyCodeRange, {});
                break;
        }
    } catch (const std::exception& e) {
        TellFromWorker(QMessageBox::Critical, e);
    } catch (...) {
        TellFromWorker(QMessageBox::Critical, Msg::UnexpectedError, {});
    }
    progress.SetPosition(0);
}

}  // namespace zemtra
