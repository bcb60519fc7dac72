// The table of the program's texts and the filling of their %1..%9.
#include "base/messages.h"

#include <array>

namespace zemtra {
namespace {

constexpr std::array<MessageText, static_cast<size_t>(Msg::Count)> kTexts = {{
    {Msg::Untitled, u"IDS_UNTITLED", u"Untitled"},
    {Msg::SaveChanges, u"IDS_SAVE_CHANGES", u"Save the changes to %1?"},
    {Msg::ButtonOk, u"IDS_BUTTON_OK", u"OK"},
    {Msg::ButtonCancel, u"IDS_BUTTON_CANCEL", u"Cancel"},
    {Msg::ButtonSave, u"IDS_BUTTON_SAVE", u"Save"},
    {Msg::ButtonDiscard, u"IDS_BUTTON_DISCARD", u"Discard"},
    {Msg::NotAProject, u"IDS_NOT_A_PROJECT",
     u"\"%1\" is not a Zemtra project: %2.\nNothing was changed."},
    {Msg::WhyNoFile, u"IDS_WHY_NO_FILE", u"there is no such file"},
    {Msg::WhyEmptyFile, u"IDS_WHY_EMPTY_FILE", u"the file is empty"},
    {Msg::WhyUtf16NoMark, u"IDS_WHY_UTF16_NO_MARK",
     u"it looks like UTF-16 without a byte-order mark; save it with the mark FF FE"},
    {Msg::WhyNoVersion, u"IDS_WHY_NO_VERSION", u"it has no [Project] Version=V1.0"},
    {Msg::WhyOtherVersion, u"IDS_WHY_OTHER_VERSION", u"its Version is \"%1\", not \"V1.0\""},
    {Msg::PicturesNotAdded, u"IDS_PICTURES_NOT_ADDED", u"These pictures were not added:\n\n%1"},
    {Msg::GlyphsSkipped, u"IDS_GLYPHS_SKIPPED",
     u"Some hand-edited glyphs of \"%1\" cannot be read; the font draws those characters until "
     u"the entries are mended:\n\n%2"},
    {Msg::StatusGlyphEdited, u"IDS_STATUS_GLYPH_EDITED",
     u"'%1' (U+%2) at %3 x %4 is a hand edit; Edit > Revert to Font brings back the font's dots."},
    {Msg::StatusGlyphEditedElsewhere, u"IDS_STATUS_GLYPH_EDITED_ELSEWHERE",
     u"'%1' (U+%2) has hand edits only at other matrix sizes (%3); at %4 x %5 the font draws it."},
    {Msg::EditOnlyCharacters, u"IDS_EDIT_ONLY_CHARACTERS",
     u"Only a character can be edited: a picture item's dots come from its picture."},
    {Msg::FaceOfCollection, u"IDS_FACE_OF_COLLECTION", u"Face of the collection:"},
    {Msg::NoDots, u"IDS_NO_DOTS", u"The matrix is %1 x %2 dots: it must be at least 1 x 1."},
    {Msg::EmptyList, u"IDS_EMPTY_LIST",
     u"The character list is empty: type characters into the field under the preview and press "
     u"Add, or load pictures."},
    {Msg::EmptyCodeRange, u"IDS_EMPTY_CODE_RANGE",
     u"The code range holds no code; nothing was written."},
    {Msg::LibraryEmptyRange, u"IDS_LIBRARY_EMPTY_RANGE",
     u"From 0x%1 and To 0x%2 hold no code (the high byte runs %3..%4, the low byte %5..%6); the "
     u"library file is empty."},
    {Msg::LibraryStopped, u"IDS_LIBRARY_STOPPED",
     u"Stopped. The %1 records written so far are kept in \"%2\"."},
    {Msg::OpenFileError, u"IDS_OPEN_FILE_ERROR", u"Open file error!"},
    {Msg::UnexpectedError, u"IDS_UNEXPECTED_ERROR", u"An unexpected error occurred."},
    {Msg::CannotCreateFile, u"IDS_CANNOT_CREATE_FILE", u"Cannot create the file \"%1\"."},
    {Msg::CannotWriteFile, u"IDS_CANNOT_WRITE_FILE",
     u"Cannot write the file \"%1\"; it may be incomplete."},
    {Msg::VerifyCaret, u"IDS_VERIFY_CARET",
     u"Put the caret on a line with a character's words or comment."},
    {Msg::VerifyCaption, u"IDS_VERIFY_CAPTION", u"'%1', %2\n%3 x %4"},
    {Msg::FilterProject, u"IDS_FILTER_PROJECT", u"Zemtra Project(*.fprj)"},
    {Msg::FilterAll, u"IDS_FILTER_ALL", u"All Files(*.*)"},
    {Msg::FilterPictures, u"IDS_FILTER_PICTURES", u"BMP JPEG JPG GIF PNG"},
    {Msg::FilterFonts, u"IDS_FILTER_FONTS", u"Font Files"},
    {Msg::FilterPng, u"IDS_FILTER_PNG", u"PNG Files(*.png)"},
    {Msg::FilterDzk, u"IDS_FILTER_DZK", u"DZK Files(*.dzk)"},
    {Msg::FilterCUtf8, u"IDS_FILTER_C_UTF8", u"C source, UTF-8"},
    {Msg::FilterUtf16, u"IDS_FILTER_UTF16", u"Unicode text (UTF-16)"},
    {Msg::StatusFonttab, u"IDS_STATUS_FONTTAB",
     u"fonttab: the ANSI code page %1 has a code for every character of the list."},
    {Msg::StatusFonttabLacking, u"IDS_STATUS_FONTTAB_LACKING",
     u"fonttab: the ANSI code page %1 lacks %2 of the list's characters (%3); their codes are "
     u"those of \"?\" (0x3F00) or of a look-alike."},
    {Msg::StatusLibrary, u"IDS_STATUS_LIBRARY", u"Font library: %1 records, %2 bytes, in %3 s: %4"},
    {Msg::StatusSpecimen, u"IDS_STATUS_SPECIMEN",
     u"Specimen sheet: %1 glyphs on %2 pages, %3 bytes, in %4 s: %5"},
    {Msg::StatusOpened, u"IDS_STATUS_OPENED", u"Opened %1"},
    {Msg::StatusSaved, u"IDS_STATUS_SAVED", u"Saved %1"},
    {Msg::RecentEmpty, u"IDS_RECENT_EMPTY", u"(none)"},
    {Msg::PresetNone, u"IDS_PRESET_NONE", u"(none)"},
    {Msg::LinkFailed, u"IDS_LINK_FAILED", u"Unable to open hyperlink:\n\n%1\n\nThe address is %2"},
    {Msg::LinkNoBrowser, u"IDS_LINK_NO_BROWSER",
     u"No program that opens web pages was found (xdg-open is missing or has no browser)."},
    {Msg::LinkError0, u"IDS_LINK_ERROR_0", u"The operating system is out\nof memory or resources."},
    {Msg::LinkError2, u"IDS_LINK_ERROR_2", u"The specified file was not found."},
    {Msg::LinkError5, u"IDS_LINK_ERROR_5",
     u"The operating system denied\naccess to the specified file."},
    {Msg::LinkError8, u"IDS_LINK_ERROR_8",
     u"There was not enough memory to complete the operation."},
    {Msg::LinkError11, u"IDS_LINK_ERROR_11",
     u"The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
    {Msg::LinkError27, u"IDS_LINK_ERROR_27",
     u"The filename association is\nincomplete or invalid."},
    {Msg::LinkErrorOther, u"IDS_LINK_ERROR_OTHER", u"Unknown Error (%1) occurred."},
    {Msg::DlgOpenProject, u"IDS_DLG_OPEN_PROJECT", u"Open Project"},
    {Msg::DlgSaveProject, u"IDS_DLG_SAVE_PROJECT", u"Save Project As"},
    {Msg::DlgLoadPicture, u"IDS_DLG_LOAD_PICTURE", u"Load Picture"},
    {Msg::DlgFontFile, u"IDS_DLG_FONT_FILE", u"Font File"},
    {Msg::DlgSaveOutput, u"IDS_DLG_SAVE_OUTPUT", u"Save the C Source"},
    {Msg::DlgLibrary, u"IDS_DLG_LIBRARY", u"Save the Font Library"},
    {Msg::DlgSpecimen, u"IDS_DLG_SPECIMEN", u"Save the Specimen Sheet"},
    {Msg::DropUnknown, u"IDS_DROP_UNKNOWN",
     u"Zemtra takes projects (.fprj), pictures and font files; these are none of them:\n\n%1"},
    {Msg::QtLocale, u"IDS_QT_LOCALE", u"en"},
    {Msg::ExportFromList, u"IDS_EXPORT_FROM_LIST", u"The character list (%1)"},
    {Msg::ExportFromRange, u"IDS_EXPORT_FROM_RANGE", u"The code range (From..To)"},
    {Msg::ExportNameFromFile, u"IDS_EXPORT_NAME_FROM_FILE", u"(from the file's name)"},
    {Msg::ExportBadName, u"IDS_EXPORT_BAD_NAME",
     u"The name \"%1\" is not a C identifier: letters, digits and _, not a digit first, no "
     u"keyword."},
    {Msg::ExportStop, u"IDS_EXPORT_STOP", u"Stop Export"},
    {Msg::StatusExport, u"IDS_STATUS_EXPORT", u"Export: %1 glyphs, %2 bytes, in %3 s: %4"},
    {Msg::ExportLacking, u"IDS_EXPORT_LACKING",
     u"left out %1 characters that neither the face nor a linked face has: %2"},
    {Msg::ExportPictures, u"IDS_EXPORT_PICTURES", u"left out the %1 picture items of the list"},
    {Msg::ExportEmpty, u"IDS_EXPORT_EMPTY",
     u"There is no character to export: the list is empty, or the code range holds no "
     u"character."},
    {Msg::ExportNoGlyphs, u"IDS_EXPORT_NO_GLYPHS",
     u"No face has any of the %1 characters; nothing was written."},
    {Msg::ExportStopped, u"IDS_EXPORT_STOPPED", u"Export stopped. Nothing was written."},
    {Msg::FilterBdf, u"IDS_FILTER_BDF", u"BDF Fonts(*.bdf)"},
    {Msg::FilterCHeader, u"IDS_FILTER_C_HEADER", u"C Header Files(*.h)"},
    {Msg::FilterCSource, u"IDS_FILTER_C_SOURCE", u"C Source Files(*.c)"},
    {Msg::DlgExport, u"IDS_DLG_EXPORT", u"Save the Exported Font"},
}};

constexpr bool InIdOrder() {
    for (size_t i = 0; i < kTexts.size(); ++i) {
        if (static_cast<size_t>(kTexts[i].id) != i) return false;
    }
    return true;
}
static_assert(InIdOrder(), "kTexts must follow the order of Msg");

}  // namespace

std::span<const MessageText> MessageTexts() {
    return kTexts;
}

const MessageText& MessageTextOf(Msg id) {
    return kTexts[static_cast<size_t>(id)];
}

std::u16string FillText(std::u16string_view text, std::span<const std::u16string> args) {
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t next = i + 1 < text.size() ? text[i + 1] : u'\0';
        const size_t n = next >= u'1' && next <= u'9' ? static_cast<size_t>(next - u'1') : 9;
        if (text[i] == u'%' && n < args.size()) {
            out += args[n];
            ++i;
            continue;
        }
        out.push_back(text[i]);
    }
    return out;
}

std::u16string EnglishText(const Message& message) {
    return FillText(MessageTextOf(message.id).english, message.args);
}

}  // namespace zemtra
