// zemtra-cli with font sources and the firmware's characters: --source on the commands that take
// settings and in the project file, --chars-from on the commands that take characters,
// --no-kerning; mistakes named with exit code 2 before anything is written.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/unicode.h"
#include "cli/run_cli.h"
#include "support/font_readers.h"

namespace zemtra {
namespace {

using test::RunZemtraCli;

constexpr char kIcons[] = "FontAwesome@U+F000-U+F0FF@size=14@offset=0,1";
// A FontAwesome file (Debian ships two).
constexpr char kIconFile[] = "/usr/share/fonts/opentype/font-awesome/FontAwesome.otf";

// The file fontconfig finds for the name FontAwesome, which draws what the name draws.
std::string IconFileOfName() {
    std::string file;
    test::RunCommand("fc-match -f '%{file}' FontAwesome", file);
    return file;
}

TEST(CliSources, BadSourcesAreNamedWithExitTwo) {
    const struct {
        std::string source;
        const char* says;
    } cases[] = {
        {"NoSuchFace@U+0041", "\"NoSuchFace@U+0041\": no installed face has this name"},
        {"/no/such/font.ttf", "\"/no/such/font.ttf\": there is no such file"},
        {std::string(kIconFile) + "#3", "holds 1 face(s), numbered from 0"},
        {"FontAwesome@size=0", "\"size=0\" is no size"},
        {"FontAwesome@size=12@size=13", "\"size=13\" is given twice or is unknown"},
        {"FontAwesome@offset=1", "\"offset=1\" is no offset"},
        {"FontAwesome@U+F0FF-U+F000", "runs backwards"},
        {"FontAwesome@U+ZZ", "\"U+ZZ\" is not a character code"},
        {"", "no face or file is named"},
    };
    for (const auto& c : cases) {
        const test::CliRun r = RunZemtraCli({"show", "--char", "A", "--source", c.source});
        EXPECT_EQ(r.exitCode, 2) << c.source;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << c.source << ": " << r.err;
        EXPECT_EQ(r.out, "") << c.source;
    }
}

TEST(CliSources, ShowDrawsTheSourcesGlyphAndProjectsKeepTheSources) {
    const test::ScratchDir dir;
    const std::string icon = "\xEF\x80\x95";  // U+F015
    const auto show = [&](std::vector<std::string> args) {
        args.insert(args.begin(), {"show", "--matrix", "16x16", "--char", icon});
        const test::CliRun r = RunZemtraCli(args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return r.out;
    };
    const std::string linked = show({});
    const std::string sourced = show({"--source", kIcons});
    EXPECT_NE(sourced, linked);
    // The same face as a file draws the same dots.
    EXPECT_EQ(show({"--source", IconFileOfName() + "@U+F000-U+F0FF@size=14@offset=0,1"}), sourced);
    // One dot down: the same rows, one further down.
    const std::string up = show({"--source", "FontAwesome@U+F000-U+F0FF@size=14"});
    EXPECT_EQ(sourced.substr(17), up.substr(0, up.size() - 17));

    // Saved in [Sources] in their order, loaded by the next command, kept by the next save.
    const std::string project = (dir / "p.fprj").string();
    ASSERT_EQ(RunZemtraCli({"project", "save", project, "--matrix", "16x16", "--source", kIcons,
                            "--source", "DejaVu Sans@U+0041-U+005A"})
                  .exitCode,
              0);
    // Project files are UTF-16LE.
    const auto utf16 = [](std::u16string_view text) { return Utf16LeWithMark(text).substr(2); };
    EXPECT_NE(test::ReadBytes(project).find(
                  utf16(u"[Sources]\r\n1=FontAwesome@U+F000-U+F0FF@size=14@offset=0,1\r\n"
                        u"2=DejaVu Sans@U+0041-U+005A\r\n")),
              std::string::npos);
    EXPECT_EQ(show({"--project", project}), sourced);
    ASSERT_EQ(
        RunZemtraCli({"project", "save", project, "--project", project, "--text", "x"}).exitCode,
        0);
    EXPECT_NE(
        test::ReadBytes(project).find(utf16(u"1=FontAwesome@U+F000-U+F0FF@size=14@offset=0,1")),
        std::string::npos);
}

// The C source and the font library take the source too: decoded from their words, the icon is
// what show draws with it, and not what it draws without.
TEST(CliSources, EveryOutputTakesTheSources) {
    const test::ScratchDir dir;
    const std::string icon = "\xEF\x80\x95";  // U+F015
    const std::vector<std::string> font = {"--matrix", "16x16", "--source", kIcons};
    const auto run = [&](std::vector<std::string> args, bool withSource = true) {
        if (withSource) args.insert(args.end(), font.begin(), font.end());
        const test::CliRun r = RunZemtraCli(args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return r.out;
    };
    const std::string shown = run({"show", "--char", icon});
    EXPECT_NE(run({"show", "--char", icon, "--matrix", "16x16"}, false), shown);
    const std::string c = (dir / "f.c").string();
    run({"c-source", "--text", "A" + icon, "-o", c});
    EXPECT_EQ(run({"decode", "--c-source", c, "--char", icon, "--matrix", "16x16"}, false), shown);
    const std::string dzk = (dir / "f.dzk").string();
    const std::vector<std::string> range = {"--codepage", "unicode", "--from",
                                            "F010",       "--to",    "F01F"};
    std::vector<std::string> library = {"library", "-o", dzk};
    library.insert(library.end(), range.begin(), range.end());
    run(library);
    std::vector<std::string> decode = {"decode", "--dzk",    dzk,    "--code",
                                       "F015",   "--matrix", "16x16"};
    decode.insert(decode.end(), range.begin(), range.end());
    EXPECT_EQ(run(decode, false), shown);
}

TEST(CliSources, CharsFromAddsTheFirmwaresCharacters) {
    const test::ScratchDir dir;
    test::WriteBytes(dir / "ui.c", "lv_label_set_text(l, \"Temp: 25\\u00B0C\"); // \"zz\"\n");
    test::WriteBytes(dir / "de.po",
                     "msgid \"Open\"\nmsgstr \"\xC3\x96"
                     "ffnen\"\n");
    // Export: the union with --text.
    test::CliRun r = RunZemtraCli({"export", "--format", "lvgl", "--matrix", "16x16", "--text",
                                   "AB", "--chars-from", (dir / "ui.c").string(), "--chars-from",
                                   (dir / "de.po").string(), "-o", (dir / "f.c").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const test::ReadFont f = test::ReadLvglFont(dir / "f.c", "f");
    ASSERT_TRUE(f.ok) << f.error;
    std::u32string got;
    for (const auto& [c, g] : f.glyphs) got += c;
    EXPECT_EQ(got, U" 25:ABCTefmnp\u00B0\u00D6");

    // project save appends what the list lacks; c-source takes the same list.
    const std::string project = (dir / "p.fprj").string();
    r = RunZemtraCli(
        {"project", "save", project, "--text", "Te", "--chars-from", (dir / "de.po").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(test::ReadBytes(project).find(Utf16LeWithMark(u"LIST=Tefn\u00D6\r\n").substr(2)),
              std::string::npos);

    // A file that is not UTF-8 is named with its offset; a command without characters
    // refuses the option.
    test::WriteBytes(dir / "bad.json", "{\"a\": \"\xFF\"}");
    r = RunZemtraCli({"c-source", "--chars-from", (dir / "bad.json").string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("bad.json\": it is not UTF-8 text: byte 7"), std::string::npos) << r.err;
    r = RunZemtraCli({"show", "--char", "A", "--chars-from", (dir / "ui.c").string()});
    EXPECT_EQ(r.exitCode, 2);
}

TEST(CliSources, NoKerningLeavesThePairsOut) {
    const test::ScratchDir dir;
    for (const bool kern : {true, false}) {
        std::vector<std::string> args = {"export",
                                         "--format",
                                         "lvgl",
                                         "--face",
                                         "DejaVu Sans",
                                         "--matrix",
                                         "20x20",
                                         "--font-size",
                                         "0x-16",
                                         "--text",
                                         "AVTo",
                                         "-o",
                                         (dir / "k.c").string()};
        if (!kern) args.push_back("--no-kerning");
        const test::CliRun r = RunZemtraCli(args);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const test::ReadFont f = test::ReadLvglFont(dir / "k.c", "k");
        ASSERT_TRUE(f.ok) << f.error;
        // hb-shape: A before V -131 units of 2048 at a 16-dot em.
        EXPECT_EQ(f.kerning.count({U'A', U'V'}) ? f.kerning.at({U'A', U'V'}) : 0, kern ? -16 : 0);
    }
}

}  // namespace
}  // namespace zemtra
