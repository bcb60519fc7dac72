// The firmware side: runtime/zemtra_font.c, built as C99 with -pedantic and every warning an
// error, reads libraries the library job wrote (with the header --header wrote) through its
// read callback, in every code page, orientation, direction, polarity and word width; each glyph
// must be what show prints, and bad codes, short buffers and failing reads give their errors.
#include <gtest/gtest.h>

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
    const char* matrix;
    const char* orientation;
    const char* direction;
    const char* polarity;
    const char* bits;
};

const Case kCases[] = {
    {"unicode", "0041", "0042", "0041", "A", "16x16", "row", "forward", "cathode", "8"},
    {"unicode", "4E00", "4E2F", "4E2D", "中", "12x12", "column", "backward", "anode", "16"},
    {"gb2312", "B0A1", "B0FE", "B0A1", "啊", "16x16", "row-column", "forward", "cathode", "32"},
    {"gbk", "8140", "81FE", "8140", "丂", "12x12", "column-row", "backward", "cathode", "4"},
    {"gbk", "8140", "82FE", "8241", "侫", "13x11", "row", "backward", "anode", "24"},
    {"big5", "A440", "A4FE", "A440", "一", "10x13", "column", "forward", "anode", "8"},
    {"big5", "A440", "A4FE", "A4A1", "丑", "16x16", "row-column", "backward", "cathode", "4"},
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
        const test::CliRun made = RunZemtraCli(
            {"library",   "--codepage", c.codepage, "--from",        c.from,        "--to",
             c.to,        "--matrix",   c.matrix,   "--orientation", c.orientation, "--direction",
             c.direction, "--polarity", c.polarity, "--bits",        c.bits,        "-o",
             dzk,         "--header",   header});
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
                        "-DINFO=lib_info -I" +
                        test::ShellQuote(runtime) + " -I" + test::ShellQuote(dir.Path().string()) +
                        " " + test::ShellQuote((test::FontReadersDir() / "zf_dump.c").string()) +
                        " " + test::ShellQuote(runtime + "/zemtra_font.c") + " -o " +
                        test::ShellQuote(exe),
                    out),
                0)
                << out;
            // The code, a code outside the rectangle, a short buffer and a failing read.
            ASSERT_EQ(test::RunCommand(test::ShellQuote(exe) + " " + test::ShellQuote(dzk) + " " +
                                           c.code + " FFFF t" + c.code + " r" + c.code,
                                       out),
                      0)
                << out;
            EXPECT_EQ(out, Show(c.character, c.matrix) + "error -1\nerror -2\nerror -3\n")
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

}  // namespace
}  // namespace zemtra
