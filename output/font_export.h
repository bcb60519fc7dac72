// Writers of exported fonts: BDF 2.1, an Adafruit GFX font header and an LVGL 9 font source.
// A writer takes the glyphs in ascending character order and sends its bytes to a sink as it
// goes, holding per glyph only the little its format's tables need afterwards.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/export_font.h"
#include "base/messages.h"

namespace zemtra {

// Where a writer's bytes go, in order.
class ByteSink {
  public:
    virtual ~ByteSink() = default;
    virtual void Write(std::string_view bytes) = 0;
};

// The bytes kept in a string: a font written into memory.
class StringSink : public ByteSink {
  public:
    void Write(std::string_view bytes) override { text.append(bytes); }
    std::string text;
};

class FontExportWriter {
  public:
    virtual ~FontExportWriter() = default;
    // The next glyph; characters ascend from call to call. Throws UserError when the glyph
    // does not fit the format (the message names the character and the limit).
    virtual void Add(const ExportGlyph& glyph) = 0;
    // The font's kerning (pairs of added characters, ascending), before Finish; a format
    // without a place for it ignores it.
    virtual void Kern(std::span<const KerningPair> pairs) { (void)pairs; }
    // Writes the rest of the file after the last glyph.
    virtual void Finish() = 0;
};

// A writer of the format for glyphs that share info. The sink must outlive it.
std::unique_ptr<FontExportWriter> MakeFontExportWriter(ExportFormat format,
                                                       const ExportFontInfo& info, ByteSink& out);

// Writes the whole font in the format. Throws UserError when a glyph does not fit the format.
void WriteBitmapFont(ExportFormat format, const BitmapFont& font, ByteSink& out);

// One export format: all that the command line, the Export dialog, the file dialog and the
// checks know of it. Adding a format is a writer and a row.
struct ExportFormatRow {
    ExportFormat format;
    std::string_view name;    // on the command line, e.g. "lvgl"
    std::string_view title;   // in the Export dialog, e.g. "LVGL"
    std::string_view suffix;  // of its files, without the dot
    Msg filter;               // the file dialog's filter
    unsigned bppMask;         // the bits per dot it takes: bit b set for b bits
    unsigned compressMask;    // the bits per dot at which it compresses; 0 for none
    bool kerning;             // whether it can hold kerning pairs
    bool cName;               // whether the font has a C identifier (--name)
    char32_t lastCharacter;   // the highest character it holds
    std::unique_ptr<FontExportWriter> (*make)(const ExportFontInfo& info, ByteSink& out);
    // Limits of the format's own beyond the above (field sizes); nothing when the font fits.
    std::optional<std::string> (*limits)(const ExportFontInfo& info);
    // The translated words for a character beyond lastCharacter (%1: its code), where the
    // language files have them; otherwise the check words it in English.
    std::optional<Msg> beyondLast;
    // Whether its files are bytes that --c-array can put into a C array instead.
    bool binary = false;
};

// The fewest bits per dot the format takes: what an export gets when none are asked for.
int LowestBpp(const ExportFormatRow& row);

// The bytes of a binary font as a C array: `const uint8_t NAME[] PROGMEM = {...};` and
// `const uint32_t NAME_size`, for fonts kept in a program's flash. Finish after the last byte.
class CArraySink : public ByteSink {
  public:
    CArraySink(ByteSink& out, std::string name, std::string_view title);
    void Write(std::string_view bytes) override;
    void Finish();

  private:
    ByteSink& out_;
    std::string name_;
    std::string line_;  // bytes of the line not yet written
    uint64_t size_ = 0;
};

// Every format, in the order the Export dialog offers them.
std::span<const ExportFormatRow> ExportFormats();
// The row of a format; throws std::out_of_range for a format no row has.
const ExportFormatRow& ExportFormatRowOf(ExportFormat format);
// A further row, for the tests that check every front end takes its formats from the table.
void AddExportFormatForTesting(const ExportFormatRow& row);

// The formats' names on the command line, from the table.
std::string_view ExportFormatName(ExportFormat format);
std::optional<ExportFormat> ExportFormatNamed(std::string_view name);
// "lvgl|adafruit-gfx|bdf": the names, for help and messages.
std::string ExportFormatNames();
// A row's facts in one line, for help: "LVGL (.c), bits per dot 1,2,4,8, --compress, up to
// U+10FFFF".
std::string ExportFormatSummary(const ExportFormatRow& row);
// "U+0041", "U+1F600".
std::string CharacterCode(char32_t character);
// The file name extension a format's files usually have, without the dot.
std::string_view ExportFormatExtension(ExportFormat format);

// Why a font of this format cannot have these bits per dot, compression or name, or this
// window and placement (GFX's byte-sized fields); nothing when it can. Messages are sentences
// of their own.
std::optional<std::string> ExportFormatProblem(ExportFormat format, const ExportFontInfo& info);

// A C identifier: a letter or '_', then letters, digits and '_', and no keyword of C or C++.
bool IsCIdentifier(std::string_view name);
// A C identifier made from a text (a file name): other characters become '_', a leading digit
// gets a '_' in front; "font" for an empty text.
std::string CIdentifierFrom(std::string_view text);

// LVGL's compressed glyph bitmap of w x h levels at bpp (2 or 4) bits: the rows XORed with the
// row above, then the run-length code LVGL's decompressor reads, most significant bit first,
// padded to whole bytes.
std::string LvglCompressedBitmap(const uint8_t* levels, int32_t w, int32_t h, int bpp);

}  // namespace zemtra
