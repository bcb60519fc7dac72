// The texts the program shows beyond its control and menu captions (messages, status lines,
// file-dialog filters, button texts), by id: each one's key in the language files'
// [SPECIAL_STRINGS] and its English, with %1..%9 where facts are filled in. The core and
// zemtra-cli use the English; the window takes the chosen language's text for the same key.
// scripts/make_language_files.py holds the same keys with their translations; a test keeps the
// two in step.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zemtra {

enum class Msg : uint16_t {
    Untitled,
    SaveChanges,
    ButtonOk,
    ButtonCancel,
    ButtonSave,
    ButtonDiscard,
    NotAProject,
    WhyNoFile,
    WhyEmptyFile,
    WhyUtf16NoMark,
    WhyNoVersion,
    WhyOtherVersion,
    PicturesNotAdded,
    GlyphsSkipped,
    StatusGlyphEdited,
    StatusGlyphEditedElsewhere,
    EditOnlyCharacters,
    FaceOfCollection,
    NoDots,
    EmptyList,
    EmptyCodeRange,
    LibraryEmptyRange,
    LibraryStopped,
    OpenFileError,
    UnexpectedError,
    CannotCreateFile,
    CannotWriteFile,
    VerifyCaret,
    VerifyCaption,
    FilterProject,
    FilterAll,
    FilterPictures,
    FilterFonts,
    FilterPng,
    FilterDzk,
    FilterCUtf8,
    FilterUtf16,
    StatusFonttab,
    StatusFonttabLacking,
    StatusLibrary,
    StatusSpecimen,
    StatusOpened,
    StatusSaved,
    RecentEmpty,
    PresetNone,
    LinkFailed,
    LinkNoBrowser,
    LinkError0,
    LinkError2,
    LinkError5,
    LinkError8,
    LinkError11,
    LinkError27,
    LinkErrorOther,
    DlgOpenProject,
    DlgSaveProject,
    DlgLoadPicture,
    DlgFontFile,
    DlgSaveOutput,
    DlgLibrary,
    DlgSpecimen,
    DropUnknown,
    QtLocale,
    ExportFromList,
    ExportFromRange,
    ExportNameFromFile,
    ExportBadName,
    ExportStop,
    StatusExport,
    ExportLacking,
    ExportPictures,
    ExportEmpty,
    ExportNoGlyphs,
    ExportStopped,
    FilterBdf,
    FilterCHeader,
    FilterCSource,
    DlgExport,
    Count
};

struct MessageText {
    Msg id;
    std::u16string_view key;
    std::u16string_view english;  // with real line breaks; the files write them as "\n"
};

// Every text, in the order of Msg.
std::span<const MessageText> MessageTexts();
const MessageText& MessageTextOf(Msg id);

// text with each %1..%9 replaced by the argument of that number, in one pass (an argument's own
// "%1" stays); a number without an argument stays as it is.
std::u16string FillText(std::u16string_view text, std::span<const std::u16string> args);

// A message as data: which text, and what goes into it.
struct Message {
    Msg id = Msg::UnexpectedError;
    std::vector<std::u16string> args;
};

// The message in English.
std::u16string EnglishText(const Message& message);

}  // namespace zemtra
