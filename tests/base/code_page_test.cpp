// Tests of the code-page module: the ANSI code page choice, both conversion directions with the
// platform's pair rules, CodeToCharacter per kind, and the GBK/BIG5 library slots.
#include "base/code_page.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "support/scoped_env.h"

namespace zemtra {
namespace {

using test::ScopedEnv;
using namespace std::string_literals;

constexpr int32_t kUnicode = static_cast<int32_t>(CodePageKind::Unicode);
constexpr int32_t kMbcs = static_cast<int32_t>(CodePageKind::Mbcs);
constexpr int32_t kGb2312 = static_cast<int32_t>(CodePageKind::Gb2312);
constexpr int32_t kGbk = static_cast<int32_t>(CodePageKind::Gbk);
constexpr int32_t kBig5 = static_cast<int32_t>(CodePageKind::Big5);

// A locale of its own: no ZEMTRA_ANSI_CODEPAGE, and only the variables given.
struct LocaleEnv {
    LocaleEnv(const char* all, const char* ctype, const char* lang) {
        env.Set("ZEMTRA_ANSI_CODEPAGE", nullptr);
        env.Set("LC_ALL", all);
        env.Set("LC_CTYPE", ctype);
        env.Set("LANG", lang);
    }
    ScopedEnv env;
};

TEST(AnsiCodePageTest, EnvironmentVariableWinsWhenValid) {
    LocaleEnv locale(nullptr, nullptr, "ja_JP.UTF-8");
    {
        ScopedEnv env("ZEMTRA_ANSI_CODEPAGE", "936");
        EXPECT_EQ(AnsiCodePage(), 936);
    }
    {
        ScopedEnv env("ZEMTRA_ANSI_CODEPAGE", "1250");
        EXPECT_EQ(AnsiCodePage(), 1250);
    }
    // Not a code page we have a table for, or not a decimal number: the locale decides.
    for (const char* bad : {"", "abc", "936x", "-936", "0x3A8", "65001", "99999999999"}) {
        ScopedEnv env("ZEMTRA_ANSI_CODEPAGE", bad);
        EXPECT_EQ(AnsiCodePage(), 932) << '"' << bad << '"';
    }
}

TEST(AnsiCodePageTest, LocaleVariablesInSetlocaleOrder) {
    {
        LocaleEnv locale("zh_TW.UTF-8", "ko_KR.UTF-8", "ja_JP.UTF-8");
        EXPECT_EQ(AnsiCodePage(), 950);
    }
    {
        LocaleEnv locale(nullptr, "ko_KR.UTF-8", "ja_JP.UTF-8");
        EXPECT_EQ(AnsiCodePage(), 949);
    }
    {
        LocaleEnv locale("", "", "ja_JP.UTF-8");  // empty counts as unset
        EXPECT_EQ(AnsiCodePage(), 932);
    }
    {
        LocaleEnv locale(nullptr, nullptr, nullptr);
        EXPECT_EQ(AnsiCodePage(), 1252);
    }
}

TEST(AnsiCodePageTest, LanguageAndTerritory) {
    const std::vector<std::pair<const char*, int>> cases = {
        {"zh_CN.UTF-8", 936},  {"zh_SG", 936},
        {"zh_TW", 950},        {"zh_HK.UTF-8", 950},
        {"zh_MO", 950},        {"ja_JP.eucJP", 932},
        {"ko_KR", 949},        {"th_TH", 874},
        {"ru_RU.UTF-8", 1251}, {"uk_UA", 1251},
        {"sr_RS", 1251},       {"sr_RS@latin", 1250},
        {"pl_PL", 1250},       {"cs_CZ.UTF-8", 1250},
        {"hu_HU", 1250},       {"el_GR", 1253},
        {"tr_TR.UTF-8", 1254}, {"he_IL", 1255},
        {"ar_EG.UTF-8", 1256}, {"lt_LT", 1257},
        {"vi_VN", 1258},       {"de_DE.UTF-8@euro", 1252},
        {"en_US.UTF-8", 1252}, {"C", 1252},
        {"C.UTF-8", 1252},     {"POSIX", 1252},
        {"xx_YY", 1252},
    };
    for (const auto& [name, expected] : cases) {
        LocaleEnv locale(nullptr, nullptr, name);
        EXPECT_EQ(AnsiCodePage(), expected) << name;
    }
}

TEST(WideToMultiByteTest, CharactersOfTheTables) {
    EXPECT_EQ(WideToMultiByte(936, u"A"), "A");
    EXPECT_EQ(WideToMultiByte(1252, u"A"), "A");
    EXPECT_EQ(WideToMultiByte(936, u"啊"), "\xB0\xA1");
    EXPECT_EQ(WideToMultiByte(936, u"丂"), "\x81\x40");
    EXPECT_EQ(WideToMultiByte(950, u"中"), "\xA4\xA4");
    EXPECT_EQ(WideToMultiByte(950, u"一"), "\xA4\x40");
    EXPECT_EQ(WideToMultiByte(936, u"€"), "\x80");
    EXPECT_EQ(WideToMultiByte(1252, u"€"), "\x80");
    EXPECT_EQ(WideToMultiByte(950, u"€"), "\xA3\xE1");
    EXPECT_EQ(WideToMultiByte(1252, u"é\r\n"), "\xE9\r\n");
    EXPECT_EQ(WideToMultiByte(936, u"A\0B"s), "A\0B"s);
}

TEST(WideToMultiByteTest, UnmappableBecomesQuestionMark) {
    EXPECT_EQ(WideToMultiByte(1252, u"啊"), "?");
    EXPECT_EQ(WideToMultiByte(1252, u"A中B"), "A?B");
    EXPECT_EQ(WideToMultiByte(950, u"丂"), "?");  // GBK only
    // Invisible characters no table holds are not dropped either.
    EXPECT_EQ(WideToMultiByte(1252, u"A\u200BB"), "A?B");
    EXPECT_EQ(WideToMultiByte(936, u"\u034F"), "?");
    // The best-fit table of 950 folds accented letters it lacks.
    EXPECT_EQ(WideToMultiByte(950, u"é"), "e");
    // A code page without a table converts nothing.
    EXPECT_EQ(WideToMultiByte(12345, u"A"), "");
}

TEST(WideToMultiByteTest, SurrogatesConvertUnitByUnit) {
    EXPECT_EQ(WideToMultiByte(936, u"\xD800\x41"), "?A");
    EXPECT_EQ(WideToMultiByte(936, u"A\xDC00"), "A?");
    EXPECT_EQ(WideToMultiByte(1252, u"\U0001F600"), "??");  // a valid pair is still two units
    EXPECT_EQ(WideToMultiByte(950, u"中\xD83D中"), "\xA4\xA4?\xA4\xA4");
}

// Long texts go through ICU in pieces; a double-byte character split between two pieces must
// arrive whole, wherever the split falls.
TEST(WideToMultiByteTest, LongTextsKeepEveryByte) {
    for (size_t prefix = 0; prefix < 4; ++prefix) {
        std::u16string text(prefix, u'A');
        std::string expected(prefix, 'A');
        for (int i = 0; i < 1000; ++i) {
            text += u"啊";
            expected += "\xB0\xA1";
        }
        text += u"\xD800啊";
        expected += "?\xB0\xA1";
        EXPECT_EQ(WideToMultiByte(936, text), expected) << prefix;
    }
}

// Converting a whole text must give what converting each unit alone gives, for every unit.
TEST(WideToMultiByteTest, WholeTextEqualsUnitByUnit) {
    for (int codePage :
         {874, 932, 936, 949, 950, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258}) {
        std::u16string all;
        std::string expected;
        for (uint32_t unit = 1; unit <= 0xFFFF; ++unit) {
            const std::u16string one(1, static_cast<char16_t>(unit));
            all += one;
            const std::string bytes = WideToMultiByte(codePage, one);
            ASSERT_FALSE(bytes.empty()) << codePage << " U+" << std::hex << unit;
            expected += bytes;
        }
        EXPECT_EQ(WideToMultiByte(codePage, all), expected) << codePage;
    }
}

TEST(MultiByteToWideTest, SingleBytesAsTheTablesSay) {
    EXPECT_EQ(MultiByteToWide(936, "\x80"), u"\u20AC");
    EXPECT_EQ(MultiByteToWide(936, "\xFF"), u"\uF8F5");
    EXPECT_EQ(MultiByteToWide(950, "\x80"), u"\u0080");
    EXPECT_EQ(MultiByteToWide(950, "\xFF"), u"\uF8F8");
    EXPECT_EQ(MultiByteToWide(1252, "\x80\xE9\x41"), u"€éA");
    EXPECT_EQ(MultiByteToWide(1252, "\x81\x1A"), u"\u0081\u001A");  // a real 1A stays 1A
    EXPECT_EQ(MultiByteToWide(936, "A\0B"s), u"A\0B"s);
}

TEST(MultiByteToWideTest, PairsOfTheTables) {
    EXPECT_EQ(MultiByteToWide(936, "\xB0\xA1"), u"啊");
    EXPECT_EQ(MultiByteToWide(936, "\x81\x40\xB0\xA1"), u"丂啊");
    EXPECT_EQ(MultiByteToWide(950, "\xA4\xA4\xA4\x40"), u"中一");
    // 950's lead bytes 0x81..0xA0 give the Private Use Area.
    EXPECT_EQ(MultiByteToWide(950, "\x81\x40"), u"\uEEB8");
    EXPECT_EQ(MultiByteToWide(950, "\x8E\x40"), u"\uE311");
    EXPECT_EQ(MultiByteToWide(950, "\xA0\xFE"), u"\uEEB7");
    EXPECT_EQ(MultiByteToWide(12345, "A"), u"");
}

TEST(MultiByteToWideTest, LeadByteTakesAnyNonzeroByte) {
    // ICU would give "?" for the lead byte and convert the trail byte on its own.
    EXPECT_EQ(MultiByteToWide(936, "\xB0\x30\x41"), u"?A");
    EXPECT_EQ(MultiByteToWide(936, "\x81\x7F\x41"), u"?A");
    EXPECT_EQ(MultiByteToWide(936, "\xA1\x20\xB0\xA1"), u"?啊");
    EXPECT_EQ(MultiByteToWide(950, "\xA1\x7F\x41"), u"?A");
    EXPECT_EQ(MultiByteToWide(950, "\xA1\x30\x41"), u"?A");
    // The trail byte may itself be a lead byte: the pair still goes together.
    EXPECT_EQ(MultiByteToWide(936, "\xB0\xB0\xA1"), u"鞍?");
}

TEST(MultiByteToWideTest, LeadByteAtTheEndOrBeforeZero) {
    EXPECT_EQ(MultiByteToWide(936, "\xB0"), u"?");
    EXPECT_EQ(MultiByteToWide(936, "A\xB0"), u"A?");
    EXPECT_EQ(MultiByteToWide(936, "\xB0\0A"s), u"?\0A"s);
    EXPECT_EQ(MultiByteToWide(950, "\xA4\0"s), u"?\0"s);
}

TEST(CodeToCharacterTest, UnicodeIsTheCodeItself) {
    EXPECT_EQ(CodeToCharacter(0x0041, kUnicode), u"A");
    EXPECT_EQ(CodeToCharacter(0x4E2D, kUnicode), u"中");
    EXPECT_EQ(CodeToCharacter(0x0000, kUnicode), u"\0"s);
    EXPECT_EQ(CodeToCharacter(0xD800, kUnicode), u"\xD800");
    // Unknown kinds act as UNICODE.
    EXPECT_EQ(CodeToCharacter(0xB0A1, 5), u"\xB0A1");
    EXPECT_EQ(CodeToCharacter(0xB0A1, -1), u"\xB0A1");
}

TEST(CodeToCharacterTest, ChineseKindsReadHighByteFirst) {
    EXPECT_EQ(CodeToCharacter(0xB0A1, kGb2312), u"啊");
    EXPECT_EQ(CodeToCharacter(0xB0A1, kGbk), u"啊");
    EXPECT_EQ(CodeToCharacter(0x8140, kGbk), u"丂");
    EXPECT_EQ(CodeToCharacter(0xA440, kBig5), u"一");
    EXPECT_EQ(CodeToCharacter(0xA4A4, kBig5), u"中");
    // A first byte 0 gives nothing; a pair the table lacks gives the default character.
    EXPECT_EQ(CodeToCharacter(0x0041, kGb2312), u"");
    EXPECT_EQ(CodeToCharacter(0x0041, kBig5), u"");
    EXPECT_EQ(CodeToCharacter(0x817F, kGbk), u"?");
    EXPECT_EQ(CodeToCharacter(0xA17F, kBig5), u"?");
    // A single byte converts alone, whatever follows.
    EXPECT_EQ(CodeToCharacter(0x4142, kGbk), u"A");
    EXPECT_EQ(CodeToCharacter(0x80FF, kGbk), u"€");
}

TEST(CodeToCharacterTest, MbcsReadsLowByteFirstInTheAnsiCodePage) {
    {
        ScopedEnv env("ZEMTRA_ANSI_CODEPAGE", "1252");
        EXPECT_EQ(CodeToCharacter(0x0041, kMbcs), u"A");
        EXPECT_EQ(CodeToCharacter(0x4142, kMbcs), u"B");
        EXPECT_EQ(CodeToCharacter(0x4100, kMbcs), u"");
        EXPECT_EQ(CodeToCharacter(0xA1B0, kMbcs), u"°");
    }
    {
        ScopedEnv env("ZEMTRA_ANSI_CODEPAGE", "936");
        EXPECT_EQ(CodeToCharacter(0xA1B0, kMbcs), u"啊");  // lead byte low, trail byte high
        EXPECT_EQ(CodeToCharacter(0x4142, kMbcs), u"B");
        EXPECT_EQ(CodeToCharacter(0x00B0, kMbcs), u"?");  // lead byte before the zero
        EXPECT_EQ(CodeToCharacter(0x4100, kMbcs), u"");
    }
}

// The library builder converts from its worker thread while the dialog shows From and To.
TEST(CodeToCharacterTest, ThreadsGetTheSameResults) {
    auto walk = [](int32_t kind) {
        std::u16string all;
        for (uint32_t code = 0; code <= 0xFFFF; ++code) {
            std::u16string one = CodeToCharacter(static_cast<uint16_t>(code), kind);
            all += one.empty() ? u'\xFFFF' : one[0];
        }
        return all;
    };
    const std::u16string gbk = walk(kGbk);
    const std::u16string big5 = walk(kBig5);
    std::u16string fromThreads[4];
    std::vector<std::thread> threads;
    for (int i = 0; i < 4; ++i) {
        threads.emplace_back([&, i] { fromThreads[i] = walk(i % 2 == 0 ? kGbk : kBig5); });
    }
    for (auto& thread : threads) thread.join();
    for (int i = 0; i < 4; ++i) EXPECT_EQ(fromThreads[i], i % 2 == 0 ? gbk : big5) << i;
}

TEST(LibrarySlotTest, GbkRows) {
    EXPECT_EQ(LibrarySlot(kGbk, 0x8140), 0);
    EXPECT_EQ(LibrarySlot(kGbk, 0x817E), 62);
    EXPECT_EQ(LibrarySlot(kGbk, 0x817F), std::nullopt);
    EXPECT_EQ(LibrarySlot(kGbk, 0x8180), 63);
    EXPECT_EQ(LibrarySlot(kGbk, 0x81FE), 189);
    EXPECT_EQ(LibrarySlot(kGbk, 0x8240), 190);
    EXPECT_EQ(LibrarySlot(kGbk, 0x8340), 380);
    EXPECT_EQ(LibrarySlot(kGbk, 0xFEFE), 126 * 190 - 1);
}

TEST(LibrarySlotTest, Big5Rows) {
    EXPECT_EQ(LibrarySlot(kBig5, 0xA140), 0);
    EXPECT_EQ(LibrarySlot(kBig5, 0xA17E), 62);
    for (uint16_t code = 0xA17F; code <= 0xA1A0; ++code) {
        EXPECT_EQ(LibrarySlot(kBig5, code), std::nullopt) << std::hex << code;
    }
    EXPECT_EQ(LibrarySlot(kBig5, 0xA1A1), 63);
    EXPECT_EQ(LibrarySlot(kBig5, 0xA1FE), 156);
    EXPECT_EQ(LibrarySlot(kBig5, 0xA240), 157);
    EXPECT_EQ(LibrarySlot(kBig5, 0xA340), 314);
}

TEST(LibrarySlotTest, TrailBytesOutsideTheRangesKeepTheFormula) {
    // A low trail byte lands on the previous row's last slots, 0xFF on the next row's first.
    EXPECT_EQ(LibrarySlot(kGbk, 0x8230), LibrarySlot(kGbk, 0x81EF));
    EXPECT_EQ(LibrarySlot(kGbk, 0x81FF), LibrarySlot(kGbk, 0x8240));
    EXPECT_EQ(LibrarySlot(kBig5, 0xA230), LibrarySlot(kBig5, 0xA1EF));
    EXPECT_EQ(LibrarySlot(kBig5, 0xA1FF), LibrarySlot(kBig5, 0xA240));
    // Below the first lead byte the slot is negative.
    EXPECT_EQ(LibrarySlot(kGbk, 0x0000), -0x81 * 190 - 0x40);
    EXPECT_EQ(LibrarySlot(kBig5, 0x8140), -0x20 * 157);
}

TEST(LibrarySlotTest, OtherKindsAppend) {
    for (int32_t kind : {kUnicode, kMbcs, kGb2312, 7, -1}) {
        EXPECT_EQ(LibrarySlot(kind, 0xA1A1), std::nullopt) << kind;
    }
}

}  // namespace
}  // namespace zemtra
