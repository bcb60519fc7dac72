// The font formats' names and limits, C identifiers, and the helpers the writers share.
#include "output/font_export.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "base/unicode.h"
#include "output/font_export_detail.h"

namespace zemtra {
namespace {

// The keywords of C and of C++ (Arduino compiles the GFX header as C++), which no name may be.
constexpr std::string_view kKeywords[] = {"_Alignas",
                                          "_Alignof",
                                          "_Atomic",
                                          "_BitInt",
                                          "_Bool",
                                          "_Complex",
                                          "_Generic",
                                          "_Imaginary",
                                          "_Noreturn",
                                          "_Static_assert",
                                          "_Thread_local",
                                          "alignas",
                                          "alignof",
                                          "and",
                                          "and_eq",
                                          "asm",
                                          "auto",
                                          "bitand",
                                          "bitor",
                                          "bool",
                                          "break",
                                          "case",
                                          "catch",
                                          "char",
                                          "char16_t",
                                          "char32_t",
                                          "char8_t",
                                          "class",
                                          "compl",
                                          "concept",
                                          "const",
                                          "const_cast",
                                          "consteval",
                                          "constexpr",
                                          "constinit",
                                          "continue",
                                          "co_await",
                                          "co_return",
                                          "co_yield",
                                          "decltype",
                                          "default",
                                          "delete",
                                          "do",
                                          "double",
                                          "dynamic_cast",
                                          "else",
                                          "enum",
                                          "explicit",
                                          "export",
                                          "extern",
                                          "false",
                                          "float",
                                          "for",
                                          "friend",
                                          "goto",
                                          "if",
                                          "inline",
                                          "int",
                                          "long",
                                          "mutable",
                                          "namespace",
                                          "new",
                                          "noexcept",
                                          "not",
                                          "not_eq",
                                          "nullptr",
                                          "operator",
                                          "or",
                                          "or_eq",
                                          "private",
                                          "protected",
                                          "public",
                                          "register",
                                          "reinterpret_cast",
                                          "requires",
                                          "restrict",
                                          "return",
                                          "short",
                                          "signed",
                                          "sizeof",
                                          "static",
                                          "static_assert",
                                          "static_cast",
                                          "struct",
                                          "switch",
                                          "template",
                                          "this",
                                          "thread_local",
                                          "throw",
                                          "true",
                                          "try",
                                          "typedef",
                                          "typeid",
                                          "typename",
                                          "typeof",
                                          "typeof_unqual",
                                          "union",
                                          "unsigned",
                                          "using",
                                          "virtual",
                                          "void",
                                          "volatile",
                                          "wchar_t",
                                          "while",
                                          "xor",
                                          "xor_eq"};

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

// GFX keeps sizes in bytes: a window side, an offset from the pen, the line height.
// A format whose glyphs hold at most 255 x 255 dots, at most 128 dots from the pen.
std::optional<std::string> ByteBoxProblem(const ExportFontInfo& info, const std::string& title) {
    if (info.cellWidth > 255 || info.cellHeight > 255) {
        return "A" + std::string(title.front() == 'A' ? "n " : " ") + title +
               " font holds glyphs of at most 255 x 255 dots; the matrix is " +
               std::to_string(info.cellWidth) + " x " + std::to_string(info.cellHeight) + ".";
    }
    // Every box lies in the window, so its offsets from the pen lie in these spans.
    const int64_t leftMost = -int64_t{info.originColumn};
    const int64_t rightMost = leftMost + info.cellWidth - 1;
    const int64_t topMost = -int64_t{info.baseline};
    const int64_t bottomMost = topMost + info.cellHeight - 1;
    if (leftMost < -128 || rightMost > 127 || topMost < -128 || bottomMost > 127) {
        return "In a" + std::string(title.front() == 'A' ? "n " : " ") + title +
               " font a glyph lies at most 128 dots from the pen; the offsets put the matrix too "
               "far from the character cell.";
    }
    return std::nullopt;
}

std::optional<std::string> GfxProblem(const ExportFontInfo& info) {
    return ByteBoxProblem(info, "Adafruit GFX");
}

std::optional<std::string> U8g2Problem(const ExportFontInfo& info) {
    return ByteBoxProblem(info, "u8g2");
}

}  // namespace

CArraySink::CArraySink(ByteSink& out, std::string name, std::string_view title)
    : out_(out), name_(std::move(name)) {
    out_.Write("/* " + name_ + ": a" + (title.front() == 'L' ? "n " : " ") + std::string(title) +
               " font made by Zemtra, its file's bytes as a C array; " + name_ +
               "_size counts them. */\n\n#include <stdint.h>\n\n#ifndef PROGMEM\n"
               "#define PROGMEM\n#endif\n\nconst uint8_t " +
               name_ + "[] PROGMEM = {\n");
}

void CArraySink::Write(std::string_view bytes) {
    size_ += bytes.size();
    std::string text;
    for (char c : bytes) {
        line_ += c;
        if (line_.size() == 16) {
            text += font_export::CByteLines(line_);
            line_.clear();
        }
    }
    if (!text.empty()) out_.Write(text);
}

void CArraySink::Finish() {
    std::string text = font_export::CByteLines(line_);
    line_.clear();
    // C wants one element; an empty font still has its tables.
    if (size_ == 0) text += "    0x00\n";
    text += "};\nconst uint32_t " + name_ + "_size = " + std::to_string(size_) + ";\n";
    out_.Write(text);
}

void WriteBitmapFont(ExportFormat format, const BitmapFont& font, ByteSink& out) {
    const std::unique_ptr<FontExportWriter> writer = MakeFontExportWriter(format, font.info, out);
    for (const ExportGlyph& glyph : font.glyphs) writer->Add(glyph);
    if (!font.kerning.empty()) writer->Kern(font.kerning);
    writer->Finish();
}

namespace {

std::vector<ExportFormatRow>& Table() {
    static std::vector<ExportFormatRow> rows = {
        {ExportFormat::Lvgl, "lvgl", "LVGL", "c", Msg::FilterCSource, 0b1'0001'0110, 0b1'0100, true,
         true, 0x10FFFF, font_export::MakeLvglWriter, nullptr, std::nullopt},
        {ExportFormat::AdafruitGfx, "adafruit-gfx", "Adafruit GFX", "h", Msg::FilterCHeader, 0b10,
         0, false, true, 0xFF, font_export::MakeGfxWriter, GfxProblem, Msg::ExportGfxBeyondByte},
        {ExportFormat::Bdf, "bdf", "BDF", "bdf", Msg::FilterBdf, 0b10, 0, false, false, 0x10FFFF,
         font_export::MakeBdfWriter, nullptr, std::nullopt},
        {ExportFormat::LvglBin, "lvgl-bin", "LVGL binary", "bin", Msg::FilterLvglBin, 0b1'0001'0110,
         0b1'0100, true, false, 0x10FFFF, font_export::MakeLvglBinWriter, nullptr, std::nullopt,
         true},
        {ExportFormat::U8g2, "u8g2", "u8g2", "c", Msg::FilterCSource, 0b10, 0, false, true, 0xFFFF,
         font_export::MakeU8g2Writer, U8g2Problem, std::nullopt},
        {ExportFormat::Vlw, "vlw", "TFT_eSPI smooth", "vlw", Msg::FilterVlw, 0b1'0000'0000, 0,
         false, false, 0xFFFF, font_export::MakeVlwWriter, font_export::VlwProblem, std::nullopt,
         true},
    };
    return rows;
}

bool Takes(unsigned mask, int bpp) {
    return bpp >= 0 && bpp < 32 && ((mask >> bpp) & 1) != 0;
}

// "1, 2, 4 or 8" (or with another last word)
std::string BppList(unsigned mask, const char* last = " or ") {
    std::vector<std::string> bpps;
    for (int b = 1; b < 32; ++b) {
        if (Takes(mask, b)) bpps.push_back(std::to_string(b));
    }
    std::string text;
    for (size_t i = 0; i < bpps.size(); ++i) {
        text += i == 0 ? "" : i + 1 == bpps.size() ? last : ", ";
        text += bpps[i];
    }
    return text;
}

}  // namespace

std::span<const ExportFormatRow> ExportFormats() {
    return Table();
}

const ExportFormatRow& ExportFormatRowOf(ExportFormat format) {
    for (const ExportFormatRow& row : Table()) {
        if (row.format == format) return row;
    }
    throw std::out_of_range("no row for the export format");
}

void AddExportFormatForTesting(const ExportFormatRow& row) {
    Table().push_back(row);
}

std::unique_ptr<FontExportWriter> MakeFontExportWriter(ExportFormat format,
                                                       const ExportFontInfo& info, ByteSink& out) {
    return ExportFormatRowOf(format).make(info, out);
}

std::string_view ExportFormatName(ExportFormat format) {
    return ExportFormatRowOf(format).name;
}

std::optional<ExportFormat> ExportFormatNamed(std::string_view name) {
    for (const ExportFormatRow& row : Table()) {
        if (row.name == name) return row.format;
    }
    return std::nullopt;
}

std::string ExportFormatNames() {
    std::string names;
    for (const ExportFormatRow& row : Table()) {
        names += (names.empty() ? "" : "|") + std::string(row.name);
    }
    return names;
}

int LowestBpp(const ExportFormatRow& row) {
    for (int bpp : {1, 2, 4, 8}) {
        if (Takes(row.bppMask, bpp)) return bpp;
    }
    return 1;
}

std::string ExportFormatSummary(const ExportFormatRow& row) {
    std::string bpps;
    for (int b = 1; b < 32; ++b) {
        if (Takes(row.bppMask, b)) bpps += (bpps.empty() ? "" : ",") + std::to_string(b);
    }
    return std::string(row.title) + " (." + std::string(row.suffix) + "), bits per dot " + bpps +
           (row.compressMask != 0 ? ", --compress" : "") + ", up to " +
           font_export::CodeText(row.lastCharacter);
}

std::string CharacterCode(char32_t character) {
    return font_export::CodeText(character);
}

std::string_view ExportFormatExtension(ExportFormat format) {
    return ExportFormatRowOf(format).suffix;
}

std::optional<std::string> ExportFormatProblem(ExportFormat format, const ExportFontInfo& info) {
    if (!IsExportBpp(info.bpp)) {
        return "Bits per dot must be 1, 2, 4 or 8, not " + std::to_string(info.bpp) + ".";
    }
    const ExportFormatRow& row = ExportFormatRowOf(format);
    const std::string title(row.title);
    if (!Takes(row.bppMask, info.bpp)) {
        const std::string bpps = BppList(row.bppMask);
        return title + " fonts have " + (bpps == "1" ? "one bit" : bpps + " bits") +
               " per dot, not " + std::to_string(info.bpp) + ".";
    }
    if (info.compress && row.compressMask == 0) {
        return title + " fonts are not compressed.";
    }
    if (info.compress && !Takes(row.compressMask, info.bpp)) {
        return title + " decompresses fonts of " + BppList(row.compressMask, " and ") +
               " bits per dot only, not " + std::to_string(info.bpp) + ".";
    }
    if (row.cName && !IsCIdentifier(info.name)) {
        return "The font's name \"" + info.name + "\" is not a C identifier.";
    }
    if (row.limits != nullptr) return row.limits(info);
    return std::nullopt;
}

bool IsCIdentifier(std::string_view name) {
    if (name.empty() || IsAsciiDigit(name.front())) return false;
    for (char c : name) {
        if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != '_') return false;
    }
    for (std::string_view keyword : kKeywords) {
        if (name == keyword) return false;
    }
    return true;
}

std::string CIdentifierFrom(std::string_view text) {
    std::string name;
    for (char c : text) name += IsAsciiLetter(c) || IsAsciiDigit(c) ? c : '_';
    if (name.empty()) return "font";
    if (IsAsciiDigit(name.front()) || !IsCIdentifier(name)) name.insert(name.begin(), '_');
    return name;
}

namespace font_export {

std::string CodeText(char32_t character) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(character));
    return text;
}

std::string CommentCharacter(char32_t character) {
    // Controls, the comment's own delimiters and lone surrogates stay out of comments.
    if (character < 0x20 || character == 0x7F || (character >= 0x80 && character < 0xA0) ||
        character == '*' || character == '/' || character == '\\' ||
        (character >= 0xD800 && character <= 0xDFFF) || character > 0x10FFFF) {
        return {};
    }
    return Utf16ToUtf8(CharacterUtf16(character));
}

std::string CommentText(std::string_view text) {
    // A face names itself: its bytes may hold anything a comment must not (a line end, the
    // comment's own delimiters, which would end it and let the rest of the name be code).
    std::string out;
    for (const char c : text) {
        const bool control = static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
        const char before = out.empty() ? ' ' : out.back();
        if (control || (c == '/' && before == '*') || (c == '*' && before == '/')) {
            out += '_';
        } else {
            out += c;
        }
    }
    return out;
}

std::string SourcesText(const ExportFontInfo& info) {
    std::string text;
    for (const ExportSource& source : info.sources) {
        if (!text.empty()) text += ", ";
        text += std::to_string(source.glyphs);
        if (source.name == kHandEditedSource) {
            text += " edited by hand";
            continue;
        }
        text += " from " + CommentText(source.name);
    }
    return text;
}

std::string HexByte(uint8_t byte) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(byte));
    return text;
}

std::string PackedLevels(const ExportGlyph& glyph, int bpp) {
    std::string bytes;
    bytes.reserve((static_cast<size_t>(glyph.width) * glyph.height * bpp + 7) / 8);
    unsigned current = 0;
    int used = 0;
    for (uint8_t level : glyph.levels) {
        current = (current << bpp) | level;
        used += bpp;
        if (used == 8) {
            bytes += static_cast<char>(current);
            current = 0;
            used = 0;
        }
    }
    if (used > 0) bytes += static_cast<char>(current << (8 - used));
    return bytes;
}

std::string CByteLines(std::string_view bytes, int perLine) {
    // The CJK block at 4 bits is megabytes of these: digits by table, not by snprintf.
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const auto line = static_cast<size_t>(perLine);
    std::string text;
    text.reserve(bytes.size() * 6 + (bytes.size() / line + 1) * 5);
    for (size_t i = 0; i < bytes.size(); i += line) {
        text += "    ";
        const size_t end = std::min(bytes.size(), i + line);
        for (size_t k = i; k < end; ++k) {
            const auto b = static_cast<uint8_t>(bytes[k]);
            const char hex[4] = {'0', 'x', kDigits[b >> 4], kDigits[b & 15]};
            text.append(hex, 4);
            text += k + 1 < end ? ", " : ",\n";
        }
    }
    return text;
}

}  // namespace font_export
}  // namespace zemtra
