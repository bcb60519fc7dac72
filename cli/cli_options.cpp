// Option parsing for zemtra-cli. Every settings option sets one field of ProjectSettings.
#include "cli/cli_options.h"

#include <charconv>
#include <filesystem>
#include <functional>
#include <map>

#include "base/error.h"
#include "base/presets.h"
#include "base/unicode.h"
#include "output/font_export.h"
#include "project/project_file.h"
#include "raster/font_engine.h"
#include "raster/font_faces.h"
#include "raster/font_file.h"
#include "raster/new_project.h"

namespace zemtra::cli {
namespace {

long long ParseInteger(const std::string& option, const std::string& text, long long lo,
                       long long hi) {
    long long v = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, v);
    if (ec != std::errc() || ptr != end || text.empty()) {
        throw UsageError(option + ": \"" + text + "\" is not a whole number");
    }
    if (v < lo || v > hi) {
        throw UsageError(option + ": " + text + " is outside " + std::to_string(lo) + ".." +
                         std::to_string(hi));
    }
    return v;
}

// "AxB" or "A,B" into two integers.
std::pair<long long, long long> ParsePair(const std::string& option, const std::string& text,
                                          char separator, long long lo, long long hi) {
    const size_t at = text.find(separator, 1);
    if (at == std::string::npos) {
        throw UsageError(option + ": expected two numbers as A" + std::string(1, separator) +
                         "B, got \"" + text + "\"");
    }
    return {ParseInteger(option, text.substr(0, at), lo, hi),
            ParseInteger(option, text.substr(at + 1), lo, hi)};
}

int32_t ParseChoice(const std::string& option, const std::string& text,
                    const std::vector<std::string>& names) {
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] == text) return static_cast<int32_t>(i);
    }
    std::string list;
    for (const auto& n : names) list += (list.empty() ? "" : "|") + n;
    throw UsageError(option + ": \"" + text + "\" is not one of " + list);
}

struct Parser {
    Request r;
    bool deriveFontSize = false;
    std::optional<std::pair<long long, long long>> fontSize;

    using Handler = std::function<void(const std::string& value)>;
    std::map<std::string, Handler> withValue;
    std::map<std::string, std::function<void()>> flags;

    Parser();
    void Run(const std::vector<std::string>& args);
};

Parser::Parser() {
    ApplyNew(r.settings);
    withValue["--matrix"] = [this](const std::string& v) {
        const auto [w, h] = ParsePair("--matrix", v, 'x', 1, kMaxMatrixSide);
        r.matrix = {static_cast<int32_t>(w), static_cast<int32_t>(h)};
        r.settings.BLOCKNUMX = DecimalText(w);
        r.settings.BLOCKNUMY = DecimalText(h);
        deriveFontSize = true;
    };
    withValue["--face"] = [this](const std::string& v) {
        std::u16string face = Utf8ToUtf16(v);
        if (face.empty() || face.size() > kMaxFaceNameLength) {
            throw UsageError("--face: the face name must have 1 to 31 characters");
        }
        r.settings.FONT.FaceName = face;
        deriveFontSize = true;
    };
    withValue["--font-file"] = [this](const std::string& v) {
        r.fontFile = v;
        deriveFontSize = true;
    };
    withValue["--weight"] = [this](const std::string& v) {
        r.settings.FONT.Weight = static_cast<int32_t>(ParseInteger("--weight", v, 0, 1000));
    };
    withValue["--charset"] = [this](const std::string& v) {
        r.settings.FONT.CharSet = static_cast<uint8_t>(ParseInteger("--charset", v, 0, 255));
    };
    withValue["--font-size"] = [this](const std::string& v) {
        fontSize = ParsePair("--font-size", v, 'x', -kMaxFontSize, kMaxFontSize);
    };
    withValue["--offset"] = [this](const std::string& v) {
        const auto [x, y] = ParsePair("--offset", v, ',', INT32_MIN, INT32_MAX);
        r.settings.OFFSETX = static_cast<int32_t>(x);
        r.settings.OFFSETY = static_cast<int32_t>(y);
    };
    withValue["--threshold"] = [this](const std::string& v) {
        r.settings.THRESHOLD = DecimalText(ParseInteger("--threshold", v, INT32_MIN, INT32_MAX));
    };
    withValue["--orientation"] = [this](const std::string& v) {
        r.settings.ORIENT =
            ParseChoice("--orientation", v, {"row", "column", "row-column", "column-row"});
    };
    withValue["--direction"] = [this](const std::string& v) {
        r.settings.DIRECT = ParseChoice("--direction", v, {"forward", "backward"});
    };
    withValue["--polarity"] = [this](const std::string& v) {
        r.settings.FORMAT = ParseChoice("--polarity", v, {"cathode", "anode"});
    };
    withValue["--bits"] = [this](const std::string& v) {
        r.settings.DATABIT = ParseChoice("--bits", v, {"8", "16", "24", "32", "4"});
    };
    withValue["--project"] = [this](const std::string& v) {
        const LoadedProject loaded = LoadProject(v, r.settings);
        if (!loaded.isProject) {
            throw UserError("\"" + v + "\" is not a Zemtra project: " + loaded.whyNotAProject);
        }
        for (const std::string& problem : loaded.glyphProblems) {
            r.warnings.push_back(v + ": " + problem);
        }
        r.settingsFromProject = true;
        // The project's stored font size stands unless an option after it changes the matrix.
        deriveFontSize = false;
        fontSize.reset();
    };
    withValue["--source"] = [this](const std::string& v) {
        std::vector<FontSource>& sources = r.settings.FONT.Sources;
        if (sources.size() >= kMaxFontSources) {
            throw UsageError("--source: a font holds at most " + std::to_string(kMaxFontSources) +
                             " sources");
        }
        try {
            sources.push_back(ParseFontSource(v));
        } catch (const UserError& e) {
            throw UsageError(std::string("--source: ") + e.what());
        }
    };
    withValue["--preset"] = [this](const std::string& v) {
        const ControllerPreset* p = FindPreset(v);
        if (p == nullptr) {
            std::string names;
            for (const auto& q : ControllerPresets()) {
                names += (names.empty() ? "" : "|") + std::string(q.name);
            }
            throw UsageError("--preset: \"" + v + "\" is not one of " + names);
        }
        ApplyPreset(r.settings, *p);
    };
    withValue["--text"] = [this](const std::string& v) { r.text = v; };
    withValue["--picture"] = [this](const std::string& v) { r.pictures.push_back(v); };
    withValue["--char"] = [this](const std::string& v) { r.character = v; };
    withValue["-o"] = [this](const std::string& v) { r.output = v; };
    withValue["--output"] = withValue["-o"];
    withValue["--encoding"] = [this](const std::string& v) {
        if (v != "utf-8" && v != "utf-16le") {
            throw UsageError("--encoding: \"" + v + "\" is not one of utf-8|utf-16le");
        }
        r.encoding = v;
    };
    withValue["--c-source"] = [this](const std::string& v) { r.cSource = v; };
    withValue["--dzk"] = [this](const std::string& v) { r.dzk = v; };
    withValue["--index"] = [this](const std::string& v) {
        r.index = ParseInteger("--index", v, 0, INT32_MAX);
    };
    withValue["--code"] = [this](const std::string& v) { r.code = v; };
    withValue["--png"] = [this](const std::string& v) { r.png = v; };
    withValue["--rows"] = [this](const std::string& v) { r.rows = v; };
    withValue["--codepage"] = [this](const std::string& v) { r.codepage = v; };
    withValue["--from"] = [this](const std::string& v) { r.from = v; };
    withValue["--to"] = [this](const std::string& v) { r.to = v; };
    withValue["--format"] = [this](const std::string& v) { r.format = v; };
    withValue["--bpp"] = [this](const std::string& v) {
        r.bpp = ParseInteger("--bpp", v, INT32_MIN, INT32_MAX);
    };
    withValue["--name"] = [this](const std::string& v) { r.name = v; };
    withValue["--range"] = [this](const std::string& v) { r.range = v; };
    withValue["--chars-from"] = [this](const std::string& v) { r.charsFrom.push_back(v); };
    withValue["--header"] = [this](const std::string& v) { r.header = v; };
    flags["--monospace"] = [this] { r.monospace = true; };
    flags["--compress"] = [this] { r.compress = true; };
    flags["--no-kerning"] = [this] { r.noKerning = true; };
    flags["--unicode-map"] = [this] { r.unicodeMap = true; };
    flags["--c-array"] = [this] { r.cArray = true; };
    flags["--italic"] = [this] { r.settings.FONT.Italic = 1; };
    flags["--underline"] = [this] { r.settings.FONT.Underline = 1; };
    flags["--strikeout"] = [this] { r.settings.FONT.StrikeOut = 1; };
    flags["--revert"] = [this] { r.revert = true; };
    flags["--list"] = [this] { r.list = true; };
}

void Parser::Run(const std::vector<std::string>& args) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            r.command = "help";
            return;
        }
        if (a == "--version") {
            r.command = "version";
            return;
        }
        if (auto f = flags.find(a); f != flags.end()) {
            f->second();
        } else if (auto h = withValue.find(a); h != withValue.end()) {
            if (i + 1 >= args.size()) throw UsageError(a + " needs a value");
            h->second(args[++i]);
        } else if (!a.empty() && a[0] == '-' && a != "-") {
            throw UsageError("unknown option " + a + " (see --help)");
        } else if (r.command.empty()) {
            r.command = a;
        } else {
            r.positional.push_back(a);
        }
    }
    if (r.fontFile) {
        // PATH[:INDEX]: a trailing ":digits" is the face index of a collection.
        std::string path = *r.fontFile;
        int32_t index = 0;
        const size_t colon = path.rfind(':');
        if (colon != std::string::npos && colon + 1 < path.size() &&
            path.find_first_not_of("0123456789", colon + 1) == std::string::npos &&
            !std::filesystem::exists(path)) {
            index =
                static_cast<int32_t>(ParseInteger("--font-file", path.substr(colon + 1), 0, 65535));
            path.resize(colon);
        }
        FontEngine fonts;
        ChooseFontFile(r.settings, Utf8ToUtf16(path), index, fonts);
        if (deriveFontSize) DeriveFontSizeFor(r.settings, fonts);
    } else if (deriveFontSize) {
        DeriveFontSize(r.settings);
    }
    // A missing face would otherwise draw from whatever fontconfig offers in its place.
    for (const FontSource& source : r.settings.FONT.Sources) {
        if (auto problem = FontSourceProblem(source)) throw UsageError(*problem);
    }
    if (fontSize) {
        r.settings.WIDTH = DecimalText(fontSize->first);
        r.settings.HEIGHT = DecimalText(fontSize->second);
        r.settings.FONT.Width = static_cast<int32_t>(fontSize->first);
        r.settings.FONT.Height = static_cast<int32_t>(fontSize->second);
    }
}

}  // namespace

Request ParseCommandLine(const std::vector<std::string>& args) {
    Parser p;
    p.Run(args);
    if (p.r.command.empty()) throw UsageError("no command given (see --help)");
    if (p.r.command == "project" && !p.r.positional.empty()) {
        p.r.subcommand = p.r.positional.front();
        p.r.positional.erase(p.r.positional.begin());
    }
    return p.r;
}

namespace {

// The export command's help, its formats read from the format table.
std::string ExportHelp() {
    std::string text = "  export --format " + ExportFormatNames() +
                       " [--bpp 1|2|4|8] [--monospace]\n"
                       "         [--compress] [--no-kerning] [--c-array] [--name IDENT]\n"
                       "         [--text TEXT | --range "
                       "U+XXXX-U+YYYY,...\n"
                       "         | --codepage CP [--from HEX] [--to HEX]] -o FILE\n"
                       "        A font for a display library:\n";
    for (const ExportFormatRow& row : ExportFormats()) {
        text += "          " + std::string(row.name) + ": " + ExportFormatSummary(row) + "\n";
    }
    text +=
        "        Glyphs are cropped to their ink and keep the font's advance;\n"
        "        --monospace keeps the whole matrix and advances its width. The\n"
        "        characters are TEXT, the Unicode ranges, the code range, or else the\n"
        "        character list; those no face has are left out and counted. Formats\n"
        "        with kerning get the pairs of characters one face draws, unless\n"
        "        --no-kerning. --c-array writes a binary format's bytes as a C array\n"
        "        (const uint8_t IDENT[] and IDENT_size). --name is\n"
        "        the C identifier (default: from FILE). Progress bar and Ctrl+C as for\n"
        "        library; the file is written whole or not at all.\n";
    return text;
}

}  // namespace

std::string HelpText() {
    return R"(Usage: zemtra-cli COMMAND [options]

Commands:
  c-source --text TEXT [-o FILE] [--encoding utf-8|utf-16le]
        C source (fontlib_WxH and fonttab_WxH) for the characters of TEXT, one
        item per UTF-16 unit. Without -o it goes to standard output.
  c-source ... --picture FILE
        Appends a picture item after the other items (repeatable).
  show --char C | --picture FILE
        The dot matrix of the character C or of a picture: H lines of W
        characters, '#' lit, '.' unlit (polarity not applied).
  library --codepage unicode|mbcs|gb2312|gbk|big5 [--from HEX] [--to HEX]
          -o FILE.dzk [--header FILE.h [--name IDENT] [--unicode-map]]
        The font library of the code range (default: the code page's whole
        range). On a terminal it shows a progress bar; Ctrl+C stops it, keeps
        the records written so far and exits with 130. --header writes what the
        firmware's runtime/zemtra_font.h needs to read it: zf_library_info IDENT_info
        (IDENT from FILE.dzk's name unless --name); --unicode-map adds
        IDENT_unicode_map, the library's characters and their codes (not for
        unicode, whose codes are the characters).
)" + ExportHelp() +
           R"(  decode --c-source FILE [--index N | --char C] [--png OUT.png]
        Reads a generated C source back under the scan mode given by the
        settings options (or --project) and prints each glyph's matrix, or
        writes one as a PNG. The word width comes from the file.
  decode --dzk FILE --codepage CP [--from HEX] [--to HEX] --code HEX
        [--png OUT.png]
        Reads one record of a font library built with those settings.
  specimen -o SHEET.png [--text TEXT | --codepage CP [--from HEX] [--to HEX]]
        Every glyph of the list, or of a code range, as the display shows it,
        with its code under it; 256 glyphs a page (SHEET-001.png, ...).
  scan-order --png OUT.png [settings]
        A picture of the scan order: dots shaded from dark (first) to light
        (last), alternate words in two colours.
  project new FILE.fprj
        Writes a new project.
  project save FILE.fprj [--project IN] [settings] [--text TEXT]
        Writes a project from the settings, so scripts can make projects.
  edit FILE.fprj --char C [--matrix WxH] --rows HEXROWS
        Sets the hand-edited glyph of C at the matrix size (default: the
        project's), which every output then takes instead of the font's: H rows
        of ceil(W/4) hex digits separated by commas, the first dot of a row in
        the top bit of its first digit (8x8 "A": 18,24,42,81,FF,81,81,00).
        C is one character or U+XXXX. Only the project's [Glyphs] section
        changes; the file is written whole or not at all.
  edit FILE.fprj --char C [--matrix WxH] --revert
        Removes that edit: the font's glyph again.
  edit FILE.fprj --list
        Prints the project's edits, one "U+XXXX WxH=ROWS" line each.

export, c-source, specimen and project save take --chars-from FILE (repeatable):
the distinct characters the firmware's files use, added to the other characters
(export) or to the list (the others). C and C++ sources give their string and
character literals (\uXXXX decoded, comments and code skipped), .po/.pot their
msgstr (or msgid), .json its string values, Qt .ts its translations, XLIFF its
targets, Android strings.xml its strings and items, any other file its whole
text. Control characters are left out; a file that is not UTF-8 is an error.

Every command takes --project FILE.fprj first: settings, character list,
pictures and edited glyphs come from the project; options after it override
single settings. A [Glyphs] entry that cannot be read is skipped with one line
on standard error, and the command goes on.

Settings (defaults: a new project's):
  --matrix WxH            matrix size in dots (1..2048 a side)
  --face NAME             font face name (fontconfig resolves aliases)
  --font-file PATH[:N]    draw with a font file instead: TrueType/OpenType
                          (N: face of a collection) or BDF/PCF bitmap fonts,
                          which keep their own size
  --weight N              font weight, 0..1000 (400 normal, 700 bold)
  --italic, --underline, --strikeout
  --charset N             character set byte, 0..255
  --font-size WxH         font cell width and height (default: derived from
                          the matrix: width W/2, height H)
  --source "FACE_OR_FILE[@RANGES][@size=H|WxH][@offset=DX,DY]"
                          another face or font file (FILE#N: face of a
                          collection) that draws the characters of RANGES
                          (default: all) it has, before the face above, at
                          its own size, on the same baseline moved DX dots
                          right and DY down; repeatable, first given first
                          asked. A source that cannot be found is an error.
  --offset X,Y            glyph offset inside the matrix, in dots
  --threshold N           brightness threshold for pictures
  --orientation row|column|row-column|column-row
  --direction forward|backward
  --polarity cathode|anode
  --bits 8|16|24|32|4     output word width
  --preset NAME           orientation, direction, polarity and width of a
                          controller: ssd1306, sh1106, st7920, ks0108,
                          pcd8544, max7219, hub75, row-msb

  --help, --version

Exit codes: 0 success, 1 a file could not be read or written, 2 bad usage or a
bad value, 130 stopped by Ctrl+C (library, export).
)";
}

}  // namespace zemtra::cli
