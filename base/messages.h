// The texts the program shows beyond its control and menu captions (messages, status lines,
// file-dialog filters, button texts, the core's errors), by id: each one's key in the language
// files' [SPECIAL_STRINGS] and its English, with %1..%9 where facts are filled in. The core and
// zemtra-cli use the English; the window takes the chosen language's text for the same key.
// scripts/make_language_files.py holds the same keys with their translations; a test keeps the
// two in step.
#pragma once

#include <cstdint>
#include <functional>
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
    ChoicesOutOfRange,
    FieldNotANumber,
    CodeClamped,
    FieldMatrixWidth,
    FieldMatrixHeight,
    FieldFontWidth,
    FieldFontHeight,
    FieldThreshold,
    FieldFrom,
    FieldTo,
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
    StatusLibraryHeader,
    StatusFaceStandIn,
    StatusSpecimen,
    CountGlyph,
    CountGlyphs,
    CountPage,
    CountPages,
    CountRecord,
    CountRecords,
    LibraryStop,
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
    ExportGfxBeyondByte,
    FilterBdf,
    FilterCHeader,
    FilterCSource,
    FilterVlw,
    FilterLvglBin,
    DlgExport,
    StatusDrawnBy,
    SourcesFace,
    SourcesRanges,
    SourcesSize,
    SourcesOffset,
    SourcesChooseFace,
    SourcesBad,
    DlgAddFromFiles,
    AddedFromFiles,
    // The core's errors and their reasons.
    ErrWriteFile,
    ErrReadFile,
    ErrReadFileShort,
    WhyFolder,
    WhyNotRegular,
    WhyReadOnly,
    WhyNoTempFile,
    WhyWriteFailed,
    WhyFlushFailed,
    WhyCloseFailed,
    WhyRenameFailed,
    WhyTooLarge,
    ErrLoadFont,
    WhyNoSuchFile,
    WhyOutOfMemory,
    WhyNoInstalledFont,
    WhySizeBeyond,
    ErrStartFreeType,
    ErrStartFontconfig,
    ErrMatrixTooLarge,
    ErrFontTooLarge,
    ErrNoScanMode,
    ErrCSourceWrite,
    ErrCSourceTooLong,
    ErrTempOutput,
    ErrTempFolder,
    ErrTempFolderCreate,
    ErrNoTempFolder,
    WhySymbolicLink,
    WhyNotAFolder,
    WhyOtherOwner,
    WhyOthersHaveAccess,
    WhyVanished,
    ErrWriteLibrary,
    WhyCannotCreateIt,
    WhyClosingFailed,
    WhyWritingFailed,
    ErrRecordsKept,
    SentenceEnd,
    ErrLibraryNotBuilt,
    ErrGlyphWords,
    ErrNotCSource,
    WhyNoDataBits,
    WhyWordWidth,
    WhyNoFontlib,
    WhyNoSize,
    WhyMatrixSize,
    WhyArrayNoOpen,
    WhyArrayNoClose,
    WhyBadWord,
    WhyBadComment,
    WhyUnexpectedText,
    WhyLastNoComment,
    ErrCodeOutside,
    ErrNoSlot,
    ErrLibraryShort,
    ErrListTooLong,
    WhyCharacters,
    WhyPictureSeparators,
    ErrPicturePath,
    WhyBar,
    WhyLeadingSpace,
    WhyTrailingSpace,
    ErrPicturePathEmpty,
    ErrPicturePathHash,
    WhyNotAPicture,
    ErrPictureItems,
    PictureItem,
    PictureItemsMore,
    ErrNoPngWriter,
    ErrWritePicture,
    ErrNoPicture,
    ErrPngEncode,
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

struct Message;

// One fact of a message: a text that stands as it is in every language (a path, a number, the
// system's own words) or a message of its own, worded in the language of the one around it.
struct MessageArg {
    // Implicit, so that a message's facts are written as a list of texts and messages.
    MessageArg(std::string plain);
    MessageArg(const char* plain);
    MessageArg(const std::u16string& plain);
    MessageArg(const char16_t* plain);
    MessageArg(Message nested);

    std::string text;              // UTF-8; a file name as its bytes
    std::vector<Message> message;  // the one message, when the fact is one
};

// A message as data: which text, and what goes into it.
struct Message {
    Message() = default;
    Message(Msg which, std::vector<MessageArg> facts = {}) : id(which), args(std::move(facts)) {}

    Msg id = Msg::UnexpectedError;
    std::vector<MessageArg> args;
};

// The message in English; a fact's bytes go in as they are, so a file name that is no UTF-8
// comes out as the system names it.
std::string EnglishUtf8(const Message& message);
std::string EnglishUtf8(const MessageArg& fact);
std::u16string EnglishText(const Message& message);
// The message in a language: text gives each id's text, with %1..%9 for the facts; a message
// among the facts is worded the same way.
std::u16string WordMessage(const Message& message, const std::function<std::u16string(Msg)>& text);

}  // namespace zemtra
