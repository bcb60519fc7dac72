// Tests of the profile layer: the platform's reading rules, in-place writing that keeps every
// other line, the encodings kept or changed on writing, value escaping and safe file saving.
#include "project/profile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <stdexcept>

#include "base/error.h"
#include "base/unicode.h"
#include "project/project_test_util.h"
#include "support/test_support.h"

namespace zemtra {
namespace {

using test::ReadBytes;
using test::ScratchDir;
using test::Utf16LeBytes;
using test::WriteBytes;
using namespace std::string_literals;

Profile Ascii(std::string bytes) {
    return Profile::FromBytes(std::move(bytes), 1252);
}

std::u16string Get(const Profile& p, std::u16string_view section, std::u16string_view key) {
    return p.GetString(section, key, u"<default>");
}

size_t TempFilesIn(const std::filesystem::path& folder) {
    size_t n = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().filename().string().front() == '.') ++n;
    }
    return n;
}

TEST(ProfileReadTest, LinesCommentsAndWhiteSpace) {
    const Profile p = Ascii(
        "; comment\r\n  [ Project ]  trailing\r\n\tKey One  =  value one \t\r\n;Hidden=1\n"
        "NoValue\rEmpty=\r\n Quoted = \"  spaced  \" \nSingle='x'\nMixed=\"x'\nLone=\"\n");
    EXPECT_EQ(Get(p, u"project", u"key one"), u"value one");
    EXPECT_EQ(Get(p, u"PROJECT", u"Hidden"), u"<default>");   // a comment
    EXPECT_EQ(Get(p, u"Project", u"NoValue"), u"<default>");  // a key without "="
    EXPECT_EQ(Get(p, u"Project", u"Empty"), u"");
    EXPECT_EQ(Get(p, u"Project", u"Quoted"), u"  spaced  ");
    EXPECT_EQ(Get(p, u"Project", u"Single"), u"x");
    EXPECT_EQ(Get(p, u"Project", u"Mixed"), u"\"x'");
    EXPECT_EQ(Get(p, u"Project", u"Lone"), u"\"");
    EXPECT_EQ(Get(p, u"Other", u"Key One"), u"<default>");
}

TEST(ProfileReadTest, FirstSectionAndFirstKeyWin) {
    const Profile p =
        Ascii("Orphan=1\n[A]\nk=first\nK=second\nbare\n[B]\nk=b\n[a]\nk=third\nonly=later\n");
    EXPECT_EQ(Get(p, u"A", u"k"), u"first");
    EXPECT_EQ(Get(p, u"a", u"only"), u"<default>");  // the second [a] is never consulted
    EXPECT_EQ(Get(p, u"B", u"K"), u"b");
    EXPECT_EQ(Get(p, u"A", u"Orphan"), u"<default>");
    // A key without "=" that comes first hides a later one with a value.
    const Profile q = Ascii("[A]\nk\nk=1\n");
    EXPECT_EQ(Get(q, u"A", u"k"), u"<default>");
}

TEST(ProfileReadTest, CaseFoldingIsAsciiOnly) {
    const Profile p = Profile::FromBytes(Utf16LeBytes(u"[Ärger]\r\nÉcole=1\r\n"), 1252);
    EXPECT_EQ(Get(p, u"Ärger", u"École"), u"1");
    EXPECT_EQ(Get(p, u"äRGER", u"École"), u"<default>");
}

TEST(ProfileReadTest, LongValuesAreReadWhole) {
    const std::u16string value(20000, u'x');
    const Profile p = Profile::FromBytes(Utf16LeBytes(u"[S]\r\nK=" + value + u"\r\n"), 1252);
    EXPECT_EQ(Get(p, u"S", u"K"), value);
}

TEST(ProfileEncodingTest, DetectsMarksAndUtf8) {
    EXPECT_EQ(DetectProfileEncoding("\xFF\xFE[\0"), ProfileEncoding::Utf16Le);
    EXPECT_EQ(DetectProfileEncoding("\xFE\xFF\0["), ProfileEncoding::Utf16Be);
    EXPECT_EQ(DetectProfileEncoding("\xEF\xBB\xBF[S]"), ProfileEncoding::Utf8Bom);
    EXPECT_EQ(DetectProfileEncoding("[S]\nK=\xE5\xAE\x8B"), ProfileEncoding::Utf8);
    EXPECT_EQ(DetectProfileEncoding("[S]\nK=\xCB\xCE"), ProfileEncoding::Ansi);
    EXPECT_EQ(DetectProfileEncoding("[S]\nK=plain"), ProfileEncoding::Ansi);
    EXPECT_EQ(DetectProfileEncoding("K=\xED\xA0\x80"), ProfileEncoding::Ansi);  // a surrogate
}

TEST(ProfileEncodingTest, ReadsEveryEncoding) {
    std::string be = "\xFE\xFF";
    for (char16_t c : std::u16string(u"[S]\nK=宋体\n")) {
        be += static_cast<char>(c >> 8);
        be += static_cast<char>(c & 0xFF);
    }
    EXPECT_EQ(Get(Profile::FromBytes(be, 1252), u"S", u"K"), u"宋体");
    EXPECT_EQ(Get(Profile::FromBytes(Utf16LeBytes(u"[S]\nK=宋体"), 1252), u"S", u"K"), u"宋体");
    EXPECT_EQ(Get(Profile::FromBytes("\xEF\xBB\xBF[S]\nK=\xE5\xAE\x8B", 1252), u"S", u"K"), u"宋");
    EXPECT_EQ(Get(Profile::FromBytes("[S]\nK=\xE5\xAE\x8B", 1252), u"S", u"K"), u"宋");
    EXPECT_EQ(Get(Profile::FromBytes("[S]\nK=\xCB\xCE\xCC\xE5", 936), u"S", u"K"), u"宋体");
}

TEST(ProfileEncodingTest, AnsiLeadByteDoesNotSwallowLineBreak) {
    const Profile p = Profile::FromBytes("[S]\r\nA=x\xCB\r\nB=y\xCB\nC=\xCB\xCE\x00Z\nD=d"s, 936);
    EXPECT_EQ(Get(p, u"S", u"A"), u"x?");
    EXPECT_EQ(Get(p, u"S", u"B"), u"y?");
    EXPECT_EQ(Get(p, u"S", u"C"), std::u16string(u"宋\0Z", 3));
    EXPECT_EQ(Get(p, u"S", u"D"), u"d");
}

TEST(ProfileWriteTest, NewFileIsUtf16LeWithMarkAndCrLf) {
    Profile p;
    p.Set(u"Project", u"Version", u"V1.0");
    p.Set(u"FONT", u"FaceName", u"  宋体");  // leading white space is dropped
    p.Set(u"Project", u"TEXT", u"a");
    EXPECT_EQ(p.ToBytes(),
              Utf16LeBytes(u"[Project]\r\nVersion=V1.0\r\nTEXT=a\r\n[FONT]\r\nFaceName=宋体\r\n"));
}

TEST(ProfileWriteTest, ReplacesInPlaceAndKeepsEveryOtherLine) {
    const std::string original =
        "; keep me  \n[Setting]\nLanguage = English \n\n[project]\n  version = 0.9 ;x\n"
        "Other=1\n; about [FONT]\n\n[FONT]\nWeight=400";
    Profile p = Ascii(original);
    p.Set(u"Project", u"Version", u"V1.0");
    p.Set(u"Project", u"NEW", u"n");
    p.Set(u"FONT", u"Weight", u"700");
    p.Set(u"FONT", u"Italic", u"1");
    p.Set(u"Extra", u"A", u"b");
    EXPECT_EQ(p.OutputEncoding(), ProfileEncoding::Ansi);
    EXPECT_EQ(p.ToBytes(),
              "; keep me  \n[Setting]\nLanguage = English \n\n[project]\nversion=V1.0\n"
              "Other=1\nNEW=n\n; about [FONT]\n\n[FONT]\nWeight=700\nItalic=1\n[Extra]\nA=b\n");
}

TEST(ProfileWriteTest, KeysGoToTheFirstSectionOnlyAndSetTwiceKeepsOneLine) {
    Profile p = Ascii("[A]\r\n[B]\r\nx=1\r\n[a]\r\nk=old\r\n");
    p.Set(u"A", u"k", u"1");
    p.Set(u"a", u"K", u"2");
    EXPECT_EQ(p.ToBytes(), "[A]\r\nk=2\r\n[B]\r\nx=1\r\n[a]\r\nk=old\r\n");
    EXPECT_EQ(Get(p, u"A", u"k"), u"2");
}

TEST(ProfileWriteTest, GetSeesPendingValuesAsAReadWould) {
    Profile p;
    p.Set(u"S", u"K", u"  \"quoted\"  ");
    EXPECT_EQ(Get(p, u"S", u"K"), u"quoted");
    // Several keys at once: first lines decide, pending values win.
    Profile q = Ascii("[S]\nA=1\nB\nB=2\nC=3\n");
    q.Set(u"S", u"C", u"4");
    const auto v = q.GetMany(u"s", {u"a", u"B", u"C", u"D"});
    ASSERT_EQ(v.size(), 4u);
    EXPECT_EQ(v[0], u"1");
    EXPECT_EQ(v[1], std::nullopt);
    EXPECT_EQ(v[2], u"4");
    EXPECT_EQ(v[3], std::nullopt);
    EXPECT_THROW(p.Set(u"S", u"K", u"a\nb"), std::invalid_argument);
    EXPECT_THROW(p.Set(u"S", u"K=", u"a"), std::invalid_argument);
    EXPECT_THROW(p.Set(u"S]", u"K", u"a"), std::invalid_argument);
    EXPECT_THROW(p.Set(u"S", u";K", u"a"), std::invalid_argument);
}

TEST(ProfileWriteTest, DeleteDropsEveryLineOfTheKeyInTheFirstSectionOnly) {
    const std::string original =
        "[S]\r\nA=1\r\n; note\r\na=copy\r\nB=2\r\n[T]\r\nA=t\r\n[s]\r\nA=later\r\n";
    Profile p = Ascii(original);
    p.Delete(u"s", u"A");
    EXPECT_EQ(p.Get(u"S", u"A"), std::nullopt);
    EXPECT_EQ(p.ToBytes(), "[S]\r\n; note\r\nB=2\r\n[T]\r\nA=t\r\n[s]\r\nA=later\r\n");
    // Set brings a deleted key back where it stood; deleting what is missing changes nothing.
    p.Set(u"S", u"A", u"3");
    p.Delete(u"S", u"Missing");
    p.Delete(u"Nowhere", u"A");
    EXPECT_EQ(p.ToBytes(),
              "[S]\r\nA=3\r\n; note\r\na=copy\r\nB=2\r\n[T]\r\nA=t\r\n[s]\r\n"
              "A=later\r\n");
    // A key set and deleted before any write never appears; the last key line may go too.
    Profile q = Ascii("[S]\nB=2");
    q.Set(u"S", u"New", u"n");
    q.Delete(u"S", u"new");
    q.Delete(u"S", u"B");
    EXPECT_EQ(q.ToBytes(), "[S]\n");
    // A line that opens like a section but never closes is a key the file holds; Set could not
    // write its name, yet it can be deleted. A name no line can hold deletes nothing.
    Profile r = Ascii("[S]\r\n[odd=1\r\nB=2\r\n");
    r.Delete(u"S", u"[odd");
    r.Delete(u"S", u"K=V");
    EXPECT_EQ(r.ToBytes(), "[S]\r\nB=2\r\n");
    EXPECT_THROW(r.Set(u"S", u"[odd", u"1"), std::invalid_argument);
    EXPECT_THROW(r.Delete(u"S]", u"B"), std::invalid_argument);
}

TEST(ProfileReadTest, VisitKeysSeesTheSectionAsTheNextReadWould) {
    Profile p = Ascii("K0=none\n[S]\nA=1\nB\na=\"2\"\nC = 3 \n[T]\nX=9\n[S]\nD=4\n");
    p.Set(u"S", u"A", u"one");
    p.Set(u"S", u"E", u"5");
    p.Delete(u"S", u"C");
    p.Set(u"T", u"Y", u"0");
    std::vector<std::pair<std::u16string, std::optional<std::u16string>>> seen;
    p.VisitKeys(u"s", [&](std::u16string_view key, std::optional<std::u16string_view> value) {
        seen.emplace_back(key, value ? std::optional<std::u16string>(*value) : std::nullopt);
    });
    // The first line of A takes the pending value, its copy keeps its own; C is gone, E follows.
    const decltype(seen) expected = {
        {u"A", u"one"}, {u"B", std::nullopt}, {u"a", u"2"}, {u"E", u"5"}};
    EXPECT_EQ(seen, expected);
    // The same as reading the written bytes.
    seen.clear();
    Ascii(p.ToBytes()).VisitKeys(u"S", [&](auto key, auto value) {
        seen.emplace_back(key, value ? std::optional<std::u16string>(*value) : std::nullopt);
    });
    EXPECT_EQ(seen, expected);
}

TEST(ProfileWriteTest, ThousandsOfKeysInOneSectionAreWrittenInOnePass) {
    // Setting each key looks it up by name; a linear search per key would take minutes here.
    Profile p;
    for (int i = 0; i < 200000; ++i) p.Set(u"S", u"K" + DecimalText(i), u"v");
    Profile back = Profile::FromBytes(p.ToBytes());
    for (int i = 0; i < 200000; i += 2) back.Delete(u"S", u"K" + DecimalText(i));
    size_t keys = 0;
    Profile::FromBytes(back.ToBytes()).VisitKeys(u"S", [&](auto, auto) { ++keys; });
    EXPECT_EQ(keys, 100000u);
}

TEST(ProfileWriteTest, EncodingIsKeptWhileTheTextFits) {
    // UTF-16LE and UTF-8 files keep their encoding and their mark.
    Profile le = Profile::FromBytes(Utf16LeBytes(u"[S]\nK=1\n"), 1252);
    le.Set(u"S", u"K", u"宋");
    EXPECT_EQ(le.ToBytes(), Utf16LeBytes(u"[S]\nK=宋\n"));
    Profile bom = Profile::FromBytes("\xEF\xBB\xBF[S]\nA=\xE5\xAE\x8B\n", 1252);
    bom.Set(u"S", u"B", u"体");
    EXPECT_EQ(bom.ToBytes(), "\xEF\xBB\xBF[S]\nA=\xE5\xAE\x8B\nB=\xE4\xBD\x93\n");
    // An ANSI file keeps even bytes that do not decode, while only ASCII is written into it.
    Profile ansi = Profile::FromBytes("[S]\nA=\x81\x7F\xFF\nB=1\n", 936);
    ansi.Set(u"S", u"B", u"2");
    EXPECT_EQ(ansi.ToBytes(), "[S]\nA=\x81\x7F\xFF\nB=2\n");
}

TEST(ProfileWriteTest, TextTheFileCannotHoldMakesItUtf16Le) {
    Profile ansi = Profile::FromBytes("[S]\r\nA=\xCB\xCE\r\n", 936);
    ansi.Set(u"S", u"B", u"体");
    EXPECT_EQ(ansi.OutputEncoding(), ProfileEncoding::Utf16Le);
    EXPECT_EQ(ansi.ToBytes(), Utf16LeBytes(u"[S]\r\nA=宋\r\nB=体\r\n"));
    Profile utf8 = Profile::FromBytes("[S]\nA=\xE5\xAE\x8B\n", 1252);
    utf8.Set(u"S", u"B", std::u16string(1, char16_t(0xD800)));
    EXPECT_EQ(utf8.ToBytes(), Utf16LeBytes(u"[S]\nA=宋\nB=\xD800\n"));
    // Lone surrogates of a UTF-16 file are kept as they are.
    Profile le = Profile::FromBytes(Utf16LeBytes(u"[S]\nK=\xDC00\xD800"), 1252);
    EXPECT_EQ(Get(le, u"S", u"K"), u"\xDC00\xD800");
    le.Set(u"S", u"J", u"1");
    EXPECT_EQ(le.ToBytes(), Utf16LeBytes(u"[S]\nK=\xDC00\xD800\nJ=1\n"));
}

TEST(ProfileValueTest, PlainValuesAreWrittenUnchanged) {
    for (std::u16string_view plain : {u"", u"V1.0", u"a b", u"C:\\Fonts\\x.png", u"\"a", u"a\"",
                                      u"\"a'", u"#|#", u"\\zemtra"}) {
        EXPECT_EQ(EncodeValue(plain), plain);
        EXPECT_EQ(DecodeValue(plain), plain);
    }
}

TEST(ProfileValueTest, EveryTextSurvivesAWriteAndARead) {
    const std::u16string values[] = {
        u"line\r\nbreak", u"\n",       u"\r\r\n\n",   u"a\\nb\nc",   u"\\zemtra\\x",
        u"\\zemtra\\",    u" leading", u"trailing\t", u" ",          u"\"quoted\"",
        u"'q'",           u"\"\"",     u"end\\",      u"\n spaced ", u" !\"#$%&'()*+,-./~",
        u"\\zemtra\\a\\n"};
    Profile p;
    for (size_t i = 0; i < std::size(values); ++i) {
        p.Set(u"S", u"K" + std::u16string(1, char16_t(u'a' + i)), EncodeValue(values[i]));
    }
    const Profile back = Profile::FromBytes(p.ToBytes(), 1252);
    for (size_t i = 0; i < std::size(values); ++i) {
        const std::u16string key = u"K" + std::u16string(1, char16_t(u'a' + i));
        EXPECT_EQ(DecodeValue(Get(back, u"S", key)), values[i]) << "value " << i;
    }
    // One line per key, whatever the values hold.
    const std::string bytes = p.ToBytes();
    EXPECT_EQ(static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n')),
              std::size(values) + 1);
    EXPECT_EQ(static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\r')),
              std::size(values) + 1);
}

TEST(ProfileValueTest, UnknownEscapesStayAsTheyAre) {
    EXPECT_EQ(DecodeValue(u"\\zemtra\\a\\tb\\"), u"a\\tb\\");
    EXPECT_EQ(EncodeValue(u"a\r\nb\\"), u"\\zemtra\\a\\r\\nb\\\\");
}

TEST(ProfileFileTest, MissingFileIsEmptyAndOddFilesAreRefused) {
    ScratchDir dir;
    EXPECT_EQ(Profile::LoadFile(dir / "none.ini").ToBytes(), "\xFF\xFE");
    EXPECT_THROW(Profile::LoadFile(dir.Path()), UserError);
    // A sparse file beyond the limit: refused without being read.
    WriteBytes(dir / "big.ini", "");
    std::filesystem::resize_file(dir / "big.ini", kMaxProfileBytes + 1);
    try {
        Profile::LoadFile(dir / "big.ini");
        ADD_FAILURE() << "a file over the limit was read";
    } catch (const UserError& e) {
        EXPECT_NE(std::string(e.what()).find("too large"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("big.ini"), std::string::npos);
    }
    // A named pipe without a writer would block a plain open.
    ASSERT_EQ(mkfifo((dir / "pipe.ini").c_str(), 0600), 0);
    EXPECT_THROW(Profile::LoadFile(dir / "pipe.ini"), UserError);
}

TEST(ProfileFileTest, SaveReplacesTheFileWholeAndFollowsLinks) {
    ScratchDir dir;
    WriteBytes(dir / "real.ini", "[S]\nK=1\n");
    std::filesystem::create_symlink("real.ini", dir / "link.ini");
    Profile p = Profile::LoadFile(dir / "link.ini");
    p.Set(u"S", u"K", u"2");
    p.SaveFile(dir / "link.ini");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.ini"));
    EXPECT_EQ(ReadBytes(dir / "real.ini"), "[S]\nK=2\n");
    EXPECT_EQ(TempFilesIn(dir.Path()), 0u);
}

TEST(ProfileFileTest, ReadOnlyFileIsLeftAlone) {
    ScratchDir dir;
    const auto path = dir / "ro.ini";
    WriteBytes(path, "[S]\nK=1\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    Profile p = Profile::LoadFile(path);
    p.Set(u"S", u"K", u"2");
    try {
        p.SaveFile(path);
        ADD_FAILURE() << "a read-only file was replaced";
    } catch (const UserError& e) {
        EXPECT_NE(std::string(e.what()).find(path.string()), std::string::npos);
    }
    EXPECT_EQ(ReadBytes(path), "[S]\nK=1\n");
    EXPECT_EQ(TempFilesIn(dir.Path()), 0u);
}

TEST(ProfileFileTest, FailedWriteLeavesOldFileAndNoTemporaryFile) {
    ScratchDir dir;
    const auto path = dir / "full.ini";
    WriteBytes(path, "[S]\nK=1\n");
    Profile p = Profile::LoadFile(path);
    p.Set(u"S", u"K", std::u16string(100000, u'x'));
    // A file size limit makes the write fail as a full disk would, for root too.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    EXPECT_THROW(p.SaveFile(path), UserError);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(ReadBytes(path), "[S]\nK=1\n");
    EXPECT_EQ(TempFilesIn(dir.Path()), 0u);
}

TEST(ProfileFileTest, UnwritableFolderGivesUserError) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into any folder";
    ScratchDir dir;
    std::filesystem::create_directory(dir / "locked");
    std::filesystem::permissions(
        dir / "locked", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    Profile p;
    p.Set(u"S", u"K", u"1");
    EXPECT_THROW(p.SaveFile(dir / "locked" / "a.ini"), UserError);
    EXPECT_EQ(TempFilesIn(dir / "locked"), 0u);
}

TEST(ProfileFileTest, SettingIniNamesOneFileInAnyCase) {
    ScratchDir dir;
    EXPECT_EQ(FindIgnoringCase(dir.Path(), "Setting.ini"), dir / "Setting.ini");
    WriteBytes(dir / "setting.INI", "");
    EXPECT_EQ(FindIgnoringCase(dir.Path(), "Setting.ini"), dir / "setting.INI");
    WriteBytes(dir / "SETTING.ini", "");
    EXPECT_EQ(FindIgnoringCase(dir.Path(), "Setting.ini"), dir / "SETTING.ini");  // first by name
    WriteBytes(dir / "Setting.ini", "");
    EXPECT_EQ(FindIgnoringCase(dir.Path(), "Setting.ini"), dir / "Setting.ini");
}

}  // namespace
}  // namespace zemtra
