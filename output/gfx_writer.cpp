// The Adafruit GFX font header: the bitmaps as the glyphs come, then the glyph table from first
// to last character (codes without a glyph get empty entries) and the GFXfont itself.
#include <vector>

#include "base/error.h"
#include "output/font_export_detail.h"

namespace zemtra::font_export {
namespace {

struct GfxEntry {
    uint32_t offset = 0;
    int32_t width = 0, height = 0, advance = 0, xOffset = 0, yOffset = 0;
    char32_t character = 0;
    bool present = false;
};

std::string Padded(int64_t value, size_t width) {
    std::string text = std::to_string(value);
    return std::string(text.size() < width ? width - text.size() : 0, ' ') + text;
}

class GfxWriter : public FontExportWriter {
  public:
    GfxWriter(const ExportFontInfo& info, ByteSink& out) : info_(info), out_(out) {
        const std::string& n = info_.name;
        std::string text = "/* " + n + ": an Adafruit GFX font made by Zemtra, " +
                           std::to_string(info_.cellWidth) + " x " +
                           std::to_string(info_.cellHeight) + " dots, one bit per dot; lines " +
                           std::to_string(info_.cellHeight) +
                           " dots apart, the baseline (the cursor's y) " +
                           std::to_string(info_.baseline) + " rows below a line's top.\n";
        if (const std::string sources = SourcesText(info_); !sources.empty()) {
            text += " * Glyphs: " + sources + ".\n";
        }
        text += " * #include it after Adafruit_GFX.h, then display.setFont(&" + n +
                "). */\n\n#ifndef PROGMEM\n#define PROGMEM\n#endif\n\nconst uint8_t " + n +
                "Bitmaps[] PROGMEM = {\n";
        out_.Write(text);
    }

    void Add(const ExportGlyph& g) override {
        if (g.character > 0xFF) {
            throw UserError("An Adafruit GFX font holds the codes 0x00..0xFF only; " +
                            CodeText(g.character) + " is beyond them.");
        }
        if (g.advance < 0 || g.advance > 255) {
            throw UserError("The advance of " + CodeText(g.character) + " is " +
                            std::to_string(g.advance) +
                            " dots; an Adafruit GFX font takes 0 to 255.");
        }
        if (offset_ > 0xFFFF) {
            throw UserError(
                "The glyphs' bitmaps pass the 64 KB an Adafruit GFX font can address "
                "before " +
                CodeText(g.character) + ".");
        }
        // Codes between the last glyph and this one have none.
        while (!entries_.empty() && entries_.back().character + 1 < g.character) {
            GfxEntry gap;
            gap.offset = offset_;
            gap.character = entries_.back().character + 1;
            entries_.push_back(gap);
        }
        GfxEntry e;
        e.offset = offset_;
        e.width = g.width;
        e.height = g.height;
        e.advance = g.advance;
        e.xOffset = g.left;
        e.yOffset = -g.top;  // from the pen on the baseline down to the box's top
        e.character = g.character;
        e.present = true;
        entries_.push_back(e);
        const std::string bits = PackedLevels(g, 1);
        if (!bits.empty()) {
            std::string text = "    /* " + Label(g.character) + " */\n";
            text += CByteLines(bits, 12);
            out_.Write(text);
        }
        offset_ += static_cast<uint32_t>(bits.size());
    }

    void Finish() override {
        const std::string& n = info_.name;
        // No bitmap at all (only blank glyphs): C wants one element.
        std::string text = offset_ == 0 ? "    0x00,\n};\n\n" : "};\n\n";
        // No glyph at all: GFX reads the entry of first even then, so there is one, blank.
        if (entries_.empty()) entries_.push_back(GfxEntry{});
        text += "const GFXglyph " + n + "Glyphs[] PROGMEM = {\n";
        text += "    /* bitmapOffset, width, height, xAdvance, xOffset, yOffset */\n";
        for (const GfxEntry& e : entries_) {
            text += "    {" + Padded(e.offset, 5) + ", " + Padded(e.width, 3) + ", " +
                    Padded(e.height, 3) + ", " + Padded(e.advance, 3) + ", " +
                    Padded(e.xOffset, 4) + ", " + Padded(e.yOffset, 4) + "},  /* " +
                    Label(e.character) + (e.present ? "" : ", none") + " */\n";
        }
        const char32_t first = entries_.front().character;
        const char32_t last = entries_.back().character;
        text += "};\n\nconst GFXfont " + n + " PROGMEM = {(uint8_t *)" + n +
                "Bitmaps, (GFXglyph *)" + n + "Glyphs, " + HexByte(static_cast<uint8_t>(first)) +
                ", " + HexByte(static_cast<uint8_t>(last)) + ", " +
                std::to_string(info_.cellHeight) + "};\n";
        out_.Write(text);
    }

  private:
    static std::string Label(char32_t c) {
        std::string label = HexByte(static_cast<uint8_t>(c));
        const std::string shown = CommentCharacter(c);
        if (!shown.empty()) label += " '" + shown + "'";
        return label;
    }

    ExportFontInfo info_;
    ByteSink& out_;
    std::vector<GfxEntry> entries_;
    uint32_t offset_ = 0;
};

}  // namespace

std::unique_ptr<FontExportWriter> MakeGfxWriter(const ExportFontInfo& info, ByteSink& out) {
    return std::make_unique<GfxWriter>(info, out);
}

}  // namespace zemtra::font_export
