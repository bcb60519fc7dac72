// zemtra-cli edit and the hand-edited glyphs of projects: setting, listing and removing edits,
// every job taking them (the C source checked by a C compiler), bad entries named on standard
// error while the job goes on, and files written whole or not at all.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/run_cli.h"
#include "project/project_test_util.h"
#include "support/test_support.h"

namespace zemtra {
namespace {

namespace fs = std::filesystem;
using test::CliRun;
using test::ReadBytes;
using test::RunZemtraCli;
using test::ScratchDir;
using test::WriteBytes;

constexpr char kRowsA[] = "18,24,42,81,FF,81,81,00";
constexpr char kShownA[] =
    "...##...\n..#..#..\n.#....#.\n#......#\n########\n#......#\n#......#\n........\n";

// The standard output of a command.
std::string Output(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return out;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    pclose(pipe);
    return out;
}

size_t Lines(const std::string& text, const std::string& containing) {
    size_t n = 0;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) n += line.find(containing) != std::string::npos;
    return n;
}

class CliEdit : public ::testing::Test {
  protected:
    void SetUp() override {
        const CliRun made = RunZemtraCli({"project", "save", project, "--matrix", "8x8", "--face",
                                          "Liberation Sans", "--text", "AB"});
        ASSERT_EQ(made.exitCode, 0) << made.err;
    }
    CliRun Edit(std::vector<std::string> args) {
        args.insert(args.begin(), {"edit", project});
        return RunZemtraCli(args);
    }
    std::string Show(const std::string& c, std::vector<std::string> more = {}) {
        std::vector<std::string> args = {"show", "--project", project, "--char", c};
        args.insert(args.end(), more.begin(), more.end());
        const CliRun run = RunZemtraCli(args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        return run.out;
    }

    ScratchDir dir;
    std::string project = (dir / "job.fprj").string();
};

TEST_F(CliEdit, SetListAndRevertAnEditThatShowTakes) {
    const std::string font = Show("A");
    ASSERT_NE(font, kShownA);
    const CliRun set = Edit({"--char", "A", "--rows", kRowsA});
    ASSERT_EQ(set.exitCode, 0) << set.err;
    EXPECT_EQ(set.out + set.err, "");
    EXPECT_EQ(Show("A"), kShownA);
    EXPECT_EQ(Edit({"--list"}).out, std::string("U+0041 8x8=") + kRowsA + "\n");

    // Another size and a character by its code; lower-case digits are taken, upper-case kept.
    ASSERT_EQ(Edit({"--char", "U+0020", "--matrix", "6x3", "--rows", "fc,84,fc"}).exitCode, 0);
    EXPECT_EQ(Edit({"--list"}).out,
              std::string("U+0020 6x3=FC,84,FC\nU+0041 8x8=") + kRowsA + "\n");
    EXPECT_EQ(Show(" ", {"--matrix", "6x3"}), "######\n#....#\n######\n");
    EXPECT_EQ(Show("A", {"--matrix", "6x3"}).size(), 21u) << "A has no 6x3 edit: the font";

    ASSERT_EQ(Edit({"--char", "A", "--revert"}).exitCode, 0);
    EXPECT_EQ(Show("A"), font);
    EXPECT_EQ(Edit({"--list"}).out, "U+0020 6x3=FC,84,FC\n");
    const CliRun again = Edit({"--char", "A", "--revert"});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_NE(again.err.find("has no edit U+0041 8x8; nothing changed"), std::string::npos);
}

TEST_F(CliEdit, TheCSourceCarriesTheEditAsACompilerReadsIt) {
    if (std::system("cc --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "no C compiler";
    ASSERT_EQ(Edit({"--char", "A", "--rows", kRowsA}).exitCode, 0);
    const CliRun source =
        RunZemtraCli({"c-source", "--project", project, "-o", (dir / "font.c").string()});
    ASSERT_EQ(source.exitCode, 0) << source.err;
    // Row, forward, cathode, 8 bits: an 8-dot row is one byte, the row's own two digits.
    WriteBytes(dir / "main.c",
               "#include <stdio.h>\n#include \"font.c\"\n"
               "int main(void) {\n"
               "    for (int i = 0; i < 16; ++i) printf(\"%02X%c\", fontlib_8x8[i],\n"
               "                                        i % 8 == 7 ? '\\n' : ',');\n"
               "    return 0;\n}\n");
    const std::string program = (dir / "glyphs").string();
    ASSERT_EQ(std::system(("cc -std=c99 -o " + test::ShellQuote(program) + " " +
                           test::ShellQuote((dir / "main.c").string()))
                              .c_str()),
              0);
    std::istringstream lines(Output(test::ShellQuote(program)));
    std::string a, b;
    std::getline(lines, a);
    std::getline(lines, b);
    EXPECT_EQ(a, kRowsA);
    EXPECT_NE(b, kRowsA);  // B is the font's
}

TEST_F(CliEdit, OnlyTheGlyphsSectionOfTheFileChanges) {
    // A project as a person might have typed it: spaces, a comment, keys out of order.
    const std::string typed =
        "; my font\r\n[Project]\r\nBLOCKNUMX = 8\r\nVersion = V1.0\r\nBLOCKNUMY=8\r\n"
        "LIST=AB\r\n\r\n[FONT]\r\nFaceName = Liberation Sans\r\n";
    WriteBytes(project, typed);
    ASSERT_EQ(Edit({"--char", "A", "--rows", kRowsA}).exitCode, 0);
    EXPECT_EQ(ReadBytes(project), typed + "[Glyphs]\r\nU+0041 8x8=" + kRowsA + "\r\n");
    ASSERT_EQ(Edit({"--char", "A", "--revert"}).exitCode, 0);
    EXPECT_EQ(ReadBytes(project), typed + "[Glyphs]\r\n");
}

TEST_F(CliEdit, BadRequestsExitTwoAndLeaveTheFileAsItWas) {
    ASSERT_EQ(Edit({"--char", "A", "--rows", kRowsA}).exitCode, 0);
    const std::string before = ReadBytes(project);
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--char", "A", "--rows", "18,24"}, "has 2 rows; a glyph of 8x8 has 8"},
        {{"--char", "A", "--rows", "18,24,42,81,FF,81,81,0"}, "row 8 has 1 digits"},
        {{"--char", "A", "--matrix", "6x1", "--rows", "FE"}, "beyond the width of 6"},
        {{"--char", "A", "--rows", "18,24,42,81,FF,81,81,0G"}, "not hexadecimal"},
        {{"--char", "AB", "--rows", kRowsA}, "one character or U+XXXX"},
        {{"--char", "U+110000", "--rows", kRowsA}, "one character or U+XXXX"},
        {{"--char", "A"}, "one of --rows HEXROWS, --revert or --list"},
        {{"--char", "A", "--revert", "--list"}, "one of --rows"},
        {{"--list", "--char", "A"}, "--list takes no --char"},
        {{"--rows", kRowsA}, "give the character with --char"},
        {{"--project", project, "--list"}, "leave out --project"},
    };
    for (const auto& [args, message] : cases) {
        const CliRun run = Edit(args);
        EXPECT_EQ(run.exitCode, 2) << message;
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
        EXPECT_EQ(Lines(run.err, "zemtra-cli"), 1u) << run.err;
        EXPECT_EQ(ReadBytes(project), before) << message;
    }
    const CliRun none = RunZemtraCli({"edit", (dir / "none.fprj").string(), "--list"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_NE(none.err.find("is not a Zemtra project"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "none.fprj"));
}

TEST_F(CliEdit, AnUnwritableProjectIsLeftWholeAndNoTemporaryFileStays) {
    ASSERT_EQ(Edit({"--char", "A", "--rows", kRowsA}).exitCode, 0);
    const std::string before = ReadBytes(project);
    fs::permissions(project, fs::perms::owner_read | fs::perms::group_read);
    const CliRun run = Edit({"--char", "B", "--rows", kRowsA});
    fs::permissions(project, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("job.fprj"), std::string::npos) << run.err;
    EXPECT_EQ(ReadBytes(project), before);
    size_t files = 0;
    for (const auto& entry : fs::directory_iterator(dir.Path())) files += entry.exists();
    EXPECT_EQ(files, 1u);
}

TEST_F(CliEdit, BadEntriesAreNamedOnStandardErrorAndTheJobGoesOn) {
    ASSERT_EQ(Edit({"--char", "A", "--rows", kRowsA}).exitCode, 0);
    WriteBytes(project, ReadBytes(project) + test::Utf16LeBytes(u"U+0042 8x8=FF\r\n"
                                                                u"U+43 8x8=00\r\n"
                                                                u"U+0041 8x8=00\r\n",
                                                                false));
    const CliRun show = RunZemtraCli({"show", "--project", project, "--char", "A"});
    EXPECT_EQ(show.exitCode, 0);
    EXPECT_EQ(show.out, kShownA);
    EXPECT_EQ(Lines(show.err, "zemtra-cli: warning: "), 3u) << show.err;
    EXPECT_EQ(Lines(show.err, "job.fprj: [Glyphs] \"U+0042 8x8\": the value has 1 row"), 1u);
    EXPECT_EQ(Lines(show.err, "\"U+43 8x8\": the key is not"), 1u);
    EXPECT_EQ(Lines(show.err, "\"U+0041 8x8\": repeats an earlier key"), 1u);

    // The edit command names them too, changes what it was asked to and keeps the rest.
    const CliRun set = Edit({"--char", "C", "--rows", kRowsA});
    EXPECT_EQ(set.exitCode, 0);
    EXPECT_EQ(Lines(set.err, "warning"), 3u);
    const CliRun list = Edit({"--list"});
    EXPECT_EQ(list.out, std::string("U+0041 8x8=") + kRowsA + "\nU+0043 8x8=" + kRowsA + "\n");
    const CliRun c = RunZemtraCli({"c-source", "--project", project});
    EXPECT_EQ(c.exitCode, 0);
    EXPECT_NE(c.out.find("fontlib_8x8"), std::string::npos);
    EXPECT_EQ(Lines(c.err, "warning"), 3u);
}

}  // namespace
}  // namespace zemtra
