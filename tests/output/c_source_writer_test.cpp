// The C source writer on known matrices: the exact text, line breaks, comments, fonttab codes,
// progress, and the temporary file it leaves.
#include "output/c_source_writer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <map>

#include "base/error.h"
#include "base/scan_order.h"
#include "base/unicode.h"
#include "output/temp_file.h"
#include "support/test_support.h"

namespace zemtra {
namespace {

// Matrices by source text: a row-bytes table for the AB example, else a pattern of the source.
class FakeGlyphs : public GlyphSource {
  public:
    std::map<std::u16string, std::vector<uint8_t>> rows;  // one byte per row, MSB = column 0
    std::vector<std::u16string> rendered;

    void Render(std::u16string_view source, DotMatrix& m) override {
        rendered.emplace_back(source);
        const auto it = rows.find(std::u16string(source));
        for (int y = 0; y < m.Height(); ++y) {
            for (int x = 0; x < m.Width(); ++x) {
                const bool lit = it != rows.end() ? ((it->second[y] >> (7 - x)) & 1) != 0
                                                  : (x * 3 + y * 5 + source[0]) % 7 < 3;
                m.Set(x, y, lit);
            }
        }
    }
};

ProjectSettings Settings(int w, int h, int32_t databit = 0) {
    ProjectSettings s;
    ApplyNew(s, false);
    s.BLOCKNUMX = Utf8ToUtf16(std::to_string(w));
    s.BLOCKNUMY = Utf8ToUtf16(std::to_string(h));
    s.DATABIT = databit;
    DeriveFontSize(s);
    return s;
}

std::u16string Write(const ProjectSettings& s, std::u16string_view text, GlyphSource& glyphs) {
    StringTextWriter out;
    EXPECT_TRUE(WriteCSource(s, text, glyphs, out));
    return out.Text();
}

class CSourceTest : public ::testing::Test {
  protected:
    void SetUp() override { setenv("ZEMTRA_ANSI_CODEPAGE", "1252", 1); }
    void TearDown() override { unsetenv("ZEMTRA_ANSI_CODEPAGE"); }
    FakeGlyphs glyphs;
};

TEST_F(CSourceTest, ExampleOfTwoCharactersMatchesTheHandWrittenText) {
    glyphs.rows[u"A"] = {0x18, 0x24};
    glyphs.rows[u"B"] = {0x7C, 0x42};
    const auto text = Write(Settings(8, 2), u"AB", glyphs);
    EXPECT_EQ(test::CompareWithGolden("c_source/ab_8x2.txt", Utf16LeWithMark(text)), "");
}

TEST_F(CSourceTest, SingleCharacterEndsWithTwoSpacesAndNoBlankLine) {
    const auto text = Write(Settings(8, 2), u" ", glyphs);
    EXPECT_NE(text.find(u"  // ' ', 0\r\n};"), std::u16string::npos);
    EXPECT_NE(text.find(u"{\r\n\t0x2000/* */\r\n};\r\n\r\n"), std::u16string::npos);
    EXPECT_EQ(text.find(u", // '"), std::u16string::npos);
}

TEST_F(CSourceTest, SixteenBySixteenEightBitsGivesTwoFullLinesPerCharacter) {
    const auto text = Write(Settings(16, 16), u"AB", glyphs);
    EXPECT_NE(text.find(u"//FontSize : 16x16(32 bytes/character)\r\n"), std::u16string::npos);
    EXPECT_NE(text.find(u"const unsigned char fontlib_16x16[] = {\r\n\t0x"), std::u16string::npos);
    // A's piece: 16 words, a break, 16 words and the comment.
    const size_t start = text.find(u"{\r\n\t") + 4;
    const size_t end = text.find(u", // 'A', 0\r\n\r\n");
    ASSERT_NE(end, std::u16string::npos);
    const std::u16string piece = text.substr(start, end - start);
    const size_t brk = piece.find(u"\r\n\t");
    ASSERT_NE(brk, std::u16string::npos);
    EXPECT_EQ(brk, 16u * 5u);  // "0xHH," sixteen times
    EXPECT_EQ(piece.size() - brk - 3, 16u * 5u - 1u);
}

TEST_F(CSourceTest, WordWidthsChangeTypesDigitsAndLineLengths) {
    struct Case {
        int32_t databit;
        const char16_t* unit;
        const char16_t* element;
        size_t digits;
    };
    for (const Case& c : {Case{1, u" half-words/character)", u"const unsigned short ", 4},
                          Case{2, u" words/character)", u"const unsigned int ", 6},
                          Case{3, u" words/character)", u"const unsigned int ", 8},
                          Case{4, u" bytes/character)", u"const unsigned char ", 1}}) {
        const auto text = Write(Settings(16, 16, c.databit), u"A", glyphs);
        EXPECT_NE(text.find(c.unit), std::u16string::npos) << c.databit;
        EXPECT_NE(text.find(std::u16string(c.element) + u"fontlib_16x16"), std::u16string::npos);
        const size_t first = text.find(u"\t0x") + 3;
        const size_t comma = text.find(u',', first);
        EXPECT_EQ(comma - first, c.digits) << c.databit;
    }
    // 16 bits: 16 words in two lines of 8.
    const auto text = Write(Settings(16, 16, 1), u"A", glyphs);
    EXPECT_NE(text.find(u"//DataBits : 16bits\r\n\r\n"), std::u16string::npos);
    const size_t start = text.find(u"{\r\n\t") + 4;
    EXPECT_EQ(text.find(u"\r\n\t", start) - start, 8u * 7u);
}

TEST_F(CSourceTest, AnodeWordsKeepExactlyTheirDigits) {
    ProjectSettings s = Settings(10, 3);
    s.FORMAT = Anode;
    const auto text = Write(s, u"A", glyphs);
    const size_t start = text.find(u"{\r\n\t") + 4;
    const std::u16string words = text.substr(start, text.find(u"  //") - start);
    EXPECT_EQ(words.size(), 6u * 5u - 1u);  // six words of "0xHH", five commas
}

TEST_F(CSourceTest, NoBreakBeforeAWordThatHoldsOnlyTheLastDot) {
    // 129 x 1 at 8 bits: 16 full words, then one word holding only dot 128.
    const auto text = Write(Settings(129, 1), u"A", glyphs);
    const size_t start = text.find(u"{\r\n\t") + 4;
    const size_t end = text.find(u"  // 'A'");
    EXPECT_EQ(text.substr(start, end - start).find(u"\r\n"), std::u16string::npos);
    // 130 x 1: the last word holds two dots, so the break stands.
    const auto text2 = Write(Settings(130, 1), u"A", glyphs);
    const size_t start2 = text2.find(u"{\r\n\t") + 4;
    EXPECT_EQ(text2.find(u"\r\n\t", start2), start2 + 16 * 5);
}

TEST_F(CSourceTest, FonttabBreaksAfterEveryEighthEntry) {
    const auto text = Write(Settings(8, 2), u"ABCDEFGHI", glyphs);
    EXPECT_NE(text.find(u"0x4800/*H*/,\r\n\t0x4900/*I*/\r\n};\r\n\r\n"), std::u16string::npos);
    const auto exact = Write(Settings(8, 2), u"ABCDEFGH", glyphs);
    EXPECT_NE(exact.find(u"0x4800/*H*/\r\n};"), std::u16string::npos);
}

TEST_F(CSourceTest, FonttabCodesComeFromTheAnsiCodePage) {
    setenv("ZEMTRA_ANSI_CODEPAGE", "936", 1);
    const auto text = Write(Settings(8, 2), u"A啊", glyphs);
    EXPECT_NE(text.find(u"0x4100/*A*/,0xB0A1/*啊*/"), std::u16string::npos);
    setenv("ZEMTRA_ANSI_CODEPAGE", "1252", 1);
    const auto latin = Write(Settings(8, 2), u"啊", glyphs);
    EXPECT_NE(latin.find(u"0x3F00/*啊*/"), std::u16string::npos);  // the default character
}

TEST_F(CSourceTest, ControlCharactersAreWrittenRawExceptLineBreaksInLineComments) {
    // A raw line break would end the // comment and leave "', 0" as code.
    const auto text = Write(Settings(8, 2), u"\n\r\tA", glyphs);
    EXPECT_NE(text.find(u", // '\\n', 0\r\n\r\n"), std::u16string::npos);
    EXPECT_NE(text.find(u", // '\\r', 1\r\n\r\n"), std::u16string::npos);
    EXPECT_NE(text.find(u", // '\t', 2\r\n\r\n"), std::u16string::npos);
    EXPECT_NE(text.find(u"0x0A00/*\n*/,0x0D00/*\r*/,"), std::u16string::npos);
}

TEST_F(CSourceTest, PictureEntriesAreRenderedButCommentsShowTheItem) {
    ProjectSettings s = Settings(8, 2);
    s.PIC = {u"#", u"/pictures/logo.png", u""};
    const auto text = Write(s, u"A☆C", glyphs);
    EXPECT_EQ(glyphs.rendered, (std::vector<std::u16string>{u"A", u"/pictures/logo.png", u"C"}));
    EXPECT_NE(text.find(u", // '☆', 1\r\n"), std::u16string::npos);
}

TEST_F(CSourceTest, ZeroOrNegativeMatrixWritesNothing) {
    StringTextWriter out;
    EXPECT_FALSE(WriteCSource(Settings(0, 16), u"A", glyphs, out));
    ProjectSettings s = Settings(16, 16);
    s.BLOCKNUMY = u"-3";
    EXPECT_FALSE(WriteCSource(s, u"A", glyphs, out));
    s.BLOCKNUMY = u"abc";
    EXPECT_FALSE(WriteCSource(s, u"A", glyphs, out));
    EXPECT_TRUE(out.Text().empty());
    EXPECT_TRUE(glyphs.rendered.empty());
}

TEST_F(CSourceTest, OversizedMatrixOrMissingScanModeIsAClearError) {
    StringTextWriter out;
    EXPECT_THROW(WriteCSource(Settings(100000, 100000), u"A", glyphs, out), UserError);
    ProjectSettings s = Settings(8, 2);
    s.ORIENT = -1;
    EXPECT_THROW(WriteCSource(s, u"A", glyphs, out), UserError);
    EXPECT_TRUE(out.Text().empty());
}

class RecordingProgress : public ProgressSink {
  public:
    std::vector<std::string> events;
    void SetRange(int lo, int hi) override {
        events.push_back("range " + std::to_string(lo) + ".." + std::to_string(hi));
    }
    void SetPosition(int p) override { events.push_back(std::to_string(p)); }
};

TEST_F(CSourceTest, ProgressRunsFromRangeThroughPositionsBackToZero) {
    RecordingProgress progress;
    StringTextWriter out;
    WriteCSource(Settings(8, 2), u"ABC", glyphs, out, &progress);
    EXPECT_EQ(progress.events,
              (std::vector<std::string>{"range 0..100", "0", "33", "66", "100", "0"}));
    // Many characters: each percentage once, not a position per character.
    progress.events.clear();
    WriteCSource(Settings(8, 2), std::u16string(250, u'A'), glyphs, out, &progress);
    std::vector<std::string> expected = {"range 0..100", "0"};
    for (int p = 1; p <= 100; ++p) expected.push_back(std::to_string(p));
    expected.push_back("0");
    EXPECT_EQ(progress.events, expected);
}

TEST(CharacterText, EmptyItemsCountAsOneSpace) {
    EXPECT_EQ(CharacterText({u"A", u"", u"B"}), u"A B");
    EXPECT_EQ(CharacterText({}), u"");
}

TEST_F(CSourceTest, TempFileHoldsTheMarkedUtf16Text) {
    test::ScratchDir runtime;
    setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
    glyphs.rows[u"A"] = {0x18, 0x24};
    glyphs.rows[u"B"] = {0x7C, 0x42};
    ASSERT_TRUE(WriteCSourceToTempFile(Settings(8, 2), u"AB", glyphs));
    EXPECT_EQ(test::CompareWithGolden("c_source/ab_8x2.txt", test::ReadBytes(TempOutputPath())),
              "");
    // A second run replaces the file rather than appending to it.
    ASSERT_TRUE(WriteCSourceToTempFile(Settings(8, 2), u"AB", glyphs));
    EXPECT_EQ(test::ReadBytes(TempOutputPath()).size(),
              test::ReadBytes(test::DataPath("c_source/ab_8x2.txt")).size());
    unsetenv("XDG_RUNTIME_DIR");
}

TEST_F(CSourceTest, GoldenNineCharactersSixteenBitsAnodeColumn) {
    ProjectSettings s = Settings(12, 10, 1);
    s.ORIENT = Column;
    s.FORMAT = Anode;
    const auto text = Write(s, u"0123456789", glyphs);
    EXPECT_EQ(test::CompareWithGolden("c_source/digits_12x10_16bit_column_anode.txt",
                                      Utf16LeWithMark(text)),
              "");
}

}  // namespace
}  // namespace zemtra
