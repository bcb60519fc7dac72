// The main window's font: the "Font" button with the font dialog, "Font File..." with the face
// question for collections, the button's caption, the font's sources, and the font size that
// follows the matrix.
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>

#include "app/zemtra_dialog.h"
#include "base/error.h"
#include "base/unicode.h"
#include "raster/font_faces.h"
#include "raster/font_file.h"
#include "raster/qt/font_sources_dialog.h"
#include "ui/file_filter.h"
#include "ui/font_choice.h"

namespace zemtra {
namespace {

// The file dialogs match patterns case-sensitively here, so the usual upper-case names are
// listed too.
constexpr char16_t kFontPatterns[] =
    u"|*.ttf;*.otf;*.ttc;*.otc;*.bdf;*.pcf;*.pcf.gz;*.TTF;*.OTF;*.TTC;*.OTC;*.BDF;*.PCF|";

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

}  // namespace

void CZemtraDlg::DeriveFontSize() {
    panel_->Pull();
    ShowFontName();
    try {
        DeriveFontSizeFor(settings_, renderer_.Fonts());
    } catch (const UserError&) {
        // The sizes are derived by then; the preview tells why the font file cannot be drawn.
    }
    panel_->Push();
}

void CZemtraDlg::ShowFontName() {
    const LogFont& f = settings_.FONT;
    if (f.FontFile.empty()) {
        std::string standIn;
        try {
            standIn = renderer_.Fonts().StandInFamily(f);
        } catch (const UserError&) {
            // No face at all: the preview says so.
        }
        if (standIn.empty()) {
            panel_->SetFontCaption(ToQString(f.FaceName), {});
            return;
        }
        // The name the project asks for, and the face that draws instead of it.
        const QString why =
            Text(Msg::StatusFaceStandIn, {ToQString(f.FaceName), QString::fromStdString(standIn)});
        panel_->SetFontCaption(
            ToQString(f.FaceName) + QStringLiteral(" \u2192 ") + QString::fromStdString(standIn),
            why);
        ShowStatus(why);
        return;
    }
    const std::filesystem::path file(Utf16ToUtf8(f.FontFile));
    QString caption = QString::fromStdString(file.filename().string());
    if (f.FontIndex != 0) caption += QStringLiteral(" #%1").arg(f.FontIndex);
    panel_->SetFontCaption(caption, ToQString(f.FontFile));
}

void CZemtraDlg::OnFontButton() {
    if (panel_->Locked()) return;
    panel_->Pull();
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

void CZemtraDlg::OnFontFileButton() {
    if (panel_->Locked()) return;
    panel_->Pull();
    const QString filter =
        ToQString(FileDialogFilter(FromQString(Text(Msg::FilterFonts) + ToQString(kFontPatterns) +
                                               Text(Msg::FilterAll) + QStringLiteral("|*.*||"))));
    const QStringList names = hooks_.openFileNames(
        this, {filter, {}, false, Text(Msg::DlgFontFile), document_.FolderFor(FileKind::Font)});
    if (names.isEmpty()) return;
    document_.RememberFolder(FileKind::Font, names.front());
    ChooseFontFile(names.front());
}

void CZemtraDlg::ChooseFontFile(const QString& name) {
    panel_->Pull();
    int32_t index = 0;
    const std::vector<std::string> faces = FontFileFaces(ToLocalPath(name));
    if (faces.size() > 1) {
        QStringList items;
        for (size_t i = 0; i < faces.size(); ++i) {
            items << QStringLiteral("%1: %2").arg(i).arg(QString::fromStdString(faces[i]));
        }
        const std::optional<int> chosen =
            hooks_.chooseItem(this, QFileInfo(name).fileName(), Text(Msg::FaceOfCollection), items);
        if (!chosen) return;
        index = *chosen;
    }
    try {
        zemtra::ChooseFontFile(settings_, FromQString(name), index, renderer_.Fonts());
    } catch (const UserError& e) {
        ShowMessage(QMessageBox::Warning, windowTitle(), ErrorText(hooks_, e));
        return;
    }
    ShowFontName();
    panel_->Push();
    RefreshPreview();
}

void CZemtraDlg::OnFontSources() {
    if (panel_->Locked()) return;
    panel_->Pull();
    CFontSourcesDlg sources(language_.get(), hooks_, settings_.FONT.Sources, this);
    if (sources.exec() != QDialog::Accepted) return;
    if (sources.Sources() == settings_.FONT.Sources) return;
    settings_.FONT.Sources = sources.Sources();
    ScheduleTitleUpdate();
    RefreshPreview();
}

}  // namespace zemtra
