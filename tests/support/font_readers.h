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
#include "support/font_decoders.h"
#include "support/test_support.h"

namespace zemtra::test {

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

// A TFT_eSPI smooth font (.vlw) file, decoded as TFT_eSPI reads it (DecodeVlw).
inline ReadFont ReadVlwFont(const std::filesystem::path& file) {
    return DecodeVlw(ReadBytes(file));
}

// A u8g2 font file: compiled with the documentation's stand-in u8g2.h, its array written out by a
// small program, then decoded as u8g2's font format describes it (DecodeU8g2).
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
    return DecodeU8g2(ReadBytes(exe.string() + ".bin"));
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
