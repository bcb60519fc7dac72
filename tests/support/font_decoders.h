// Exported fonts decoded in the process, from the formats' documentation and without the
// writers' help: VLW and u8g2 bytes, and the arrays of C text (an Adafruit GFX header, a u8g2
// source's string). The tests' readers use them after reading or compiling a file; the writers'
// fuzz target reads every font it writes with them.
#pragma once

#include <cctype>
#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zemtra::test {

// One glyph as its reader gives it: the pen on the baseline, top upwards positive.
struct ReadGlyph {
    int advance = 0;
    int left = 0, top = 0, width = 0, height = 0;
    std::vector<int> levels;  // width x height, top row first
};

struct ReadFont {
    bool ok = false;
    std::string error;  // the compiler's or reader's complaint
    int lineHeight = 0;
    int baselineRow = 0;  // rows of the line above the baseline
    int bpp = 1;
    int bitmapFormat = 0;  // LVGL: 0 plain, 1 compressed
    std::map<char32_t, ReadGlyph> glyphs;
    // LVGL: sixteenths of a dot added to the left glyph's advance before the right one.
    std::map<std::pair<char32_t, char32_t>, int> kerning;
};

// A TFT_eSPI smooth font (.vlw), read as TFT_eSPI's Smooth_font.cpp reads it: six big-endian
// 32-bit values (glyph count, version, size, 0, ascent, descent), seven per glyph (code, height,
// width, advance, top above the baseline, left, 0), then each glyph's width x height coverage
// bytes in the records' order; the line is ascent + descent rows, the baseline ascent rows down.
inline ReadFont DecodeVlw(std::string_view bytes) {
    ReadFont f;
    size_t at = 0;
    const auto next = [&]() -> int64_t {
        if (at + 4 > bytes.size()) throw std::runtime_error("the file ends inside a value");
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(bytes[at++]);
        return static_cast<int32_t>(v);
    };
    try {
        const int64_t count = next();
        if (next() != 11) throw std::runtime_error("not version 11");
        next();
        next();
        const int64_t ascent = next(), descent = next();
        f.lineHeight = static_cast<int>(ascent + descent);
        f.baselineRow = static_cast<int>(ascent);
        f.bpp = 8;
        if (count < 0 || static_cast<uint64_t>(count) > bytes.size() / 28) {
            throw std::runtime_error("more glyphs than the file has records for");
        }
        std::vector<std::pair<char32_t, ReadGlyph>> records;
        for (int64_t i = 0; i < count; ++i) {
            ReadGlyph g;
            const auto code = static_cast<char32_t>(static_cast<uint16_t>(next()));
            g.height = static_cast<uint8_t>(next());
            g.width = static_cast<uint8_t>(next());
            g.advance = static_cast<uint8_t>(next());
            g.top = static_cast<int16_t>(next());
            g.left = static_cast<int8_t>(next());
            next();
            records.emplace_back(code, g);
        }
        for (auto& [code, g] : records) {
            const size_t n = static_cast<size_t>(g.width) * static_cast<size_t>(g.height);
            if (at + n > bytes.size()) throw std::runtime_error("the file ends inside a bitmap");
            for (size_t i = 0; i < n; ++i)
                g.levels.push_back(static_cast<unsigned char>(bytes[at++]));
            f.glyphs[code] = g;
        }
        f.ok = true;
    } catch (const std::exception& e) {
        f.error = e.what();
    }
    return f;
}

// A u8g2 font's bytes, as u8g2's font format describes them: a 23-byte header (glyph count, box
// mode, the run-length widths for unlit and lit dots, the bit widths of width, height, x, y and
// advance, ...), records of code (one byte, or two after 0xFF with a jump table first), size and
// bits, least significant first: width, height, x + 2^(n-1), y + 2^(n-1), advance + 2^(n-1),
// then pairs of unlit and lit run lengths over the box, top row first, each pair followed by 1
// bits repeating it and a 0 bit. y is the box's lower edge above the baseline.
inline ReadFont DecodeU8g2(std::string_view font) {
    ReadFont f;
    const auto byte = [&](size_t at) -> unsigned {
        return at < font.size() ? static_cast<unsigned char>(font[at]) : 0u;
    };
    if (font.size() < 25) {
        f.error = "shorter than a header";
        return f;
    }
    const unsigned zeros = byte(2), ones = byte(3), bw = byte(4), bh = byte(5), bx = byte(6),
                   by = byte(7), bd = byte(8);
    const auto decode = [&](size_t at, char32_t code) {
        size_t bit = 0;
        const auto take = [&](unsigned n) {
            unsigned v = 0;
            for (unsigned i = 0; i < n; ++i, ++bit)
                v |= ((byte(at + bit / 8) >> (bit % 8)) & 1u) << i;
            return v;
        };
        const auto signedTake = [&](unsigned n) {
            return static_cast<int>(take(n)) - (n == 0 ? 0 : 1 << (n - 1));
        };
        ReadGlyph g;
        g.width = static_cast<int>(take(bw));
        g.height = static_cast<int>(take(bh));
        g.left = signedTake(bx);
        const int bottom = signedTake(by);
        g.advance = signedTake(bd);
        g.top = bottom + g.height;
        const size_t dots = static_cast<size_t>(g.width) * static_cast<size_t>(g.height);
        if (g.width > 0) {
            while (g.levels.size() < dots) {
                const unsigned a = take(zeros), b = take(ones);
                if (a + b == 0) break;  // a code that adds nothing would loop for ever
                do {
                    g.levels.insert(g.levels.end(), a, 0);
                    g.levels.insert(g.levels.end(), b, 1);
                } while (take(1) == 1 && g.levels.size() < dots);
            }
        } else {
            g.height = 0;
        }
        g.levels.resize(dots);
        if (g.width * g.height == 0) g.top = g.left = 0;
        f.glyphs[code] = g;
    };
    size_t at = 23;
    while (at < font.size() && byte(at + 1) != 0) {  // the glyphs up to 0xFF
        decode(at + 2, byte(at));
        at += byte(at + 1);
    }
    at += 2;
    at += (byte(at) << 8 | byte(at + 1));  // past the jump table (its first entry's distance)
    while (at < font.size() && (byte(at) << 8 | byte(at + 1)) != 0) {
        if (byte(at + 2) == 0) break;
        decode(at + 3, static_cast<char32_t>(byte(at) << 8 | byte(at + 1)));
        at += byte(at + 2);
    }
    f.ok = true;
    return f;
}

// C text as tokens, enough for the initialisers of exported fonts: comments dropped, string
// literals as their bytes (escapes and adjacent literals joined), numbers with their sign, and
// everything else as single characters or words.
struct CToken {
    enum Kind { Word, Number, String, Punct } kind = Punct;
    std::string text;  // a word, a punctuator, or a string's bytes
    int64_t number = 0;
};

inline std::vector<CToken> LexC(std::string_view c) {
    std::vector<CToken> tokens;
    size_t i = 0;
    while (i < c.size()) {
        const char ch = c[i];
        if (c.compare(i, 2, "/*") == 0) {
            const size_t end = c.find("*/", i + 2);
            if (end == std::string_view::npos) throw std::runtime_error("an open comment");
            i = end + 2;
        } else if (c.compare(i, 2, "//") == 0 || ch == '#') {
            i = c.find('\n', i);
            if (i == std::string_view::npos) i = c.size();
        } else if (std::isspace(static_cast<unsigned char>(ch))) {
            ++i;
        } else if (ch == '"') {
            std::string bytes;
            for (++i; i < c.size() && c[i] != '"'; ++i) {
                if (c[i] == '\n') throw std::runtime_error("a line break in a string");
                if (c[i] != '\\') {
                    bytes += c[i];
                    continue;
                }
                if (++i >= c.size()) break;
                if (c[i] >= '0' && c[i] <= '7') {
                    int v = 0;
                    for (int n = 0; n < 3 && i < c.size() && c[i] >= '0' && c[i] <= '7'; ++n)
                        v = v * 8 + (c[i++] - '0');
                    --i;
                    bytes += static_cast<char>(v);
                } else {
                    const std::string_view from = "abfnrtv\\'\"?", to = "\a\b\f\n\r\t\v\\'\"?";
                    const size_t k = from.find(c[i]);
                    if (k == std::string_view::npos) throw std::runtime_error("an unknown escape");
                    bytes += to[k];
                }
            }
            if (i >= c.size()) throw std::runtime_error("an open string");
            ++i;
            if (!tokens.empty() && tokens.back().kind == CToken::String) {
                tokens.back().text += bytes;  // adjacent literals are one
            } else {
                tokens.push_back({CToken::String, bytes, 0});
            }
        } else if (std::isdigit(static_cast<unsigned char>(ch)) ||
                   (ch == '-' && i + 1 < c.size() &&
                    std::isdigit(static_cast<unsigned char>(c[i + 1])))) {
            size_t used = 0;
            const std::string rest(c.substr(i, 24));
            const int64_t v = std::stoll(rest, &used, 0);
            i += used;
            while (i < c.size() && std::isalpha(static_cast<unsigned char>(c[i]))) ++i;  // 0u
            tokens.push_back({CToken::Number, {}, v});
        } else if (std::isalpha(static_cast<unsigned char>(ch)) || ch == '_') {
            const size_t start = i;
            while (i < c.size() && (std::isalnum(static_cast<unsigned char>(c[i])) || c[i] == '_'))
                ++i;
            tokens.push_back({CToken::Word, std::string(c.substr(start, i - start)), 0});
        } else {
            tokens.push_back({CToken::Punct, std::string(1, ch), 0});
            ++i;
        }
    }
    return tokens;
}

// The tokens of the initialiser of the object named name (after "name[...] ... =" or
// "name ... ="), from its first token to the end of its declaration.
inline std::vector<CToken> Initialiser(const std::vector<CToken>& tokens, std::string_view name) {
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind != CToken::Word || tokens[i].text != name) continue;
        size_t j = i + 1;
        while (j < tokens.size() && tokens[j].text != "=" && tokens[j].text != ";" &&
               tokens[j].text != ",")
            ++j;
        if (j >= tokens.size() || tokens[j].text != "=") continue;
        size_t end = j + 1;
        while (end < tokens.size() && tokens[end].text != ";") ++end;
        return {tokens.begin() + static_cast<std::ptrdiff_t>(j + 1),
                tokens.begin() + static_cast<std::ptrdiff_t>(end)};
    }
    throw std::runtime_error("no object " + std::string(name));
}

inline std::vector<int64_t> Numbers(const std::vector<CToken>& tokens) {
    std::vector<int64_t> out;
    for (const CToken& t : tokens)
        if (t.kind == CToken::Number) out.push_back(t.number);
    return out;
}

// An Adafruit GFX header as gfxfont.h lays it out: NAMEBitmaps (bytes of the glyphs' rows, one
// bit a dot, most significant first, rows run on), NAMEGlyphs ({bitmapOffset, width, height,
// xAdvance, xOffset, yOffset} from first to last) and NAME ({bitmaps, glyphs, first, last,
// yAdvance}). yOffset is the box's top below the baseline.
inline ReadFont DecodeGfx(std::string_view text, const std::string& name) {
    ReadFont f;
    try {
        const std::vector<CToken> tokens = LexC(text);
        const std::vector<int64_t> bitmaps = Numbers(Initialiser(tokens, name + "Bitmaps"));
        const std::vector<int64_t> glyphs = Numbers(Initialiser(tokens, name + "Glyphs"));
        const std::vector<int64_t> font = Numbers(Initialiser(tokens, name));
        if (font.size() != 3 || glyphs.size() % 6 != 0)
            throw std::runtime_error("the font's shape");
        const int64_t first = font[0], last = font[1];
        f.lineHeight = static_cast<int>(font[2]);
        if (last < first || static_cast<size_t>(last - first + 1) != glyphs.size() / 6) {
            throw std::runtime_error("first and last do not match the glyphs");
        }
        for (size_t i = 0; i < glyphs.size() / 6; ++i) {
            const int64_t* r = &glyphs[i * 6];
            ReadGlyph g;
            g.width = static_cast<int>(r[1]);
            g.height = static_cast<int>(r[2]);
            g.advance = static_cast<int>(r[3]);
            g.left = static_cast<int>(r[4]);
            g.top = -static_cast<int>(r[5]);
            size_t bit = static_cast<size_t>(r[0]) * 8;
            for (int d = 0; d < g.width * g.height; ++d, ++bit) {
                if (bit / 8 >= bitmaps.size()) throw std::runtime_error("bits beyond the bitmaps");
                g.levels.push_back(static_cast<int>((bitmaps[bit / 8] >> (7 - bit % 8)) & 1));
            }
            f.glyphs[static_cast<char32_t>(first + static_cast<int64_t>(i))] = g;
        }
        f.ok = true;
    } catch (const std::exception& e) {
        f.error = e.what();
    }
    return f;
}

// The entries of an initialiser of designated fields ("{.a = 1, .b = x}, {...}" or one "{...}"),
// each field's token (a number, or a word for names and enumerators).
inline std::vector<std::map<std::string, CToken>> DesignatedEntries(
    const std::vector<CToken>& init) {
    std::vector<std::map<std::string, CToken>> entries;
    int depth = 0;
    for (size_t i = 0; i < init.size(); ++i) {
        const std::string& t = init[i].text;
        if (init[i].kind == CToken::Punct && t == "{") {
            if (++depth == (init.size() > 1 && init[1].text == "{" ? 2 : 1)) entries.emplace_back();
        } else if (init[i].kind == CToken::Punct && t == "}") {
            --depth;
        } else if (init[i].kind == CToken::Punct && t == "." && i + 3 < init.size() &&
                   init[i + 2].text == "=") {
            // The value: a number, a word, or "&word" (a pointer), up to the next ',' or '}'.
            size_t v = i + 3;
            while (v < init.size() && init[v].kind == CToken::Punct && init[v].text == "&") ++v;
            if (v < init.size() && !entries.empty()) entries.back()[init[i + 1].text] = init[v];
            i = v;
        }
    }
    return entries;
}

// Bits most significant first, from bit `at` of the bytes, never at or past bit `end`.
struct MsbBits {
    std::string_view bytes;
    size_t at = 0;
    size_t end = 0;

    uint32_t Take(unsigned n) {
        if (at + n > end || end > 8 * bytes.size())
            throw std::runtime_error("bits beyond the data");
        uint32_t v = 0;
        for (unsigned k = 0; k < n; ++k, ++at)
            v = v << 1 | ((static_cast<unsigned char>(bytes[at / 8]) >> (7 - at % 8)) & 1u);
        return v;
    }
    int32_t TakeSigned(unsigned n) {
        uint32_t v = Take(n);
        if (n > 0 && (v & (1u << (n - 1))) != 0) v |= ~0u << n;
        return static_cast<int32_t>(v);
    }
};

// The levels of an LVGL glyph's w x h box from the bits of its bitmap: plain (bpp bits a dot, most
// significant first) or compressed (format 1: LVGL's runs, then each row XORed with the row
// above). A literal; after two equal ones, 1 bits repeat the level (up to 10), then a 6-bit
// count of further repeats; a 0 bit (or a count of 0) ends the repeat with a literal.
inline std::vector<int> LvglLevels(MsbBits bits, int w, int h, int bpp, int format) {
    const size_t n = static_cast<size_t>(w) * static_cast<size_t>(h);
    std::vector<int> levels;
    const auto take = [&](int count) {
        return static_cast<int>(bits.Take(static_cast<unsigned>(count)));
    };
    if (format == 0) {
        for (size_t k = 0; k < n; ++k) levels.push_back(take(bpp));
        return levels;
    }
    enum { Literal, Repeat, Counted } state = Literal;
    int previous = 0, ones = 0, left = 0;
    bool first = true;
    const auto literal = [&] {
        previous = take(bpp);
        state = Literal;
        return previous;
    };
    for (size_t k = 0; k < n; ++k) {
        int v = previous;
        if (state == Literal) {
            v = take(bpp);
            if (!first && v == previous) {
                state = Repeat;
                ones = 0;
            }
            first = false;
            previous = v;
        } else if (state == Repeat) {
            if (take(1) == 0) {
                v = literal();
            } else if (++ones >= 11) {
                left = take(6);
                if (left == 0) {
                    v = literal();
                } else {
                    state = Counted;
                }
            }
        } else if (--left == 0) {
            v = literal();
        }
        levels.push_back(v);
    }
    for (size_t k = static_cast<size_t>(w); k < n; ++k)
        levels[k] ^= levels[k - static_cast<size_t>(w)];
    return levels;
}

// An LVGL 9 font source as LVGL's text font format lays it out (lv_font_fmt_txt.h): the glyph
// bitmaps, glyph_dsc (id 0 reserved: bitmap_index, adv_w in 1/16 dots, box_w, box_h, ofs_x,
// ofs_y the box's lower edge above the baseline), cmaps (ranges, each either every code of the
// range in a row, FORMAT0_TINY, or the listed codes, SPARSE_TINY with its unicode_list), and
// font_dsc's bpp and bitmap_format (LvglLevels).
inline ReadFont DecodeLvgl(std::string_view text, const std::string& name) {
    ReadFont f;
    try {
        const std::vector<CToken> tokens = LexC(text);
        std::string bitmap;
        for (int64_t b : Numbers(Initialiser(tokens, "glyph_bitmap")))
            bitmap.push_back(static_cast<char>(b));
        const auto dsc = DesignatedEntries(Initialiser(tokens, "glyph_dsc"));
        const auto cmaps = DesignatedEntries(Initialiser(tokens, "cmaps"));
        const auto fontDsc = DesignatedEntries(Initialiser(tokens, "font_dsc"));
        const auto font = DesignatedEntries(Initialiser(tokens, name));
        if (fontDsc.size() != 1 || font.size() != 1) throw std::runtime_error("the font's shape");
        const auto number = [](const std::map<std::string, CToken>& e, const char* field) {
            const auto it = e.find(field);
            if (it == e.end() || it->second.kind != CToken::Number) {
                throw std::runtime_error(std::string("no number for .") + field);
            }
            return it->second.number;
        };
        f.bpp = static_cast<int>(number(fontDsc[0], "bpp"));
        f.bitmapFormat = static_cast<int>(number(fontDsc[0], "bitmap_format"));
        f.lineHeight = static_cast<int>(number(font[0], "line_height"));
        f.baselineRow = f.lineHeight - static_cast<int>(number(font[0], "base_line"));
        if (f.bpp != 1 && f.bpp != 2 && f.bpp != 4 && f.bpp != 8) throw std::runtime_error("bpp");
        const auto glyphOf = [&](size_t id) {
            if (id == 0 || id >= dsc.size())
                throw std::runtime_error("a glyph id beyond glyph_dsc");
            const auto& e = dsc[id];
            ReadGlyph g;
            g.advance = static_cast<int>(number(e, "adv_w") / 16);
            g.width = static_cast<int>(number(e, "box_w"));
            g.height = static_cast<int>(number(e, "box_h"));
            g.left = static_cast<int>(number(e, "ofs_x"));
            g.top = static_cast<int>(number(e, "ofs_y")) + g.height;
            const auto start = static_cast<size_t>(number(e, "bitmap_index"));
            g.levels = LvglLevels({bitmap, 8 * start, 8 * bitmap.size()}, g.width, g.height, f.bpp,
                                  f.bitmapFormat);
            return g;
        };
        for (const auto& m : cmaps) {
            const int64_t rangeStart = number(m, "range_start");
            const int64_t rangeLength = number(m, "range_length");
            const int64_t idStart = number(m, "glyph_id_start");
            const std::string type = m.at("type").text;
            if (type == "LV_FONT_FMT_TXT_CMAP_FORMAT0_TINY") {
                for (int64_t k = 0; k < rangeLength; ++k)
                    f.glyphs[static_cast<char32_t>(rangeStart + k)] =
                        glyphOf(static_cast<size_t>(idStart + k));
            } else if (type == "LV_FONT_FMT_TXT_CMAP_SPARSE_TINY") {
                const std::vector<int64_t> list =
                    Numbers(Initialiser(tokens, m.at("unicode_list").text));
                if (static_cast<int64_t>(list.size()) != number(m, "list_length")) {
                    throw std::runtime_error("a unicode_list of another length");
                }
                for (size_t k = 0; k < list.size(); ++k) {
                    if (list[k] >= rangeLength) throw std::runtime_error("a code beyond its range");
                    f.glyphs[static_cast<char32_t>(rangeStart + list[k])] =
                        glyphOf(static_cast<size_t>(idStart) + k);
                }
            } else {
                throw std::runtime_error("a cmap of type " + type);
            }
        }
        f.ok = true;
    } catch (const std::exception& e) {
        f.error = e.what();
    }
    return f;
}

// An LVGL binary font, as LVGL's binary font is documented and lv_binfont_create reads it: tables,
// each a little-endian 32-bit length (the whole table) and a four-letter name: "head" (version,
// table count, size, ascent, descent, ..., the field widths), "cmap" (a count, then per map the
// offset of its data from the table's start, range start, range length, first glyph id, entry
// count, type), "loca" (a count, then each glyph record's offset from the start of "glyf", 16 or
// 32 bits), "glyf" (per glyph a bit stream, most significant bit first: advance, x and y offsets,
// width and height in the head's widths, then the bitmap up to the next record).
inline ReadFont DecodeLvglBin(std::string_view file) {
    ReadFont f;
    const auto u8 = [&](size_t at) -> uint32_t {
        return at < file.size() ? static_cast<unsigned char>(file[at]) : 0u;
    };
    const auto u16 = [&](size_t at) { return u8(at) | u8(at + 1) << 8; };
    const auto u32 = [&](size_t at) { return u16(at) | u16(at + 2) << 16; };
    const auto table = [&](size_t at, std::string_view name) -> uint32_t {
        if (at + 8 > file.size() || file.substr(at + 4, 4) != name) {
            throw std::runtime_error("no table " + std::string(name));
        }
        const uint32_t length = u32(at);
        if (length < 8 || at + length > file.size()) throw std::runtime_error("a table's length");
        return length;
    };
    try {
        const uint32_t head = table(0, "head");
        const int ascent = static_cast<int>(u16(16));
        const int descent = static_cast<int16_t>(u16(18));
        const uint32_t defaultAdvance = u16(30);
        const uint32_t locFormat = u8(34), advFormat = u8(36);
        f.bpp = static_cast<int>(u8(37));
        const unsigned xyBits = u8(38), whBits = u8(39), advBits = u8(40);
        f.bitmapFormat = static_cast<int>(u8(41));
        f.lineHeight = ascent - descent;
        f.baselineRow = ascent;
        const size_t cmapAt = head;
        const uint32_t cmap = table(cmapAt, "cmap");
        const size_t locaAt = cmapAt + cmap;
        const uint32_t loca = table(locaAt, "loca");
        const uint32_t count = u32(locaAt + 8);
        const size_t glyfAt = locaAt + loca;
        const uint32_t glyf = table(glyfAt, "glyf");
        if (count > glyf) throw std::runtime_error("more glyphs than bytes");
        std::vector<uint32_t> offset;
        for (uint32_t i = 0; i < count; ++i)
            offset.push_back(locFormat == 0 ? u16(locaAt + 12 + 2 * size_t{i})
                                            : u32(locaAt + 12 + 4 * size_t{i}));
        offset.push_back(glyf);
        const auto glyphOf = [&](uint32_t id) {
            if (id == 0 || id >= count || offset[id] > offset[id + 1]) {
                throw std::runtime_error("a glyph id beyond loca");
            }
            // The record's header, then its bitmap in the same stream, to the next record.
            MsbBits bits{file, 8 * (glyfAt + offset[id]), 8 * (glyfAt + offset[id + 1])};
            ReadGlyph g;
            const uint32_t advance = advBits != 0 ? bits.Take(advBits) : defaultAdvance;
            g.advance = static_cast<int>(advFormat == 0 ? advance : advance / 16);
            g.left = bits.TakeSigned(xyBits);
            const int bottom = bits.TakeSigned(xyBits);
            g.width = static_cast<int>(bits.Take(whBits));
            g.height = static_cast<int>(bits.Take(whBits));
            g.top = bottom + g.height;
            g.levels = LvglLevels(bits, g.width, g.height, f.bpp, f.bitmapFormat);
            return g;
        };
        const uint32_t maps = u32(cmapAt + 8);
        if (maps > cmap / 16) throw std::runtime_error("more maps than the table holds");
        for (uint32_t i = 0; i < maps; ++i) {
            const size_t rec = cmapAt + 12 + 16 * size_t{i};
            const size_t data = cmapAt + u32(rec);
            const uint32_t start = u32(rec + 4), length = u16(rec + 8), first = u16(rec + 10);
            const uint32_t entries = u16(rec + 12), type = u8(rec + 14);
            if (type == 2) {  // FORMAT0_TINY
                for (uint32_t k = 0; k < length; ++k) f.glyphs[start + k] = glyphOf(first + k);
            } else if (type == 3) {  // SPARSE_TINY
                for (uint32_t k = 0; k < entries; ++k) {
                    const uint32_t code = u16(data + 2 * size_t{k});
                    if (code >= length) throw std::runtime_error("a code beyond its range");
                    f.glyphs[start + code] = glyphOf(first + k);
                }
            } else {
                throw std::runtime_error("a cmap of type " + std::to_string(type));
            }
        }
        f.ok = true;
    } catch (const std::exception& e) {
        f.error = e.what();
    }
    return f;
}

// The bytes of a u8g2 font source's array named name (its string literal).
inline std::string U8g2SourceBytes(std::string_view text, const std::string& name) {
    for (const CToken& t : Initialiser(LexC(text), name))
        if (t.kind == CToken::String) return t.text;
    throw std::runtime_error("no string for " + name);
}

}  // namespace zemtra::test
