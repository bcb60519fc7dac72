// Every job the program runs, as one call of the core: RunJob takes the settings (with the
// character list and its pictures), a description of the job and what the front end lends it
// (the picture codec, a progress sink, a stop flag), writes its file, and says what came of it.
// zemtra-cli turns its options into a description; the window's workers build the same
// description from the controls. Neither holds a rule of its own: both word the outcome.
//
// A new kind of job is a description, a result and a RunJob overload here, with its body in a
// jobs/*_job.cpp of its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "base/dot_matrix.h"
#include "base/export_font.h"
#include "base/messages.h"
#include "base/progress.h"
#include "base/project_settings.h"
#include "output/font_library.h"
#include "raster/picture_decoder.h"
#include "raster/png_encoder.h"

namespace zemtra {

// What a front end lends a job. Jobs that meet picture items need the decoder (without one a
// picture draws nothing); jobs that write pictures need the encoder.
struct JobContext {
    const PictureDecoder* pictures = nullptr;
    const PngEncoder* png = nullptr;
    ProgressSink* progress = nullptr;  // positions 0..100 after a range of 0..100
    const StopFlag* stop = nullptr;
};

// How a job ended when it did not fail: a failure throws UserError (CannotCreateFile for a
// target that cannot be created). Anything but Done wrote nothing, except Stopped, which keeps
// what a font library had written.
enum class JobOutcome {
    Done,
    NoDots,          // the matrix is below 1 x 1: nothing to render
    EmptyList,       // the character list holds no item
    EmptyCodeRange,  // FROM..TO holds no code
    NoSuchGlyph,     // decode: no glyph of the file matches
    NotOneGlyph,     // decode: a picture shows one glyph, and more matched
    NoScanMode,      // no valid orientation and direction are selected
    NotWritten,      // the temporary output file could not be opened
    Stopped,         // the stop flag was raised
    NoCharacters,    // export: the character set is empty
    NoGlyphs,        // export: no face has any character of the set
};

// ---- show: one item's dot matrix.
struct ShowJob {
    std::u16string source;  // a character (one UTF-16 unit) or a picture path
};
struct ShowResult {
    JobOutcome outcome = JobOutcome::Done;
    DotMatrix matrix;
};
ShowResult RunJob(const ProjectSettings& s, const ShowJob& job, const JobContext& context);

// ---- C source: the fontlib and fonttab arrays of the character list.
enum class CSourceTarget {
    Text,                 // kept in the result
    File,                 // written whole to CSourceJob::file in its encoding
    TemporaryOutputFile,  // "Zemtra_Temp.dat" for the Output View, UTF-16LE with its mark
};
enum class TextEncoding { Utf8, Utf16LeWithMark };
struct CSourceJob {
    CSourceTarget target = CSourceTarget::Text;
    std::filesystem::path file;
    TextEncoding encoding = TextEncoding::Utf8;
};
// What the fonttab table's codes rest on: the system's ANSI code page, and the characters of the
// list that it has no code for (each once, in list order; picture items have no character and
// are left out). Those get the code of "?" (0x3F00) or of a look-alike.
struct FonttabCodes {
    int codePage = 0;
    std::u16string lacking;
};
// The status note on fonttab's codes: the ANSI code page used and, when it lacks characters of
// the list, how many and the first few of them.
Message FonttabNote(const FonttabCodes& codes);
struct CSourceResult {
    JobOutcome outcome = JobOutcome::Done;  // EmptyList, NoDots, NotWritten or Done
    std::u16string text;                    // CSourceTarget::Text
    FonttabCodes fonttab;                   // when Done
};
// Whether the C source job has anything to do for these settings: EmptyList, NoDots, or Done
// when it has. The window asks before it starts a worker, so it can say why nothing happens.
JobOutcome CSourceWorkOf(const ProjectSettings& s);
// The fonttab facts of a list under the system's ANSI code page.
FonttabCodes FonttabCodesOf(const ProjectSettings& s);
// Throws UserError when a picture item of the list cannot be read (it would come out blank).
CSourceResult RunJob(const ProjectSettings& s, const CSourceJob& job, const JobContext& context);

// The text of a C source in a file's encoding.
std::string EncodedText(std::u16string_view text, TextEncoding encoding);

// ---- font library: a .dzk of the code range FROM..TO in CODEPAGE.
struct LibraryJob {
    std::filesystem::path target;
    // An empty code range: the command line refuses it, writing nothing; the window writes the
    // empty file the run makes of it and says why it is empty.
    bool refuseEmptyRange = false;
    int threads = 0;  // 0: one per core
    // After a whole run: the firmware's header (LibraryHeaderText), its names headerName_info and,
    // with unicodeMap, headerName_unicode_map.
    std::optional<std::filesystem::path> header;
    std::string headerName;
    bool unicodeMap = false;
};
struct LibraryJobResult {
    JobOutcome outcome = JobOutcome::Done;  // NoDots, EmptyCodeRange, Stopped or Done
    LibraryResult counts;
    int64_t codes = 0;                      // codes of the range
    std::optional<std::string> emptyRange;  // why the range holds no code, when it holds none
    uint64_t bytes = 0;                     // the size of the file at the end
};
LibraryJobResult RunJob(const ProjectSettings& s, const LibraryJob& job, const JobContext& context);

// ---- specimen sheet: PNG pages of the list's glyphs or the code range's, 256 a page.
enum class SpecimenGlyphs { List, CodeRange, ListElseCodeRange };
struct SpecimenJob {
    SpecimenGlyphs glyphs = SpecimenGlyphs::ListElseCodeRange;
    std::filesystem::path target;  // one page: this name; more: NAME-001.png, NAME-002.png, ...
};
struct SpecimenResult {
    JobOutcome outcome = JobOutcome::Done;  // NoDots, EmptyList, EmptyCodeRange, Stopped or Done
    bool ofList = false;                    // the glyphs came from the list
    size_t glyphs = 0;
    size_t pages = 0;
    uint64_t bytes = 0;  // of every page written
    std::filesystem::path firstPage, lastPage;
};
SpecimenResult RunJob(const ProjectSettings& s, const SpecimenJob& job, const JobContext& context);

// ---- decode: generated data read back into dot matrices under the settings' scan mode.
struct DecodeCSourceJob {
    std::filesystem::path file;
    std::optional<size_t> index;              // only the glyph at this position
    std::optional<std::u16string> character;  // only the glyphs of this character
    std::filesystem::path png;                // when set, the one glyph that matched as a picture
};
struct DecodeLibraryJob {
    std::filesystem::path file;  // built with the settings' code page, range and scan mode
    uint16_t code = 0;
    std::filesystem::path png;
};
struct DecodeResult {
    JobOutcome outcome = JobOutcome::Done;  // NoSuchGlyph, NotOneGlyph or Done
    std::vector<DotMatrix> glyphs;
};
DecodeResult RunJob(const ProjectSettings& s, const DecodeCSourceJob& job,
                    const JobContext& context);
DecodeResult RunJob(const ProjectSettings& s, const DecodeLibraryJob& job,
                    const JobContext& context);

// ---- scan order: a picture of the settings' scan order on their matrix.
struct ScanOrderJob {
    std::filesystem::path png;
    int32_t cell = 12;  // pixels a side of a dot
};
struct ScanOrderResult {
    JobOutcome outcome = JobOutcome::Done;  // NoScanMode (also for a matrix below 1 x 1) or Done
};
ScanOrderResult RunJob(const ProjectSettings& s, const ScanOrderJob& job,
                       const JobContext& context);

// ---- export: a font for a display library (BDF, Adafruit GFX, LVGL) of a set of characters.
enum class ExportCharacters {
    List,       // the character list's characters (picture items are left out)
    Text,       // ExportJob::text
    CodeRange,  // CODEPAGE's FROM..TO, each code converted to its character
    Ranges,     // ExportJob::ranges
};
struct ExportJob {
    ExportFormat format = ExportFormat::Lvgl;
    int bpp = 1;
    bool monospace = false;
    bool compress = false;
    std::string name;  // the C identifier; empty: made from the target's file name
    ExportCharacters characters = ExportCharacters::List;
    std::u16string text;
    std::vector<CodeSpan> ranges;
    // Characters the set takes besides those of `characters` (the firmware's, --chars-from).
    std::vector<char32_t> added;
    std::filesystem::path target;
    int threads = 0;  // that render the glyphs; 0: every core
    // The faces' kerning, where the format holds it (pairs of characters one face draws).
    bool kerning = true;
    // A binary format's bytes as a C array named `name` (from the target's file name when empty).
    bool cArray = false;
};
struct ExportResult {
    JobOutcome outcome = JobOutcome::Done;  // NoDots, NoCharacters, NoGlyphs, Stopped or Done
    size_t characters = 0;                  // in the set
    size_t glyphs = 0;                      // exported
    // Characters that neither the face nor a linked face has, left out: how many, the first few.
    size_t lacking = 0;
    std::u16string firstLacking;
    size_t pictures = 0;      // picture items of the list, left out
    uint64_t bytes = 0;       // the file's size
    size_t kerningPairs = 0;  // written
};
// An export checked and ready to run: its job (the target may still be set) and its character
// set, built once.
struct PreparedExport {
    ExportJob job;
    std::vector<char32_t> characters;
};
// Either why the export cannot run under these settings (as ExportJobProblem words it) or the
// export ready to run; an empty set is no problem here (RunJob says NoCharacters). Both front
// ends prepare once and run what this returns, so nothing is built or checked twice.
std::variant<MessageArg, PreparedExport> PrepareExport(const ProjectSettings& s,
                                                       const ExportJob& job);
// Runs a prepared export; reports and writes as the other RunJob.
ExportResult RunJob(const ProjectSettings& s, const PreparedExport& prepared,
                    const JobContext& context);
// Why the job cannot run under these settings: bits per dot, compression or a name the format
// does not take, a name that is no C identifier, a character the format cannot hold (GFX takes
// 0x00..0xFF), a range beyond U+10FFFF or running backwards, a matrix or placement the format
// cannot hold. Nothing when it can. RunJob throws UserError with the same words.
std::optional<MessageArg> ExportJobProblem(const ProjectSettings& s, const ExportJob& job);
// The characters the job exports, ascending, each once, before the fonts are asked.
std::vector<char32_t> ExportCharacterSet(const ProjectSettings& s, const ExportJob& job);
// Reports percentages, tests the stop flag before every character, and writes the file whole or
// not at all (a stop writes nothing).
ExportResult RunJob(const ProjectSettings& s, const ExportJob& job, const JobContext& context);

// The characters an export left out as the front ends name them: "U+FFFE U+1F600", with " ..."
// when it left out more than it names.
std::string LackingCodes(const ExportResult& result);

}  // namespace zemtra
