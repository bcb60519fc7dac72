// Which characters an export holds and what it says of them: marks whose ink lies left of the
// pen at every depth, controls and unassigned code-page codes left out, and the faces that
// drew the glyphs named in each file.
#include <gtest/gtest.h>

#include "base/code_page.h"
#include "base/glyph_edits.h"
#include "base/unicode.h"
#include "cli/run_cli.h"
#include "jobs/jobs.h"
#include "raster/export_collect.h"
#include "raster/new_project.h"
#include "support/font_fixtures.h"
#include "support/font_readers.h"
#include "support/font_readers_freetype.h"

namespace zemtra {
namespace {

class ExportCharacters_ : public ::testing::Test {
  protected:
    void SetUp() override { test::ArialOnMatrix(s, 16, 16); }

    ExportResult Export(ExportFormat format, int bpp, const std::string& file) {
        job.format = format;
        job.bpp = bpp;
        job.target = dir / file;
        return RunJob(s, job, {});
    }

    std::string Head(const std::string& file, size_t lines) {
        const std::string text = test::ReadBytes(dir / file);
        size_t end = 0;
        for (size_t i = 0; i < lines && end != std::string::npos; ++i) {
            end = text.find('\n', end == 0 ? 0 : end + 1);
        }
        return text.substr(0, end);
    }

    test::ScratchDir dir;
    ProjectSettings s;
    ExportJob job;
};

// Combining and enclosing marks draw their ink left of the pen, where the window never looks:
// each is a glyph that advances 0, at every depth and whichever face draws it, empty at one bit.
TEST_F(ExportCharacters_, MarksWithInkLeftOfThePenExportAtEveryDepth) {
    struct Case {
        const char16_t* face;
        std::u16string marks;
    };
    const Case cases[] = {
        {u"Arial", u"\u0300\u0301\u036F\u0483\u0485\u0486\u20DD"},
        {u"Unifont CSUR", u"\uE044"},  // a private-use mark of its own
    };
    for (const Case& c : cases) {
        s.FONT.FaceName = c.face;
        job.characters = ExportCharacters::Text;
        job.text = c.marks;
        for (int bpp : {1, 2, 4, 8}) {
            SCOPED_TRACE(testing::Message() << Utf16ToUtf8(c.face) << ", " << bpp << " bits");
            const ExportResult r = Export(ExportFormat::Lvgl, bpp, "marks.c");
            ASSERT_EQ(r.outcome, JobOutcome::Done);
            EXPECT_EQ(r.glyphs, c.marks.size());
            const test::ReadFont f = test::ReadLvglFont(dir / "marks.c", "marks");
            ASSERT_TRUE(f.ok) << f.error;
            for (char16_t mark : c.marks) {
                const auto it = f.glyphs.find(mark);
                ASSERT_NE(it, f.glyphs.end()) << "U+" << std::hex << int{mark};
                EXPECT_EQ(it->second.advance, 0) << "U+" << std::hex << int{mark};
                // Grey levels may still show a fringe of the ink inside the window; and the
                // enclosing circle's ink reaches the pen in Unifont's outline face, which font
                // linking may pick for it (its bitmap face, also installed, keeps it left).
                if (bpp == 1 && mark != u'\u20DD') {
                    EXPECT_EQ(it->second.width * it->second.height, 0)
                        << "U+" << std::hex << int{mark};
                }
            }
        }
        ASSERT_EQ(Export(ExportFormat::Bdf, 1, "marks.bdf").outcome, JobOutcome::Done);
        EXPECT_EQ(test::ReadWithFreeType(dir / "marks.bdf").glyphs.size(), c.marks.size());
    }
}

TEST_F(ExportCharacters_, ControlsNeverEnterTheSet) {
    struct Case {
        ExportCharacters kind;
        std::u16string text;
        const char* ranges;
        std::u32string want;
    };
    const Case cases[] = {
        {ExportCharacters::Text, u"A\tB\nC\r\u007F\u0085\u00A0", "", U"ABC\u00A0"},
        {ExportCharacters::Ranges, u"", "U+0000-U+0022", U" !\""},
        {ExportCharacters::Ranges, u"", "U+007E-U+00A1", U"~\u00A0\u00A1"},
        // Surrogate codes are no characters either.
        {ExportCharacters::Ranges, u"", "U+D7FF-U+E000", U"\uD7FF\uE000"},
    };
    for (const Case& c : cases) {
        job.characters = c.kind;
        job.text = c.text;
        job.ranges = c.kind == ExportCharacters::Ranges ? ParseCodeSpans(c.ranges) : job.ranges;
        const std::vector<char32_t> set = ExportCharacterSet(s, job);
        EXPECT_EQ(std::u32string(set.begin(), set.end()), c.want) << c.ranges;
    }
}

// Codes that a code page leaves unassigned stand for no character: the converter's private-use
// stand-ins and its "?" stay out, as characters that no face has do.
TEST_F(ExportCharacters_, UnassignedCodePageCodesAreLeftOut) {
    struct Case {
        CodePageKind page;
        uint16_t from;
        uint16_t to;
        size_t characters;
        char32_t last;  // the highest character of the set
    };
    const Case cases[] = {
        {CodePageKind::Gb2312, 0xD7F0, 0xD7FE, 10, u'\u9075'},  // D7FA..D7FE have none
        {CodePageKind::Big5, 0xC6A1, 0xC6A3, 0, 0},             // ETEN's kana: none in Windows' 950
        {CodePageKind::Big5, 0xF9D5, 0xF9D7, 3, u'\u9F98'},     // the ETEN additions are real
    };
    job.characters = ExportCharacters::CodeRange;
    for (const Case& c : cases) {
        s.CODEPAGE = static_cast<int32_t>(c.page);
        s.FROM = c.from;
        s.TO = c.to;
        const std::vector<char32_t> set = ExportCharacterSet(s, job);
        ASSERT_EQ(set.size(), c.characters) << std::hex << c.from;
        if (!set.empty()) {
            EXPECT_EQ(set.back(), c.last) << std::hex << c.from;
        }
        for (char32_t ch : set) EXPECT_FALSE(ch >= 0xE000 && ch <= 0xF8FF);
    }
}

TEST_F(ExportCharacters_, EachFileNamesTheFacesThatDrewItsGlyphs) {
    job.characters = ExportCharacters::Text;
    job.text = u"AB中文字";
    job.name = "mixed";
    GlyphDots edit(16, 16);
    edit.Set(3, 3, true);
    s.GLYPHS.Set(U'B', edit);
    const std::string sources =
        "3 from AR PL UMing CN (uming.ttc), 1 from Liberation Sans (LiberationSans-Regular.ttf), "
        "1 edited by hand";
    struct Case {
        ExportFormat format;
        const char* file;
        size_t line;  // 1-based
        std::string text;
    };
    const Case cases[] = {
        {ExportFormat::Bdf, "mixed.bdf", 3, "COMMENT glyphs: " + sources},
        {ExportFormat::Lvgl, "mixed.c", 2, " * Glyphs: " + sources + "."},
        {ExportFormat::AdafruitGfx, "mixed.h", 2, " * Glyphs: " + sources + "."},
    };
    for (const Case& c : cases) {
        if (c.format == ExportFormat::AdafruitGfx) job.text = u"AB";
        ASSERT_EQ(Export(c.format, 1, c.file).outcome, JobOutcome::Done) << c.file;
        const std::string head = Head(c.file, c.line);
        const std::string want = c.format == ExportFormat::AdafruitGfx
                                     ? " * Glyphs: 1 from Liberation Sans "
                                       "(LiberationSans-Regular.ttf), 1 edited by hand."
                                     : c.text;
        EXPECT_EQ(head.substr(head.rfind('\n') + 1), want) << c.file;
    }
}

}  // namespace
}  // namespace zemtra

namespace zemtra {
namespace {

// The glyphs are rendered on several threads; the file must not depend on how many.
TEST_F(ExportCharacters_, TheFileIsTheSameOnOneThreadAndOnSeveral) {
    job.characters = ExportCharacters::Ranges;
    job.ranges = ParseCodeSpans("U+0020-U+007E,U+4E00-U+4FFF,U+FFFE");
    std::string first;
    for (int threads : {1, 2, 3}) {
        job.threads = threads;
        const ExportResult r = Export(ExportFormat::Lvgl, 4, "threads.c");
        ASSERT_EQ(r.outcome, JobOutcome::Done);
        EXPECT_EQ(r.glyphs, 95u + 512u);
        EXPECT_EQ(r.lacking, 1u);
        EXPECT_EQ(r.firstLacking, u"\uFFFE");
        const std::string bytes = test::ReadBytes(dir / "threads.c");
        if (first.empty()) first = bytes;
        EXPECT_EQ(bytes, first) << threads << " threads";
    }
}

}  // namespace
}  // namespace zemtra

namespace zemtra {
namespace {

// zemtra-cli show's matrix of a character as levels 0 and 1.
std::vector<int> ShownDots(char32_t c, const std::vector<std::string>& settings) {
    std::vector<std::string> args = {"show", "--char", Utf16ToUtf8(CharacterUtf16(c))};
    args.insert(args.end(), settings.begin(), settings.end());
    const test::CliRun run = test::RunZemtraCli(args);
    std::vector<int> dots;
    for (char ch : run.out) {
        if (ch == '#' || ch == '.') dots.push_back(ch == '#' ? 1 : 0);
    }
    return dots;
}

// Characters beyond U+FFFF: the emoji block of Unifont Upper, read back by FreeType's BDF
// driver and by the LVGL reader, each glyph on its line as show prints it.
TEST_F(ExportCharacters_, TheEmojiBlockBeyondTheBasicPlaneReadsBackAsShowPrintsIt) {
    s.FONT.FaceName = u"Unifont Upper";
    job.characters = ExportCharacters::Ranges;
    job.ranges = ParseCodeSpans("U+1F600-U+1F64F");
    job.name = "emoji";
    ASSERT_EQ(Export(ExportFormat::Bdf, 1, "emoji.bdf").outcome, JobOutcome::Done);
    ASSERT_EQ(Export(ExportFormat::Lvgl, 1, "emoji.c").outcome, JobOutcome::Done);
    const test::ReadFont fonts[] = {test::ReadWithFreeType(dir / "emoji.bdf"),
                                    test::ReadLvglFont(dir / "emoji.c", "emoji")};
    for (const test::ReadFont& f : fonts) {
        ASSERT_TRUE(f.ok) << f.error;
        EXPECT_EQ(f.glyphs.size(), 80u);
    }
    const std::vector<std::string> settings = {"--face", "Unifont Upper", "--matrix", "16x16"};
    int inked = 0;
    for (char32_t c = 0x1F600; c <= 0x1F64F; ++c) {
        const std::vector<int> shown = ShownDots(c, settings);
        ASSERT_EQ(shown.size(), 256u) << std::hex << static_cast<int>(c);
        inked += std::count(shown.begin(), shown.end(), 1) > 20 ? 1 : 0;
        for (const test::ReadFont& f : fonts) {
            const auto it = f.glyphs.find(c);
            ASSERT_NE(it, f.glyphs.end()) << std::hex << static_cast<int>(c);
            EXPECT_EQ(test::OnWindow(it->second, 16, 16, 0, f.baselineRow), shown)
                << std::hex << static_cast<int>(c);
        }
    }
    EXPECT_EQ(inked, 80);  // every face of the block has ink: the comparison sees something
}

}  // namespace
}  // namespace zemtra

namespace zemtra {
namespace {

// Prepared once, an export runs the set it was prepared with: the front ends check and count
// before asking for the file, and the run builds and checks nothing again.
TEST_F(ExportCharacters_, APreparedExportRunsTheSetItWasPreparedWith) {
    struct Case {
        ExportFormat format;
        std::u16string text;
        const char* problem;  // empty: prepared
        size_t characters;
    };
    const Case cases[] = {
        {ExportFormat::Lvgl, u"AB\U0001F600", "", 3},
        {ExportFormat::AdafruitGfx, u"A\u4E2D", "U+4E2D", 0},
        {ExportFormat::Bdf, u"\t\n", "", 0},
    };
    job.characters = ExportCharacters::Text;
    for (const Case& c : cases) {
        job.format = c.format;
        job.text = c.text;
        const auto prepared = PrepareExport(s, job);
        if (*c.problem != '\0') {
            const auto* why = std::get_if<MessageArg>(&prepared);
            ASSERT_NE(why, nullptr) << c.problem;
            EXPECT_NE(EnglishUtf8(*why).find(c.problem), std::string::npos) << EnglishUtf8(*why);
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<PreparedExport>(prepared));
        PreparedExport ready = std::get<PreparedExport>(prepared);
        EXPECT_EQ(ready.characters.size(), c.characters);
        ready.job.target = dir / "prepared.bdf";
        ready.job.format = ExportFormat::Bdf;
        ready.job.text = u"changed after preparing";
        const ExportResult r = RunJob(s, ready, {});
        EXPECT_EQ(r.characters, c.characters);
        EXPECT_EQ(r.outcome, c.characters == 0 ? JobOutcome::NoCharacters : JobOutcome::Done);
    }
}

}  // namespace
}  // namespace zemtra

namespace zemtra {
namespace {

// Each glyph of the collected font knows what drew it.
TEST_F(ExportCharacters_, EachCollectedGlyphNamesItsSource) {
    GlyphDots edit(16, 16);
    edit.Set(1, 1, true);
    s.GLYPHS.Set(U'B', edit);
    const CollectedGlyphs c =
        CollectExportGlyphs(s, {U'A', U'B', U'\u4E2D', U'\uFFFF'}, ExportStyle{}, nullptr, nullptr);
    ASSERT_EQ(c.glyphs.size(), 3u);
    EXPECT_EQ(c.lacking, std::vector<char32_t>{U'\uFFFF'});
    const char* want[] = {"Liberation Sans (LiberationSans-Regular.ttf)", "hand edits",
                          "AR PL UMing CN (uming.ttc)"};
    for (size_t i = 0; i < 3; ++i) {
        ASSERT_LT(c.glyphs[i].source, c.sources.size());
        EXPECT_EQ(c.sources[c.glyphs[i].source].name, want[i]) << i;
    }
}

}  // namespace
}  // namespace zemtra
