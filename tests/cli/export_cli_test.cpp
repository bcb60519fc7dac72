// zemtra-cli export as scripts and build systems run it: the formats and character sources, the
// summary line of left-out characters, bad input refused with exit code 2 before a file is
// touched, and Ctrl+C leaving nothing behind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/run_cli.h"
#include "support/font_fixtures.h"
#include "support/font_readers.h"

namespace zemtra {
namespace {

using test::RunZemtraCli;

size_t FilesIn(const test::ScratchDir& dir) {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(dir.Path()), {}));
}

TEST(CliExport, EachFormatFromEachCharacterSource) {
    test::ScratchDir dir;
    const std::vector<std::string> font = {"--matrix", "16x16", "--face", "Liberation Sans"};
    const auto run = [&](std::vector<std::string> args) {
        args.insert(args.begin(), "export");
        args.insert(args.end(), font.begin(), font.end());
        return RunZemtraCli(args);
    };
    test::CliRun r = run({"--format", "bdf", "--text", "Hello", "-o", (dir / "h.bdf").string()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out + r.err, "");
    EXPECT_NE(test::ReadBytes(dir / "h.bdf").find("CHARS 4\n"), std::string::npos);

    r = run({"--format", "adafruit-gfx", "--range", "U+0030-U+0039", "--name", "Digits16", "-o",
             (dir / "digits.h").string()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const test::ReadFont gfx = test::ReadGfxFont(dir / "digits.h", "Digits16");
    ASSERT_TRUE(gfx.ok) << gfx.error;
    EXPECT_EQ(gfx.glyphs.size(), 10u);

    // GB2312's first row of hanzi: 94 codes, each converted in code page 936.
    r = run({"--format", "lvgl", "--bpp", "4", "--compress", "--codepage", "gb2312", "--from",
             "B0A1", "--to", "B0FE", "-o", (dir / "hz.c").string()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const test::ReadFont lvgl = test::ReadLvglFont(dir / "hz.c", "hz");
    ASSERT_TRUE(lvgl.ok) << lvgl.error;
    EXPECT_EQ(lvgl.glyphs.size(), 94u);
    EXPECT_EQ(lvgl.bitmapFormat, 1);
    EXPECT_TRUE(lvgl.glyphs.contains(U'\u554A'));  // B0A1

    // From a project: its list, its settings.
    const std::string project = (dir / "p.fprj").string();
    ASSERT_EQ(
        RunZemtraCli({"project", "save", project, "--matrix", "12x12", "--text", "ABBA"}).exitCode,
        0);
    r = RunZemtraCli(
        {"export", "--project", project, "--format", "bdf", "-o", (dir / "p.bdf").string()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const std::string bdf = test::ReadBytes(dir / "p.bdf");
    EXPECT_NE(bdf.find("CHARS 2\n"), std::string::npos);
    EXPECT_NE(bdf.find("FONT_ASCENT "), std::string::npos);
}

TEST(CliExport, LeftOutCharactersAreCountedInOneLine) {
    test::ScratchDir dir;
    const test::CliRun r = RunZemtraCli(
        {"export", "--format", "lvgl", "--text", "A\uFFFE\uFFFF", "-o", (dir / "f.c").string()});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err,
              "zemtra-cli: left out 2 of 3 characters, which neither the face nor a linked face "
              "has: U+FFFE U+FFFF\n");
    EXPECT_TRUE(std::filesystem::exists(dir / "f.c"));
    // None at all: nothing written, and said so.
    const test::CliRun none = RunZemtraCli(
        {"export", "--format", "bdf", "--text", "\uFFFF", "-o", (dir / "n.bdf").string()});
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_NE(none.err.find("no face has any"), std::string::npos) << none.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "n.bdf"));
}

TEST(CliExport, BadInputExitsTwoWithOneLineAndWritesNothing) {
    test::ScratchDir dir;
    const std::string out = (dir / "font.c").string();
    const std::string empty = (dir / "empty.fprj").string();
    ASSERT_EQ(RunZemtraCli({"project", "save", empty, "--text", ""}).exitCode, 0);
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--format", "pcf", "--text", "A", "-o", out}, "is not one of lvgl|adafruit-gfx|bdf"},
        {{"--text", "A", "-o", out}, "--format"},
        {{"--format", "lvgl", "--text", "A"}, "-o FILE"},
        {{"--format", "lvgl", "--bpp", "3", "--text", "A", "-o", out}, "1, 2, 4 or 8"},
        {{"--format", "lvgl", "--bpp", "16", "--text", "A", "-o", out}, "1, 2, 4 or 8"},
        {{"--format", "bdf", "--bpp", "2", "--text", "A", "-o", out}, "one bit per dot"},
        {{"--format", "adafruit-gfx", "--bpp", "4", "--text", "A", "-o", out}, "one bit"},
        {{"--format", "lvgl", "--compress", "--text", "A", "-o", out}, "2 and 4 bits"},
        {{"--format", "lvgl", "--name", "my-font", "--text", "A", "-o", out}, "C identifier"},
        {{"--format", "lvgl", "--name", "static", "--text", "A", "-o", out}, "C identifier"},
        {{"--format", "lvgl", "--text", "", "-o", out}, "character set is empty"},
        {{"--format", "lvgl", "--project", empty, "-o", out}, "character set is empty"},
        {{"--format", "lvgl", "--range", "U+0041-", "-o", out}, "--range"},
        {{"--format", "lvgl", "--range", "U+0050-U+0041", "-o", out}, "backwards"},
        {{"--format", "lvgl", "--range", "U+10FFFF-U+110000", "-o", out}, "U+10FFFF"},
        {{"--format", "lvgl", "--text", "A", "--range", "U+42", "-o", out}, "one way"},
        {{"--format", "adafruit-gfx", "--text", "A\u4E2D", "-o", out}, "0x00..0xFF"},
        {{"--format", "lvgl", "--text", "A", "--matrix", "0x8", "-o", out}, "--matrix"},
    };
    for (const auto& [args, words] : cases) {
        std::vector<std::string> command = {"export"};
        command.insert(command.end(), args.begin(), args.end());
        const test::CliRun r = RunZemtraCli(command);
        EXPECT_EQ(r.exitCode, 2) << words << ": " << r.err;
        EXPECT_EQ(r.err.rfind("zemtra-cli: ", 0), 0u) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
        EXPECT_NE(r.err.find(words), std::string::npos) << r.err;
    }
    EXPECT_EQ(FilesIn(dir), 1u);  // the project
}

TEST(CliExport, InterruptLeavesNoFileBehind) {
    test::ScratchDir dir;
    const std::string file = (dir / "cjk.c").string();
    // A big matrix keeps the glyphs rendering for seconds (the file is written after the last);
    // the interrupt comes one second in.
    const std::string command =
        "'" + std::string(ZEMTRA_CLI_PATH) +
        "' export --format lvgl --bpp 8 --range U+4E00-U+9FFF --matrix 96x96 -o '" + file +
        "' 2>/dev/null & pid=$!; sleep 1; kill -INT $pid; wait $pid; echo $?";
    std::string out;
    test::RunCommand(command, out);
    EXPECT_EQ(out, "130\n");
    EXPECT_EQ(FilesIn(dir), 0u);
}

}  // namespace
}  // namespace zemtra

namespace zemtra {
namespace {

// The help lists the formats of the table, each with the facts of its row.
TEST(CliExport, HelpListsEveryRowOfTheFormatTable) {
    const test::CliRun help = test::RunZemtraCli({"--help"});
    ASSERT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("export --format lvgl|adafruit-gfx|bdf|lvgl-bin|u8g2|vlw "),
              std::string::npos);
    for (const char* line :
         {"lvgl: LVGL (.c), bits per dot 1,2,4,8, --compress, up to U+10FFFF\n",
          "adafruit-gfx: Adafruit GFX (.h), bits per dot 1, up to U+00FF\n",
          "bdf: BDF (.bdf), bits per dot 1, up to U+10FFFF\n",
          "lvgl-bin: LVGL binary (.bin), bits per dot 1,2,4,8, --compress, up to U+10FFFF\n",
          "u8g2: u8g2 (.c), bits per dot 1, up to U+FFFF\n",
          "vlw: TFT_eSPI smooth (.vlw), bits per dot 8, up to U+FFFF\n"}) {
        EXPECT_NE(help.out.find(line), std::string::npos) << line;
    }
}

}  // namespace
}  // namespace zemtra
