// Tests of the [Glyphs] section: the key and row texts, every kind of entry that is skipped and
// named, and saving projects with edits into files of each encoding without touching anything
// else.
#include "project/glyph_section.h"

#include <gtest/gtest.h>

#include "base/unicode.h"
#include "project/project_file.h"
#include "project/project_test_util.h"
#include "support/font_fixtures.h"
#include "support/test_support.h"

namespace zemtra {
namespace {

using test::NewSettings;

using test::ReadBytes;
using test::ScratchDir;
using test::Utf16LeBytes;
using test::WriteBytes;

// A glyph from rows of '#' and '.'.
GlyphDots Dots(const std::vector<std::string>& rows) {
    GlyphDots dots(static_cast<int32_t>(rows.front().size()), static_cast<int32_t>(rows.size()));
    for (size_t y = 0; y < rows.size(); ++y) {
        for (size_t x = 0; x < rows[y].size(); ++x) {
            if (rows[y][x] == '#') dots.Set(static_cast<int32_t>(x), static_cast<int32_t>(y), true);
        }
    }
    return dots;
}

// The 8 x 8 "A" of the format's own example.
GlyphDots LetterA() {
    return Dots({"...##...", "..#..#..", ".#....#.", "#......#", "########", "#......#", "#......#",
                 "........"});
}

std::string Problem(std::u16string_view key, std::u16string_view value) {
    GlyphEditKey k;
    if (auto why = ParseGlyphKey(key, k)) return *why;
    GlyphDots dots;
    if (auto why = ParseGlyphRows(value, k.width, k.height, dots)) return *why;
    return "";
}

GlyphSection Read(std::u16string_view body) {
    return ReadGlyphSection(
        Profile::FromBytes(Utf16LeBytes(u"[Glyphs]\r\n" + std::u16string(body))));
}

// The text of a UTF-16LE file with its mark.
std::u16string Utf16LeText(const std::string& bytes) {
    std::u16string text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        text += static_cast<char16_t>(static_cast<uint8_t>(bytes[i]) |
                                      static_cast<uint8_t>(bytes[i + 1]) << 8);
    }
    return text;
}

TEST(GlyphTexts, AreWrittenStrictly) {
    EXPECT_EQ(GlyphKeyText({u'A', 8, 8}), u"U+0041 8x8");
    EXPECT_EQ(GlyphKeyText({0xFE0F, 16, 12}), u"U+FE0F 16x12");
    EXPECT_EQ(GlyphKeyText({0x1F600, 2048, 1}), u"U+1F600 2048x1");
    EXPECT_EQ(GlyphRowsText(LetterA()), u"18,24,42,81,FF,81,81,00");
    // A row of 6 dots takes two digits, the last two bits 0; 9 dots take three.
    EXPECT_EQ(GlyphRowsText(Dots({"######", "#....#"})), u"FC,84");
    EXPECT_EQ(GlyphRowsText(Dots({"#.......#"})), u"808");
    EXPECT_EQ(GlyphEntryText({u'A', 8, 8}, LetterA()), u"U+0041 8x8=18,24,42,81,FF,81,81,00");
}

TEST(GlyphTexts, AreReadLenientlyInCaseAndSpaceOnly) {
    GlyphEditKey key;
    ASSERT_EQ(ParseGlyphKey(u"u+00e9 6X2", key), std::nullopt);
    EXPECT_EQ(key, (GlyphEditKey{0xE9, 6, 2}));
    ASSERT_EQ(ParseGlyphKey(u"U+10FFFF 1x1", key), std::nullopt);
    EXPECT_EQ(key.code, 0x10FFFFu);
    GlyphDots dots;
    ASSERT_EQ(ParseGlyphRows(u" fc , 84\t", 6, 2, dots), std::nullopt);
    EXPECT_EQ(dots, Dots({"######", "#....#"}));
    ASSERT_EQ(ParseGlyphRows(u"18,24,42,81,ff,81,81,00", 8, 8, dots), std::nullopt);
    EXPECT_EQ(dots, LetterA());
}

TEST(GlyphTexts, NameWhatIsWrongWithAnEntry) {
    const auto has = [](const std::string& problem, const char* words) {
        return problem.find(words) != std::string::npos;
    };
    // Keys.
    for (const char16_t* key :
         {u"U+41 8x8", u"U+0041", u"0041 8x8", u"U+G041 8x8", u"U+1234567 8x8", u"A 8x8"}) {
        EXPECT_TRUE(has(Problem(key, u"00"), "not U+XXXX WxH")) << Utf16ToUtf8(key);
    }
    EXPECT_TRUE(has(Problem(u"U+00041 8x8", u"00"), "leading zero"));
    EXPECT_TRUE(has(Problem(u"U+110000 8x8", u"00"), "above U+10FFFF"));
    for (const char16_t* key :
         {u"U+0041 0x8", u"U+0041 8x", u"U+0041 8*8", u"U+0041 08x8", u"U+0041 2049x1",
          u"U+0041 -8x8", u"U+0041 8x8x8", u"U+0041  8x8", u"U+0041 8x8 "}) {
        EXPECT_TRUE(has(Problem(key, u"00"), "is not WxH")) << Utf16ToUtf8(key);
    }
    // Values.
    EXPECT_TRUE(has(Problem(u"U+0041 8x2", u""), "empty"));
    EXPECT_TRUE(has(Problem(u"U+0041 8x2", u"  "), "empty"));
    EXPECT_TRUE(has(Problem(u"U+0041 8x2", u"18"), "has 1 row; a glyph of 8x2 has 2"));
    EXPECT_TRUE(has(Problem(u"U+0041 8x2", u"18,24,42"), "has 3 rows"));
    EXPECT_TRUE(has(Problem(u"U+0041 8x2", u"18,"), "row 2 has 0 digits"));
    EXPECT_TRUE(has(Problem(u"U+0041 8x2", u"18,243"), "row 2 has 3 digits; a row of 8 dots"));
    EXPECT_TRUE(has(Problem(u"U+0041 8x2", u"18,2G"), "row 2 (\"2G\") is not hexadecimal"));
    EXPECT_TRUE(has(Problem(u"U+0041 8x2", u"18,-1"), "not hexadecimal"));
    EXPECT_TRUE(has(Problem(u"U+0041 6x1", u"FE"), "beyond the width of 6"));
    EXPECT_EQ(Problem(u"U+0041 6x1", u"FC"), "");
}

TEST(GlyphSectionRead, SkipsAndNamesEachBadEntryAndReadsTheRest) {
    const GlyphSection section = Read(
        u"U+0041 8x8=18,24,42,81,FF,81,81,00\r\n"
        u"U+41 8x8=00,00,00,00,00,00,00,00\r\n"    // bad key
        u"U+0042 0x8=00\r\n"                       // bad size
        u"U+0043 8x2=1\r\n"                        // wrong digit count
        u"U+0044 8x2=10\r\n"                       // wrong row count
        u"U+0045 8x1=1Z\r\n"                       // not hexadecimal
        u"U+0046 8x1=\r\n"                         // empty
        u"U+0047 8x1\r\n"                          // no value at all
        u"u+0041 8X8=FF,FF,FF,FF,FF,FF,FF,FF\r\n"  // the key again, in other letters
        u"U+0043 8x2=FF,FF\r\n"                    // again, after a bad first entry
        u"U+1F600 8x1=FF\r\n"                      // above the basic plane: kept
        u"; a comment\r\n");
    EXPECT_EQ(section.edits.Size(), 2u);
    ASSERT_NE(section.edits.Find(u'A', 8, 8), nullptr);
    EXPECT_EQ(*section.edits.Find(u'A', 8, 8), LetterA());
    EXPECT_NE(section.edits.Find(0x1F600, 8, 1), nullptr);
    EXPECT_EQ(section.edits.Find(u'C', 8, 2), nullptr) << "only a key's first entry counts";
    ASSERT_EQ(section.problems.size(), 9u);
    const char* names[] = {"\"U+41 8x8\"",   "\"U+0042 0x8\"", "\"U+0043 8x2\"",
                           "\"U+0044 8x2\"", "\"U+0045 8x1\"", "\"U+0046 8x1\"",
                           "\"U+0047 8x1\"", "\"u+0041 8X8\"", "\"U+0043 8x2\""};
    for (size_t i = 0; i < 9; ++i) {
        EXPECT_EQ(section.problems[i].rfind("[Glyphs] ", 0), 0u) << section.problems[i];
        EXPECT_NE(section.problems[i].find(names[i]), std::string::npos) << section.problems[i];
        EXPECT_NE(section.problems[i].find("skipped"), std::string::npos);
    }
    EXPECT_NE(section.problems[6].find("no value"), std::string::npos);
    EXPECT_NE(section.problems[7].find("repeats an earlier key"), std::string::npos);
}

TEST(GlyphSectionRead, NamesAHundredBadEntriesAndCountsTheRest) {
    std::u16string body;
    for (int i = 0; i < 250; ++i) body += u"U+" + DecimalText(1000 + i) + u" 8x1=X\r\n";
    const GlyphSection section = Read(body);
    ASSERT_EQ(section.problems.size(), kMaxNamedGlyphProblems + 1);
    EXPECT_NE(section.problems.back().find("150 more entries"), std::string::npos);
}

TEST(GlyphSectionRead, StopsAtItsEntryLimitWithOneMessage) {
    std::u16string body;
    const size_t entries = kMaxGlyphEntries + 5;
    body.reserve(entries * 16);
    for (size_t i = 0; i < entries; ++i) {
        body += GlyphKeyText({static_cast<char32_t>(i), 1, 1}) + u"=8\r\n";
    }
    const GlyphSection section = Read(body);
    EXPECT_EQ(section.edits.Size(), kMaxGlyphEntries);
    ASSERT_EQ(section.problems.size(), 1u);
    EXPECT_NE(section.problems[0].find("5 entries after the first 262144 are skipped"),
              std::string::npos)
        << section.problems[0];
}

TEST(GlyphSectionWrite, EditsRoundTripInEveryEncoding) {
    ScratchDir dir;
    ProjectSettings s = NewSettings();
    s.BLOCKNUMX = s.BLOCKNUMY = u"8";
    s.GLYPHS.Set(u'A', LetterA());
    s.GLYPHS.Set(u'字', Dots({"#.#.#.#.#", ".#.#.#.#."}));
    s.GLYPHS.Set(0x1F600, Dots({"#"}));  // matches no character, and stays
    struct Case {
        const char* name;
        std::string bytes;
        ProfileEncoding encoding;
    };
    const Case cases[] = {
        {"utf-16le", Utf16LeBytes(u"[Setting]\r\nLanguage=English\r\n"), ProfileEncoding::Utf16Le},
        {"utf-8", test::Utf8Bytes(u"[Setting]\nLanguage=简体中文\n"), ProfileEncoding::Utf8},
        {"ansi", "[Setting]\r\nLanguage=English\r\n", ProfileEncoding::Ansi},
    };
    for (const Case& c : cases) {
        const auto path = dir / c.name;
        WriteBytes(path, c.bytes);
        SaveProject(path, s);
        const std::string saved = ReadBytes(path);
        EXPECT_EQ(Profile::FromBytes(saved, 1252).Encoding(), c.encoding) << c.name;
        ProjectSettings back;
        const LoadedProject loaded = LoadProject(path, back);
        EXPECT_TRUE(loaded.glyphProblems.empty()) << c.name;
        EXPECT_EQ(back.GLYPHS, s.GLYPHS) << c.name;
        EXPECT_EQ(Profile::FromBytes(saved, 1252).Get(u"Glyphs", u"U+0041 8x8"),
                  u"18,24,42,81,FF,81,81,00")
            << c.name;
        EXPECT_EQ(Profile::FromBytes(saved, 1252).Get(u"Setting", u"Language"),
                  Profile::FromBytes(c.bytes, 1252).Get(u"Setting", u"Language"));
        // Saved again unchanged, the file keeps its bytes.
        SaveProject(path, back);
        EXPECT_EQ(ReadBytes(path), saved) << c.name;
    }
}

TEST(GlyphSectionWrite, AProjectWithoutEditsGainsNoSection) {
    ScratchDir dir;
    SaveProject(dir / "p.fprj", NewSettings());
    EXPECT_EQ(Profile::LoadFile(dir / "p.fprj").Get(u"Glyphs", u"U+0041 8x8"), std::nullopt);
    EXPECT_EQ(ReadBytes(dir / "p.fprj").find(test::Utf16LeBytes(u"[Glyphs]", false)),
              std::string::npos);
}

TEST(GlyphSectionWrite, ChangesOnlyTheEntriesOfEditsThatChanged) {
    ScratchDir dir;
    const auto path = dir / "p.fprj";
    ProjectSettings s = NewSettings();
    s.GLYPHS.Set(u'B', Dots({"##", ".#"}));
    SaveProject(path, s);
    // The user's own spelling, two bad entries and a copy of a key, added by hand.
    std::string bytes = ReadBytes(path);
    bytes += Utf16LeBytes(
        u"u+0041 2x2=c,4\r\nU+0043 2x2=X,0\r\nU+0044 2x2=F,0\r\nU+0042 2X2=F,F\r\n; mine\r\n",
        false);
    WriteBytes(path, bytes);
    ProjectSettings loaded = NewSettings();
    const LoadedProject result = LoadProject(path, loaded);
    EXPECT_EQ(result.glyphProblems.size(), 3u);
    ASSERT_EQ(loaded.GLYPHS.Size(), 2u);
    EXPECT_EQ(*loaded.GLYPHS.Find(u'B', 2, 2), Dots({"##", ".#"}));

    // Unchanged: byte for byte.
    SaveProject(path, loaded);
    EXPECT_EQ(ReadBytes(path), bytes);

    // B removed: its entry and its copy go; A changed: rewritten where it stands, in the
    // file's spelling of the key; the bad entries and the comment stay for the user.
    loaded.GLYPHS.Remove({u'B', 2, 2});
    loaded.GLYPHS.Set(u'A', Dots({"#.", "##"}));
    SaveProject(path, loaded);
    const std::u16string after = Utf16LeText(ReadBytes(path));
    EXPECT_NE(after.find(u"FaceName=Arial\r\n"), std::u16string::npos);
    EXPECT_NE(after.find(u"[Glyphs]\r\nu+0041 2x2=8,C\r\nU+0043 2x2=X,0\r\nU+0044 2x2=F,0\r\n"
                         u"; mine\r\n"),
              std::u16string::npos)
        << Utf16ToUtf8(after);
    EXPECT_EQ(after.find(u"U+0042"), std::u16string::npos);
    ProjectSettings again = NewSettings();
    EXPECT_EQ(LoadProject(path, again).glyphProblems.size(), 2u);
    EXPECT_EQ(again.GLYPHS, loaded.GLYPHS);
}

TEST(GlyphSectionWrite, SavingAnotherProjectOverAFileReplacesItsEdits) {
    ScratchDir dir;
    const auto path = dir / "p.fprj";
    ProjectSettings first = NewSettings();
    first.GLYPHS.Set(u'A', Dots({"#"}));
    first.GLYPHS.Set(u'B', Dots({"#"}));
    SaveProject(path, first);
    ProjectSettings second = NewSettings();
    second.GLYPHS.Set(u'C', Dots({"#"}));
    SaveProject(path, second);
    ProjectSettings back = NewSettings();
    LoadProject(path, back);
    EXPECT_EQ(back.GLYPHS, second.GLYPHS);
    // The same profile written twice takes the second set of edits only.
    Profile p;
    WriteProject(first, p);
    WriteProject(second, p);
    EXPECT_EQ(ReadGlyphSection(Profile::FromBytes(p.ToBytes())).edits, second.GLYPHS);
}

TEST(GlyphSectionWrite, TheSavedFormHoldsTheEditsAsSaveWritesThem) {
    // The window's changed mark compares saved forms: an edit, its dots, counts.
    ProjectSettings a = NewSettings();
    ProjectSettings b = a;
    b.GLYPHS.Set(u'A', LetterA());
    const ProjectForm form = SavedForm(b);
    EXPECT_EQ(form.size(), SavedForm(a).size() + 1);
    EXPECT_EQ(form.back().section, kGlyphsSection);
    EXPECT_EQ(form.back().key, u"U+0041 8x8");
    EXPECT_EQ(form.back().value, u"18,24,42,81,FF,81,81,00");
    ProjectSettings c = b;
    GlyphDots moved = LetterA();
    moved.Set(0, 7, true);
    c.GLYPHS.Set(u'A', moved);
    EXPECT_NE(SavedForm(c), form);
    Profile written;
    WriteProject(b, written);
    for (const ProjectEntry& e : form) EXPECT_EQ(written.Get(e.section, e.key), e.value);
}

TEST(GlyphSectionWrite, EditsAloneMergeWithoutTouchingAnyOtherLine) {
    ScratchDir dir;
    const auto path = dir / "p.fprj";
    // Spaces around "=", a missing key and a comment that a full save would change.
    const std::string original = "[Project]\r\nVersion = V1.0\r\nBLOCKNUMX= 8 \r\n; keep\r\n";
    WriteBytes(path, original);
    GlyphEdits edits;
    edits.Set(u'A', LetterA());
    SaveGlyphEdits(path, edits);
    EXPECT_EQ(ReadBytes(path), original + "[Glyphs]\r\nU+0041 8x8=18,24,42,81,FF,81,81,00\r\n");
    SaveGlyphEdits(path, {});
    EXPECT_EQ(ReadBytes(path), original + "[Glyphs]\r\n");
}

}  // namespace
}  // namespace zemtra
