// What the three font writers share: their factories and small text helpers.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "output/font_export.h"

namespace zemtra::font_export {

std::unique_ptr<FontExportWriter> MakeBdfWriter(const ExportFontInfo& info, ByteSink& out);
std::unique_ptr<FontExportWriter> MakeGfxWriter(const ExportFontInfo& info, ByteSink& out);
std::unique_ptr<FontExportWriter> MakeLvglWriter(const ExportFontInfo& info, ByteSink& out);
std::unique_ptr<FontExportWriter> MakeLvglBinWriter(const ExportFontInfo& info, ByteSink& out);
std::unique_ptr<FontExportWriter> MakeVlwWriter(const ExportFontInfo& info, ByteSink& out);
std::unique_ptr<FontExportWriter> MakeU8g2Writer(const ExportFontInfo& info, ByteSink& out);
// Where a smooth font's 16-bit ascent and descent cannot hold the line.
std::optional<std::string> VlwProblem(const ExportFontInfo& info);

// "U+4E00".
std::string CodeText(char32_t character);
// The character in UTF-8 for a comment, when it is printable and cannot end or upset one; else
// empty.
std::string CommentCharacter(char32_t character);
// A name (a face's, which its file chose) for a comment: controls, "*/" and "/*" become '_'.
std::string CommentText(std::string_view text);
// The export's sources for a comment, e.g. "95 from Liberation Sans (LiberationSans-Regular.ttf),
// 7 from AR PL UMing CN (uming.ttc)"; controls and "*/" never reach the text. Empty when the
// font names none.
std::string SourcesText(const ExportFontInfo& info);
// "0x3F"
std::string HexByte(uint8_t byte);

// The levels of a glyph as one bit stream, bpp bits a dot, rows one after the other without
// padding, most significant bit first, the last byte padded with 0 bits.
std::string PackedLevels(const ExportGlyph& glyph, int bpp);

// A C array body: bytes as 0x.. separated by ", ", lines of at most perLine bytes, each line
// indented by four spaces and ended by ",\n".
std::string CByteLines(std::string_view bytes, int perLine = 16);

}  // namespace zemtra::font_export
