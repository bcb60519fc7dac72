// The catalogue of hostile inputs, driven through zemtra-cli: each is refused with one clear
// message on standard error and a nonzero exit code, or, where it is a valid input, gives the
// documented result. Cases already pinned in the core's own tests are not repeated here.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "base/character_list.h"
#include "base/unicode.h"
#include "cli/run_cli.h"
#include "output/c_source_writer.h"
#include "output/text_writer.h"
#include "project/project_file.h"

namespace zemtra {
namespace {

using test::CliRun;
using test::RunZemtraCli;
using test::ScratchDir;

const std::vector<std::string> kFace = {"--face", "Liberation Sans"};

std::vector<std::string> With(std::vector<std::string> args) {
    args.insert(args.end(), kFace.begin(), kFace.end());
    return args;
}

std::string Encode(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

// A 4 x 4 mid-grey picture: lit at any threshold up to 128, unlit above.
std::string GreyPng() {
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(qRgb(128, 128, 128));
    return Encode(image, "PNG");
}

std::string ProjectText(const std::string& keys) {
    return "[Project]\r\nVersion=V1.0\r\n" + keys;
}

// A message that starts with the program's name, and nothing on standard output. (libpng
// prints its own "libpng error:" line before it for a damaged PNG.)
void ExpectRefused(const CliRun& r, int exitCode, const std::string& words) {
    EXPECT_EQ(r.exitCode, exitCode) << r.err;
    const size_t start = r.err.rfind("libpng error: ", 0) == 0 ? r.err.find('\n') + 1 : 0;
    EXPECT_EQ(r.err.find("zemtra-cli: ", start), start) << r.err;
    EXPECT_NE(r.err.find(words), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
}

bool AllUnlit(const std::string& shown) {
    return !shown.empty() && shown.find('#') == std::string::npos;
}

TEST(HostileNumbers, MatrixSizesFromOptionsAndProjects) {
    ExpectRefused(RunZemtraCli({"show", "--char", "A", "--matrix", "-5x16"}), 2, "outside 1..2048");
    ExpectRefused(RunZemtraCli({"show", "--char", "A", "--matrix", "16xabc"}), 2,
                  "\"abc\" is not a whole number");
    ExpectRefused(RunZemtraCli({"show", "--char", "A", "--matrix", "0x0"}), 2, "outside 1..2048");
    ScratchDir dir;
    for (const auto& [value, exitCode, words] :
         std::vector<std::tuple<std::string, int, std::string>>{
             {"abc", 2, "\"abc\" x \"16\" reads as 0 x 16"},
             {"-5", 2, "reads as -5 x 16"},
             {"100000", 1, "at most 2048 dots a side"}}) {
        const auto project = dir / "m.fprj";
        test::WriteBytes(project, ProjectText("BLOCKNUMX=" + value + "\r\n"));
        ExpectRefused(RunZemtraCli({"c-source", "--project", project.string(), "--text", "A"}),
                      exitCode, words);
    }
}

TEST(HostileNumbers, FontSizesOffsetsAndThresholds) {
    ExpectRefused(RunZemtraCli({"show", "--char", "A", "--font-size", "100000x16"}), 2,
                  "outside -4096..4096");
    ExpectRefused(RunZemtraCli({"show", "--char", "A", "--font-size", "8x-100000"}), 2,
                  "outside -4096..4096");
    ScratchDir dir;
    const auto project = dir / "f.fprj";
    test::WriteBytes(project, ProjectText("WIDTH=-100000\r\nHEIGHT=100000\r\n"));
    ExpectRefused(RunZemtraCli({"show", "--project", project.string(), "--char", "A"}), 1,
                  "at most 4096 pixels");

    // Offsets that move the window far off the glyph are valid and draw nothing.
    for (const char* offset : {"2000000000,-2000000000", "-2000000000,2000000000"}) {
        const CliRun r = RunZemtraCli(With({"show", "--char", "W", "--offset", offset}));
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_TRUE(AllUnlit(r.out)) << offset;
    }
    ExpectRefused(RunZemtraCli({"show", "--char", "A", "--offset", "3000000000,0"}), 2, "--offset");
    test::WriteBytes(project, ProjectText("OFFSETX=99999999999\r\nOFFSETY=-99999999999\r\n"));
    const CliRun saturated =
        RunZemtraCli(With({"show", "--project", project.string(), "--char", "W"}));
    EXPECT_EQ(saturated.exitCode, 0) << saturated.err;
    EXPECT_TRUE(AllUnlit(saturated.out));

    // A picture's threshold above 255 lights nothing, one below 0 everything.
    const auto picture = dir / "grey.png";
    test::WriteBytes(picture, GreyPng());
    const CliRun high = RunZemtraCli(
        {"show", "--picture", picture.string(), "--matrix", "4x4", "--threshold", "300"});
    EXPECT_EQ(high.out, "....\n....\n....\n....\n") << high.err;
    const CliRun low = RunZemtraCli(
        {"show", "--picture", picture.string(), "--matrix", "4x4", "--threshold", "-5"});
    EXPECT_EQ(low.out, "####\n####\n####\n####\n") << low.err;
}

TEST(HostileProjects, FilesThatAreNoProjectSayWhy) {
    ScratchDir dir;
    std::mt19937 random(7);
    std::string binary(65536, '\0');
    for (char& c : binary) c = static_cast<char>(random());
    std::string utf16NoMark;
    for (char c : std::string("[Project]\r\nVersion=V1.0\r\n")) utf16NoMark += {c, '\0'};
    for (const auto& [bytes, words] : std::vector<std::pair<std::string, std::string>>{
             {"", "the file is empty"},
             {binary, "no [Project] Version=V1.0"},
             {utf16NoMark, "UTF-16 without a byte-order mark"},
             {"[project]\r\nversion=v1.0\r\n", "its Version is \"v1.0\", not \"V1.0\""}}) {
        const auto project = dir / "odd.fprj";
        test::WriteBytes(project, bytes);
        ExpectRefused(RunZemtraCli({"c-source", "--project", project.string(), "--text", "A"}), 1,
                      words);
    }
    // Trailing white space is trimmed from every value, as the platform's profile reads do.
    const auto spaced = dir / "spaced.fprj";
    test::WriteBytes(spaced, "[Project]\r\nVersion=V1.0 \t\r\n");
    EXPECT_EQ(RunZemtraCli({"c-source", "--project", spaced.string(), "--text", "A"}).exitCode, 0);
}

TEST(HostileProjects, DecodingAFolderSaysSo) {
    ScratchDir dir;
    const std::string folder = dir.Path().string();
    ExpectRefused(RunZemtraCli({"decode", "--c-source", folder, "--index", "0"}), 1,
                  "Cannot read \"" + folder + "\": it is a folder");
    ExpectRefused(RunZemtraCli({"decode", "--dzk", folder, "--code", "41"}), 1,
                  "Cannot read \"" + folder + "\": it is a folder");
}

TEST(HostileProjects, FiftyMegabyteFilesAreQuickAndBounded) {
    ScratchDir dir;
    const auto junk = dir / "junk.fprj";
    std::string bytes = "[Project]\r\n";
    while (bytes.size() < 50'000'000) bytes += std::string(70, 'x') + "\r\n";
    test::WriteBytes(junk, bytes);
    const auto list = dir / "list.fprj";
    test::WriteBytes(list, ProjectText("LIST=" + std::string(50'000'000, 'A') + "\r\n"));
    const auto start = std::chrono::steady_clock::now();
    ExpectRefused(RunZemtraCli({"show", "--project", junk.string(), "--char", "A"}), 1,
                  "no [Project] Version");
    // Fifty million list items would take gigabytes; the list is refused instead.
    ExpectRefused(RunZemtraCli({"c-source", "--project", list.string()}), 1,
                  "LIST holds 50000000 characters; at most 1000000");
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 60.0);
}

ProjectSettings PictureProject(const std::vector<std::u16string>& pictures) {
    ProjectSettings s;
    ApplyNew(s, false);
    s.BLOCKNUMX = s.BLOCKNUMY = u"4";
    for (const auto& p : pictures) AppendPictureItem(s, p);
    return s;
}

TEST(HostileProjects, TenThousandPicturesAndPathsThatAreGone) {
    ScratchDir dir;
    const auto picture = dir / "grey.png";
    test::WriteBytes(picture, GreyPng());
    const auto project = dir / "many.fprj";
    SaveProject(project, PictureProject(std::vector<std::u16string>(10000, picture.u16string())));
    const CliRun many = RunZemtraCli({"c-source", "--project", project.string()});
    ASSERT_EQ(many.exitCode, 0) << many.err;
    EXPECT_NE(many.out.find("', 9999\r\n"), std::string::npos);
    EXPECT_NE(many.out.find("\t0xF0,0xF0,0xF0,0xF0  // '\xE2\x98\x86', 9999\r\n"),
              std::string::npos);

    // A picture moved away since the project was saved would be written as a blank glyph.
    SaveProject(project, PictureProject({picture.u16string(), (dir / "gone.png").u16string(),
                                         (dir / "gone2.png").u16string()}));
    const CliRun gone = RunZemtraCli({"c-source", "--project", project.string()});
    ExpectRefused(gone, 1, "2 picture item(s) of the list cannot be read");
    EXPECT_NE(gone.err.find("item 2, \"" + (dir / "gone.png").string() + "\": no such file"),
              std::string::npos)
        << gone.err;
}

TEST(HostilePictures, UnusableFilesAreNamedWithTheReason) {
    ScratchDir dir;
    const std::string png = GreyPng();
    QImage big(40, 40, QImage::Format_RGB32);
    big.fill(qRgb(1, 2, 3));
    const std::string bmp = Encode(big, "BMP");
    std::string huge = bmp.substr(0, 54);  // the header claims 30000 x 30000 pixels
    for (int at : {18, 22}) {
        huge[at] = '\x30';
        huge[at + 1] = '\x75';
        huge[at + 2] = huge[at + 3] = '\0';
    }
    std::filesystem::create_directories(dir / "x.png");
    for (const auto& [name, bytes, words] :
         std::vector<std::tuple<std::string, std::string, std::string>>{
             {"cut.png", png.substr(0, png.size() / 2), "damaged, truncated"},
             {"cut.bmp", bmp.substr(0, bmp.size() - 100), "damaged, truncated"},
             {"zero.png", "", "the file is empty"},
             {"huge.bmp", huge, "over 67 million pixels"},
             {"x.png", "", "it is a folder"}}) {
        if (!std::filesystem::is_directory(dir / name)) test::WriteBytes(dir / name, bytes);
        const CliRun shown = RunZemtraCli({"show", "--picture", (dir / name).string()});
        ExpectRefused(shown, 1, "Cannot read the picture \"" + (dir / name).string() + "\": ");
        EXPECT_NE(shown.err.find(words), std::string::npos) << shown.err;
        ExpectRefused(RunZemtraCli({"c-source", "--text", "A", "--picture", (dir / name).string()}),
                      1, words);
    }
    EXPECT_EQ(RunZemtraCli({"show", "--picture", "/dev/null"}).exitCode, 1);
}

TEST(HostilePictures, FileWithoutReadPermission) {
    if (!test::CanRunUnprivileged()) GTEST_SKIP() << "cannot run as another user here";
    ScratchDir dir;
    test::OpenToEveryone(dir.Path());
    const auto locked = dir / "locked.png";
    test::WriteBytes(locked, GreyPng());
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    ExpectRefused(RunZemtraCli({"show", "--picture", locked.string()}, test::AsUnprivilegedUser()),
                  1, "Permission denied");
}

TEST(HostileRanges, EmptyRectanglesAndUnwritableTargets) {
    ScratchDir dir;
    const std::string target = (dir / "a.dzk").string();
    ExpectRefused(RunZemtraCli({"library", "--codepage", "unicode", "--from", "9000", "--to",
                                "8000", "-o", target}),
                  2, "hold no code");
    ExpectRefused(RunZemtraCli({"library", "--codepage", "gbk", "--from", "8180", "--to", "8240",
                                "-o", target}),
                  2, "the low byte 80..40");
    EXPECT_FALSE(std::filesystem::exists(target));
    ExpectRefused(RunZemtraCli({"library", "--codepage", "unicode", "--from", "41", "--to", "42",
                                "-o", (dir / "missing" / "a.dzk").string()}),
                  1, "Cannot write the font library");
    if (!test::CanRunUnprivileged()) return;
    // Readable, not writable, for the user that runs the command.
    if (::geteuid() == 0) {
        test::OpenToEveryone(dir.Path());
    } else {
        std::filesystem::permissions(
            dir.Path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    }
    ExpectRefused(RunZemtraCli({"library", "--codepage", "unicode", "--from", "41", "--to", "42",
                                "-o", target},
                               test::AsUnprivilegedUser()),
                  1, "Permission denied");
    EXPECT_FALSE(std::filesystem::exists(target));
    // The same folder for a project and a C source file.
    ExpectRefused(
        RunZemtraCli({"project", "save", (dir / "p.fprj").string()}, test::AsUnprivilegedUser()), 1,
        "Cannot write");
    ExpectRefused(RunZemtraCli({"c-source", "--text", "A", "-o", (dir / "a.c").string()},
                               test::AsUnprivilegedUser()),
                  1, "Cannot write");
    EXPECT_FALSE(std::filesystem::exists(dir / "p.fprj"));
}

// A tmpfs of 64 KiB mounted on a scratch folder; unusable where mounting is not allowed.
class FullDisk : public ::testing::Test {
  protected:
    void SetUp() override {
        mount_ = dir_ / "small";
        std::filesystem::create_directories(mount_);
        const std::string command = "mount -t tmpfs -o size=64k tmpfs " +
                                    test::ShellQuote(mount_.string()) + " 2>/dev/null";
        mounted_ = std::system(command.c_str()) == 0;
        if (!mounted_) GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    }
    void TearDown() override {
        if (mounted_) {
            const std::string command = "umount " + test::ShellQuote(mount_.string());
            EXPECT_EQ(std::system(command.c_str()), 0);
        }
    }
    size_t EntriesIn(const std::filesystem::path& folder) const {
        size_t n = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            n += !entry.path().empty();
        return n;
    }
    ScratchDir dir_;
    std::filesystem::path mount_;
    bool mounted_ = false;
};

TEST_F(FullDisk, LibraryKeepsWholeRecordsAndSaysHowMany) {
    const std::string target = (mount_ / "big.dzk").string();
    // 4608 records of 24 bytes, more than the disk holds; 64 KiB is no multiple of 24, so the
    // last write ends inside a record.
    const CliRun r = RunZemtraCli(With({"library", "--codepage", "unicode", "--from", "4E00",
                                        "--to", "5FFF", "--matrix", "12x12", "-o", target}));
    ExpectRefused(r, 1, "No space left on device");
    const size_t at = r.err.find(" records written before it are kept");
    ASSERT_NE(at, std::string::npos) << r.err;
    const size_t count = std::stoul(r.err.substr(r.err.rfind("The ", at) + 4));
    const size_t size = test::ReadBytes(target).size();
    EXPECT_GT(count, 0u);
    EXPECT_EQ(size, count * 24) << "only whole records stay";
}

TEST_F(FullDisk, CSourceAndProjectSavesKeepTheOldFile) {
    const std::string c = (mount_ / "font.c").string();
    ASSERT_EQ(RunZemtraCli({"c-source", "--text", "AB", "-o", c}).exitCode, 0);
    const std::string before = test::ReadBytes(c);
    const CliRun r =
        RunZemtraCli({"c-source", "--text", std::string(4000, 'W'), "--matrix", "32x32", "-o", c});
    ExpectRefused(r, 1, "Cannot write");
    EXPECT_EQ(test::ReadBytes(c), before);

    const std::string project = (mount_ / "job.fprj").string();
    ASSERT_EQ(RunZemtraCli({"project", "save", project, "--text", "old"}).exitCode, 0);
    const std::string saved = test::ReadBytes(project);
    test::WriteBytes(mount_ / "filler", std::string(60 * 1024, 'x'));  // whatever still fits
    const CliRun full =
        RunZemtraCli({"project", "save", project, "--text", std::string(20000, 'n')});
    ExpectRefused(full, 1, "Cannot write");
    EXPECT_EQ(test::ReadBytes(project), saved);
    EXPECT_EQ(EntriesIn(mount_), 3u) << "no temporary file is left behind";
}

// Characters that C comments, UTF-8 and the argument vector handle badly, as list items.
const std::u16string kAwkward{u'A', u'\xD800', u'\0', u'\r', u'\n', u'\\', u'\xDC00', u'*', u'/'};

class BlankGlyphs : public GlyphSource {
  public:
    void Render(std::u16string_view, DotMatrix&) override {}
};

TEST(HostileText, AwkwardCharactersInTheCoreWriter) {
    ProjectSettings s;
    ApplyNew(s, false);
    s.BLOCKNUMX = s.BLOCKNUMY = u"8";
    BlankGlyphs glyphs;
    StringTextWriter out;
    ASSERT_TRUE(WriteCSource(s, kAwkward, glyphs, out));
    const std::u16string& text = out.Text();
    // Line breaks would end their // comment and a NUL the text for readers that stop at the
    // first 0 unit; everything else stands raw.
    EXPECT_NE(text.find(u"// '\\r', 3\r\n"), std::u16string::npos);
    EXPECT_NE(text.find(u"// '\\n', 4\r\n"), std::u16string::npos);
    EXPECT_NE(text.find(u"// '\\0', 2\r\n"), std::u16string::npos);
    EXPECT_NE(text.find(u"/*\\0*/"), std::u16string::npos);
    EXPECT_EQ(text.find(u'\0'), std::u16string::npos);
    EXPECT_NE(text.find(u"// '\xD800', 1\r\n"), std::u16string::npos);
    EXPECT_NE(text.find(u"// '\\', 5\r\n"), std::u16string::npos);
    EXPECT_NE(text.find(u"/*\n*/"), std::u16string::npos);
    size_t comments = 0;
    for (size_t at = text.find(u"// '"); at != std::u16string::npos;
         at = text.find(u"// '", at + 1)) {
        ++comments;
    }
    EXPECT_EQ(comments, kAwkward.size());
}

TEST(HostileText, AwkwardCharactersThroughTheCommandLineAndBack) {
    ScratchDir dir;
    ProjectSettings s;
    ApplyNew(s, false);
    s.FONT.FaceName = u"Liberation Sans";
    s.BLOCKNUMX = s.BLOCKNUMY = u"8";
    FillCharacterList(s, kAwkward, true);
    const auto project = dir / "awkward.fprj";
    SaveProject(project, s);
    const auto c = dir / "awkward.c";
    const CliRun made = RunZemtraCli(
        {"c-source", "--project", project.string(), "--encoding", "utf-16le", "-o", c.string()});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    // UTF-16 keeps the lone surrogates as they are; UTF-8 cannot hold them.
    EXPECT_NE(test::ReadBytes(c).find(std::string("\x00\xD8'\0,\0", 6)), std::string::npos);
    const CliRun utf8 = RunZemtraCli({"c-source", "--project", project.string()});
    EXPECT_NE(utf8.out.find("// '\xEF\xBF\xBD', 1\r\n"), std::string::npos);
    // The decoder reads every entry back, the line breaks and the backslash included.
    for (size_t i = 0; i < kAwkward.size(); ++i) {
        const CliRun back = RunZemtraCli(
            {"decode", "--c-source", c.string(), "--matrix", "8x8", "--index", std::to_string(i)});
        EXPECT_EQ(back.exitCode, 0) << i << ": " << back.err;
    }
}

TEST(HostileText, HundredThousandCharactersFromTheCommandLine) {
    std::string text;
    for (int i = 0; i < 100000; ++i) text += static_cast<char>('!' + i % 94);
    const auto start = std::chrono::steady_clock::now();
    const CliRun r = RunZemtraCli(With({"c-source", "--text", text, "--matrix", "8x8"}));
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("', 99999\r\n"), std::string::npos);
    EXPECT_LT(seconds, 120.0);
    // A list whose C source could not be held is refused before anything is rendered.
    ExpectRefused(RunZemtraCli({"c-source", "--text", text, "--matrix", "2048x2048"}), 1,
                  "would hold over");
}

}  // namespace
}  // namespace zemtra
