// The settings controls of the main window: the exchange with the record (pull and push), the
// font-size derivation, and the handlers of the edits, combo boxes, spin and position buttons,
// the "Font" button and the "Show Demo" box.
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

#include "app/zemtra_dialog.h"
#include "base/character_list.h"
#include "base/error.h"
#include "raster/font_file.h"
#include "raster/qt/scan_demo_widget.h"
#include "raster/scan_demo.h"
#include "ui/font_choice.h"

namespace zemtra {
namespace {

// The platform's data exchange keeps control notifications from reaching the window while it
// runs, so a push never sets off the handlers of the edits it writes.
class Lockout {
  public:
    explicit Lockout(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~Lockout() { flag_ = old_; }
    Lockout(const Lockout&) = delete;
    Lockout& operator=(const Lockout&) = delete;

  private:
    bool& flag_;
    bool old_;
};

void PushText(QLineEdit* edit, const std::u16string& text) {
    const QString q = ToQString(text);
    if (edit->text() != q) edit->setText(q);
}

void PushIndex(QComboBox* combo, int32_t index) {
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

uint8_t CharSetOfFamily(const QString& family) {
    const QList<QFontDatabase::WritingSystem> systems = QFontDatabase::writingSystems(family);
    if (systems.contains(QFontDatabase::SimplifiedChinese)) return 134;   // GB2312_CHARSET
    if (systems.contains(QFontDatabase::TraditionalChinese)) return 136;  // CHINESEBIG5_CHARSET
    if (systems.contains(QFontDatabase::Japanese)) return 128;            // SHIFTJIS_CHARSET
    if (systems.contains(QFontDatabase::Korean)) return 129;              // HANGUL_CHARSET
    return 0;                                                             // ANSI_CHARSET
}

QFont ToQFont(const FontChoice& c) {
    QFont font(ToQString(c.family));
    if (c.pointSize > 0) font.setPointSizeF(c.pointSize);
    font.setWeight(static_cast<QFont::Weight>(std::clamp(c.weight, 1, 1000)));
    font.setItalic(c.italic);
    font.setUnderline(c.underline);
    font.setStrikeOut(c.strikeOut);
    return font;
}

FontChoice FromQFont(const QFont& font) {
    FontChoice c;
    c.family = FromQString(font.family());
    c.pointSize = font.pointSizeF() > 0 ? font.pointSizeF() : 0;
    c.weight = font.weight();
    c.italic = font.italic();
    c.underline = font.underline();
    c.strikeOut = font.strikeOut();
    c.fixedPitch = QFontInfo(font).fixedPitch();
    c.serif = font.styleHint() == QFont::Serif;
    c.charSet = CharSetOfFamily(font.family());
    return c;
}

// A box left empty (a project's value that is none of its items) keeps that value, so that
// it is named and saved as it was rather than turned into -1.
void KeepUnlessEmpty(const QComboBox* box, int32_t& value) {
    if (box->currentIndex() >= 0) value = box->currentIndex();
}

}  // namespace

void CZemtraDlg::Pull() {
    Lockout lock(lockout_);
    settings_.BLOCKNUMX = FromQString(matrixX_->text());
    settings_.BLOCKNUMY = FromQString(matrixY_->text());
    settings_.THRESHOLD = FromQString(threshold_->text());
    settings_.TEXT = PlatformLineBreaks(FromQString(text_->toPlainText()));
    KeepUnlessEmpty(dataBit_, settings_.DATABIT);
    settings_.WIDTH = FromQString(fontWidth_->text());
    settings_.HEIGHT = FromQString(fontHeight_->text());
    KeepUnlessEmpty(codePage_, settings_.CODEPAGE);
    KeepUnlessEmpty(orient_, settings_.ORIENT);
    KeepUnlessEmpty(direct_, settings_.DIRECT);
    KeepUnlessEmpty(format_, settings_.FORMAT);
}

void CZemtraDlg::Push() {
    Lockout lock(lockout_);
    PushText(matrixX_, settings_.BLOCKNUMX);
    PushText(matrixY_, settings_.BLOCKNUMY);
    PushText(threshold_, settings_.THRESHOLD);
    if (PlatformLineBreaks(FromQString(text_->toPlainText())) != settings_.TEXT) {
        text_->setPlainText(ToQString(EditorLineBreaks(settings_.TEXT)));
    }
    PushIndex(dataBit_, settings_.DATABIT);
    PushText(fontWidth_, settings_.WIDTH);
    PushText(fontHeight_, settings_.HEIGHT);
    PushIndex(codePage_, settings_.CODEPAGE);
    PushIndex(orient_, settings_.ORIENT);
    PushIndex(direct_, settings_.DIRECT);
    PushIndex(format_, settings_.FORMAT);
    ShowMatchingPreset();
}

void CZemtraDlg::DeriveFontSize() {
    Pull();
    ShowFontName();
    try {
        DeriveFontSizeFor(settings_, renderer_.Fonts());
    } catch (const UserError&) {
        // The sizes are derived by then; the preview tells why the font file cannot be drawn.
    }
    Push();
}

void CZemtraDlg::OnMatrixSizeChanged() {
    if (lockout_) return;
    Pull();
    DeriveFontSize();
    RefreshPreview();
}

void CZemtraDlg::OnFontWidthChanged() {
    if (lockout_) return;
    Pull();
    settings_.FONT.Width = Value(settings_.WIDTH);
    RefreshPreview();
}

void CZemtraDlg::OnFontHeightChanged() {
    if (lockout_) return;
    Pull();
    settings_.FONT.Height = Value(settings_.HEIGHT);
    RefreshPreview();
}

void CZemtraDlg::OnThresholdChanged() {
    if (lockout_) return;
    Pull();
    RefreshPreview();
}

// A number field whose text is no whole number goes on with the number the text starts with (a
// project stores the text and reads it that way); the field is marked and the status line says
// so, rather than letting the preview stay at a value the field does not show.
void CZemtraDlg::CheckNumberFields() {
    const struct {
        QLineEdit* field;
        Msg name;
    } fields[] = {{matrixX_, Msg::FieldMatrixWidth},
                  {matrixY_, Msg::FieldMatrixHeight},
                  {fontWidth_, Msg::FieldFontWidth},
                  {fontHeight_, Msg::FieldFontHeight},
                  {threshold_, Msg::FieldThreshold}};
    std::optional<Message> first;
    for (const auto& f : fields) {
        const std::u16string text = FromQString(f.field->text());
        // The threshold counts only while a picture item shows it.
        const bool bad = (f.field != threshold_ || !threshold_->isHidden()) && !IsWholeNumber(text);
        MarkField(f.field, bad);
        if (bad && !first) {
            first =
                Message{Msg::FieldNotANumber, {Message{f.name}, text, std::to_string(Value(text))}};
        }
    }
    if (first) {
        ShowStatus(*first);
    } else if (statusMessage_ && statusMessage_->id == Msg::FieldNotANumber) {
        ShowStatus(QString());
    }
}

void CZemtraDlg::MarkField(QLineEdit* field, bool bad) {
    if (field->property(kBadValueProperty).toBool() == bad) return;
    field->setProperty(kBadValueProperty, bad);
    QPalette palette = field->parentWidget()->palette();
    if (bad) palette.setColor(QPalette::Base, QColor(0xFF, 0xD8, 0xD8));
    field->setPalette(palette);
}

void CZemtraDlg::OnFormatChanged() {
    if (lockout_) return;
    Pull();
    ShowMatchingPreset();
    RefreshPreview();  // the colours follow the polarity
}

void CZemtraDlg::OnScanComboChanged() {
    if (lockout_) return;
    Pull();  // the matrix does not change, so neither does the preview
    ShowMatchingPreset();
}

void CZemtraDlg::OnSpin(int id, int direction) {
    if (lockout_) return;
    Pull();
    switch (id) {
        case kMatrixWidthSpinId:
        case kMatrixHeightSpinId: {
            std::u16string& field =
                id == kMatrixWidthSpinId ? settings_.BLOCKNUMX : settings_.BLOCKNUMY;
            field = StepText(field, direction);
            Push();
            Pull();
            DeriveFontSize();
            break;
        }
        case kFontWidthSpinId:
            settings_.WIDTH = StepText(settings_.WIDTH, direction);
            Push();
            Pull();
            settings_.FONT.Width = Value(settings_.WIDTH);
            break;
        case kFontHeightSpinId:
            settings_.HEIGHT = StepText(settings_.HEIGHT, direction);
            Push();
            Pull();
            settings_.FONT.Height = Value(settings_.HEIGHT);
            break;
        case kThresholdSpinId:
            settings_.THRESHOLD = StepThreshold(settings_.THRESHOLD, direction);
            Push();
            break;
        default:
            return;
    }
    RefreshPreview();
}

void CZemtraDlg::OnOffsetButton(int id) {
    if (lockout_ || !ApplyOffsetButton(settings_, id)) return;
    ShowOffsets(ToQString(DecimalText(settings_.OFFSETX)),
                ToQString(DecimalText(settings_.OFFSETY)));
    RefreshPreview();
}

void CZemtraDlg::OnFontButton() {
    if (lockout_) return;
    Pull();
    FontChoice current = ChoiceFromLogFont(settings_.FONT, dpi_);
    // The dialog lists installed families only and opens on its default for any other name:
    // an alias such as Arial opens on the face that draws it.
    if (!QFontDatabase::families().contains(ToQString(current.family), Qt::CaseInsensitive)) {
        try {
            const std::string drawing = renderer_.Fonts().FamilyName(settings_.FONT);
            if (!drawing.empty()) current.family = Utf8ToUtf16(drawing);
        } catch (const UserError&) {
            // No face at all: the dialog starts on its own default.
        }
    }
    const std::optional<QFont> chosen = hooks_.chooseFont(this, ToQFont(current));
    if (!chosen) return;
    // A whole new description: an installed face again, no font file.
    settings_.FONT = LogFontFromChoice(FromQFont(*chosen), dpi_);
    DeriveFontSize();  // the matrix decides the size, not the font dialog
    RefreshPreview();
}

void CZemtraDlg::OnShowDemo() {
    if (lockout_) return;
    settings_.ENDEMO = showDemo_->isChecked() ? 1 : 0;
    if (showDemo_->isChecked()) {
        demoTimer_.start();
    } else {
        demoTimer_.stop();
    }
}

void CZemtraDlg::OnDemoTimer() {
    // Timer 0 runs while "Show Demo" is checked; the step goes on from wherever it stopped.
    PaintScanDemo(demoStep_, true);
    demoStep_ = NextScanDemoStep(demoStep_);
}

void CZemtraDlg::PaintScanDemo(int32_t step, bool redraw) {
    if (!redraw) {
        demo_->update();  // a repaint copies the cached image
        return;
    }
    demo_->Show(RenderScanDemo(ScanModeOf(settings_), step));
}

void CZemtraDlg::OnAscii() {
    if (lockout_) return;
    // Appended as one edit of the text, so what was typed stays and Ctrl+Z takes it back.
    QTextCursor cursor(text_->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(ToQString(PrintableAscii()));
    text_->setTextCursor(cursor);
    Pull();
}

}  // namespace zemtra
