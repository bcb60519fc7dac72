// The firmware side: runtime/zemtra_font.c, built as C99 with -pedantic and every warning an
// error, reads libraries the library job wrote (with the header --header wrote) through its
// read callback, in every code page, orientation, direction, polarity and word width; each glyph
// must be what show prints, and bad codes, short buffers and failing reads give their errors.
#include <gtest/gtest.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/run_cli.h"
#include "support/font_readers.h"

namespace zemtra {
namespace {

using test::RunZemtraCli;

struct Case {
    const char* codepage;
    const char* from;
    const char* to;
    const char* code;
    const char* character;  // what show draws for the code
    const char* unicode;    // the character's code point
    const char* matrix;
    const char* orientation;
    const char* direction;
    const char* polarity;
    const char* bits;
};

const Case kCases[] = {
    {"unicode", "0041", "0042", "0041", "A", "0041", "16x16", "row", "forward", "cathode", "8"},
    {"unicode", "4E00", "4E2F", "4E2D", "中", "4E2D", "12x12", "column", "backward", "anode", "16"},
    {"gb2312", "B0A1", "B0FE", "B0A1", "啊", "554A", "16x16", "row-column", "forward", "cathode",
     "32"},
    {"gbk", "8140", "81FE", "8140", "丂", "4E02", "12x12", "column-row", "backward", "cathode",
     "4"},
    {"gbk", "8140", "82FE", "8241", "侫", "4FAB", "13x11", "row", "backward", "anode", "24"},
    {"big5", "A440", "A4FE", "A440", "一", "4E00", "10x13", "column", "forward", "anode", "8"},
    {"big5", "A440", "A4FE", "A4A1", "丑", "4E11", "16x16", "row-column", "backward", "cathode",
     "4"},
};

std::string Show(const char* character, const char* matrix) {
    return RunZemtraCli({"show", "--matrix", matrix, "--char", character}).out;
}

TEST(Runtime, ReadsEveryCodePageAndScanModeAsShowDraws) {
    const test::ScratchDir dir;
    const std::string runtime = std::string(ZEMTRA_SOURCE_DIR) + "/runtime";
    for (const Case& c : kCases) {
        SCOPED_TRACE(std::string(c.codepage) + " " + c.code + " " + c.orientation + " " +
                     c.direction + " " + c.polarity + " " + c.bits);
        const std::string dzk = (dir / "lib.dzk").string(), header = (dir / "lib.h").string();
        const bool unicode = std::string(c.codepage) == "unicode";
        std::vector<std::string> args = {
            "library",   "--codepage", c.codepage, "--from",        c.from,        "--to",
            c.to,        "--matrix",   c.matrix,   "--orientation", c.orientation, "--direction",
            c.direction, "--polarity", c.polarity, "--bits",        c.bits,        "-o",
            dzk,         "--header",   header};
        if (!unicode) args.push_back("--unicode-map");
        const test::CliRun made = RunZemtraCli(args);
        ASSERT_EQ(made.exitCode, 0) << made.err;
        std::string out;
        for (const char* compiler : {"gcc", "clang"}) {
            std::string which;
            if (test::RunCommand(std::string("command -v ") + compiler, which) != 0) continue;
            const std::string exe = (dir / "dump").string();
            ASSERT_EQ(
                test::RunCommand(
                    std::string(compiler) +
                        " -std=c99 -Wall -Wextra -pedantic -Werror -fsanitize=address,"
                        "undefined -fno-sanitize-recover=all -DHEADER='\"lib.h\"' "
                        "-DINFO=lib_info " +
                        (unicode ? "" : "-DMAP=lib_unicode_map ") + "-I" +
                        test::ShellQuote(runtime) + " -I" + test::ShellQuote(dir.Path().string()) +
                        " " + test::ShellQuote((test::FontReadersDir() / "zf_dump.c").string()) +
                        " " + test::ShellQuote(runtime + "/zemtra_font.c") + " -o " +
                        test::ShellQuote(exe),
                    out),
                0)
                << out;
            // The code, a code outside the rectangle, a short buffer, a failing read; the code of
            // the character, and of U+FFFE, which no library holds.
            ASSERT_EQ(test::RunCommand(test::ShellQuote(exe) + " " + test::ShellQuote(dzk) + " " +
                                           c.code + " FFFF t" + c.code + " r" + c.code + " u" +
                                           c.unicode + " uFFFE",
                                       out),
                      0)
                << out;
            EXPECT_EQ(out, Show(c.character, c.matrix) + "error -1\nerror -2\nerror -3\ncode " +
                               c.code + "\nerror -1\n")
                << compiler;
        }
    }
}

// Text through zf_draw_text: W dots a character, a character without a record left empty; bytes
// that are no UTF-8 stand for U+FFFD, which has none here.
TEST(Runtime, DrawsUtf8TextAsShowDrawsItsCharacters) {
    const test::ScratchDir dir;
    const std::string runtime = std::string(ZEMTRA_SOURCE_DIR) + "/runtime";
    ASSERT_EQ(RunZemtraCli({"library", "--codepage", "unicode", "--from", "0041", "--to", "0043",
                            "--matrix", "8x8", "-o", (dir / "abc.dzk").string(), "--header",
                            (dir / "abc.h").string()})
                  .exitCode,
              0);
    std::string out;
    const std::string exe = (dir / "dump").string();
    ASSERT_EQ(
        test::RunCommand(
            "cc -std=c99 -Wall -Wextra -pedantic -Werror -DHEADER='\"abc.h\"' "
            "-DINFO=abc_info -I" +
                test::ShellQuote(runtime) + " -I" + test::ShellQuote(dir.Path().string()) + " " +
                test::ShellQuote((test::FontReadersDir() / "zf_dump.c").string()) + " " +
                test::ShellQuote(runtime + "/zemtra_font.c") + " -o " + test::ShellQuote(exe),
            out),
        0)
        << out;
    ASSERT_EQ(test::RunCommand(test::ShellQuote(exe) + " " +
                                   test::ShellQuote((dir / "abc.dzk").string()) +
                                   " \"$(printf '=A\\377C')\"",
                               out),
              0)
        << out;
    const std::string a = Show("A", "8x8"), c = Show("C", "8x8");
    std::string want;
    for (size_t row = 0; row < 8; ++row) {
        want += a.substr(row * 9, 8) + "........" + c.substr(row * 9, 8) + "\n";
    }
    EXPECT_EQ(out, want);
}

// The map as the firmware gets it, byte for byte (the characters as Windows' code page 936
// decodes them: A1A4 is U+00B7); a character two codes share (BIG5 has two such pairs) keeps
// its lowest code.
TEST(Runtime, HeaderWithUnicodeMap) {
    const test::ScratchDir dir;
    const std::string header = (dir / "marks.h").string();
    ASSERT_EQ(RunZemtraCli({"library", "--codepage", "gb2312", "--from", "A1A1", "--to", "A1A8",
                            "-o", (dir / "marks.dzk").string(), "--header", header, "--unicode-map",
                            "--name", "punct"})
                  .exitCode,
              0);
    EXPECT_EQ(test::ReadBytes(header),
              "/* punct: a font library made by Zemtra, as runtime/zemtra_font.h reads it. */\n\n"
              "#include \"zemtra_font.h\"\n\n"
              "static const zf_library_info punct_info = {\n"
              "    .width = 16,\n    .height = 16,\n    .record_size = 32,\n"
              "    .code_page = ZF_GB2312,\n    .first_code = 0xA1A1,\n    .last_code = 0xA1A8,\n"
              "    .orientation = ZF_ROW,\n    .backward = 0,\n    .anode = 0,\n"
              "    .word_bits = 8,\n};\n\n"
              "/* The library's characters sorted by character, each with its code. */\n"
              "static const zf_map_entry punct_unicode_map_entries[8] = {\n"
              "    {0x00A8, 0xA1A7}, {0x00B7, 0xA1A4}, {0x02C7, 0xA1A6}, {0x02C9, 0xA1A5}, "
              "{0x3000, 0xA1A1},\n"
              "    {0x3001, 0xA1A2}, {0x3002, 0xA1A3}, {0x3003, 0xA1A8},\n};\n"
              "static const zf_unicode_map punct_unicode_map = {punct_unicode_map_entries, 8};\n");

    ASSERT_EQ(RunZemtraCli({"library", "--codepage", "big5", "--from", "A140", "--to", "A4FE", "-o",
                            (dir / "b5.dzk").string(), "--header", header, "--unicode-map"})
                  .exitCode,
              0);
    const std::string text = test::ReadBytes(header);
    for (const char* entry : {"{0x5341, 0xA2CC}", "{0x5345, 0xA2CE}", "{0x4E00, 0xA440}"}) {
        EXPECT_NE(text.find(entry), std::string::npos) << entry;
    }
    for (const char* entry : {"0xA451}", "0xA4CA}"}) {
        EXPECT_EQ(text.find(entry), std::string::npos) << entry;
    }
}

TEST(Runtime, UnicodeMapRefusals) {
    const test::ScratchDir dir;
    const std::string dzk = (dir / "x.dzk").string(), header = (dir / "x.h").string();
    const struct {
        std::vector<std::string> args;
        const char* err;
    } cases[] = {
        {{"library", "--codepage", "unicode", "--from", "41", "--to", "42", "-o", dzk, "--header",
          header, "--unicode-map"},
         "zemtra-cli: --unicode-map: a unicode library's codes are its characters; it needs no "
         "map\n"},
        {{"library", "--codepage", "gbk", "--from", "8140", "--to", "8142", "-o", dzk,
          "--unicode-map"},
         "zemtra-cli: --unicode-map: the map goes into the header; give --header FILE.h\n"},
    };
    for (const auto& c : cases) {
        const test::CliRun run = RunZemtraCli(c.args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.err, c.err);
        EXPECT_FALSE(std::filesystem::exists(dzk));
    }
}

// The glue as LVGL, u8g2 and Adafruit GFX call it (their headers replaced by the tests'
// stand-ins; bench/check_runtime_glue.sh runs the examples with the libraries themselves): a
// 12 x 12 GB2312 library, whose rows do not fill whole bytes, through its map. LVGL gets one
// glyph the line's height at the line's top, A8 levels of 0 and 255 in a padded draw buffer and
// the plain rows raw; u8g2 and GFX draw "你A好" with the gap the library leaves for "A".
TEST(Runtime, GlueForLvglU8g2AndAdafruitGfx) {
    const test::ScratchDir dir;
    const std::string runtime = std::string(ZEMTRA_SOURCE_DIR) + "/runtime";
    const std::string dzk = (dir / "hz.dzk").string();
    ASSERT_EQ(RunZemtraCli({"library", "--codepage", "gb2312", "--from", "B0A1", "--to", "C4FE",
                            "--matrix", "12x12", "--orientation", "column", "-o", dzk, "--header",
                            (dir / "hz.h").string(), "--unicode-map"})
                  .exitCode,
              0);
    const std::string includes =
        " -DHEADER='\"hz.h\"' -DINFO=hz_info -DMAP=hz_unicode_map -I" + test::ShellQuote(runtime) +
        " -I" + test::ShellQuote(runtime + "/glue") + " -I" +
        test::ShellQuote((test::FontReadersDir() / "../../docs/stand_ins").string()) + " -I" +
        test::ShellQuote(dir.Path().string()) + " ";
    std::string out;
    const std::string c = (dir / "c_glue").string(), cxx = (dir / "gfx_glue").string();
    ASSERT_EQ(
        test::RunCommand(
            "cc -std=c99 -Wall -Wextra -pedantic -Werror -fsanitize=address,undefined "
            "-fno-sanitize-recover=all" +
                includes + test::ShellQuote((test::FontReadersDir() / "zf_glue_check.c").string()) +
                " " + test::ShellQuote(runtime + "/glue/zf_lvgl.c") + " " +
                test::ShellQuote(runtime + "/glue/zf_u8g2.c") + " " +
                test::ShellQuote(runtime + "/zemtra_font.c") + " -o " + test::ShellQuote(c),
            out),
        0)
        << out;
    ASSERT_EQ(
        test::RunCommand(
            "cc -std=c99 -Wall -Wextra -pedantic -Werror -c -o " +
                test::ShellQuote((dir / "zf.o").string()) + " " +
                test::ShellQuote(runtime + "/zemtra_font.c") +
                " && c++ -std=c++17 -Wall "
                "-Wextra -Werror" +
                includes +
                test::ShellQuote((test::FontReadersDir() / "zf_gfx_check.cpp").string()) + " " +
                test::ShellQuote((dir / "zf.o").string()) + " -o " + test::ShellQuote(cxx),
            out),
        0)
        << out;

    const std::string ni = Show("你", "12x12"), hao = Show("好", "12x12");
    ASSERT_EQ(
        test::RunCommand(test::ShellQuote(c) + " " + test::ShellQuote(dzk) + " lvgl 你 A", out), 0);
    EXPECT_EQ(out, "line_height 12 base_line 0\nadv 12 box 12x12 ofs 0,0 format 1\n" + ni + ni +
                       "none\n");

    std::string row3;
    for (size_t row = 0; row < 12; ++row) {
        row3 += ni.substr(row * 13, 12) + std::string(12, '.') + hao.substr(row * 13, 12) + "\n";
    }
    ASSERT_EQ(
        test::RunCommand(test::ShellQuote(c) + " " + test::ShellQuote(dzk) + " u8g2 你A好", out),
        0);
    EXPECT_EQ(out, "line_height 12 base_line 0\n" + row3);
    ASSERT_EQ(test::RunCommand(test::ShellQuote(cxx) + " " + test::ShellQuote(dzk) + " 你A好", out),
              0);
    EXPECT_EQ(out, row3);
}

// The bare-metal example on an emulated Cortex-M3 (QEMU's mps2-an385): both libraries and their
// headers in its flash, "你好, Zemtra" drawn, 你 and 好 from the GB2312 library through its map,
// the rest from the Unicode library; every dot must be what show draws. The runtime's own code
// must stay within 2 KB of Thumb-2.
TEST(Runtime, FirmwareOnEmulatedCortexM3DrawsAsShow) {
    std::string out;
    for (const char* tool : {"arm-none-eabi-gcc", "qemu-system-arm"}) {
        ASSERT_EQ(test::RunCommand(std::string("command -v ") + tool, out), 0)
            << tool << " is missing: scripts/setup.sh installs gcc-arm-none-eabi, "
            << "libnewlib-arm-none-eabi and qemu-system-arm";
    }
    const test::ScratchDir dir;
    const std::string make =
        "make -s -C " +
        test::ShellQuote(std::string(ZEMTRA_SOURCE_DIR) + "/runtime/examples/bare_metal") +
        " ZEMTRA_CLI=" + test::ShellQuote(ZEMTRA_CLI_PATH) +
        " OUT=" + test::ShellQuote(dir.Path().string());
    ASSERT_EQ(test::RunCommand(make + " size", out), 0) << out;
    const size_t line = out.find('\n');
    ASSERT_NE(line, std::string::npos) << out;
    const unsigned long text = std::stoul(out.substr(line + 1));
    std::cout << "runtime/zemtra_font.c, Thumb-2 at -Os: " << text << " bytes of code\n";
    EXPECT_LE(text, 2048u);

    ASSERT_EQ(test::RunCommand(make + " run 2>&1", out), 0) << out;
    const char* characters[] = {"你", "好", ",", " ", "Z", "e", "m", "t", "r", "a"};
    std::vector<std::string> glyphs;
    for (const char* c : characters) glyphs.push_back(Show(c, "16x16"));
    std::string want;
    for (size_t row = 0; row < 16; ++row) {
        for (const std::string& g : glyphs) want += g.substr(row * 17, 16);
        want += "\n";
    }
    EXPECT_EQ(out, want + "reads 010\n");
}

}  // namespace
}  // namespace zemtra
