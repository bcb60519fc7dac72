// Reading exported fonts back without the writer's help: the LVGL and Adafruit GFX readers are
// C programs written from the formats' documentation (support/font_readers/), compiled with the
// system's C compiler together with the exported file and run; BDF and PCF go through
// FreeType's own drivers (tests that link FreeType include font_readers_freetype.h).
#pragma once

#include <sys/wait.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/dot_matrix.h"
#include "support/test_support.h"

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

inline std::filesystem::path FontReadersDir() {
    return ZEMTRA_FONT_READERS;
}

// Runs a shell command; its standard output, with the exit code.
inline int RunCommand(const std::string& command, std::string& out) {
    out.clear();
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return -1;
    char buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Compiles the reader with the font and runs it; the reader's output or the failure.
inline bool CompileAndRun(const std::string& compile, const std::filesystem::path& exe,
                          std::string& out) {
    if (RunCommand(compile, out) != 0) return false;
    return RunCommand(ShellQuote(exe.string()), out) == 0;
}

// The rows after a glyph line: hexadecimal pairs (LVGL) or 0/1 digits (GFX).
inline void ReadRows(std::istringstream& in, ReadGlyph& g, int digits) {
    std::string row;
    for (int y = 0; y < g.height && std::getline(in, row); ++y) {
        for (int x = 0; x < g.width; ++x) {
            g.levels.push_back(
                std::stoi(row.substr(static_cast<size_t>(x * digits), static_cast<size_t>(digits)),
                          nullptr, 16));
        }
    }
}

// What the LVGL reader printed, as a font.
inline ReadFont ParseLvglReaderOutput(const std::string& out) {
    ReadFont f;
    std::istringstream in(out);
    std::string word;
    int baseLine = 0;
    in >> word >> f.lineHeight >> baseLine >> f.bpp >> f.bitmapFormat;
    std::getline(in, word);
    f.baselineRow = f.lineHeight - baseLine;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream head(line);
        std::string code;
        head >> code;
        if (code == "kern") {
            std::string left, right;
            int value = 0;
            head >> left >> right >> value;
            f.kerning[{static_cast<char32_t>(std::stoul(left.substr(2), nullptr, 16)),
                       static_cast<char32_t>(std::stoul(right.substr(2), nullptr, 16))}] = value;
            continue;
        }
        ReadGlyph g;
        int bottom = 0;
        head >> g.advance >> g.width >> g.height >> g.left >> bottom;
        g.top = bottom + g.height;
        g.advance /= 16;
        ReadRows(in, g, 2);
        f.glyphs[static_cast<char32_t>(std::stoul(code.substr(2), nullptr, 16))] = g;
    }
    f.ok = true;
    return f;
}

// An exported LVGL font, compiled against the test's lvgl.h with -std=c99 -Werror (cflags add
// e.g. -DLV_FONT_FMT_TXT_LARGE=1).
inline ReadFont ReadLvglFont(const std::filesystem::path& source, const std::string& name,
                             const std::string& cflags = "") {
    const std::filesystem::path exe = source.string() + ".reader";
    const std::string compile = "cc -std=c99 -Wall -Wextra -Werror " + cflags + " -DFONT=" + name +
                                " -I" + ShellQuote(FontReadersDir().string()) + " " +
                                ShellQuote(source.string()) + " " +
                                ShellQuote((FontReadersDir() / "lvgl_reader.c").string()) + " -o " +
                                ShellQuote(exe.string());
    std::string out;
    if (!CompileAndRun(compile, exe, out)) {
        ReadFont f;
        f.error = out;
        return f;
    }
    return ParseLvglReaderOutput(out);
}

// An LVGL binary font file, loaded by lvgl_bin_loader.c (written from the format) into the
// structures the same reader walks.
inline ReadFont ReadLvglBinFont(const std::filesystem::path& file) {
    const std::filesystem::path exe = file.string() + ".reader";
    const std::string compile =
        "cc -std=c99 -Wall -Wextra -Werror -DLVGL_BIN_READER -DLV_FONT_FMT_TXT_LARGE=1 -I" +
        ShellQuote(FontReadersDir().string()) + " " +
        ShellQuote((FontReadersDir() / "lvgl_reader.c").string()) + " " +
        ShellQuote((FontReadersDir() / "lvgl_bin_loader.c").string()) + " -o " +
        ShellQuote(exe.string());
    std::string out;
    if (RunCommand(compile, out) != 0 ||
        RunCommand(ShellQuote(exe.string()) + " " + ShellQuote(file.string()), out) != 0) {
        ReadFont f;
        f.error = out;
        return f;
    }
    return ParseLvglReaderOutput(out);
}

// A TFT_eSPI smooth font (.vlw), read as TFT_eSPI's Smooth_font.cpp reads it: six big-endian
// 32-bit values (glyph count, version, size, 0, ascent, descent), seven per glyph (code, height,
// width, advance, top above the baseline, left, 0), then each glyph's width x height coverage
// bytes in the records' order; the line is ascent + descent rows, the baseline ascent rows down.
inline ReadFont ReadVlwFont(const std::filesystem::path& file) {
    ReadFont f;
    const std::string bytes = ReadBytes(file);
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

// A u8g2 font file: compiled with the documentation's stand-in u8g2.h, its array written out by a
// small program, then decoded as u8g2's font format describes it: a 23-byte header (glyph count,
// box mode, the run-length widths for unlit and lit dots, the bit widths of width, height, x, y
// and advance, ...), records of code (one byte, or two after 0xFF with a jump table first), size
// and bits, least significant first: width, height, x + 2^(n-1), y + 2^(n-1), advance +
// 2^(n-1), then pairs of unlit and lit run lengths over the box, top row first, each pair
// followed by 1 bits repeating it and a 0 bit. y is the box's lower edge above the baseline.
inline ReadFont ReadU8g2Font(const std::filesystem::path& source, const std::string& name) {
    ReadFont f;
    const std::filesystem::path exe = source.string() + ".dump";
    const std::filesystem::path dump = source.string() + ".main.c";
    // sizeof needs the array's size: the dump includes the font instead of linking it.
    WriteBytes(dump, "#include <stdio.h>\n#include \"" + source.string() +
                         "\"\nint main(void) { fwrite(" + name + ", 1, sizeof " + name +
                         ", stdout); return 0; }\n");
    std::string out;
    const std::string compile = "cc -std=c99 -Wall -Wextra -Werror -I" +
                                ShellQuote((FontReadersDir() / "../../docs/stand_ins").string()) +
                                " " + ShellQuote(dump.string()) + " -o " + ShellQuote(exe.string());
    if (RunCommand(compile, out) != 0 ||
        RunCommand(ShellQuote(exe.string()) + " > " + ShellQuote(exe.string() + ".bin"), out) !=
            0) {
        f.error = out;
        return f;
    }
    const std::string font = ReadBytes(exe.string() + ".bin");
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
                do {
                    g.levels.insert(g.levels.end(), a, 0);
                    g.levels.insert(g.levels.end(), b, 1);
                } while (take(1) == 1);
            }
        } else {
            g.height = 0;
        }
        g.levels.resize(dots);
        if (g.width * g.height == 0) g.top = g.left = 0;
        f.glyphs[code] = g;
    };
    size_t at = 23;
    while (byte(at + 1) != 0) {  // the glyphs up to 0xFF
        decode(at + 2, byte(at));
        at += byte(at + 1);
    }
    at += 2;
    at += (byte(at) << 8 | byte(at + 1));  // past the jump table (its first entry's distance)
    while ((byte(at) << 8 | byte(at + 1)) != 0) {
        decode(at + 3, static_cast<char32_t>(byte(at) << 8 | byte(at + 1)));
        at += byte(at + 2);
    }
    f.ok = true;
    return f;
}

// An exported Adafruit GFX header, compiled with the test's gfxfont.h.
inline ReadFont ReadGfxFont(const std::filesystem::path& header, const std::string& name) {
    ReadFont f;
    const std::filesystem::path exe = header.string() + ".reader";
    const std::string compile = "cc -std=c99 -Wall -Wextra -Werror -DFONT=" + name + " " +
                                ShellQuote("-DGFX_HEADER=\"" + header.string() + "\"") + " -I" +
                                ShellQuote(FontReadersDir().string()) + " " +
                                ShellQuote((FontReadersDir() / "gfx_reader.c").string()) + " -o " +
                                ShellQuote(exe.string());
    std::string out;
    if (!CompileAndRun(compile, exe, out)) {
        f.error = out;
        return f;
    }
    std::istringstream in(out);
    std::string word;
    int first = 0, last = 0;
    in >> word >> first >> last >> f.lineHeight;
    std::getline(in, word);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream head(line);
        unsigned code = 0;
        ReadGlyph g;
        int yOffset = 0;
        head >> code >> g.advance >> g.width >> g.height >> g.left >> yOffset;
        g.top = -yOffset;
        ReadRows(in, g, 1);
        f.glyphs[code] = g;
    }
    f.ok = true;
    return f;
}

// The glyph's levels on a W x H line whose pen stands at originColumn and whose baseline row is
// baselineRow; parts outside the line are dropped, the rest of the line is 0.
inline std::vector<int> OnWindow(const ReadGlyph& g, int w, int h, int originColumn,
                                 int baselineRow) {
    std::vector<int> window(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
    for (int y = 0; y < g.height; ++y) {
        for (int x = 0; x < g.width; ++x) {
            const int col = originColumn + g.left + x;
            const int row = baselineRow - g.top + y;
            if (col < 0 || row < 0 || col >= w || row >= h) continue;
            window[static_cast<size_t>(row) * w + col] =
                g.levels[static_cast<size_t>(y) * g.width + x];
        }
    }
    return window;
}

// A matrix's dots, or a coverage matrix's levels at bpp, as a line's levels.
inline std::vector<int> MatrixLevels(const DotMatrix& m) {
    std::vector<int> levels;
    for (int y = 0; y < m.Height(); ++y) {
        for (int x = 0; x < m.Width(); ++x) levels.push_back(m.Row(y)[x]);
    }
    return levels;
}

// Levels as rows of digits, for messages.
inline std::string LevelRows(const std::vector<int>& levels, int w) {
    std::string text;
    for (size_t i = 0; i < levels.size(); ++i) {
        text += levels[i] == 0 ? '.' : static_cast<char>(levels[i] < 10 ? '0' + levels[i] : '#');
        if ((i + 1) % static_cast<size_t>(w) == 0) text += '\n';
    }
    return text;
}

}  // namespace zemtra::test
