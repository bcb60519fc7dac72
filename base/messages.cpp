// The table of the program's texts and the filling of their %1..%9.
#include "base/messages.h"

#include <array>

#include "base/unicode.h"

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
    {Msg::ChoicesOutOfRange, u"IDS_CHOICES_OUT_OF_RANGE",
     u"\"%1\" holds settings that are none of their choices: %2. Their boxes stay empty until "
     u"you choose; nothing is made before."},
    {Msg::FieldNotANumber, u"IDS_FIELD_NOT_A_NUMBER",
     u"%1: \"%2\" is not a whole number; %3 is taken until it is one."},
    {Msg::CodeClamped, u"IDS_CODE_CLAMPED", u"%1: %2 lies outside %3..%4, so it is now %5."},
    {Msg::FieldMatrixWidth, u"IDS_FIELD_MATRIX_WIDTH", u"Matrix width"},
    {Msg::FieldMatrixHeight, u"IDS_FIELD_MATRIX_HEIGHT", u"Matrix height"},
    {Msg::FieldFontWidth, u"IDS_FIELD_FONT_WIDTH", u"Font width"},
    {Msg::FieldFontHeight, u"IDS_FIELD_FONT_HEIGHT", u"Font height"},
    {Msg::FieldThreshold, u"IDS_FIELD_THRESHOLD", u"Threshold"},
    {Msg::FieldFrom, u"IDS_FIELD_FROM", u"From"},
    {Msg::FieldTo, u"IDS_FIELD_TO", u"To"},
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
    {Msg::StatusLibrary, u"IDS_STATUS_LIBRARY_COUNTED", u"Font library: %1, %2 bytes, in %3 s: %4"},
    {Msg::StatusLibraryHeader, u"IDS_STATUS_LIBRARY_HEADER",
     u"Font library: %1, %2 bytes, in %3 s: %4; its header for the firmware: %5"},
    {Msg::StatusFaceStandIn, u"IDS_STATUS_FACE_STAND_IN",
     u"No installed face is named \"%1\": %2 draws in its place."},
    {Msg::StatusSpecimen, u"IDS_STATUS_SPECIMEN_COUNTED",
     u"Specimen sheet: %1 on %2, %3 bytes, in %4 s: %5"},
    {Msg::CountGlyph, u"IDS_COUNT_GLYPH", u"%1 glyph"},
    {Msg::CountGlyphs, u"IDS_COUNT_GLYPHS", u"%1 glyphs"},
    {Msg::CountPage, u"IDS_COUNT_PAGE", u"%1 page"},
    {Msg::CountPages, u"IDS_COUNT_PAGES", u"%1 pages"},
    {Msg::CountRecord, u"IDS_COUNT_RECORD", u"%1 record"},
    {Msg::CountRecords, u"IDS_COUNT_RECORDS", u"%1 records"},
    {Msg::LibraryStop, u"IDS_LIBRARY_STOP", u"Stop"},
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
    {Msg::ExportGfxBeyondByte, u"IDS_EXPORT_GFX_BEYOND_BYTE",
     u"An Adafruit GFX font holds the codes 0x00..0xFF only; %1 is beyond them."},
    {Msg::FilterBdf, u"IDS_FILTER_BDF", u"BDF Fonts(*.bdf)"},
    {Msg::FilterCHeader, u"IDS_FILTER_C_HEADER", u"C Header Files(*.h)"},
    {Msg::FilterCSource, u"IDS_FILTER_C_SOURCE", u"C Source Files(*.c)"},
    {Msg::FilterVlw, u"IDS_FILTER_VLW", u"Smooth Fonts(*.vlw)"},
    {Msg::FilterLvglBin, u"IDS_FILTER_LVGL_BIN", u"LVGL Binary Fonts(*.bin)"},
    {Msg::DlgExport, u"IDS_DLG_EXPORT", u"Save the Exported Font"},
    {Msg::StatusDrawnBy, u"IDS_STATUS_DRAWN_BY", u"'%1' (U+%2) is drawn by %3"},
    {Msg::SourcesFace, u"IDS_SOURCES_FACE", u"Face or file"},
    {Msg::SourcesRanges, u"IDS_SOURCES_RANGES", u"Ranges (empty: all)"},
    {Msg::SourcesSize, u"IDS_SOURCES_SIZE", u"Size (H or WxH)"},
    {Msg::SourcesOffset, u"IDS_SOURCES_OFFSET", u"Offset (DX,DY)"},
    {Msg::SourcesChooseFace, u"IDS_SOURCES_CHOOSE_FACE", u"Installed face:"},
    {Msg::SourcesBad, u"IDS_SOURCES_BAD", u"Source %1: %2"},
    {Msg::DlgAddFromFiles, u"IDS_DLG_ADD_FROM_FILES", u"Add the Characters of Files"},
    {Msg::AddedFromFiles, u"IDS_ADDED_FROM_FILES",
     u"Added %1 characters that the list lacked, from %2 files."},
    {Msg::ErrWriteFile, u"IDS_ERR_WRITE_FILE", u"Cannot write \"%1\": %2: %3"},
    {Msg::ErrReadFile, u"IDS_ERR_READ_FILE", u"Cannot read \"%1\": %2"},
    {Msg::ErrReadFileShort, u"IDS_ERR_READ_FILE_SHORT", u"Cannot read \"%1\"."},
    {Msg::WhyFolder, u"IDS_WHY_FOLDER", u"it is a folder"},
    {Msg::WhyNotRegular, u"IDS_WHY_NOT_REGULAR", u"it is not a regular file"},
    {Msg::WhyReadOnly, u"IDS_WHY_READ_ONLY", u"the file is read-only"},
    {Msg::WhyNoTempFile, u"IDS_WHY_NO_TEMP_FILE", u"cannot create a file in its folder"},
    {Msg::WhyWriteFailed, u"IDS_WHY_WRITE_FAILED", u"write failed"},
    {Msg::WhyFlushFailed, u"IDS_WHY_FLUSH_FAILED", u"flush failed"},
    {Msg::WhyCloseFailed, u"IDS_WHY_CLOSE_FAILED", u"close failed"},
    {Msg::WhyRenameFailed, u"IDS_WHY_RENAME_FAILED", u"rename failed"},
    {Msg::WhyTooLarge, u"IDS_WHY_TOO_LARGE", u"the file is too large (at most %1 MiB)"},
    {Msg::ErrLoadFont, u"IDS_ERR_LOAD_FONT", u"Cannot load font \"%1\": %2"},
    {Msg::WhyNoSuchFile, u"IDS_WHY_NO_SUCH_FILE", u"no such file"},
    {Msg::WhyOutOfMemory, u"IDS_WHY_OUT_OF_MEMORY", u"out of memory"},
    {Msg::WhyNoInstalledFont, u"IDS_WHY_NO_INSTALLED_FONT",
     u"fontconfig found no installed font for it"},
    {Msg::WhySizeBeyond, u"IDS_WHY_SIZE_BEYOND", u"the size is beyond %1 pixels"},
    {Msg::ErrStartFreeType, u"IDS_ERR_START_FREE_TYPE", u"Cannot start FreeType: %1"},
    {Msg::ErrStartFontconfig, u"IDS_ERR_START_FONTCONFIG",
     u"Cannot start fontconfig: its configuration did not load"},
    {Msg::ErrMatrixTooLarge, u"IDS_ERR_MATRIX_TOO_LARGE",
     u"The matrix size %1 x %2 is too large: at most %3 dots a side."},
    {Msg::ErrFontTooLarge, u"IDS_ERR_FONT_TOO_LARGE",
     u"The font size %1 x %2 is too large: at most %3 pixels."},
    {Msg::ErrNoScanMode, u"IDS_ERR_NO_SCAN_MODE",
     u"No valid scan orientation and direction are selected."},
    {Msg::ErrCSourceWrite, u"IDS_ERR_C_SOURCE_WRITE",
     u"Cannot write the C source text (is the disk full?)."},
    {Msg::ErrCSourceTooLong, u"IDS_ERR_C_SOURCE_TOO_LONG",
     u"The C source for %1 characters of %2 x %3 dots would hold over %4 million characters; at "
     u"most %5 million can be made. Use a shorter list or a smaller matrix."},
    {Msg::ErrTempOutput, u"IDS_ERR_TEMP_OUTPUT", u"Cannot write the temporary output file."},
    {Msg::ErrTempFolder, u"IDS_ERR_TEMP_FOLDER", u"Cannot use the temporary folder \"%1\": %2"},
    {Msg::ErrTempFolderCreate, u"IDS_ERR_TEMP_FOLDER_CREATE",
     u"Cannot use the temporary folder \"%1\": cannot create it: %2"},
    {Msg::ErrNoTempFolder, u"IDS_ERR_NO_TEMP_FOLDER",
     u"Cannot find the system temporary folder: %1"},
    {Msg::WhySymbolicLink, u"IDS_WHY_SYMBOLIC_LINK", u"it is a symbolic link"},
    {Msg::WhyNotAFolder, u"IDS_WHY_NOT_A_FOLDER", u"it is not a folder"},
    {Msg::WhyOtherOwner, u"IDS_WHY_OTHER_OWNER", u"it belongs to another user"},
    {Msg::WhyOthersHaveAccess, u"IDS_WHY_OTHERS_HAVE_ACCESS", u"other users have access to it"},
    {Msg::WhyVanished, u"IDS_WHY_VANISHED", u"it vanished after it was made"},
    {Msg::ErrWriteLibrary, u"IDS_ERR_WRITE_LIBRARY",
     u"Cannot write the font library \"%1\": %2: %3"},
    {Msg::WhyCannotCreateIt, u"IDS_WHY_CANNOT_CREATE_IT", u"cannot create it"},
    {Msg::WhyClosingFailed, u"IDS_WHY_CLOSING_FAILED", u"closing failed"},
    {Msg::WhyWritingFailed, u"IDS_WHY_WRITING_FAILED", u"writing failed"},
    {Msg::ErrRecordsKept, u"IDS_ERR_RECORDS_KEPT",
     u"%1 The %2 records written before it are kept."},
    {Msg::SentenceEnd, u"IDS_SENTENCE_END", u"%1."},
    {Msg::ErrLibraryNotBuilt, u"IDS_ERR_LIBRARY_NOT_BUILT",
     u"The font library could not be built."},
    {Msg::ErrGlyphWords, u"IDS_ERR_GLYPH_WORDS",
     u"A %1 x %2 glyph has %3 words in this scan mode, not %4."},
    {Msg::ErrNotCSource, u"IDS_ERR_NOT_C_SOURCE", u"This is not a C source written by Zemtra: %1."},
    {Msg::WhyNoDataBits, u"IDS_WHY_NO_DATA_BITS", u"no DataBits line"},
    {Msg::WhyWordWidth, u"IDS_WHY_WORD_WIDTH", u"the word width is not 4, 8, 16, 24 or 32 bits"},
    {Msg::WhyNoFontlib, u"IDS_WHY_NO_FONTLIB", u"no fontlib array"},
    {Msg::WhyNoSize, u"IDS_WHY_NO_SIZE", u"the fontlib name has no size"},
    {Msg::WhyMatrixSize, u"IDS_WHY_MATRIX_SIZE", u"the matrix size is missing or out of range"},
    {Msg::WhyArrayNoOpen, u"IDS_WHY_ARRAY_NO_OPEN", u"the fontlib array does not open"},
    {Msg::WhyArrayNoClose, u"IDS_WHY_ARRAY_NO_CLOSE", u"the fontlib array does not close"},
    {Msg::WhyBadWord, u"IDS_WHY_BAD_WORD", u"a word is malformed"},
    {Msg::WhyBadComment, u"IDS_WHY_BAD_COMMENT", u"a character comment is malformed"},
    {Msg::WhyUnexpectedText, u"IDS_WHY_UNEXPECTED_TEXT",
     u"unexpected text inside the fontlib array"},
    {Msg::WhyLastNoComment, u"IDS_WHY_LAST_NO_COMMENT", u"the last character has no comment"},
    {Msg::ErrCodeOutside, u"IDS_ERR_CODE_OUTSIDE",
     u"The code is outside the library's range of codes."},
    {Msg::ErrNoSlot, u"IDS_ERR_NO_SLOT", u"This code has no record in a GBK or BIG5 library."},
    {Msg::ErrLibraryShort, u"IDS_ERR_LIBRARY_SHORT",
     u"\"%1\" ends before the record of this code."},
    {Msg::ErrListTooLong, u"IDS_ERR_LIST_TOO_LONG",
     u"The project's %1 holds %2 %3; at most %4 can be loaded."},
    {Msg::WhyCharacters, u"IDS_WHY_CHARACTERS", u"characters"},
    {Msg::WhyPictureSeparators, u"IDS_WHY_PICTURE_SEPARATORS", u"picture separators"},
    {Msg::ErrPicturePath, u"IDS_ERR_PICTURE_PATH",
     u"The picture path \"%1\" %2, so a project file cannot keep it; rename the file or its "
     u"folder."},
    {Msg::WhyBar, u"IDS_WHY_BAR",
     u"contains \"|\", which separates the pictures in a project file"},
    {Msg::WhyLeadingSpace, u"IDS_WHY_LEADING_SPACE", u"starts with white space"},
    {Msg::WhyTrailingSpace, u"IDS_WHY_TRAILING_SPACE", u"ends with white space"},
    {Msg::ErrPicturePathEmpty, u"IDS_ERR_PICTURE_PATH_EMPTY", u"The picture path is empty."},
    {Msg::ErrPicturePathHash, u"IDS_ERR_PICTURE_PATH_HASH",
     u"The picture path \"#\" cannot be stored: \"#\" marks a character."},
    {Msg::WhyNotAPicture, u"IDS_WHY_NOT_A_PICTURE",
     u"not a BMP, JPEG, GIF or PNG picture that can be read (damaged, truncated, or over 67 "
     u"million pixels)"},
    {Msg::ErrPictureItems, u"IDS_ERR_PICTURE_ITEMS",
     u"%1 picture item(s) of the list cannot be read:%2%3%4%5"},
    {Msg::PictureItem, u"IDS_PICTURE_ITEM", u"\n  item %1, \"%2\": %3"},
    {Msg::PictureItemsMore, u"IDS_PICTURE_ITEMS_MORE", u"\n  and %1 more"},
    {Msg::ErrNoPngWriter, u"IDS_ERR_NO_PNG_WRITER", u"No picture writer is available."},
    {Msg::ErrWritePicture, u"IDS_ERR_WRITE_PICTURE", u"Cannot write the picture \"%1\"."},
    {Msg::ErrNoPicture, u"IDS_ERR_NO_PICTURE", u"There is no picture to write."},
    {Msg::ErrPngEncode, u"IDS_ERR_PNG_ENCODE", u"The picture cannot be encoded as PNG."},
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

namespace {

// FillText for either kind of text: UTF-16 for the window, UTF-8 for the English of errors.
template <typename Char>
std::basic_string<Char> Fill(std::basic_string_view<Char> text,
                             std::span<const std::basic_string<Char>> args) {
    std::basic_string<Char> out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const Char next = i + 1 < text.size() ? text[i + 1] : Char('\0');
        const size_t n =
            next >= Char('1') && next <= Char('9') ? static_cast<size_t>(next - '1') : 9;
        if (text[i] == Char('%') && n < args.size()) {
            out += args[n];
            ++i;
            continue;
        }
        out.push_back(text[i]);
    }
    return out;
}

}  // namespace

std::u16string FillText(std::u16string_view text, std::span<const std::u16string> args) {
    return Fill(text, args);
}

MessageArg::MessageArg(std::string plain) : text(std::move(plain)) {}
MessageArg::MessageArg(const char* plain) : text(plain) {}
MessageArg::MessageArg(const std::u16string& plain) : text(Utf16ToUtf8(plain)) {}
MessageArg::MessageArg(const char16_t* plain) : text(Utf16ToUtf8(plain)) {}
MessageArg::MessageArg(Message nested) {
    message.push_back(std::move(nested));
}

std::string EnglishUtf8(const MessageArg& fact) {
    return fact.message.empty() ? fact.text : EnglishUtf8(fact.message.front());
}

std::string EnglishUtf8(const Message& message) {
    std::vector<std::string> args;
    args.reserve(message.args.size());
    for (const MessageArg& a : message.args) args.push_back(EnglishUtf8(a));
    const std::string english = Utf16ToUtf8(MessageTextOf(message.id).english);
    return Fill(std::string_view(english), std::span<const std::string>(args));
}

std::u16string EnglishText(const Message& message) {
    return Utf8ToUtf16(EnglishUtf8(message));
}

std::u16string WordMessage(const Message& message, const std::function<std::u16string(Msg)>& text) {
    std::vector<std::u16string> args;
    args.reserve(message.args.size());
    for (const MessageArg& a : message.args) {
        args.push_back(a.message.empty() ? Utf8ToUtf16(a.text)
                                         : WordMessage(a.message.front(), text));
    }
    return FillText(text(message.id), args);
}

}  // namespace zemtra
