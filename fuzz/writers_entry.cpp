// Fuzzing the export writers: a font model made from the input (window, baseline, pen, glyph
// boxes, offsets, advances, levels, characters, kerning pairs, names) is written in every format
// of the table. Each format either refuses the model with a message or writes a file that the
// tests' decoder of that format reads back with the same glyphs: the same advance and the same
// lit dots at the same places around the pen.
#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "base/error.h"
#include "base/export_font.h"
#include "fuzz/fuzz_entries.h"
#include "output/font_export.h"
#include "support/font_decoders.h"
#include "support/font_readers_freetype.h"

namespace zemtra::fuzz {
namespace {

class Input {
  public:
    explicit Input(std::string_view data) : data_(data) {}
    unsigned Byte() { return at_ < data_.size() ? static_cast<unsigned char>(data_[at_++]) : 0u; }
    // A value in [low, high].
    int32_t In(int32_t low, int32_t high) {
        const unsigned v = Byte() | Byte() << 8;
        return low + static_cast<int32_t>(v % static_cast<unsigned>(high - low + 1));
    }
    // Printable text with the characters C comments, strings and BDF lines hold specially.
    std::string Text(size_t most) {
        static constexpr std::string_view kChars = "aZ_09 *//\"\\\n-@{}%";
        std::string out;
        const size_t n = Byte() % (most + 1);
        for (size_t i = 0; i < n; ++i) out += kChars[Byte() % kChars.size()];
        return out;
    }

  private:
    std::string_view data_;
    size_t at_ = 0;
};

// The glyphs with their dots as raw bytes (0..255), which each format's depth cuts down.
struct RawGlyph {
    ExportGlyph glyph;
    std::vector<uint8_t> bytes;
};

struct ModelFont {
    ExportFontInfo info;
    std::vector<RawGlyph> glyphs;
    std::vector<KerningPair> kerning;
};

ModelFont ModelFrom(Input& in) {
    ModelFont m;
    ExportFontInfo& info = m.info;
    info.cellWidth = in.In(1, 48);
    info.cellHeight = in.In(1, 48);
    info.baseline = in.In(0, info.cellHeight);
    info.originColumn = in.In(0, info.cellWidth);
    info.ppem = in.In(1, 64);
    info.weight = (in.Byte() & 1) != 0 ? 700 : 400;
    info.italic = (in.Byte() & 1) != 0;
    info.family = in.Text(12);
    info.sources.push_back({in.Text(12), 1});
    info.name = "fz";
    const int32_t count = in.In(0, 40);
    char32_t c = static_cast<char32_t>(in.In(0x20, 0x7F));
    for (int32_t i = 0; i < count && c <= 0x10FFFF; ++i) {
        RawGlyph r;
        ExportGlyph& g = r.glyph;
        g.character = c;
        const bool ink = (in.Byte() & 3) != 0;
        g.width = ink ? in.In(1, info.cellWidth + 4) : 0;
        g.height = ink ? in.In(1, info.cellHeight + 4) : 0;
        g.left = ink ? in.In(-info.cellWidth, info.cellWidth) : 0;
        g.top = ink ? in.In(-info.cellHeight, info.cellHeight) : 0;
        g.advance = in.In(0, 2 * info.cellWidth);
        for (int32_t d = 0; d < g.width * g.height; ++d)
            r.bytes.push_back(static_cast<uint8_t>(in.Byte()));
        m.glyphs.push_back(std::move(r));
        // Mostly neighbours, now and then a jump to another plane.
        const unsigned step = in.Byte();
        c += step < 200 ? 1 + step % 3 : 1 + static_cast<unsigned>(in.In(0, 65535));
    }
    const int32_t pairs = m.glyphs.empty() ? 0 : in.In(0, 8);
    for (int32_t i = 0; i < pairs; ++i) {
        const auto pick = [&] {
            return m
                .glyphs[static_cast<size_t>(in.In(0, static_cast<int32_t>(m.glyphs.size()) - 1))]
                .glyph.character;
        };
        const char32_t left = pick(), right = pick();
        m.kerning.push_back({left, right, in.In(-128, 127)});
    }
    std::sort(m.kerning.begin(), m.kerning.end(), [](const KerningPair& a, const KerningPair& b) {
        return std::pair(a.left, a.right) < std::pair(b.left, b.right);
    });
    m.kerning.erase(std::unique(m.kerning.begin(), m.kerning.end(),
                                [](const KerningPair& a, const KerningPair& b) {
                                    return a.left == b.left && a.right == b.right;
                                }),
                    m.kerning.end());
    return m;
}

// The model at one format's depth, holding the characters the format can.
BitmapFont FontFor(const ModelFont& m, const ExportFormatRow& row, int bpp, bool compress) {
    BitmapFont font;
    font.info = m.info;
    font.info.bpp = bpp;
    font.info.compress = compress;
    std::set<char32_t> kept;
    for (const RawGlyph& r : m.glyphs) {
        if (r.glyph.character > row.lastCharacter) continue;
        ExportGlyph g = r.glyph;
        for (uint8_t b : r.bytes) g.levels.push_back(static_cast<uint8_t>(b >> (8 - bpp)));
        font.glyphs.push_back(std::move(g));
        kept.insert(r.glyph.character);
    }
    if (row.kerning) {
        for (const KerningPair& k : m.kerning)
            if (kept.contains(k.left) && kept.contains(k.right)) font.kerning.push_back(k);
    }
    return font;
}

// The lit dots of a glyph around the pen: (x right of the pen, y above the baseline) -> level.
std::map<std::pair<int, int>, int> Ink(int left, int top, int width, int height,
                                       const auto& levelAt) {
    std::map<std::pair<int, int>, int> ink;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (const int level = levelAt(x, y); level != 0) ink[{left + x, top - y}] = level;
    return ink;
}

void CheckReadBack(const BitmapFont& font, const test::ReadFont& read, const char* what) {
    if (!read.ok) {
        std::fprintf(stderr, "%s: %s\n", what, read.error.c_str());
        Check(false, "a written font reads back");
    }
    std::set<char32_t> written;
    for (const ExportGlyph& g : font.glyphs) {
        written.insert(g.character);
        const auto it = read.glyphs.find(g.character);
        Check(it != read.glyphs.end(), "every glyph reads back");
        const test::ReadGlyph& r = it->second;
        Check(r.advance == g.advance, "a glyph's advance reads back");
        Check(r.levels.size() == static_cast<size_t>(r.width) * static_cast<size_t>(r.height),
              "a read glyph's levels fill its box");
        const auto mine = Ink(g.left, g.top, g.width, g.height,
                              [&](int x, int y) { return static_cast<int>(g.Level(x, y)); });
        const auto theirs = Ink(r.left, r.top, r.width, r.height, [&](int x, int y) {
            return r.levels[static_cast<size_t>(y) * static_cast<size_t>(r.width) +
                            static_cast<size_t>(x)];
        });
        if (mine != theirs)
            std::fprintf(stderr, "%s: U+%04X\n", what, static_cast<unsigned>(g.character));
        Check(mine == theirs, "a glyph's dots read back where they were");
    }
    // What a format adds between its glyphs (GFX's range) draws nothing.
    for (const auto& [c, r] : read.glyphs) {
        if (written.contains(c)) continue;
        for (int level : r.levels) Check(level == 0, "a glyph that was not written draws nothing");
    }
}

}  // namespace

void FuzzWriters(std::string_view data) {
    Input in(data);
    const ModelFont model = ModelFrom(in);
    const unsigned choice = in.Byte();
    for (const ExportFormatRow& row : ExportFormats()) {
        const int wanted = 1 << (choice & 3);
        const int bpp = (row.bppMask & (1u << wanted)) != 0 ? wanted : LowestBpp(row);
        const bool compress = (choice & 4) != 0 && (row.compressMask & (1u << bpp)) != 0;
        const BitmapFont font = FontFor(model, row, bpp, compress);
        if (ExportFormatProblem(row.format, font.info)) continue;  // refused, with its words
        StringSink out;
        try {
            WriteBitmapFont(row.format, font, out);
        } catch (const UserError&) {
            continue;  // a glyph that does not fit the format, named
        }
        Check(!out.text.empty(), "a written font has bytes");
        switch (row.format) {
            case ExportFormat::Bdf:
                CheckReadBack(font, test::ReadWithFreeType({}, out.text), "bdf");
                break;
            case ExportFormat::Vlw:
                CheckReadBack(font, test::DecodeVlw(out.text), "vlw");
                break;
            case ExportFormat::AdafruitGfx:
                CheckReadBack(font, test::DecodeGfx(out.text, font.info.name), "gfx");
                break;
            case ExportFormat::U8g2: {
                test::ReadFont read;
                try {
                    read = test::DecodeU8g2(test::U8g2SourceBytes(out.text, font.info.name));
                } catch (const std::exception& e) {
                    read.error = e.what();
                }
                CheckReadBack(font, read, "u8g2");
                break;
            }
            case ExportFormat::Lvgl:
                CheckReadBack(font, test::DecodeLvgl(out.text, font.info.name), "lvgl");
                break;
            case ExportFormat::LvglBin:
                CheckReadBack(font, test::DecodeLvglBin(out.text), "lvgl-bin");
                break;
        }
    }
}

}  // namespace zemtra::fuzz
