// The generation workers of the main window: the two "Create" buttons, the specimen sheet and
// the export, each a procedure on the window's job runner, and the lock-out of the controls
// while one runs.
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <chrono>
#include <optional>

#include "app/zemtra_dialog.h"
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
#include "ui/file_filter.h"
#include "ui/qt/cross_thread.h"

namespace zemtra {
namespace {

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

void CZemtraDlg::EnableAllControls(bool enable) {
    if (enable == controlsEnabled_) return;
    controlsEnabled_ = enable;
    // Window order is creation order; a hidden control is disabled too and stays hidden.
    for (QObject* child : client_->children()) {
        if (auto* w = qobject_cast<QWidget*>(child)) w->setEnabled(enable);
    }
}

void CZemtraDlg::ConnectJobRunner() {
    connect(&runner_, &JobRunner::rangeChanged, this, [this](int minimum, int maximum) {
        ApplyProgressRange(bar_, minimum, maximum);
        progress_->setRange(bar_.minimum, bar_.maximum);
    });
    connect(&runner_, &JobRunner::positionChanged, this, [this](int position) {
        if (ApplyProgressPosition(bar_, position) == ProgressChange::Position) {
            progress_->setValue(bar_.position);
        }
    });
    connect(&runner_, &JobRunner::finished, this, [this] { EnableAllControls(true); });
}

bool CZemtraDlg::SayNothingToDo(JobOutcome why) {
    QString text;
    switch (why) {
        case JobOutcome::Done:
            return false;
        case JobOutcome::EmptyList:
            text = Text(Msg::EmptyList);
            break;
        case JobOutcome::NoDots:
            text = Text(Msg::NoDots, {QString::number(MatrixWidth(settings_)),
                                      QString::number(MatrixHeight(settings_))});
            break;
        default:
            text = Text(Msg::EmptyCodeRange);
            break;
    }
    // Pressing a button and seeing nothing happen looks like a fault.
    ShowMessage(QMessageBox::Information, windowTitle(), text);
    ShowStatus(text);
    return true;
}

QString CZemtraDlg::FonttabNote(const FonttabCodes& codes) const {
    return Text(MessageArg(zemtra::FonttabNote(codes)));
}

void CZemtraDlg::OnCreateList() {
    if (runner_.Running() || closing_.load()) return;  // a closed window starts nothing
    panel_->Pull();
    if (SayNothingToDo(CSourceWorkOf(settings_))) return;
    EnableAllControls(false);
    panel_->ReadDirectControls();
    StartWorker(&CZemtraDlg::ListGenerationWorker);
}

void CZemtraDlg::OnCreateLibrary() {
    if (runner_.Running()) {
        runner_.Stop().Request();  // the second press stops the run at its next code
        return;
    }
    if (closing_.load()) return;  // a closed window starts nothing
    panel_->Pull();
    if (SayNothingToDo(HasDots(settings_) ? JobOutcome::Done : JobOutcome::NoDots)) return;
    EnableAllControls(false);
    createLibrary_->setEnabled(true);
    // A press now stops the run: the button says so until the run ends.
    libraryCaption_ = createLibrary_->text();
    createLibrary_->setText(Text(Msg::LibraryStop));
    panel_->ReadDirectControls();
    StartWorker(&CZemtraDlg::LibraryGenerationWorker);
}

bool CZemtraDlg::MatrixJobMayStart() {
    panel_->Pull();
    panel_->ReadDirectControls();
    if (SayNothingToDo(HasDots(settings_) ? JobOutcome::Done : JobOutcome::NoDots)) return false;
    if (const std::optional<Message> why = RenderLimitError(settings_)) {
        ShowMessage(QMessageBox::Warning, windowTitle(), Text(*why));
        return false;
    }
    return true;
}

void CZemtraDlg::OnSpecimenSheet() {
    if (runner_.Running() || closing_.load()) return;  // one job at a time
    if (!MatrixJobMayStart()) return;
    const QString name =
        AskSaveName(FileKind::Specimen, Msg::FilterPng, QStringLiteral("png"), Msg::DlgSpecimen);
    if (name.isEmpty()) return;
    specimenTarget_ = LocalPath(name);
    EnableAllControls(false);
    StartWorker(&CZemtraDlg::SpecimenWorker);
}

void CZemtraDlg::OnExport() {
    QAction* command = FindCommand(menuBar_, kCmdExport);
    if (exporting_.load()) {
        runner_.Stop().Request();  // the command stops the export at its next character
        return;
    }
    if (runner_.Running() || closing_.load()) return;  // one job at a time
    if (!MatrixJobMayStart()) return;
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
    std::variant<MessageArg, PreparedExport> prepared = PrepareExport(settings_, job);
    if (const auto* why = std::get_if<MessageArg>(&prepared)) {
        ShowMessage(QMessageBox::Warning, windowTitle(), Text(*why));
        return;
    }
    PreparedExport& ready = std::get<PreparedExport>(prepared);
    if (ready.characters.empty()) {
        ShowMessage(QMessageBox::Information, windowTitle(), Text(Msg::ExportEmpty));
        return;
    }
    const ExportFormatRow& row = ExportFormatRowOf(job.format);
    const QString suffix =
        QString::fromUtf8(row.suffix.data(), static_cast<qsizetype>(row.suffix.size()));
    const QString name = AskSaveName(FileKind::Export, row.filter, suffix, Msg::DlgExport);
    if (name.isEmpty()) return;
    ready.job.target = LocalPath(name);
    exportJob_ = std::move(ready);
    EnableAllControls(false);
    exporting_.store(true);
    exportCaption_ = command->text();
    command->setText(Text(Msg::ExportStop));
    StartWorker(&CZemtraDlg::ExportWorker);
}

CZemtraDlg::ExportEnd CZemtraDlg::ExportEndOf(const ExportResult& r, double seconds) const {
    ExportEnd end;
    end.news = r.outcome != JobOutcome::Done;
    switch (r.outcome) {
        case JobOutcome::Done:
            break;
        case JobOutcome::Stopped:
            end.text = Text(Msg::ExportStopped);
            return end;
        case JobOutcome::NoDots:
            end.text = Text(Msg::NoDots, {QString::number(MatrixWidth(settings_)),
                                          QString::number(MatrixHeight(settings_))});
            return end;
        case JobOutcome::NoGlyphs:
            end.icon = QMessageBox::Warning;
            end.text = Text(Msg::ExportNoGlyphs, {QString::number(r.characters)});
            return end;
        default:
            end.text = Text(Msg::ExportEmpty);
            return end;
    }
    end.text = Text(Msg::StatusExport, {QString::number(r.glyphs), QString::number(r.bytes),
                                        Seconds(seconds), ShownPath(exportJob_.job.target)});
    if (r.lacking > 0) {
        end.text += QStringLiteral("; ") +
                    Text(Msg::ExportLacking,
                         {QString::number(r.lacking), QString::fromStdString(LackingCodes(r))});
    }
    if (r.pictures > 0) {
        end.text += QStringLiteral("; ") + Text(Msg::ExportPictures, {QString::number(r.pictures)});
    }
    return end;
}

void CZemtraDlg::StartWorker(void (CZemtraDlg::*procedure)(ProjectSettings)) {
    // Its own copy of the settings, taken now, so no menu command can change them under it.
    runner_.Start(
        [this, procedure, job = settings_]() mutable { (this->*procedure)(std::move(job)); });
}

void CZemtraDlg::ShowMessage(QMessageBox::Icon icon, const QString&, const QString& text) {
    // The program's name: the title also names the project and marks changes.
    hooks_.messageBox(this, icon, ProgramCaption(), text);
}

void CZemtraDlg::RunOutputView(const FonttabCodes& codes) {
    if (closing_.load()) return;  // the window is going: nobody is left to look at the text
    const QString note = FonttabNote(codes);
    ShowStatus(zemtra::FonttabNote(codes));
    COutputDlg view(language_.get(), ScanModeOf(settings_), hooks_);
    view.SetNote(note);
    view.SetFolder(document_.FolderFor(FileKind::Output));
    view.exec();
    if (!view.Folder().isEmpty() && view.Folder() != document_.FolderFor(FileKind::Output)) {
        document_.Memory().folders[FileKind::Output] = FromQString(view.Folder());
    }
}

QString CZemtraDlg::AskLibraryTarget() {
    if (closing_.load() || runner_.Stop().Requested()) return {};
    return AskSaveName(FileKind::Library, Msg::FilterDzk, QStringLiteral("dzk"), Msg::DlgLibrary);
}

void CZemtraDlg::TellFromWorker(QMessageBox::Icon icon, const std::exception& e) {
    // Worded on the window's thread, whose language may change while a worker runs.
    runner_.Send(
        [this, icon, fact = ErrorArg(e)] { ShowMessage(icon, windowTitle(), Text(fact)); });
}

void CZemtraDlg::TellFromWorker(QMessageBox::Icon icon, Msg id, const QStringList& args) {
    runner_.Send([this, icon, id, args] {
        const QString text = Text(id, args);
        ShowStatus(text);
        ShowMessage(icon, windowTitle(), text);
    });
}

void CZemtraDlg::StatusFromWorker(const Message& message) {
    runner_.Send([this, message] {
        if (!closing_.load()) ShowStatus(message);
    });
}

void CZemtraDlg::ListGenerationWorker(ProjectSettings job) {
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

void CZemtraDlg::LibraryGenerationWorker(ProjectSettings job) {
    ProgressSink& progress = runner_.Progress();
    progress.SetRange(0, 100);
    progress.SetPosition(0);
    QString target;
    bool header = false;
    runner_.Send([this, &target, &header] {
        target = AskLibraryTarget();
        header = libraryHeader_->isChecked();
    });
    if (!target.isEmpty()) {
        try {
            LibraryJob description;
            description.target = LocalPath(target);
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
    runner_.Send([this] { createLibrary_->setText(libraryCaption_); });
}

void CZemtraDlg::ExportWorker(ProjectSettings job) {
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
        FindCommand(menuBar_, kCmdExport)->setText(exportCaption_);
        if (closing_.load()) return;
        ExportEnd end;
        if (!failure) {
            end = ExportEndOf(result, seconds);
        } else {
            end = {true, QMessageBox::Critical, Text(*failure)};
        }
        // The end goes to the status line; what wrote nothing is said in a message box too.
        ShowStatus(end.text);
        if (end.news) ShowMessage(end.icon, windowTitle(), end.text);
    });
}

void CZemtraDlg::SpecimenWorker(ProjectSettings job) {
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
