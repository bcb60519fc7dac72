// Writers of exported fonts: BDF 2.1, an Adafruit GFX font header and an LVGL 9 font source.
// A writer takes the glyphs in ascending character order and sends its bytes to a sink as it
// goes, holding per glyph only the little its format's tables need afterwards.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/export_font.h"

namespace zemtra {

// Where a writer's bytes go, in order.
class ByteSink {
  public:
    virtual ~ByteSink() = default;
    virtual void Write(std::string_view bytes) = 0;
};

class FontExportWriter {
  public:
    virtual ~FontExportWriter() = default;
    // The next glyph; characters ascend from call to call. Throws UserError when the glyph
    // does not fit the format (the message names the character and the limit).
    virtual void Add(const ExportGlyph& glyph) = 0;
    // Writes the rest of the file after the last glyph.
    virtual void Finish() = 0;
};

// A writer of the format for glyphs that share info. The sink must outlive it.
std::unique_ptr<FontExportWriter> MakeFontExportWriter(ExportFormat format,
                                                       const ExportFontInfo& info, ByteSink& out);

// Writes the whole font in the format. Throws UserError when a glyph does not fit the format.
void WriteBitmapFont(ExportFormat format, const BitmapFont& font, ByteSink& out);

// The formats' names on the command line: "bdf", "adafruit-gfx", "lvgl".
std::string_view ExportFormatName(ExportFormat format);
std::optional<ExportFormat> ExportFormatNamed(std::string_view name);
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
