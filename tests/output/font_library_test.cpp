// The font library job against a literal one-by-one walk (create, seek, write per code), plus
// golden layouts for each code page kind, stopping, and failures.
#include "output/font_library.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>

#include "base/code_page.h"
#include "base/error.h"
#include "base/scan_order.h"
#include "base/unicode.h"
#include "raster/glyph_renderer.h"
#include "support/test_support.h"

namespace zemtra {
namespace {

ProjectSettings Settings(int w, int h, int32_t kind, uint16_t from, uint16_t to) {
    ProjectSettings s;
    ApplyNew(s, false);
    s.FONT.FaceName = u"WenQuanYi Zen Hei";
    s.BLOCKNUMX = Utf8ToUtf16(std::to_string(w));
    s.BLOCKNUMY = Utf8ToUtf16(std::to_string(h));
    DeriveFontSize(s);
    s.CODEPAGE = kind;
    s.FROM = from;
    s.TO = to;
    return s;
}

// The job as the steps state it, one code at a time, writing through seek and write.
std::string ReferenceLibrary(const ProjectSettings& s) {
    const int64_t r = LibraryRecordLength(s);
    const int bits = DataWidth(s.DATABIT) == 4 ? 4 : 8;
    const ScanMode mode{s.ORIENT, s.DIRECT, s.FORMAT, s.DATABIT};
    std::string file;
    std::string record(static_cast<size_t>(r), '\0');
    const auto blank = PackGlyph(DotMatrix(MatrixWidth(s), MatrixHeight(s)), mode, bits);
    for (size_t i = 0; i < blank.size(); ++i) record[i] = static_cast<char>(blank[i]);
    GlyphRenderer renderer;
    DotMatrix m;
    const bool bySlot = s.CODEPAGE == 3 || s.CODEPAGE == 4;
    const int64_t base = bySlot ? LibraryBaseSlot(s.CODEPAGE, s.FROM) : 0;
    for (int hi = s.FROM >> 8; hi <= s.TO >> 8; ++hi) {
        for (int lo = s.FROM & 0xFF; lo <= (s.TO & 0xFF); ++lo) {
            const auto code = static_cast<uint16_t>(hi * 256 + lo);
            const std::u16string ch = CodeToCharacter(code, s.CODEPAGE);
            if (!ch.empty()) {
                renderer.RenderDotMatrix(s, ch, &m);
                const auto words = PackGlyph(m, mode, bits);
                for (size_t i = 0; i < words.size(); ++i) record[i] = static_cast<char>(words[i]);
            }
            int64_t at = static_cast<int64_t>(file.size());
            if (bySlot) {
                const auto slot = LibrarySlot(s.CODEPAGE, code);
                if (!slot) continue;
                at = (*slot - base) * r;
            }
            if (static_cast<int64_t>(file.size()) < at + r)
                file.resize(static_cast<size_t>(at + r));
            file.replace(static_cast<size_t>(at), record.size(), record);
        }
    }
    return file;
}

class FontLibraryTest : public ::testing::Test {
  protected:
    std::string Build(const ProjectSettings& s, int threads = 0) {
        LibraryOptions o;
        o.threads = threads;
        BuildFontLibrary(s, target, o);
        return test::ReadBytes(target);
    }
    test::ScratchDir dir;
    std::filesystem::path target = dir / "font.dzk";
};

TEST_F(FontLibraryTest, UnicodeRangeAppendsOneRecordPerCode) {
    const ProjectSettings s = Settings(16, 16, 0, 0x0041, 0x005A);
    EXPECT_EQ(LibraryRecordLength(s), 32);
    const std::string bytes = Build(s);
    EXPECT_EQ(bytes.size(), 26u * 32u);
    EXPECT_EQ(bytes, ReferenceLibrary(s));
    // Record 2 is C's glyph.
    GlyphRenderer renderer;
    DotMatrix m;
    renderer.RenderDotMatrix(s, u"C", &m);
    const auto words = PackGlyph(m, ScanMode{}, 8);
    for (size_t i = 0; i < words.size(); ++i) {
        EXPECT_EQ(static_cast<uint8_t>(bytes[2 * 32 + i]), words[i]);
    }
}

TEST_F(FontLibraryTest, WideWordsPackBytesAndFourBitsPackNibbles) {
    ProjectSettings s = Settings(16, 16, 0, 0x0041, 0x0045);
    const std::string eight = Build(s);
    s.DATABIT = 1;  // 16 bits: the library still packs bytes
    EXPECT_EQ(Build(s), eight);
    ProjectSettings nib = Settings(10, 3, 0, 0x0041, 0x0045);
    nib.DATABIT = 4;
    EXPECT_EQ(LibraryRecordLength(nib), 9);
    const std::string nibbles = Build(nib);
    EXPECT_EQ(nibbles.size(), 5u * 9u);
    for (char c : nibbles) EXPECT_LE(static_cast<uint8_t>(c), 0x0F);
}

TEST_F(FontLibraryTest, GbkPlacesRecordsBySlot) {
    const ProjectSettings s = Settings(12, 12, 3, 0x8140, 0x81FE);
    const int64_t r = LibraryRecordLength(s);
    const std::string bytes = Build(s);
    EXPECT_EQ(static_cast<int64_t>(bytes.size()), 190 * r);
    EXPECT_EQ(bytes, ReferenceLibrary(s));
    // 0x8180 is slot 63; 0x817F has none, so slot 63 is not 0x817F's repeat of 0x817E.
    EXPECT_EQ(LibrarySlot(3, 0x8180), 63);
    const ProjectSettings next = Settings(12, 12, 3, 0x8240, 0x8340);
    const std::string two = Build(next);
    EXPECT_EQ(two, ReferenceLibrary(next));
    EXPECT_EQ(static_cast<int64_t>(two.size()), (190 + 1) * r);
}

TEST_F(FontLibraryTest, Big5AndGb2312Ranges) {
    const ProjectSettings big5 = Settings(12, 12, 4, 0xA140, 0xA1FE);
    const int64_t r = LibraryRecordLength(big5);
    const std::string b = Build(big5);
    EXPECT_EQ(static_cast<int64_t>(b.size()), 157 * r);
    EXPECT_EQ(b, ReferenceLibrary(big5));
    EXPECT_EQ(LibrarySlot(4, 0xA1A1), 63);
    const ProjectSettings gb = Settings(12, 12, 2, 0xA1A1, 0xA1FE);
    EXPECT_EQ(static_cast<int64_t>(Build(gb).size()), 94 * r);
}

TEST_F(FontLibraryTest, CodesWithoutCharacterRepeatThePreviousRecord) {
    // MBCS takes the low byte first: a code whose low byte is 0 has no character.
    setenv("ZEMTRA_ANSI_CODEPAGE", "1252", 1);
    const std::string a = Build(Settings(8, 8, 1, 0x0041, 0x0041));
    ProjectSettings s = Settings(8, 8, 1, 0x4100, 0x4241);  // two rows of lo 0x00..0x41
    const std::string rows = Build(s);
    ASSERT_EQ(rows.size(), 2u * 0x42u * 8u);
    EXPECT_EQ(rows.substr(0, 8), std::string(8, '\0'));  // nothing before it: an unlit record
    EXPECT_EQ(rows.substr(0x41 * 8, 8), a);              // 0x4141 gives "A"
    EXPECT_EQ(rows.substr(0x42 * 8, 8), a);              // 0x4200 repeats it
    EXPECT_EQ(rows, ReferenceLibrary(s));
    ProjectSettings first = Settings(8, 8, 2, 0x0041, 0x0041);  // GB2312, first byte 0
    first.FORMAT = 1;  // Anode: the stand-in record is an unlit matrix with polarity applied
    EXPECT_EQ(Build(first), std::string(8, '\xFF'));
    unsetenv("ZEMTRA_ANSI_CODEPAGE");
}

TEST_F(FontLibraryTest, EmptyRectangleGivesAnEmptyFile) {
    test::WriteBytes(target, "old content");
    EXPECT_EQ(Build(Settings(16, 16, 3, 0x8180, 0x8240)), "");
    EXPECT_EQ(Build(Settings(16, 16, 0, 0x9000, 0x8000)), "");
}

TEST_F(FontLibraryTest, ParallelBuildEqualsTheOneByOneWalk) {
    ProjectSettings s = Settings(16, 16, 0, 0x4E00, 0x4FFF);
    s.ORIENT = 3;
    s.DIRECT = 1;
    const std::string reference = ReferenceLibrary(s);
    EXPECT_EQ(Build(s, 1), reference);
    EXPECT_EQ(Build(s, 2), reference);
    EXPECT_EQ(Build(s, 5), reference);
}

// Asks for a stop once the bar reaches a percentage.
class StopAt : public ProgressSink {
  public:
    StopAt(StopFlag& flag, int at) : flag_(flag), at_(at) {}
    void SetRange(int, int) override {}
    void SetPosition(int p) override {
        positions.push_back(p);
        if (p >= at_) flag_.Request();
    }
    std::vector<int> positions;

  private:
    StopFlag& flag_;
    int at_;
};

TEST_F(FontLibraryTest, StopKeepsAPrefixOfTheWalk) {
    const ProjectSettings s = Settings(16, 16, 0, 0x4E00, 0x50FF);
    StopFlag flag;
    StopAt progress(flag, 30);
    LibraryOptions o;
    o.stop = &flag;
    o.progress = &progress;
    const LibraryResult result = BuildFontLibrary(s, target, o);
    EXPECT_TRUE(result.stopped);
    EXPECT_GT(result.codesVisited, 0);
    EXPECT_LT(result.codesVisited, 0x300);
    const std::string bytes = test::ReadBytes(target);
    EXPECT_EQ(static_cast<int64_t>(bytes.size()), result.recordsWritten * 32);
    EXPECT_EQ(bytes, ReferenceLibrary(s).substr(0, bytes.size()));
    EXPECT_EQ(progress.positions.back(), 0);
}

TEST_F(FontLibraryTest, ProgressRisesBelowHundredAndEndsAtZero) {
    StopFlag never;
    StopAt progress(never, 1000);
    LibraryOptions o;
    o.progress = &progress;
    BuildFontLibrary(Settings(8, 8, 0, 0x0000, 0x00FF), target, o);
    ASSERT_GE(progress.positions.size(), 3u);
    EXPECT_EQ(progress.positions.front(), 0);
    EXPECT_EQ(progress.positions.back(), 0);
    for (size_t i = 1; i + 1 < progress.positions.size(); ++i) {
        EXPECT_GT(progress.positions[i], progress.positions[i - 1]);
        EXPECT_LT(progress.positions[i], 100);
    }
}

TEST_F(FontLibraryTest, UnwritableTargetAndBadSettingsAreClearErrors) {
    EXPECT_THROW(BuildFontLibrary(Settings(16, 16, 0, 0x41, 0x42), dir / "no" / "x.dzk"),
                 UserError);
    ProjectSettings bad = Settings(16, 16, 0, 0x41, 0x42);
    bad.DIRECT = 7;
    EXPECT_THROW(BuildFontLibrary(bad, target), UserError);
    EXPECT_THROW(BuildFontLibrary(Settings(5000, 16, 0, 0x41, 0x42), target), UserError);
    const LibraryResult none = BuildFontLibrary(Settings(0, 16, 0, 0x41, 0x42), target);
    EXPECT_EQ(none.codesVisited, 0);
    EXPECT_FALSE(std::filesystem::exists(target));
}

TEST_F(FontLibraryTest, FullDiskIsReported) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    EXPECT_THROW(BuildFontLibrary(Settings(16, 16, 0, 0x4E00, 0x4FFF), "/dev/full"), UserError);
}

TEST(LibraryBaseSlot, FromWithoutASlotTakesTheNextTrailByte) {
    EXPECT_EQ(LibraryBaseSlot(3, 0x8140), 0);
    EXPECT_EQ(LibraryBaseSlot(3, 0x817F), 63);  // as 0x8180
    EXPECT_EQ(LibraryBaseSlot(4, 0xA17F), 63);  // as 0xA1A1
    EXPECT_EQ(LibraryBaseSlot(4, 0xA240), 157);
}

// Small libraries of each kind, pinned byte for byte; they cover the gaps GBK and BIG5 leave.
// Regenerate with ZEMTRA_UPDATE_GOLDEN=1 (see tests/data/dzk/README.md).
TEST(LibraryRecordIndex, AppendedKindsCountTheWalkAndSlotKindsTheirSlots) {
    ProjectSettings s;
    s.CODEPAGE = 2;  // GB2312 appends
    s.FROM = 0xB0A1;
    s.TO = 0xB1A3;
    EXPECT_EQ(LibraryRecordIndex(s, 0xB0A1), 0);
    EXPECT_EQ(LibraryRecordIndex(s, 0xB1A2), 4);
    EXPECT_FALSE(LibraryRecordIndex(s, 0xB0A4));  // outside the rectangle
    s.CODEPAGE = 3;                               // GBK: 190 slots a lead byte, none at lo 7F
    s.FROM = 0x817E;
    s.TO = 0x8281;
    EXPECT_EQ(LibraryRecordIndex(s, 0x817E), 0);
    EXPECT_FALSE(LibraryRecordIndex(s, 0x817F));
    EXPECT_EQ(LibraryRecordIndex(s, 0x8180), 1);
    EXPECT_EQ(LibraryRecordIndex(s, 0x827E), 190);
    s.FROM = 0x817F;  // a From without a slot starts at the next trail byte's
    EXPECT_EQ(LibraryRecordIndex(s, 0x8180), 0);
    s.CODEPAGE = 4;  // BIG5: no slots at lo 7F..A0
    s.FROM = 0xA17E;
    s.TO = 0xA1A1;
    EXPECT_EQ(LibraryRecordIndex(s, 0xA17E), 0);
    EXPECT_FALSE(LibraryRecordIndex(s, 0xA190));
    EXPECT_EQ(LibraryRecordIndex(s, 0xA1A1), 1);
    s.DATABIT = 4;
    EXPECT_EQ(LibraryPackingBits(s), 4);
    s.DATABIT = 3;  // 32-bit words are packed as bytes
    EXPECT_EQ(LibraryPackingBits(s), 8);
}

TEST_F(FontLibraryTest, GoldenLayouts) {
    struct Case {
        const char* name;
        int32_t kind;
        uint16_t from, to;
    };
    for (const Case& c : {Case{"dzk/unicode_0041_0043.dzk", 0, 0x0041, 0x0043},
                          Case{"dzk/gb2312_a1a1_a2a3.dzk", 2, 0xA1A1, 0xA2A3},
                          Case{"dzk/gbk_817e_8281.dzk", 3, 0x817E, 0x8281},
                          Case{"dzk/big5_a17e_a2a2.dzk", 4, 0xA17E, 0xA2A2}}) {
        const ProjectSettings s = Settings(8, 8, c.kind, c.from, c.to);
        const std::string bytes = Build(s);
        EXPECT_EQ(bytes, ReferenceLibrary(s)) << c.name;
        EXPECT_EQ(test::CompareWithGolden(c.name, bytes), "");
    }
}

}  // namespace
}  // namespace zemtra
