// LVGL's binary font file, as lv_binfont_create reads it: the tables "head", "cmap", "loca",
// "glyf" and, with kerning, "kern", each a 32-bit length (the table's whole size) and its
// four-letter name, little-endian throughout. A glyph's record is its advance, offsets and box in
// fixed bit widths that end on a byte, then its bitmap as the C source has it.
#include <vector>

#include "base/error.h"
#include "output/font_export_detail.h"
#include "output/lvgl_tables.h"

namespace zemtra::font_export {
namespace {

void Put16(std::string& out, int64_t v) {
    const auto u = static_cast<uint16_t>(v);
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>(u >> 8);
}
void Put32(std::string& out, int64_t v) {
    const auto u = static_cast<uint32_t>(v);
    for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((u >> shift) & 0xFF);
}

// A table: its length and name first, padded to four bytes (the loader goes by the length).
std::string Table(const char* name, const std::string& body) {
    std::string table;
    const size_t padded = (8 + body.size() + 3) / 4 * 4;
    Put32(table, static_cast<int64_t>(padded));
    table.append(name, 4);
    table += body;
    table.resize(padded, '\0');
    return table;
}

struct Record {
    char32_t character = 0;
    int32_t advance = 0, left = 0, bottom = 0, width = 0, height = 0;
    std::string bitmap;
};

class LvglBinWriter : public FontExportWriter {
  public:
    LvglBinWriter(const ExportFontInfo& info, ByteSink& out) : info_(info), out_(out) {}

    void Add(const ExportGlyph& g) override {
        Record r;
        r.character = g.character;
        r.advance = std::max(g.advance, 0);
        r.left = g.left;
        r.bottom = g.top - g.height;  // LVGL places a box by its lower edge above the baseline
        r.width = g.width;
        r.height = g.height;
        r.bitmap = info_.compress
                       ? LvglCompressedBitmap(g.levels.data(), g.width, g.height, info_.bpp)
                       : PackedLevels(g, info_.bpp);
        if (r.advance > 0xFFFF) {
            throw UserError("The advance of " + CodeText(g.character) +
                            " passes the 65535 dots of an LVGL binary font.");
        }
        glyphBytes_ += r.bitmap.size();
        if (glyphBytes_ > UINT32_MAX / 2) {
            throw UserError("The glyphs' bitmaps pass the 2 GB of an LVGL binary font before " +
                            CodeText(g.character) + ".");
        }
        characters_.push_back(r.character);
        records_.push_back(std::move(r));
    }

    void Kern(std::span<const KerningPair> pairs) override {
        kerning_ = MakeLvglKerning(pairs, characters_);
    }

    void Finish() override {
        // Offsets and boxes in one byte each where every glyph's fit, else in two.
        bool small = true;
        for (const Record& r : records_) {
            small = small && r.left >= -128 && r.left <= 127 && r.bottom >= -128 &&
                    r.bottom <= 127 && r.width <= 255 && r.height <= 255;
        }
        const int xyBits = small ? 8 : 16;

        std::string glyf;
        std::vector<uint32_t> offsets;
        const auto record = [&](const Record& r) {
            offsets.push_back(static_cast<uint32_t>(8 + glyf.size()));
            // The fields are read as one bit stream, most significant bit first: 16 bits of
            // whole dots of advance, then the offsets and the box.
            const auto field = [&](int64_t v, int bits) {
                if (bits == 16) glyf += static_cast<char>(static_cast<uint16_t>(v) >> 8);
                glyf += static_cast<char>(static_cast<uint16_t>(v) & 0xFF);
            };
            field(r.advance, 16);
            for (int64_t v :
                 {int64_t{r.left}, int64_t{r.bottom}, int64_t{r.width}, int64_t{r.height}}) {
                field(v, xyBits);
            }
            glyf += r.bitmap;
        };
        record(Record{});  // id 0: no glyph
        for (const Record& r : records_) record(r);
        // LVGL's reader of compressed bitmaps may look one byte past the last glyph's.
        if (info_.compress) glyf += '\0';

        std::string loca;
        Put32(loca, static_cast<int64_t>(offsets.size()));
        for (uint32_t o : offsets) Put32(loca, o);

        std::string cmapBody;
        const std::vector<CharacterMap> maps = CharacterMaps(characters_);
        Put32(cmapBody, static_cast<int64_t>(maps.size()));
        // Each map's list follows the records; offsets count from the table's start.
        size_t data = 8 + 4 + 16 * maps.size();
        std::string lists;
        for (const CharacterMap& m : maps) {
            Put32(cmapBody, m.sparse.empty() ? 0 : static_cast<int64_t>(data + lists.size()));
            Put32(cmapBody, m.start);
            Put16(cmapBody, m.length);
            Put16(cmapBody, m.firstGlyph);
            Put16(cmapBody, static_cast<int64_t>(m.sparse.size()));
            cmapBody += static_cast<char>(m.sparse.empty() ? 2 : 3);  // format 0 or sparse, tiny
            cmapBody += '\0';
            for (uint16_t code : m.sparse) Put16(lists, code);
        }
        cmapBody += lists;

        int32_t minY = 0, maxY = 0;
        for (const Record& r : records_) {
            if (r.width == 0) continue;
            minY = std::min(minY, r.bottom);
            maxY = std::max(maxY, r.bottom + r.height);
        }
        const bool kerned = !kerning_.pairs.empty();
        std::string head;
        Put32(head, 1);  // version
        Put16(head, kerned ? 4 : 3);
        Put16(head, info_.ppem);
        Put16(head, info_.baseline);                                 // ascent
        Put16(head, -(int64_t{info_.cellHeight} - info_.baseline));  // descent
        Put16(head, info_.baseline);
        Put16(head, -(int64_t{info_.cellHeight} - info_.baseline));
        Put16(head, 0);  // line gap
        Put16(head, minY);
        Put16(head, maxY);
        Put16(head, 0);  // default advance: each glyph has its own
        Put16(head, kerned ? kerning_.scale : 0);
        head += '\x01';                                       // 32-bit glyph locations
        head += static_cast<char>(kerning_.wideIds ? 1 : 0);  // kerning's glyph ids
        head += '\0';                                         // advances in whole dots
        head += static_cast<char>(info_.bpp);
        head += static_cast<char>(xyBits);  // offsets
        head += static_cast<char>(xyBits);  // box sizes
        head += '\x10';                     // 16-bit advances
        head += static_cast<char>(info_.compress ? 1 : 0);
        head += '\0';  // no subpixels
        head += '\0';
        Put16(head, -1);  // underline position and thickness, as the C source has them
        Put16(head, 1);

        out_.Write(Table("head", head));
        out_.Write(Table("cmap", cmapBody));
        out_.Write(Table("loca", loca));
        out_.Write(Table("glyf", glyf));
        if (kerned) out_.Write(Table("kern", KernTable()));
    }

  private:
    std::string KernTable() const {
        std::string body;
        if (!kerning_.useClasses) {
            body += '\0';
            body.append(3, '\0');
            Put32(body, static_cast<int64_t>(kerning_.pairs.size()));
            for (const KernEntry& e : kerning_.pairs) {
                if (kerning_.wideIds) {
                    Put16(body, e.left);
                    Put16(body, e.right);
                } else {
                    body += static_cast<char>(e.left);
                    body += static_cast<char>(e.right);
                }
            }
            for (const KernEntry& e : kerning_.pairs) body += static_cast<char>(e.value);
            return body;
        }
        const KernClasses& k = kerning_.classes;
        body += '\x03';
        body.append(3, '\0');
        Put16(body, static_cast<int64_t>(k.left.size()));
        body += static_cast<char>(k.leftCount);
        body += static_cast<char>(k.rightCount);
        for (uint8_t c : k.left) body += static_cast<char>(c);
        for (uint8_t c : k.right) body += static_cast<char>(c);
        for (int32_t v : k.values) body += static_cast<char>(v);
        return body;
    }

    ExportFontInfo info_;
    ByteSink& out_;
    std::vector<Record> records_;
    std::vector<char32_t> characters_;  // of the records, for the maps and the kerning
    uint64_t glyphBytes_ = 0;
    LvglKerning kerning_;
};

}  // namespace

std::unique_ptr<FontExportWriter> MakeLvglBinWriter(const ExportFontInfo& info, ByteSink& out) {
    return std::make_unique<LvglBinWriter>(info, out);
}

}  // namespace zemtra::font_export
