// zemtra-cli's jobs, calling the same core functions as the desktop program.
#include "cli/cli_jobs.h"

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <ostream>

#include "base/atomic_file.h"
#include "base/character_list.h"
#include "base/code_page.h"
#include "base/error.h"
#include "base/unicode.h"
#include "output/c_source_writer.h"
#include "output/font_library.h"
#include "output/scan_decode.h"
#include "project/project_file.h"
#include "raster/glyph_renderer.h"
#include "raster/new_project.h"
#include "raster/picture_check.h"
#include "raster/qt/qimage_picture_decoder.h"
#include "raster/qt/qimage_png_encoder.h"
#include "raster/scan_order_picture.h"
#include "raster/specimen.h"

namespace zemtra::cli {
namespace {

// --text replaces the list as "Add" does; --picture appends as "Load Picture" does.
void ApplyListOptions(const Request& r, ProjectSettings& s) {
    if (r.text) {
        s.TEXT = Utf8ToUtf16(*r.text);
        FillCharacterList(s, s.TEXT, true);
    }
    for (const std::string& picture : r.pictures) {
        std::error_code ec;
        const auto absolute = std::filesystem::absolute(picture, ec);
        const auto problem = ec ? std::optional<std::string>(ec.message())
                                : PictureFileProblem(DefaultPictureDecoder(), absolute);
        if (problem) throw UserError("Cannot read the picture \"" + picture + "\": " + *problem);
        const std::u16string path = Utf8ToUtf16(absolute.string());
        if (auto why = PicturePathProblem(path)) throw UsageError("--picture: " + *why);
        AppendPictureItem(s, path);
    }
}

// A matrix that renders nothing is a mistake on the command line; the texts say why.
UsageError MatrixTooSmall(const std::string& command, const ProjectSettings& s) {
    return UsageError(command + ": the matrix size \"" + Utf16ToUtf8(s.BLOCKNUMX) + "\" x \"" +
                      Utf16ToUtf8(s.BLOCKNUMY) + "\" reads as " + std::to_string(MatrixWidth(s)) +
                      " x " + std::to_string(MatrixHeight(s)) + "; it must be at least 1 x 1");
}

std::string Utf16LeWithMark(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    bytes.reserve(2 + text.size() * 2);
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
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

void Emit(const Request& r, std::ostream& out, const std::string& bytes) {
    if (r.output) {
        WriteFileAtomically(*r.output, bytes);
    } else {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
    }
}

}  // namespace

int RunCSource(const Request& r, std::ostream& out) {
    ProjectSettings s = r.settings;
    ApplyListOptions(r, s);
    if (s.LIST.empty()) throw UsageError("c-source: the character list is empty (use --text)");
    if (auto why = ListPictureProblems(DefaultPictureDecoder(), s)) throw UserError(*why);
    GlyphRenderer renderer(&DefaultPictureDecoder());
    RendererGlyphSource glyphs(renderer, s);
    StringTextWriter text;
    if (!WriteCSource(s, CharacterText(s.LIST), glyphs, text)) {
        throw MatrixTooSmall("c-source", s);
    }
    Emit(r, out,
         r.encoding == "utf-16le" ? Utf16LeWithMark(text.Text()) : Utf16ToUtf8(text.Text()));
    return 0;
}

int RunShow(const Request& r, std::ostream& out) {
    if (r.character.has_value() == !r.pictures.empty() || r.pictures.size() > 1) {
        throw UsageError("show: give either --char C or one --picture FILE");
    }
    std::u16string source;
    if (r.character) {
        source = Utf8ToUtf16(*r.character);
        if (source.size() != 1) {
            throw UsageError("show: --char takes exactly one character of the basic plane");
        }
    } else {
        Request pictureOnly;
        pictureOnly.pictures = r.pictures;
        ProjectSettings pictures;
        ApplyListOptions(pictureOnly, pictures);
        source = pictures.PIC.back();
    }
    GlyphRenderer renderer(&DefaultPictureDecoder());
    DotMatrix matrix;
    if (!renderer.RenderDotMatrix(r.settings, source, &matrix)) {
        throw MatrixTooSmall("show", r.settings);
    }
    Emit(r, out, MatrixText(matrix));
    return 0;
}

namespace {

StopFlag* g_stop = nullptr;

extern "C" void OnInterrupt(int) {
    if (g_stop != nullptr) g_stop->Request();
}

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

// A progress bar on a terminal: percent, codes per second and the time left.
class TerminalProgress : public ProgressSink {
  public:
    explicit TerminalProgress(int64_t codes) : codes_(codes) {}
    void SetRange(int, int) override { start_ = std::chrono::steady_clock::now(); }
    void SetPosition(int percent) override {
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
        const double done = static_cast<double>(codes_) * percent / 100.0;
        const double rate = seconds > 0 ? done / seconds : 0;
        const double left = rate > 0 ? (static_cast<double>(codes_) - done) / rate : 0;
        const int filled = percent * 30 / 100;
        std::fprintf(stderr, "\r[%-30s] %3d%%  %8.0f codes/s  %4.0f s left",
                     std::string(static_cast<size_t>(filled), '#').c_str(), percent, rate, left);
        std::fflush(stderr);
    }
    void Finish() { std::fprintf(stderr, "\n"); }

  private:
    int64_t codes_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace

int RunLibrary(const Request& r) {
    if (!r.output) throw UsageError("library: give the target file with -o FILE.dzk");
    ProjectSettings s = r.settings;
    ApplyCodeRange(r, s);
    if (MatrixWidth(s) < 1 || MatrixHeight(s) < 1) {
        throw MatrixTooSmall("library", s);
    }
    // The desktop program writes an empty file for an empty rectangle; a script gets told.
    if (const auto empty = EmptyCodeRectangle(s)) {
        throw UsageError("library: " + *empty + "; nothing was written");
    }

    StopFlag stop;
    g_stop = &stop;
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    const int64_t codes =
        (int64_t{(s.TO >> 8)} - (s.FROM >> 8) + 1) * (int64_t{s.TO & 0xFF} - (s.FROM & 0xFF) + 1);
    TerminalProgress bar(codes > 0 ? codes : 0);
    const bool terminal = ::isatty(STDERR_FILENO) == 1;
    LibraryOptions options;
    options.stop = &stop;
    options.progress = terminal ? &bar : nullptr;
    const LibraryResult result = BuildFontLibrary(s, *r.output, options);
    if (terminal) bar.Finish();
    g_stop = nullptr;
    if (result.stopped) {
        std::fprintf(stderr,
                     "zemtra-cli: stopped after %lld of %lld codes; the %lld records "
                     "written so far are kept in %s\n",
                     static_cast<long long>(result.codesVisited), static_cast<long long>(codes),
                     static_cast<long long>(result.recordsWritten), r.output->c_str());
        return 130;
    }
    return 0;
}

namespace {

std::vector<DotMatrix> DecodeCSourceFile(const Request& r) {
    std::ifstream in(*r.cSource, std::ios::binary);
    if (!in) throw UserError("Cannot read \"" + *r.cSource + "\".");
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const ParsedCSource parsed = ParseCSource(DecodeCSourceBytes(bytes));
    const ProjectSettings& s = r.settings;
    const ScanMode mode = ScanModeOf(s);
    std::vector<DotMatrix> glyphs;
    const std::u16string wanted = r.character ? Utf8ToUtf16(*r.character) : u"";
    for (size_t i = 0; i < parsed.glyphs.size(); ++i) {
        if (r.index && static_cast<long long>(i) != *r.index) continue;
        if (r.character && parsed.glyphs[i].character != wanted) continue;
        glyphs.push_back(
            UnpackGlyph(parsed.glyphs[i].words, mode, parsed.width, parsed.height, parsed.bits));
    }
    if (glyphs.empty()) throw UsageError("decode: no such glyph in \"" + *r.cSource + "\"");
    return glyphs;
}

}  // namespace

int RunDecode(const Request& r, std::ostream& out) {
    if (r.cSource.has_value() == r.dzk.has_value()) {
        throw UsageError("decode: give either --c-source FILE or --dzk FILE");
    }
    std::vector<DotMatrix> glyphs;
    if (r.cSource) {
        glyphs = DecodeCSourceFile(r);
    } else {
        if (!r.code) throw UsageError("decode: --dzk needs --code HEX");
        ProjectSettings s = r.settings;
        ApplyCodeRange(r, s);
        glyphs.push_back(ReadLibraryGlyph(*r.dzk, s, ParseCode("--code", *r.code, {0, 0xFFFF})));
    }
    if (r.png) {
        if (glyphs.size() != 1)
            throw UsageError("decode: --png needs one glyph (--index or --char)");
        SaveMatrixPng(glyphs.front(), *r.png);
        return 0;
    }
    std::string text;
    for (size_t i = 0; i < glyphs.size(); ++i) text += (i ? "\n" : "") + MatrixText(glyphs[i]);
    out << text;
    return 0;
}

int RunScanOrder(const Request& r) {
    if (!r.png) throw UsageError("scan-order: give the picture to write with --png FILE");
    const ProjectSettings& s = r.settings;
    const RgbRaster picture = ScanOrderPicture(ScanModeOf(s), MatrixWidth(s), MatrixHeight(s), 12);
    if (picture.width == 0) throw UsageError("scan-order: no valid scan mode or matrix size");
    SaveRasterPng(picture, *r.png);
    return 0;
}

namespace {

// The glyphs of a specimen: the code range when a code page or range is given, else the list.
std::vector<SpecimenGlyph> SpecimenGlyphs(const Request& r, const ProjectSettings& s) {
    GlyphRenderer renderer(&DefaultPictureDecoder());
    if (r.codepage || r.from || r.to) return SpecimenGlyphsOfRange(s, renderer);
    return SpecimenGlyphsOfList(s, renderer);
}

}  // namespace

int RunSpecimen(const Request& r) {
    if (!r.output) throw UsageError("specimen: give the picture to write with -o FILE.png");
    ProjectSettings s = r.settings;
    ApplyListOptions(r, s);
    ApplyCodeRange(r, s);
    if (MatrixWidth(s) < 1 || MatrixHeight(s) < 1) {
        throw UsageError("specimen: the matrix size must be at least 1 x 1");
    }
    if (auto why = RenderLimitError(s)) throw UsageError("specimen: " + *why);
    const std::vector<SpecimenGlyph> glyphs = SpecimenGlyphs(r, s);
    if (glyphs.empty()) throw UsageError("specimen: nothing to show (use --text or --codepage)");
    FontEngine labels;
    const size_t pages = SpecimenPageCount(glyphs.size());
    const std::filesystem::path out(*r.output);
    for (size_t page = 0; page < pages; ++page) {
        const auto first = glyphs.begin() + static_cast<std::ptrdiff_t>(page * kSpecimenPerPage);
        const auto last = glyphs.begin() + static_cast<std::ptrdiff_t>(std::min(
                                               glyphs.size(), (page + 1) * kSpecimenPerPage));
        SaveRasterPng(SpecimenPage(std::vector<SpecimenGlyph>(first, last), labels),
                      SpecimenPageFile(out, page, pages));
    }
    if (pages > 1) {
        std::fprintf(stderr, "zemtra-cli: wrote %zu pages, %s-001 ... %s-%03zu\n", pages,
                     out.stem().c_str(), out.stem().c_str(), pages);
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
