// zemtra-cli's commands: each turns the parsed options into a job description, runs it through
// the core's jobs (the same calls the desktop program makes) and prints what came of it.
#include "cli/cli_jobs.h"

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ostream>

#include "base/atomic_file.h"
#include "base/character_list.h"
#include "base/code_page.h"
#include "base/code_rectangle.h"
#include "base/error.h"
#include "base/unicode.h"
#include "base/used_characters.h"
#include "jobs/jobs.h"
#include "jobs/list_items.h"
#include "output/font_export.h"
#include "output/font_library.h"
#include "project/project_file.h"
#include "raster/font_engine.h"
#include "raster/new_project.h"
#include "raster/qt/qimage_picture_decoder.h"
#include "raster/qt/qimage_png_encoder.h"

namespace zemtra::cli {
namespace {

// The picture codec the jobs read and write pictures with; progress and stop per command.
JobContext Context() {
    JobContext context;
    context.pictures = &DefaultPictureDecoder();
    context.png = &DefaultPngEncoder();
    return context;
}

// The characters of the --chars-from files, distinct and ascending.
std::vector<char32_t> CharactersFrom(const Request& r) {
    std::vector<std::filesystem::path> files(r.charsFrom.begin(), r.charsFrom.end());
    return CharactersFromFiles(files);
}

// --text replaces the list as "Add" does; --chars-from adds the characters of its files that
// the list lacks, as "Add from Files..." does; --picture appends as "Load Picture" does.
void ApplyListOptions(const Request& r, ProjectSettings& s) {
    if (r.text) {
        s.TEXT = Utf8ToUtf16(*r.text);
        FillCharacterList(s, s.TEXT, true);
    }
    if (!r.charsFrom.empty()) AddCharactersToList(s, CharactersFrom(r));
    for (const std::string& picture : r.pictures) {
        std::error_code ec;
        const auto absolute = std::filesystem::absolute(picture, ec);
        if (ec) throw UserError("Cannot read the picture \"" + picture + "\": " + ec.message());
        const std::u16string path = Utf8ToUtf16(absolute.string());
        if (auto refusal = AddPictureItem(s, DefaultPictureDecoder(), path)) {
            const std::string reason = EnglishUtf8(refusal->reason);
            if (refusal->pathUnstorable) throw UsageError("--picture: " + reason);
            throw UserError("Cannot read the picture \"" + picture + "\": " + reason);
        }
    }
}

// A matrix that renders nothing is a mistake on the command line; the texts say why.
UsageError MatrixTooSmall(const std::string& command, const ProjectSettings& s) {
    return UsageError(command + ": the matrix size \"" + Utf16ToUtf8(s.BLOCKNUMX) + "\" x \"" +
                      Utf16ToUtf8(s.BLOCKNUMY) + "\" reads as " + std::to_string(MatrixWidth(s)) +
                      " x " + std::to_string(MatrixHeight(s)) + "; it must be at least 1 x 1");
}

// H lines of W characters, '#' lit and '.' unlit.
std::string MatrixText(const DotMatrix& matrix) {
    std::string text;
    for (int32_t y = 0; y < matrix.Height(); ++y) {
        for (int32_t x = 0; x < matrix.Width(); ++x) text += matrix.Lit(x, y) ? '#' : '.';
        text += '\n';
    }
    return text;
}

void Print(std::ostream& out, const std::string& bytes) {
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
}

}  // namespace

void WarnAboutStandInFace(const Request& r) {
    const bool draws = r.command == "c-source" || r.command == "show" || r.command == "library" ||
                       r.command == "export" || r.command == "specimen";
    if (!draws || !r.settings.FONT.FontFile.empty()) return;
    std::string standIn;
    try {
        FontEngine fonts;
        standIn = fonts.StandInFamily(r.settings.FONT);
    } catch (const UserError&) {
        return;  // the job names what stops it
    }
    if (standIn.empty()) return;
    std::fprintf(stderr,
                 "zemtra-cli: warning: no installed face is named \"%s\"; drawing with \"%s\" "
                 "instead\n",
                 Utf16ToUtf8(r.settings.FONT.FaceName).c_str(), standIn.c_str());
}

int RunCSource(const Request& r, std::ostream& out) {
    ProjectSettings s = r.settings;
    ApplyListOptions(r, s);
    CSourceJob job;
    job.encoding = r.encoding == "utf-16le" ? TextEncoding::Utf16LeWithMark : TextEncoding::Utf8;
    if (r.output) {
        job.target = CSourceTarget::File;
        job.file = *r.output;
    }
    const CSourceResult result = RunJob(s, job, Context());
    if (result.outcome == JobOutcome::EmptyList) {
        throw UsageError("c-source: the character list is empty (use --text)");
    }
    if (result.outcome == JobOutcome::NoDots) throw MatrixTooSmall("c-source", s);
    if (!r.output) Print(out, EncodedText(result.text, job.encoding));
    // The window shows this in its status line; a build log needs it as much.
    if (!result.fonttab.lacking.empty()) {
        std::fprintf(stderr,
                     "zemtra-cli: %s\nzemtra-cli: ZEMTRA_ANSI_CODEPAGE chooses another code page "
                     "(936 for GB2312 or GBK, 950 for BIG5).\n",
                     EnglishUtf8(FonttabNote(result.fonttab)).c_str());
    }
    return 0;
}

int RunShow(const Request& r, std::ostream& out) {
    if (r.character.has_value() == !r.pictures.empty() || r.pictures.size() > 1) {
        throw UsageError("show: give either --char C or one --picture FILE");
    }
    ShowJob job;
    if (r.character) {
        job.source = Utf8ToUtf16(*r.character);
        if (!IsOneCharacter(job.source)) {
            throw UsageError("show: --char takes exactly one character");
        }
    } else {
        Request pictureOnly;
        pictureOnly.pictures = r.pictures;
        ProjectSettings pictures;
        ApplyListOptions(pictureOnly, pictures);
        job.source = pictures.PIC.back();
    }
    const ShowResult result = RunJob(r.settings, job, Context());
    if (result.outcome == JobOutcome::NoDots) throw MatrixTooSmall("show", r.settings);
    const std::string text = MatrixText(result.matrix);
    if (r.output) {
        WriteFileAtomically(*r.output, text);
    } else {
        Print(out, text);
    }
    return 0;
}

namespace {

StopFlag* g_stop = nullptr;

extern "C" void OnInterrupt(int) {
    if (g_stop != nullptr) g_stop->Request();
}

// Ctrl+C and SIGTERM raise the flag while a library is built, and only then.
class InterruptsStop {
  public:
    explicit InterruptsStop(StopFlag& stop) {
        g_stop = &stop;
        struct sigaction action {};
        action.sa_handler = OnInterrupt;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, nullptr);
        sigaction(SIGTERM, &action, nullptr);
    }
    ~InterruptsStop() { g_stop = nullptr; }
    InterruptsStop(const InterruptsStop&) = delete;
    InterruptsStop& operator=(const InterruptsStop&) = delete;
};

int32_t CodePageKindOf(const std::string& name) {
    const char* names[] = {"unicode", "mbcs", "gb2312", "gbk", "big5"};
    for (int32_t i = 0; i < 5; ++i) {
        if (name == names[i]) return i;
    }
    throw UsageError("--codepage: \"" + name + "\" is not one of unicode|mbcs|gb2312|gbk|big5");
}

uint16_t ParseCode(const std::string& option, const std::string& text, CodeRange range) {
    size_t used = 0;
    unsigned long value = 0;
    std::string digits = text;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits = digits.substr(2);
    }
    try {
        value = std::stoul(digits, &used, 16);
    } catch (const std::exception&) {
        used = 0;
    }
    if (digits.empty() || used != digits.size() || digits.size() > 4 || digits[0] == '-' ||
        digits[0] == '+') {
        throw UsageError(option + ": \"" + text + "\" is not a code of 1 to 4 hexadecimal digits");
    }
    if (value < range.lowest || value > range.highest) {
        char message[160];
        std::snprintf(message, sizeof message,
                      "%s: 0x%04lX is outside the code page's range "
                      "0x%04X..0x%04X",
                      option.c_str(), value, range.lowest, range.highest);
        throw UsageError(message);
    }
    return static_cast<uint16_t>(value);
}

// --codepage sets the kind and its default range; --from and --to must lie inside it.
void ApplyCodeRange(const Request& r, ProjectSettings& s) {
    if (r.codepage) {
        s.CODEPAGE = CodePageKindOf(*r.codepage);
        if (!r.from) s.FROM = CodeRangeOf(s.CODEPAGE).lowest;
        if (!r.to) s.TO = CodeRangeOf(s.CODEPAGE).highest;
    }
    const CodeRange range = CodeRangeOf(s.CODEPAGE);
    if (r.from) s.FROM = ParseCode("--from", *r.from, range);
    if (r.to) s.TO = ParseCode("--to", *r.to, range);
}

// A progress bar on a terminal: percent, codes (or characters) per second and the time left.
class TerminalProgress : public ProgressSink {
  public:
    explicit TerminalProgress(int64_t codes, const char* unit = "codes")
        : codes_(codes), unit_(unit) {}
    void SetRange(int, int) override { start_ = std::chrono::steady_clock::now(); }
    void SetPosition(int percent) override {
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
        const double done = static_cast<double>(codes_) * percent / 100.0;
        const double rate = seconds > 0 ? done / seconds : 0;
        const double left = rate > 0 ? (static_cast<double>(codes_) - done) / rate : 0;
        const int filled = percent * 30 / 100;
        std::fprintf(stderr, "\r[%-30s] %3d%%  %8.0f %s/s  %4.0f s left",
                     std::string(static_cast<size_t>(filled), '#').c_str(), percent, rate, unit_,
                     left);
        std::fflush(stderr);
    }
    void Finish() { std::fprintf(stderr, "\n"); }

  private:
    int64_t codes_;
    const char* unit_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace

int RunLibrary(const Request& r) {
    if (!r.output) throw UsageError("library: give the target file with -o FILE.dzk");
    ProjectSettings s = r.settings;
    ApplyCodeRange(r, s);
    // The header's name is checked before anything is built.
    const std::string name =
        r.name ? *r.name : CIdentifierFrom(std::filesystem::path(*r.output).stem().string());
    if (r.header && !IsCIdentifier(name)) {
        throw UsageError("--name: \"" + name + "\" is not a C identifier");
    }
    if (r.unicodeMap && !r.header) {
        throw UsageError("--unicode-map: the map goes into the header; give --header FILE.h");
    }
    if (r.unicodeMap && s.CODEPAGE == static_cast<int32_t>(CodePageKind::Unicode)) {
        throw UsageError(
            "--unicode-map: a unicode library's codes are its characters; it needs no map");
    }
    LibraryJob job;
    job.target = *r.output;
    // The desktop program writes an empty file for an empty range; a script gets told.
    job.refuseEmptyRange = true;
    job.header = r.header;
    job.headerName = name;
    job.unicodeMap = r.unicodeMap;

    StopFlag stop;
    TerminalProgress bar(CodeRectangle(s).Size());
    const bool terminal = ::isatty(STDERR_FILENO) == 1;
    JobContext context = Context();
    context.stop = &stop;
    context.progress = terminal ? &bar : nullptr;
    LibraryJobResult result;
    {
        const InterruptsStop interrupts(stop);
        result = RunJob(s, job, context);
    }
    if (terminal && result.outcome != JobOutcome::NoDots &&
        result.outcome != JobOutcome::EmptyCodeRange) {
        bar.Finish();
    }
    if (result.outcome == JobOutcome::NoDots) throw MatrixTooSmall("library", s);
    if (result.outcome == JobOutcome::EmptyCodeRange) {
        throw UsageError("library: " + *result.emptyRange + "; nothing was written");
    }
    if (result.outcome == JobOutcome::Stopped) {
        std::fprintf(stderr,
                     "zemtra-cli: stopped after %lld of %lld codes; the %lld records "
                     "written so far are kept in %s\n",
                     static_cast<long long>(result.counts.codesVisited),
                     static_cast<long long>(result.codes),
                     static_cast<long long>(result.counts.recordsWritten), r.output->c_str());
        return 130;
    }
    return 0;
}

namespace {

// Which characters an export takes: one of --text, --range and the code range, else the list.
ExportCharacters ExportSource(const Request& r) {
    const int given = (r.text ? 1 : 0) + (r.range ? 1 : 0) + (r.codepage || r.from || r.to ? 1 : 0);
    if (given > 1) {
        throw UsageError("export: give the characters one way: --text, --range or a code range");
    }
    if (r.text) return ExportCharacters::Text;
    if (r.range) return ExportCharacters::Ranges;
    if (given == 1) return ExportCharacters::CodeRange;
    // The files' characters alone, not added to the list.
    if (!r.charsFrom.empty()) return ExportCharacters::Text;
    return ExportCharacters::List;
}

ExportJob ExportJobOf(const Request& r) {
    if (!r.output) throw UsageError("export: give the target file with -o FILE");
    if (!r.format) throw UsageError("export: give the format with --format " + ExportFormatNames());
    const std::optional<ExportFormat> format = ExportFormatNamed(*r.format);
    if (!format) {
        throw UsageError("--format: \"" + *r.format + "\" is not one of " + ExportFormatNames());
    }
    ExportJob job;
    job.format = *format;
    // Without --bpp, the fewest bits per dot the format takes (a smooth font has only 8).
    job.bpp = static_cast<int>(r.bpp.value_or(LowestBpp(ExportFormatRowOf(*format))));
    job.monospace = r.monospace;
    job.compress = r.compress;
    job.kerning = !r.noKerning;
    job.cArray = r.cArray;
    if (r.name) {
        if (!IsCIdentifier(*r.name)) {
            throw UsageError("--name: \"" + *r.name + "\" is not a C identifier");
        }
        job.name = *r.name;
    }
    job.target = *r.output;
    job.characters = ExportSource(r);
    if (r.text) job.text = Utf8ToUtf16(*r.text);
    if (!r.charsFrom.empty()) job.added = CharactersFrom(r);
    if (r.range) {
        try {
            job.ranges = ParseCodeSpans(*r.range);
        } catch (const UserError& e) {
            throw UsageError(std::string("--range: ") + e.what());
        }
    }
    return job;
}

}  // namespace

int RunExport(const Request& r) {
    ExportJob job = ExportJobOf(r);
    ProjectSettings s = r.settings;
    if (job.characters == ExportCharacters::CodeRange) ApplyCodeRange(r, s);
    if (!HasDots(s)) throw MatrixTooSmall("export", s);
    std::variant<MessageArg, PreparedExport> prepared = PrepareExport(s, job);
    if (const auto* why = std::get_if<MessageArg>(&prepared)) {
        throw UsageError("export: " + EnglishUtf8(*why));
    }
    const PreparedExport& ready = std::get<PreparedExport>(prepared);
    const size_t characters = ready.characters.size();
    if (characters == 0) {
        throw UsageError("export: the character set is empty (use --text, --range or --codepage)");
    }

    StopFlag stop;
    TerminalProgress bar(static_cast<int64_t>(characters), "chars");
    const bool terminal = ::isatty(STDERR_FILENO) == 1;
    JobContext context = Context();
    context.stop = &stop;
    context.progress = terminal ? &bar : nullptr;
    ExportResult result;
    {
        const InterruptsStop interrupts(stop);
        result = RunJob(s, ready, context);
    }
    if (terminal) bar.Finish();
    if (result.outcome == JobOutcome::Stopped) {
        std::fprintf(stderr, "zemtra-cli: stopped; nothing was written to %s\n", r.output->c_str());
        return 130;
    }
    if (result.outcome == JobOutcome::NoGlyphs) {
        throw UsageError("export: no face has any of the " + std::to_string(result.characters) +
                         " characters; nothing was written");
    }
    if (result.lacking > 0) {
        std::fprintf(stderr,
                     "zemtra-cli: left out %zu of %zu characters, which neither the face nor a "
                     "linked face has: %s\n",
                     result.lacking, result.characters, LackingCodes(result).c_str());
    }
    if (result.pictures > 0) {
        std::fprintf(stderr, "zemtra-cli: left out the %zu picture items of the list\n",
                     result.pictures);
    }
    return 0;
}

int RunDecode(const Request& r, std::ostream& out) {
    if (r.cSource.has_value() == r.dzk.has_value()) {
        throw UsageError("decode: give either --c-source FILE or --dzk FILE");
    }
    DecodeResult result;
    if (r.cSource) {
        DecodeCSourceJob job;
        job.file = *r.cSource;
        if (r.index) job.index = static_cast<size_t>(*r.index);
        if (r.character) job.character = Utf8ToUtf16(*r.character);
        if (r.png) job.png = *r.png;
        result = RunJob(r.settings, job, Context());
    } else {
        if (!r.code) throw UsageError("decode: --dzk needs --code HEX");
        ProjectSettings s = r.settings;
        ApplyCodeRange(r, s);
        DecodeLibraryJob job;
        job.file = *r.dzk;
        job.code = ParseCode("--code", *r.code, {0, 0xFFFF});
        if (r.png) job.png = *r.png;
        result = RunJob(s, job, Context());
    }
    if (result.outcome == JobOutcome::NoSuchGlyph) {
        throw UsageError("decode: no such glyph in \"" + r.cSource.value_or("") + "\"");
    }
    if (result.outcome == JobOutcome::NotOneGlyph) {
        throw UsageError("decode: --png needs one glyph (--index or --char)");
    }
    if (r.png) return 0;
    std::string text;
    for (size_t i = 0; i < result.glyphs.size(); ++i) {
        text += (i ? "\n" : "") + MatrixText(result.glyphs[i]);
    }
    out << text;
    return 0;
}

int RunScanOrder(const Request& r) {
    if (!r.png) throw UsageError("scan-order: give the picture to write with --png FILE");
    ScanOrderJob job;
    job.png = *r.png;
    if (RunJob(r.settings, job, Context()).outcome == JobOutcome::NoScanMode) {
        throw UsageError("scan-order: no valid scan mode or matrix size");
    }
    return 0;
}

int RunSpecimen(const Request& r) {
    if (!r.output) throw UsageError("specimen: give the picture to write with -o FILE.png");
    ProjectSettings s = r.settings;
    if (!r.charsFrom.empty() && (r.codepage || r.from || r.to)) {
        throw UsageError(
            "specimen: --chars-from adds to the list, which a code range replaces; "
            "give one of them");
    }
    ApplyListOptions(r, s);
    ApplyCodeRange(r, s);
    if (!HasDots(s)) throw UsageError("specimen: the matrix size must be at least 1 x 1");
    if (auto why = RenderLimitError(s)) throw UsageError("specimen: " + EnglishUtf8(*why));
    SpecimenJob job;
    job.target = *r.output;
    // A code page or range on the command line asks for the range, anything else the list.
    job.glyphs = r.codepage || r.from || r.to ? SpecimenGlyphs::CodeRange : SpecimenGlyphs::List;
    const SpecimenResult result = RunJob(s, job, Context());
    if (result.outcome == JobOutcome::EmptyList || result.outcome == JobOutcome::EmptyCodeRange) {
        throw UsageError("specimen: nothing to show (use --text or --codepage)");
    }
    if (result.pages > 1) {
        const std::filesystem::path out(*r.output);
        std::fprintf(stderr, "zemtra-cli: wrote %zu pages, %s-001 ... %s-%03zu\n", result.pages,
                     out.stem().c_str(), out.stem().c_str(), result.pages);
    }
    return 0;
}

int RunProject(const Request& r) {
    if (r.subcommand != "new" && r.subcommand != "save") {
        throw UsageError("project: say \"project new FILE\" or \"project save FILE\"");
    }
    if (r.positional.size() != 1) throw UsageError("project " + r.subcommand + ": give one FILE");
    ProjectSettings s = r.settings;
    if (r.subcommand == "new") {
        s = ProjectSettings();
        ApplyNew(s);
    } else {
        ApplyListOptions(r, s);
    }
    SaveProject(r.positional[0], s);
    return 0;
}

}  // namespace zemtra::cli
