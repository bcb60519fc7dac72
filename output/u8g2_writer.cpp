// The u8g2 font, as u8g2's own fonts are defined: a 23-byte header, the glyphs up to 0xFF, then the
// Unicode glyphs behind a jump table, as one C string. A glyph is its box, offsets and advance in
// the font's bit widths, then its dots top row first as runs of unlit and lit dots, each pair
// written in the run-length widths chosen for the whole font's smallest size, a 1 bit repeating
// the pair before. Bits fill each byte from its least significant end.
#include <algorithm>
#include <array>
#include <exception>
#include <thread>
#include <vector>

#include "base/error.h"
#include "output/font_export_detail.h"

namespace zemtra::font_export {
namespace {

constexpr size_t kHeaderSize = 23;
// Unicode glyphs per entry of the jump table, as u8g2's fonts have them.
constexpr size_t kGlyphsPerJump = 101;
// Longer strings than this need U8G2_USE_LARGE_FONTS (which u8g2.h defines where arrays may be
// that large: ARM, ESP, Unix).
constexpr size_t kLargeFont = 32760;

int UnsignedBits(uint32_t v) {
    int bits = 0;
    for (; v != 0; v /= 2) ++bits;
    return bits;
}
int SignedBits(int32_t v) {
    return v < 0 ? UnsignedBits(static_cast<uint32_t>(-(int64_t{v}) - 1)) + 1
                 : UnsignedBits(static_cast<uint32_t>(v)) + 1;
}

// The run-length widths u8g2's fonts choose from: unlit runs in 2..8 bits, lit runs in 2..6.
constexpr int kZeroWidths[] = {2, 3, 4, 5, 6, 7, 8};
constexpr int kOneWidths[] = {2, 3, 4, 5, 6};
constexpr size_t kWidthPairs = std::size(kZeroWidths) * std::size(kOneWidths);

struct Glyph {
    char32_t code = 0;
    int32_t width = 0, height = 0, left = 0, bottom = 0, advance = 0;
    std::vector<std::pair<uint32_t, uint32_t>> runs;  // unlit, then lit dots
    // The bits of the runs for each pair of widths, unlit widths outer; the final 0 included.
    std::array<uint32_t, kWidthPairs> runBits{};
    // The longest run of lit dots, which decides whether a lit width splits runs.
    uint32_t longestOnes = 0;
};

// The bits EncodeGlyph writes for the runs at these widths, counted without writing.
uint32_t RunBits(const std::vector<std::pair<uint32_t, uint32_t>>& runs, int zeroWidth,
                 int oneWidth) {
    const uint32_t maxZeros = (1u << zeroWidth) - 1, maxOnes = (1u << oneWidth) - 1;
    const uint32_t pairBits = static_cast<uint32_t>(zeroWidth + oneWidth);
    uint32_t bits = 0;
    bool first = true;
    uint32_t lastZeros = 0, lastOnes = 1;
    const auto pair = [&](uint32_t zeros, uint32_t ones) {
        if (!first && zeros == lastZeros && ones == lastOnes) {
            bits += 1;
            return;
        }
        bits += pairBits + (first ? 0 : 1);
        first = false;
        lastZeros = zeros;
        lastOnes = ones;
    };
    for (auto [zeros, ones] : runs) {
        for (; zeros > maxZeros; zeros -= maxZeros) pair(maxZeros, 0);
        for (; ones > maxOnes; ones -= maxOnes, zeros = 0) pair(zeros, maxOnes);
        if (zeros != 0 || ones != 0) pair(zeros, ones);
    }
    return bits + 1;
}

// Bits from the least significant end of each byte.
class Bits {
  public:
    explicit Bits(std::string* out) : out_(out) {}
    void Put(int count, uint32_t value) {
        for (int i = 0; i < count; ++i, ++bits_) {
            if (bits_ % 8 == 0) out_->push_back('\0');
            if ((value >> i) & 1)
                out_->back() = static_cast<char>(out_->back() | (1 << (bits_ % 8)));
        }
    }

  private:
    std::string* out_;
    size_t bits_ = 0;
};

struct Widths {
    int width = 0, height = 0, x = 0, y = 0, advance = 0, zeros = 0, ones = 0;
};

// A glyph's bits after its code and size bytes.
void EncodeGlyph(const Glyph& g, const Widths& w, Bits& bits) {
    bits.Put(w.width, static_cast<uint32_t>(g.width));
    bits.Put(w.height, static_cast<uint32_t>(g.height));
    bits.Put(w.x, static_cast<uint32_t>(g.left + (1 << (w.x - 1))));
    bits.Put(w.y, static_cast<uint32_t>(g.bottom + (1 << (w.y - 1))));
    bits.Put(w.advance, static_cast<uint32_t>(g.advance + (1 << (w.advance - 1))));
    const uint32_t maxZeros = (1u << w.zeros) - 1, maxOnes = (1u << w.ones) - 1;
    bool first = true;
    uint32_t lastZeros = 0, lastOnes = 1;
    const auto pair = [&](uint32_t zeros, uint32_t ones) {
        if (!first && zeros == lastZeros && ones == lastOnes) {
            bits.Put(1, 1);  // the pair before, again
            return;
        }
        if (!first) bits.Put(1, 0);
        bits.Put(w.zeros, zeros);
        bits.Put(w.ones, ones);
        first = false;
        lastZeros = zeros;
        lastOnes = ones;
    };
    for (auto [zeros, ones] : g.runs) {
        // Runs longer than a field takes are split: unlit dots first, each pair full.
        for (; zeros > maxZeros; zeros -= maxZeros) pair(maxZeros, 0);
        for (; ones > maxOnes; ones -= maxOnes, zeros = 0) pair(zeros, maxOnes);
        if (zeros != 0 || ones != 0) pair(zeros, ones);
    }
    bits.Put(1, 0);  // the decoder stops at a 0 bit once the box is full
}

// The glyph's record: code (one byte up to 0xFF, two after), its size, its bits.
std::string Record(const Glyph& g, const Widths& w) {
    std::string record;
    if (g.code > 0xFF) record += static_cast<char>(g.code >> 8);
    record += static_cast<char>(g.code & 0xFF);
    record += '\0';
    std::string body;
    Bits bits(&body);
    EncodeGlyph(g, w, bits);
    record += body;
    if (record.size() > 254) {
        throw UserError("The glyph of " + CodeText(g.code) + " takes " +
                        std::to_string(record.size()) +
                        " bytes in u8g2's run-length code; a u8g2 glyph holds at most 254.");
    }
    record[g.code > 0xFF ? 2 : 1] = static_cast<char>(record.size());
    return record;
}

// The font as one C string, 32 bytes a line; the last byte, a 0, is the string's own end.
std::string CString(const std::string& bytes) {
    // Each byte's spelling: itself, or an octal escape without leading zeros. Digits are escaped
    // too, so that none can continue the octal escape before it.
    static const std::array<std::string, 256> spelled = [] {
        std::array<std::string, 256> table;
        for (unsigned b = 0; b < 256; ++b) {
            if (b < 32 || b >= 127 || b == '"' || b == '\\' || b == '?' || (b >= '0' && b <= '9')) {
                std::string escape = "\\";
                if (b >= 64) escape += static_cast<char>('0' + (b >> 6));
                if (b >= 8) escape += static_cast<char>('0' + ((b >> 3) & 7));
                escape += static_cast<char>('0' + (b & 7));
                table[b] = escape;
            } else {
                table[b] = std::string(1, static_cast<char>(b));
            }
        }
        return table;
    }();
    std::string text = "  \"";
    text.reserve(bytes.size() * 3);
    for (size_t i = 0; i + 1 < bytes.size(); ++i) {
        text += spelled[static_cast<unsigned char>(bytes[i])];
        if ((i + 1) % 32 == 0 && i + 2 < bytes.size()) text += "\"\n  \"";
    }
    return text + "\";\n";
}

// Runs work(from, to) over 0..n on every core (one for small n); what a part throws is thrown
// here once every part has ended.
template <typename Work>
void OnEveryCore(size_t n, const Work& work) {
    const size_t threads = n < 1024 ? 1 : std::max(1u, std::thread::hardware_concurrency());
    const size_t share = (n + threads - 1) / threads;
    std::vector<std::exception_ptr> failures(threads);
    const auto part = [&](size_t t) {
        try {
            work(std::min(n, t * share), std::min(n, (t + 1) * share));
        } catch (...) {
            failures[t] = std::current_exception();
        }
    };
    std::vector<std::thread> workers;
    for (size_t t = 1; t < threads; ++t) workers.emplace_back(part, t);
    part(0);
    for (std::thread& worker : workers) worker.join();
    for (const std::exception_ptr& failure : failures) {
        if (failure) std::rethrow_exception(failure);
    }
}

class U8g2Writer : public FontExportWriter {
  public:
    U8g2Writer(const ExportFontInfo& info, ByteSink& out) : info_(info), out_(out) {}

    void Add(const ExportGlyph& g) override {
        Glyph glyph;
        glyph.code = g.character;
        glyph.width = g.width;
        glyph.height = g.height;
        glyph.left = g.left;
        glyph.bottom = g.top - g.height;
        glyph.advance = g.advance;
        // u8g2 reads each field in at most 8 bits: unsigned sizes, signed offsets.
        if (g.width > 255 || g.height > 255 || SignedBits(glyph.left) > 8 ||
            SignedBits(glyph.bottom) > 8 || SignedBits(glyph.advance) > 8) {
            throw UserError("The glyph of " + CodeText(g.character) +
                            " does not fit a u8g2 font, which holds glyphs of at most 255 x 255 "
                            "dots with offsets and advances of -128 to 127 dots.");
        }
        uint32_t run = 0;
        bool lit = false;
        for (uint8_t level : g.levels) {
            if ((level != 0) != lit) {
                if (!lit) {
                    glyph.runs.push_back({run, 0});
                } else {
                    glyph.runs.back().second = run;
                }
                lit = !lit;
                run = 0;
            }
            ++run;
        }
        if (!lit) {
            glyph.runs.push_back({run, 0});
        } else {
            glyph.runs.back().second = run;
        }
        // An empty box has one run of nothing, which writes nothing.
        if (glyph.runs.size() == 1 && glyph.runs[0] == std::pair<uint32_t, uint32_t>{0, 0}) {
            glyph.runs.clear();
        }
        for (const auto& r : glyph.runs) glyph.longestOnes = std::max(glyph.longestOnes, r.second);
        glyphs_.push_back(std::move(glyph));
    }

    void Finish() override {
        CountRunBits();
        Widths w;
        for (const Glyph& g : glyphs_) {
            w.width = std::max(w.width, UnsignedBits(static_cast<uint32_t>(g.width)));
            w.height = std::max(w.height, UnsignedBits(static_cast<uint32_t>(g.height)));
            w.x = std::max(w.x, SignedBits(g.left));
            w.y = std::max(w.y, SignedBits(g.bottom));
            w.advance = std::max(w.advance, SignedBits(g.advance));
        }
        // The run-length widths that make the font smallest, the first such in this order.
        const uint32_t fieldBits =
            static_cast<uint32_t>(w.width + w.height + w.x + w.y + w.advance);
        size_t best = SIZE_MAX;
        size_t k = 0;
        for (int zeros : kZeroWidths) {
            for (int ones : kOneWidths) {
                size_t total = 0;
                for (const Glyph& g : glyphs_) total += (fieldBits + g.runBits[k] + 7) / 8;
                if (total < best) {
                    best = total;
                    w.zeros = zeros;
                    w.ones = ones;
                }
                ++k;
            }
        }

        // Each glyph's record on every core, then the font in order.
        std::vector<std::string> records(glyphs_.size());
        OnEveryCore(glyphs_.size(), [&](size_t from, size_t to) {
            for (size_t i = from; i < to; ++i) records[i] = Record(glyphs_[i], w);
        });
        std::string font(kHeaderSize, '\0');
        size_t ascii = 0;
        uint32_t posA = 0, posLowerA = 0;
        for (const Glyph& g : glyphs_) {
            if (g.code > 0xFF) break;
            if (g.code == U'A') posA = static_cast<uint32_t>(font.size() - kHeaderSize);
            if (g.code == U'a') posLowerA = static_cast<uint32_t>(font.size() - kHeaderSize);
            font += records[ascii];
            ++ascii;
        }
        font += std::string(2, '\0');  // the end of the glyphs up to 0xFF
        const size_t unicodeStart = font.size() - kHeaderSize;
        // The jump table: per block of glyphs the distance to it and its last code; the last
        // entry's code 0xFFFF catches every code after the blocks.
        const size_t unicode = glyphs_.size() - ascii;
        const size_t entries = unicode / kGlyphsPerJump;
        const size_t table = font.size();
        font += std::string(4 * std::max<size_t>(entries, 1), '\0');
        const auto setEntry = [&](size_t i, size_t delta, uint32_t code) {
            font[table + 4 * i] = static_cast<char>(delta >> 8);
            font[table + 4 * i + 1] = static_cast<char>(delta & 0xFF);
            font[table + 4 * i + 2] = static_cast<char>(code >> 8);
            font[table + 4 * i + 3] = static_cast<char>(code & 0xFF);
        };
        setEntry(std::max<size_t>(entries, 1) - 1, 4, 0xFFFF);
        // Each entry: how far its block starts from where the one before did (the first from
        // the table), and the block's last code.
        size_t entry = 0, inBlock = 0, blockStart = font.size();
        size_t delta = font.size() - table;
        for (size_t i = ascii; i < glyphs_.size(); ++i) {
            font += records[i];
            if (++inBlock == kGlyphsPerJump && entry < entries) {
                setEntry(entry, delta, entry + 1 == entries ? 0xFFFF : glyphs_[i].code);
                ++entry;
                inBlock = 0;
                delta = font.size() - blockStart;
                blockStart = font.size();
            }
        }
        if (entry < entries) setEntry(entry, delta, 0xFFFF);
        font += std::string(2, '\0');  // code 0: the end of the font

        Header(font, w, posA, posLowerA, unicodeStart);
        Write(font);
    }

  private:
    // Every glyph's run bits at every pair of widths, on every core: the search's whole cost.
    // Where the lit width splits no run (most of them), the pairs a glyph writes depend on the
    // unlit width alone: one walk per unlit width counts them for every such lit width.
    void CountRunBits() {
        const auto count = [this](size_t from, size_t to) {
            for (size_t i = from; i < to; ++i) {
                Glyph& g = glyphs_[i];
                size_t k = 0;
                for (int zeros : kZeroWidths) {
                    const uint32_t maxZeros = (1u << zeros) - 1;
                    uint32_t emitted = 0, distinct = 0, lastZeros = 0, lastOnes = 1;
                    const auto emit = [&](uint32_t z, uint32_t o) {
                        if (emitted == 0 || z != lastZeros || o != lastOnes) ++distinct;
                        ++emitted;
                        lastZeros = z;
                        lastOnes = o;
                    };
                    for (auto [z, o] : g.runs) {
                        for (; z > maxZeros; z -= maxZeros) emit(maxZeros, 0);
                        if (z != 0 || o != 0) emit(z, o);
                    }
                    for (int ones : kOneWidths) {
                        if (g.longestOnes <= (1u << ones) - 1) {
                            // A pair for each distinct run, a bit for each repeat and each
                            // separator, and the final 0.
                            g.runBits[k++] =
                                emitted == 0
                                    ? 1
                                    : distinct * static_cast<uint32_t>(zeros + ones) + emitted;
                        } else {
                            g.runBits[k++] = RunBits(g.runs, zeros, ones);
                        }
                    }
                }
            }
        };
        OnEveryCore(glyphs_.size(), count);
    }

    void Header(std::string& font, const Widths& w, uint32_t posA, uint32_t posLowerA,
                size_t unicodeStart) const {
        // The box around every glyph, the pen at (0, 0) included.
        int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        bool first = true;
        const Glyph* capitalA = nullptr;
        const Glyph* one = nullptr;
        const Glyph* lowerG = nullptr;
        const Glyph* paren = nullptr;
        for (const Glyph& g : glyphs_) {
            if (first) {
                x0 = g.left, y0 = g.bottom, x1 = g.left + g.width, y1 = g.bottom + g.height;
                first = false;
            } else {
                x0 = std::min(x0, g.left);
                y0 = std::min(y0, g.bottom);
                x1 = std::max(x1, g.left + g.width);
                y1 = std::max(y1, g.bottom + g.height);
            }
            if (g.code == U'A') capitalA = &g;
            if (g.code == U'1') one = &g;
            if (g.code == U'g') lowerG = &g;
            if (g.code == U'(') paren = &g;
        }
        const auto top = [](const Glyph* g) { return g == nullptr ? 0 : g->bottom + g->height; };
        const int32_t ascentA = capitalA != nullptr ? top(capitalA) : top(one);
        const int32_t descentG = lowerG != nullptr ? lowerG->bottom : 0;
        const auto byte = [](int64_t v) { return static_cast<char>(static_cast<uint8_t>(v)); };
        font[0] = byte(static_cast<int64_t>(glyphs_.size()));
        font[1] = byte(info_.monospace ? 2 : 0);  // proportional, or every box the same
        font[2] = byte(w.zeros);
        font[3] = byte(w.ones);
        font[4] = byte(w.width);
        font[5] = byte(w.height);
        font[6] = byte(w.x);
        font[7] = byte(w.y);
        font[8] = byte(w.advance);
        font[9] = byte(x1 - x0);
        font[10] = byte(y1 - y0);
        font[11] = byte(x0);
        font[12] = byte(y0);
        font[13] = byte(ascentA);
        font[14] = byte(descentG);
        font[15] = byte(paren != nullptr ? top(paren) : (ascentA != 0 ? ascentA : top(one)));
        font[16] = byte(paren != nullptr ? paren->bottom : descentG);
        font[17] = byte(posA >> 8);
        font[18] = byte(posA & 0xFF);
        font[19] = byte(posLowerA >> 8);
        font[20] = byte(posLowerA & 0xFF);
        font[21] = byte(static_cast<int64_t>(unicodeStart >> 8));
        font[22] = byte(static_cast<int64_t>(unicodeStart & 0xFF));
    }

    void Write(const std::string& font) {
        const std::string& n = info_.name;
        const bool large = font.size() - 1 > kLargeFont;
        std::string text = "/* " + n + ": a u8g2 font made by Zemtra";
        if (!info_.family.empty()) text += " from " + CommentText(info_.family);
        text += ", " + std::to_string(info_.cellWidth) + " x " + std::to_string(info_.cellHeight) +
                " dots, one bit per dot, " + std::to_string(glyphs_.size()) + " glyphs, " +
                std::to_string(font.size()) + " bytes.\n";
        if (const std::string sources = SourcesText(info_); !sources.empty()) {
            text += " * Glyphs: " + sources + ".\n";
        }
        if (large) {
            text +=
                " * Over 32 KB: u8g2 reads it with U8G2_USE_LARGE_FONTS, which u8g2.h defines "
                "on ARM, ESP and Unix.\n";
        }
        text += " * u8g2_SetFont(&u8g2, " + n +
                "); then u8g2_DrawUTF8(&u8g2, x, baseline, text). */\n\n";
        text += "#include <u8g2.h>\n\n";
        if (large) {
            text += "#ifndef U8G2_USE_LARGE_FONTS\n#error \"" + n +
                    " is larger than 32 KB: define U8G2_USE_LARGE_FONTS where u8g2 is built\"\n"
                    "#endif\n";
        }
        text += "const uint8_t " + n + "[" + std::to_string(font.size()) +
                "] U8G2_FONT_SECTION(\"" + n + "\") = \n";
        out_.Write(text);
        out_.Write(CString(font));
    }

    ExportFontInfo info_;
    ByteSink& out_;
    std::vector<Glyph> glyphs_;
};

}  // namespace

std::unique_ptr<FontExportWriter> MakeU8g2Writer(const ExportFontInfo& info, ByteSink& out) {
    return std::make_unique<U8g2Writer>(info, out);
}

}  // namespace zemtra::font_export
