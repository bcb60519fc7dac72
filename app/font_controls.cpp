#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>

#include "app/font_controls.h"

#include "app/project_document.h"
#include "app/settings_panel.h"
#include "app/window_host.h"
#include "base/error.h"
#include "base/unicode.h"
#include "raster/font_engine.h"
#include "raster/font_faces.h"
#include "raster/font_file.h"
#include "raster/qt/font_sources_dialog.h"
#include "ui/file_filter.h"
#include "ui/font_choice.h"
#include "ui/qt/event_guard.h"
#include "ui/qt/ui_hooks.h"

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

FontControls::FontControls(const Parts& parts, QObject* parent) : QObject(parent), p_(parts) {}

void FontControls::DeriveFontSize() {
    p_.panel.Pull();
    ShowFontName();
    try {
        DeriveFontSizeFor(p_.record, p_.fonts);
    } catch (const UserError&) {
        // The sizes are derived by then; the preview tells why the font file cannot be drawn.
    }
    p_.panel.Push();
}

void FontControls::ShowFontName() {
    const LogFont& f = p_.record.FONT;
    if (f.FontFile.empty()) {
        std::string standIn;
        try {
            standIn = p_.fonts.StandInFamily(f);
        } catch (const UserError&) {
            // No face at all: the preview says so.
        }
        if (standIn.empty()) {
            p_.panel.SetFontCaption(ToQString(f.FaceName), {});
            return;
        }
        // The name the project asks for, and the face that draws instead of it.
        const QString why = p_.host.Text(Msg::StatusFaceStandIn,
                                         {ToQString(f.FaceName), QString::fromStdString(standIn)});
        p_.panel.SetFontCaption(
            ToQString(f.FaceName) + QStringLiteral(" \u2192 ") + QString::fromStdString(standIn),
            why);
        p_.host.ShowStatus(why);
        return;
    }
    const std::filesystem::path file(Utf16ToUtf8(f.FontFile));
    QString caption = QString::fromStdString(file.filename().string());
    if (f.FontIndex != 0) caption += QStringLiteral(" #%1").arg(f.FontIndex);
    p_.panel.SetFontCaption(caption, ToQString(f.FontFile));
}

void FontControls::ChooseFace() {
    if (p_.panel.Locked()) return;
    p_.panel.Pull();
    FontChoice current = ChoiceFromLogFont(p_.record.FONT, p_.dpi);
    // The dialog lists installed families only and opens on its default for any other name:
    // an alias such as Arial opens on the face that draws it.
    if (!QFontDatabase::families().contains(ToQString(current.family), Qt::CaseInsensitive)) {
        try {
            const std::string drawing = p_.fonts.FamilyName(p_.record.FONT);
            if (!drawing.empty()) current.family = Utf8ToUtf16(drawing);
        } catch (const UserError&) {
            // No face at all: the dialog starts on its own default.
        }
    }
    const std::optional<QFont> chosen = p_.hooks.chooseFont(p_.window, ToQFont(current));
    if (!chosen) return;
    // A whole new description: an installed face again, no font file.
    p_.record.FONT = LogFontFromChoice(FromQFont(*chosen), p_.dpi);
    DeriveFontSize();  // the matrix decides the size, not the font dialog
    emit fontChanged();
}

void FontControls::ChooseFontFile() {
    if (p_.panel.Locked()) return;
    p_.panel.Pull();
    const QString filter = ToQString(
        FileDialogFilter(FromQString(p_.host.Text(Msg::FilterFonts) + ToQString(kFontPatterns) +
                                     p_.host.Text(Msg::FilterAll) + QStringLiteral("|*.*||"))));
    const QStringList names = p_.hooks.openFileNames(
        p_.window,
        {filter, {}, false, p_.host.Text(Msg::DlgFontFile), p_.document.FolderFor(FileKind::Font)});
    if (names.isEmpty()) return;
    p_.document.RememberFolder(FileKind::Font, names.front());
    UseFontFile(names.front());
}

void FontControls::UseFontFile(const QString& name) {
    p_.panel.Pull();
    int32_t index = 0;
    const std::vector<std::string> faces = FontFileFaces(ToLocalPath(name));
    if (faces.size() > 1) {
        QStringList items;
        for (size_t i = 0; i < faces.size(); ++i) {
            items << QStringLiteral("%1: %2").arg(i).arg(QString::fromStdString(faces[i]));
        }
        const std::optional<int> chosen = p_.hooks.chooseItem(
            p_.window, QFileInfo(name).fileName(), p_.host.Text(Msg::FaceOfCollection), items);
        if (!chosen) return;
        index = *chosen;
    }
    try {
        zemtra::ChooseFontFile(p_.record, FromQString(name), index, p_.fonts);
    } catch (const UserError& e) {
        p_.host.ShowMessage(QMessageBox::Warning, ErrorText(p_.hooks, e));
        return;
    }
    ShowFontName();
    p_.panel.Push();
    emit fontChanged();
}

void FontControls::EditSources() {
    if (p_.panel.Locked()) return;
    p_.panel.Pull();
    CFontSourcesDlg sources(p_.hooks.language.get(), p_.hooks, p_.record.FONT.Sources, p_.window);
    if (sources.exec() != QDialog::Accepted) return;
    if (sources.Sources() == p_.record.FONT.Sources) return;
    p_.record.FONT.Sources = sources.Sources();
    emit fontChanged();
}

}  // namespace zemtra
