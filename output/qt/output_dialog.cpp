// The Output View: loading the temporary output file, Copy, Save and Verify.
#include "output/qt/output_dialog.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

#include "base/atomic_file.h"
#include "base/error.h"
#include "base/unicode.h"
#include "output/c_source_lines.h"
#include "output/output_text.h"
#include "output/scan_decode.h"
#include "output/temp_file.h"
#include "output/text_file.h"
#include "raster/preview_geometry.h"
#include "ui/dialog_template.h"
#include "ui/file_filter.h"
#include "ui/qt/cross_thread.h"
#include "ui/qt/dialog_builder.h"
#include "ui/qt/event_guard.h"
#include "ui/qt/language.h"
#include "ui/settings_controls.h"
#include "ui/special_strings.h"

namespace zemtra {
namespace {

// create + write + binary + Unicode: the flags every saved text is opened with.
constexpr uint32_t kSaveFlags = CStdioFileEx::modeCreate | CStdioFileEx::modeWrite |
                                CStdioFileEx::typeBinary | CStdioFileEx::modeUnicode;
static_assert(kSaveFlags == 0x109001);

// The temporary file's text; nothing when its folder cannot be used.
std::u16string LoadTemporaryText(const std::filesystem::path& source) {
    try {
        return LoadOutputText(source.empty() ? TempOutputPath() : source);
    } catch (const std::exception&) {
        return {};
    }
}

QRgb ToQRgb(uint32_t bgr) {
    return qRgb(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

// The glyph as the preview shows it (lit dots light under Cathode, dark under Anode, on black),
// enlarged by whole dots as far as the area allows, shrunk to it when even one pixel a dot is
// too much.
QPixmap GlyphPixmap(const DotMatrix& m, int32_t polarity, QSize area) {
    const int pitch = std::max(1, std::min(area.width() / m.Width(), area.height() / m.Height()));
    const int dot = pitch > 2 ? pitch - 1 : pitch;
    const QRgb on = ToQRgb(polarity == Anode ? kPreviewDark : kPreviewLight);
    const QRgb off = ToQRgb(polarity == Anode ? kPreviewLight : kPreviewDark);
    QImage image(m.Width() * pitch, m.Height() * pitch, QImage::Format_RGB32);
    image.fill(qRgb(0, 0, 0));
    for (int y = 0; y < m.Height(); ++y) {
        for (int x = 0; x < m.Width(); ++x) {
            const QRgb c = m.Lit(x, y) ? on : off;
            for (int dy = 0; dy < dot; ++dy) {
                auto* line = reinterpret_cast<QRgb*>(image.scanLine(y * pitch + dy));
                for (int dx = 0; dx < dot; ++dx) line[x * pitch + dx] = c;
            }
        }
    }
    if (image.width() > area.width() || image.height() > area.height()) {
        image = image.scaled(area, Qt::KeepAspectRatio, Qt::FastTransformation);
    }
    return QPixmap::fromImage(image);
}

}  // namespace

COutputDlg::COutputDlg(const CMultiLanguage* language, const ScanMode& mode, UiHooks hooks,
                       std::filesystem::path source, QWidget* parent)
    : QDialog(parent),
      language_(language),
      hooks_(std::move(hooks)),
      source_(std::move(source)),
      mode_(mode) {
    const DialogTemplate& d = OutputDialogTemplate();
    setWindowTitle(ToQString(d.caption));
    // It resizes and maximises; the template's size is its smallest.
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setSizeGripEnabled(true);
    setFont(DialogFont());
    const int dpi = LogicalDpi(this);
    base_ = QSize(DluToPixelsX(d.width, dpi), DluToPixelsY(d.height, dpi));
    controls_ = PlaceTemplateControls(d, this, dpi);
    text_ = qobject_cast<QPlainTextEdit*>(Control(kOutputTextId));
    // Source code in the system's fixed-width font, so its columns line up.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    // Where the system's choice does not resolve to a fixed-pitch face, one that surely is.
    fixed.setFamilies(
        {fixed.family(), QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")});
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setFixedPitch(true);
    text_->setFont(fixed);
    // The note sits in the template's bottom margin, under the text, and grows with it.
    note_ = new QLabel(this);
    note_->setTextFormat(Qt::PlainText);
    const int noteHeight = fontMetrics().height() + 2;
    base_.setHeight(base_.height() + noteHeight);
    note_->setGeometry(text_->x(), base_.height() - noteHeight - 2, text_->width(), noteHeight);
    setMinimumSize(base_);
    resize(base_);
    auto* copy = qobject_cast<QPushButton*>(Control(kCopyButtonId));
    auto* save = qobject_cast<QPushButton*>(Control(kSaveButtonId));
    auto* verify = qobject_cast<QPushButton*>(Control(kVerifyButtonId));
    auto* cancel = qobject_cast<QPushButton*>(Control(kIdCancel));
    verifyPicture_ = qobject_cast<QLabel*>(Control(kVerifyPictureId));
    verifyCaption_ = qobject_cast<QLabel*>(Control(kVerifyCaptionId));
    verifyPicture_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    verifyCaption_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    verifyCaption_->setTextFormat(Qt::PlainText);
    verifyCaption_->setWordWrap(true);
    // Enter belongs to the text box; no button presses itself on it.
    for (QPushButton* b : {copy, save, verify, cancel}) b->setAutoDefault(false);
    connect(copy, &QPushButton::clicked, this, Guarded(this, &hooks_, [this] { OnCopy(); }));
    connect(save, &QPushButton::clicked, this, Guarded(this, &hooks_, [this] { OnSave(); }));
    connect(verify, &QPushButton::clicked, this, Guarded(this, &hooks_, [this] { OnVerify(); }));
    connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
    // The view speaks the main window's language as it opens.
    if (language_ != nullptr) TranslateDialogWindow(*language_, this, d.id, this);
}

QString COutputDlg::Say(Msg id, const QStringList& args) const {
    return LanguageText(language_, id, args);
}

void COutputDlg::SetNote(const QString& note) {
    noteText_ = note;
    note_->setToolTip(note);
    ElideNote();
}

void COutputDlg::ElideNote() {
    note_->setText(note_->fontMetrics().elidedText(noteText_, Qt::ElideRight,
                                                   std::max(note_->contentsRect().width(), 8)));
}

QString COutputDlg::Note() const {
    return noteText_;
}

void COutputDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    FollowParentSize(this, base_);
    const int dy = height() - base_.height();
    note_->setGeometry(text_->x(), base_.height() - note_->height() - 2 + std::max(dy, 0),
                       text_->width(), note_->height());
    ElideNote();
}

QString COutputDlg::ClipboardMessage(std::string_view key) const {
    const std::u16string english = DefaultSpecialString(key);
    if (language_ == nullptr) return ToQString(english);
    const std::u16string key16(key.begin(), key.end());
    return ToQString(language_->GetText(kSpecialStringsSection, key16, english));
}

COutputDlg::~COutputDlg() {
    if (loader_.joinable()) loader_.join();
}

QWidget* COutputDlg::Control(int id) const {
    const auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

void COutputDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!loader_.joinable() && !loaded_) StartLoading();
}

void COutputDlg::StartLoading() {
    // Copy and Save must not see a half-loaded text: the window waits disabled.
    setEnabled(false);
    loader_ = std::thread([this] {
        std::u16string text = LoadTemporaryText(source_);
        PostTo(this, [this, t = std::move(text)]() mutable { OnLoaded(std::move(t)); });
    });
}

void COutputDlg::OnLoaded(std::u16string text) {
    outputText_ = std::move(text);
    text_->setPlainText(ToQString(EditorLineBreaks(outputText_)));
    text_->document()->setModified(false);
    loaded_ = true;
    setEnabled(true);
}

std::u16string COutputDlg::CurrentText() const {
    if (!text_->document()->isModified()) return outputText_;
    return PlatformLineBreaks(FromQString(text_->toPlainText()));
}

void COutputDlg::OnCopy() {
    outputText_ = CurrentText();
    text_->document()->setModified(false);
    if (!hooks_.setClipboardText(ToQString(outputText_))) {
        hooks_.messageBox(this, QMessageBox::Critical, QString(),
                          ClipboardMessage("IDS_CLIP_ERROR"));
        return;
    }
    hooks_.messageBox(this, QMessageBox::Information, QString(),
                      ClipboardMessage("IDS_CLIP_SUCCESS"));
}

void COutputDlg::OnSave() {
    outputText_ = CurrentText();
    text_->document()->setModified(false);
    SaveFileRequest request;
    // In SaveFilter's order.
    request.filter = ToQString(FileDialogFilter(
        FromQString(Say(Msg::FilterCUtf8) + QStringLiteral("|*.c;*.h|") + Say(Msg::FilterUtf16) +
                    QStringLiteral("|*.txt|") + Say(Msg::FilterAll) + QStringLiteral("|*.*||"))));
    request.defaultSuffix = QStringLiteral("c");
    request.filterSuffixes = {QStringLiteral("c"), QStringLiteral("txt"), QString()};
    request.caption = Say(Msg::DlgSaveOutput);
    request.directory = folder_;
    int filter = static_cast<int>(SaveFilter::AllFiles);
    request.chosenFilter = &filter;
    const QString path = hooks_.saveFileName(this, request);
    if (path.isEmpty()) return;
    folder_ = QFileInfo(path).absolutePath();
    const std::filesystem::path target(QFile::encodeName(path).toStdString());
    if (SavesAsUtf8(FromQString(path), filter)) {
        // As gcc and every editor read C source: UTF-8, no mark, LF line ends.
        try {
            WriteFileAtomically(target, CSourceFileBytes(outputText_));
        } catch (const UserError&) {
            hooks_.messageBox(this, QMessageBox::Critical, windowTitle(),
                              Say(Msg::CannotCreateFile, {path}));
        }
        return;
    }
    CStdioFileEx file;
    // Unlike a silent failure, the user learns that the text is not where they asked for it.
    if (!file.Open(target, kSaveFlags)) {
        hooks_.messageBox(this, QMessageBox::Critical, windowTitle(),
                          Say(Msg::CannotCreateFile, {path}));
        return;
    }
    const bool written = file.WriteString(outputText_);
    if (!file.Close() || !written) {
        hooks_.messageBox(this, QMessageBox::Critical, windowTitle(),
                          Say(Msg::CannotWriteFile, {path}));
    }
}

void COutputDlg::OnVerify() {
    // The editor's own text, so its lines are the caret's lines.
    const std::u16string text = FromQString(text_->toPlainText());
    const auto line = static_cast<size_t>(text_->textCursor().blockNumber());
    try {
        const ParsedCSource parsed = ParseCSource(text);
        const std::optional<size_t> index = GlyphIndexAtLine(text, line);
        if (!index || *index >= parsed.glyphs.size()) {
            hooks_.messageBox(this, QMessageBox::Information, windowTitle(), Say(Msg::VerifyCaret));
            return;
        }
        const ParsedGlyph& g = parsed.glyphs[*index];
        DotMatrix glyph = UnpackGlyph(g.words, mode_, parsed.width, parsed.height, parsed.bits);
        ShowVerified(glyph, Say(Msg::VerifyCaption,
                                {ToQString(g.character), QString::number(g.position),
                                 QString::number(parsed.width), QString::number(parsed.height)}));
        verified_ = std::move(glyph);
    } catch (const UserError& e) {
        hooks_.messageBox(this, QMessageBox::Warning, windowTitle(), ErrorText(language_, e));
    }
}

void COutputDlg::ShowVerified(const DotMatrix& glyph, const QString& caption) {
    const QPixmap pixmap = GlyphPixmap(glyph, mode_.polarity, verifyPicture_->size());
    verifyPicture_->setPixmap(pixmap);
    verifyCaption_->setText(caption);
    // The caption sits right under the picture, whose height follows the glyph's shape.
    verifyCaption_->move(verifyCaption_->x(), verifyPicture_->y() + pixmap.height() + 6);
}

}  // namespace zemtra
