// Tests of the project file: the saved bytes, merging into existing files, loading in every
// encoding with its defaults, the PIC rules, texts that plain profile lines would damage, and
// hostile files. The golden file tests/data/project/new_project.fprj is regenerated with
//   ZEMTRA_UPDATE_GOLDEN=1 zemtra_project_tests --gtest_filter=ProjectSaveTest.NewProjectBytes
#include "project/project_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <random>

#include "base/error.h"
#include "project/project_test_util.h"
#include "raster/new_project.h"
#include "support/font_fixtures.h"
#include "support/test_support.h"

namespace zemtra {
namespace {

using test::NewSettings;

using test::CompareWithGolden;
using test::ReadBytes;
using test::ScratchDir;
using test::Utf16LeBytes;
using test::WriteBytes;

std::vector<std::u16string> Items(std::u16string_view text) {
    std::vector<std::u16string> items;
    for (char16_t c : text) items.emplace_back(1, c);
    return items;
}

// Saves s into a fresh file and loads it back into a record that differs everywhere.
ProjectSettings RoundTrip(const ProjectSettings& s) {
    ScratchDir dir;
    SaveProject(dir / "p.fprj", s);
    ProjectSettings back;
    back.BLOCKNUMX = u"junk";
    back.FONT.Quality = s.FONT.Quality;  // not stored
    EXPECT_TRUE(LoadProject(dir / "p.fprj", back).isProject);
    return back;
}

ProjectSettings LoadBytes(const std::string& bytes, LoadedProject* loaded = nullptr) {
    ScratchDir dir;
    WriteBytes(dir / "p.fprj", bytes);
    ProjectSettings s;
    const LoadedProject result = LoadProject(dir / "p.fprj", s);
    if (loaded != nullptr) *loaded = result;
    return s;
}

std::string Project(std::u16string_view body) {
    return Utf16LeBytes(u"[Project]\r\nVersion=V1.0\r\n" + std::u16string(body));
}

TEST(ProjectSaveTest, NewProjectBytes) {
    ScratchDir dir;
    SaveProject(dir / "new.fprj", NewSettings());
    const std::string bytes = ReadBytes(dir / "new.fprj");
    EXPECT_EQ(CompareWithGolden("project/new_project.fprj", bytes), "");
    // The same bytes spelled out: the keys in table order, one per CR LF line.
    const char16_t* lines[] = {u"[Project]",       u"Version=V1.0",
                               u"BLOCKNUMX=16",    u"BLOCKNUMY=16",
                               u"THRESHOLD=128",   u"DATABIT=0",
                               u"WIDTH=8",         u"HEIGHT=16",
                               u"OFFSETX=0",       u"OFFSETY=0",
                               u"ORIENT=0",        u"DIRECT=0",
                               u"FORMAT=0",        u"ENDEMO=0",
                               u"CODEPAGE=0",      u"FROM=0000",
                               u"TO=FFFF",         u"TEXT=",
                               u"LIST=",           u"PIC=",
                               u"[FONT]",          u"FaceName=Arial",
                               u"Weight=400",      u"Italic=0",
                               u"Underline=0",     u"StrikeOut=0",
                               u"CharSet=0",       u"OutPrecision=3",
                               u"ClipPrecision=2", u"PitchAndFamily=34"};
    std::u16string expected;
    for (const char16_t* line : lines) expected += std::u16string(line) + u"\r\n";
    EXPECT_EQ(bytes, Utf16LeBytes(expected));
}

TEST(ProjectSaveTest, RoundTripKeepsEveryStoredField) {
    ProjectSettings s = NewSettings();
    s.BLOCKNUMX = u"24x";
    s.BLOCKNUMY = u"-3";
    s.THRESHOLD = u"200";
    s.DATABIT = 4;
    s.WIDTH = u"12";
    s.HEIGHT = u"-20";
    s.FONT.Width = 12;
    s.FONT.Height = -20;
    s.OFFSETX = -3;
    s.OFFSETY = 2147483647;
    s.ORIENT = 3;
    s.DIRECT = 1;
    s.FORMAT = 1;
    s.ENDEMO = 1;
    s.CODEPAGE = 2;
    s.FROM = 0xA1A1;
    s.TO = 0x0041;
    s.TEXT = u"汉字 and 𝄞";
    s.LIST = Items(u"汉字𝄞☆");
    s.PIC = {u"#", u"#", u"#", u"#", u"/home/me/pic one.png"};
    s.FONT.FaceName = u"WenQuanYi Zen Hei";
    s.FONT.Weight = 700;
    s.FONT.Italic = 255;
    s.FONT.CharSet = 134;
    s.FONT.Quality = 3;
    EXPECT_EQ(RoundTrip(s), s);
}

TEST(ProjectSaveTest, FontFileKeysAppearOnlyWhenUsed) {
    ScratchDir dir;
    ProjectSettings s = NewSettings();
    SaveProject(dir / "p.fprj", s);
    EXPECT_EQ(ReadBytes(dir / "p.fprj").find(Utf16LeBytes(u"FontFile").substr(2)),
              std::string::npos);
    s.FONT.FontFile = u"/fonts/ter-u16n.pcf.gz";
    s.FONT.FontIndex = 2;
    EXPECT_EQ(RoundTrip(s), s);
    SaveProject(dir / "p.fprj", s);
    // Back to the installed face: the keys are emptied, so the old file cannot come back.
    s.FONT.FontFile.clear();
    s.FONT.FontIndex = 0;
    SaveProject(dir / "p.fprj", s);
    ProjectSettings back;
    LoadProject(dir / "p.fprj", back);
    EXPECT_EQ(back.FONT.FontFile, u"");
    EXPECT_EQ(back.FONT.FontIndex, 0);
}

// [Sources] holds one key per source, numbered from 1; a shorter list deletes the keys past
// its end; entries that do not read are skipped and named, the rest load.
TEST(ProjectSaveTest, SourcesSectionKeepsTheOrderAndShrinksWithTheList) {
    ScratchDir dir;
    ProjectSettings s = NewSettings();
    s.FONT.Sources = {ParseFontSource("FontAwesome@U+F000-U+F2E0@size=14@offset=0,1"),
                      ParseFontSource("/fonts/cjk.ttc#2@U+4E00-U+9FFF@size=8x16"),
                      ParseFontSource("DejaVu Sans")};
    EXPECT_EQ(RoundTrip(s), s);
    SaveProject(dir / "p.fprj", s);
    const std::u16string section =
        u"[Sources]\r\n1=FontAwesome@U+F000-U+F2E0@size=14@offset=0,1\r\n"
        u"2=/fonts/cjk.ttc#2@U+4E00-U+9FFF@size=8x16\r\n3=DejaVu Sans\r\n";
    EXPECT_NE(ReadBytes(dir / "p.fprj").find(Utf16LeBytes(section).substr(2)), std::string::npos);
    s.FONT.Sources.erase(s.FONT.Sources.begin());
    SaveProject(dir / "p.fprj", s);
    ProjectSettings back;
    LoadProject(dir / "p.fprj", back);
    EXPECT_EQ(back.FONT.Sources, s.FONT.Sources);
    EXPECT_EQ(ReadBytes(dir / "p.fprj").find(Utf16LeBytes(u"3=").substr(2)), std::string::npos);
    // No sources, no section left behind.
    s.FONT.Sources.clear();
    SaveProject(dir / "p.fprj", s);
    EXPECT_EQ(ReadBytes(dir / "p.fprj").find(Utf16LeBytes(u"1=").substr(2)), std::string::npos);

    LoadedProject loaded;
    const ProjectSettings read =
        LoadBytes(Project(u"[Sources]\r\n1=Liberation Sans@size=0\r\n2=DejaVu Sans@U+0041\r\n"
                          u"3=x@offset=9999,0\r\n5=after a gap\r\n"),
                  &loaded);
    EXPECT_EQ(read.FONT.Sources, (std::vector<FontSource>{ParseFontSource("DejaVu Sans@U+0041")}));
    ASSERT_EQ(loaded.glyphProblems.size(), 2u);
    EXPECT_TRUE(loaded.glyphProblems[0].starts_with("[Sources] 1: ")) << loaded.glyphProblems[0];
    EXPECT_TRUE(loaded.glyphProblems[1].starts_with("[Sources] 3: ")) << loaded.glyphProblems[1];
}

TEST(ProjectSaveTest, MergesIntoAnExistingFileInPlace) {
    ScratchDir dir;
    const auto path = dir / "Setting.ini";
    const std::u16string head =
        u"; my notes\r\n[Setting]\r\nLanguage=简体中文\r\n\r\n[project]\r\n";
    const std::u16string tail = u"; end of project\r\n\r\n[Other]\r\nx = 1\r\n";
    WriteBytes(path, Utf16LeBytes(head + u"blocknumx = 8\r\nVersion=V0.1\r\n" + tail));
    ProjectSettings s = NewSettings();
    s.BLOCKNUMX = u"32";
    SaveProject(path, s);
    const std::string once = ReadBytes(path);
    const std::u16string keys =
        u"blocknumx=32\r\nVersion=V1.0\r\nBLOCKNUMY=16\r\nTHRESHOLD=128\r\nDATABIT=0\r\n"
        u"WIDTH=8\r\nHEIGHT=16\r\nOFFSETX=0\r\nOFFSETY=0\r\nORIENT=0\r\nDIRECT=0\r\n"
        u"FORMAT=0\r\nENDEMO=0\r\nCODEPAGE=0\r\nFROM=0000\r\nTO=FFFF\r\nTEXT=\r\nLIST=\r\n"
        u"PIC=\r\n";
    const std::u16string font =
        u"[FONT]\r\nFaceName=Arial\r\nWeight=400\r\nItalic=0\r\nUnderline=0\r\n"
        u"StrikeOut=0\r\nCharSet=0\r\nOutPrecision=3\r\nClipPrecision=2\r\nPitchAndFamily=34\r\n";
    EXPECT_EQ(once, Utf16LeBytes(head + keys + tail + font));
    // A second save finds every key and changes nothing.
    SaveProject(path, s);
    EXPECT_EQ(ReadBytes(path), once);
}

TEST(ProjectLoadTest, ReadsUtf16Utf8AndAnsiFiles) {
    const std::u16string body = u"TEXT=宋体字\r\n[FONT]\r\nFaceName=宋体\r\n";
    EXPECT_EQ(LoadBytes(Project(body)).TEXT, u"宋体字");
    const std::string utf8 = test::Utf8Bytes(u"[Project]\nVersion=V1.0\n" + body);
    EXPECT_EQ(LoadBytes(utf8).FONT.FaceName, u"宋体");
    test::EnvGuard cp("ZEMTRA_ANSI_CODEPAGE", "936");
    const ProjectSettings ansi = LoadBytes(
        "[Project]\r\nVersion=V1.0\r\nTEXT=\xCB\xCE\xCC\xE5\r\n[FONT]\r\n"
        "FaceName=\xCB\xCE\xCC\xE5\r\n");
    EXPECT_EQ(ansi.TEXT, u"宋体");
    EXPECT_EQ(ansi.FONT.FaceName, u"宋体");
}

TEST(ProjectLoadTest, MissingKeysTakeTheirDefaults) {
    ProjectSettings s;
    s.FONT.Quality = 5;
    s.FONT.Escapement = 7;
    s.LIST = Items(u"old");
    s.PIC = {u"#"};
    Profile p = Profile::FromBytes(Utf16LeBytes(u"[Project]\r\nVersion=V1.0\r\nPIC\r\n"), 1252);
    ASSERT_TRUE(ReadProject(p, s).isProject);
    ProjectSettings expected;
    expected.WIDTH = expected.HEIGHT = u"0";
    expected.FONT = LogFont{};
    expected.FONT.OutPrecision = 3;
    expected.FONT.ClipPrecision = 2;
    expected.FONT.PitchAndFamily = 34;
    expected.FONT.Quality = 5;
    expected.FONT.Escapement = 7;
    EXPECT_EQ(s, expected);
}

TEST(ProjectLoadTest, OnlyExactlyV10IsAProject) {
    ProjectSettings fresh;
    ApplyNew(fresh);  // with the face that New picks on this machine
    for (const char* version : {"v1.0", "V1.00", "V1", "", "\"V1.0"}) {
        const ProjectSettings s =
            LoadBytes(std::string("[Project]\nVersion=") + version + "\nBLOCKNUMX=99\nTEXT=x\n");
        EXPECT_EQ(s, fresh) << version;
    }
    for (const char* version : {"V1.0 ", " V1.0", "\"V1.0\"", "'V1.0'"}) {
        EXPECT_EQ(
            LoadBytes(std::string("[Project]\nVersion=") + version + "\nBLOCKNUMX=99\n").BLOCKNUMX,
            u"99")
            << version;
    }
    ScratchDir dir;
    ProjectSettings s;
    EXPECT_FALSE(LoadProject(dir / "missing.fprj", s).isProject);
    EXPECT_EQ(s, fresh);
}

TEST(ProjectLoadTest, NumbersAndHexFields) {
    LoadedProject loaded;
    const ProjectSettings s = LoadBytes(
        Project(u"OFFSETX=007\r\nOFFSETY=-3px\r\nFROM=a1a1\r\nTO=xyz\r\nDATABIT=\r\n"
                u"WIDTH=10abc\r\n[FONT]\r\nItalic=257\r\nUnderline=-1\r\nWeight=+700\r\n"),
        &loaded);
    EXPECT_EQ(loaded.offsetXText, u"007");
    EXPECT_EQ(s.OFFSETX, 7);
    EXPECT_EQ(s.OFFSETY, -3);
    EXPECT_EQ(s.FROM, 0xA1A1);
    EXPECT_EQ(s.TO, 0);
    EXPECT_EQ(s.DATABIT, 0);
    EXPECT_EQ(s.WIDTH, u"10abc");
    EXPECT_EQ(s.FONT.Width, 10);
    EXPECT_EQ(s.FONT.Italic, 1);
    EXPECT_EQ(s.FONT.Underline, 255);
    EXPECT_EQ(s.FONT.Weight, 700);

    EXPECT_EQ(HexFieldValue(u""), 0u);
    EXPECT_EQ(HexFieldValue(u"0x"), 0u);
    EXPECT_EQ(HexFieldValue(u"0x1A"), 26u);
    EXPECT_EQ(HexFieldValue(u"1a"), 26u);
    EXPECT_EQ(HexFieldValue(u"0x0X1f"), 31u);
    EXPECT_EQ(HexFieldValue(u" 12g4"), 0x12u);
    EXPECT_EQ(HexFieldValue(u"-1") & 0xFFFF, 0xFFFFu);
    EXPECT_EQ(HexFieldValue(u"12345") & 0xFFFF, 0x2345u);
    EXPECT_EQ(HexFieldText(0x41), u"0041");
    EXPECT_EQ(HexFieldText(0xA1A1), u"A1A1");
}

TEST(ProjectLoadTest, FaceNameIsCutTo31Units) {
    const std::u16string face(40, u'F');
    EXPECT_EQ(LoadBytes(Project(u"[FONT]\r\nFaceName=" + face)).FONT.FaceName, face.substr(0, 31));
    // A pair that the cut would split goes whole.
    const std::u16string paired = std::u16string(30, u'F') + u"𝄞";
    EXPECT_EQ(LoadBytes(Project(u"[FONT]\r\nFaceName=" + paired)).FONT.FaceName,
              std::u16string(30, u'F'));
}

TEST(ProjectPictureTest, SplitRule) {
    using V = std::vector<std::u16string>;
    EXPECT_EQ(SplitPictures(u""), V{});
    EXPECT_EQ(SplitPictures(u"  \t "), V{});
    EXPECT_EQ(SplitPictures(u"#"), V{u"#"});
    EXPECT_EQ(SplitPictures(u"|#"), (V{u"", u"#"}));
    EXPECT_EQ(SplitPictures(u"#|"), (V{u"#", u""}));
    EXPECT_EQ(SplitPictures(u" # |  /a b.png  "), (V{u"# ", u"/a b.png"}));
    EXPECT_EQ(SplitPictures(u"a|| |b"), (V{u"a", u"", u"", u"b"}));
    // More entries than items: all are kept, the extra ones are simply never used.
    const ProjectSettings s = LoadBytes(Project(u"LIST=AB\r\nPIC=#|/x.png|/y.png\r\n"));
    EXPECT_EQ(s.LIST, Items(u"AB"));
    EXPECT_EQ(s.PIC, (V{u"#", u"/x.png", u"/y.png"}));
    EXPECT_EQ(LoadBytes(Project(u"LIST=AB\r\nPIC=\r\n")).PIC, V{});
}

TEST(ProjectPictureTest, PathsThatWouldLoadDifferentlyAreRefused) {
    EXPECT_EQ(PicturePathProblem(u"/home/me/a b.png"), std::nullopt);
    EXPECT_EQ(PicturePathProblem(u"/home/me/line\nbreak.png"), std::nullopt);  // escaped
    for (std::u16string_view bad : {u"/a|b.png", u" /a.png", u"/a.png ", u"", u"#"}) {
        EXPECT_NE(PicturePathProblem(bad), std::nullopt) << Utf16ToUtf8(bad);
    }
    ScratchDir dir;
    ProjectSettings s = NewSettings();
    s.LIST = Items(u"AB");
    s.PIC = {u"#", u"/pics/a|b.png"};
    try {
        SaveProject(dir / "p.fprj", s);
        ADD_FAILURE() << "a PIC that splits differently was saved";
    } catch (const UserError& e) {
        EXPECT_NE(std::string(e.what()).find("/pics/a|b.png"), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "p.fprj"));
    // Whatever a load gives, a save keeps: here an entry with white space before a bar.
    s.PIC = SplitPictures(u"# |/line\nbreak.png|");
    EXPECT_EQ(RoundTrip(s).PIC, s.PIC);
}

TEST(ProjectTextTest, LineBreaksSpacesAndQuotesSurvive) {
    ProjectSettings s = NewSettings();
    s.TEXT = u"first line\r\nsecond \\n line\n";
    s.LIST = Items(s.TEXT);
    s.FONT.FaceName = u"\"Quoted\"";
    s.THRESHOLD = u" 12 ";
    EXPECT_EQ(RoundTrip(s), s);
    std::u16string ascii;
    for (char16_t c = 32; c <= 126; ++c) ascii += c;
    s.TEXT = ascii;
    s.LIST = Items(ascii);
    const ProjectSettings back = RoundTrip(s);
    EXPECT_EQ(back.TEXT, ascii);
    EXPECT_EQ(back.LIST.size(), 95u);
    EXPECT_EQ(back.LIST.front(), u" ");
}

TEST(ProjectTextTest, LongValuesAreNotCut) {
    ProjectSettings s = NewSettings();
    std::u16string text;
    for (int i = 0; i < 20000; ++i) text += static_cast<char16_t>(0x4E00 + i % 500);
    s.LIST = Items(text);
    for (int i = 0; i < 200; ++i) {
        s.PIC.push_back(u"/a/rather/long/folder/name/for/pictures/picture" +
                        std::u16string(1, char16_t(u'A' + i % 26)) + u".png");
    }
    const ProjectSettings back = RoundTrip(s);
    EXPECT_EQ(back.LIST.size(), 20000u);
    EXPECT_EQ(back.LIST, s.LIST);
    EXPECT_EQ(back.PIC, s.PIC);
}

TEST(ProjectTextTest, RawLineBreaksFromThePlatformLoadWhatTheyCan) {
    // What the platform's functions write for TEXT "abc", CR LF, "def".
    const ProjectSettings s =
        LoadBytes("[Project]\r\nVersion=V1.0\r\nTEXT=abc\r\ndef\r\nLIST=abc\r\n\r\ndef\r\n");
    EXPECT_EQ(s.TEXT, u"abc");
    EXPECT_EQ(s.LIST, Items(u"abc"));
    EXPECT_EQ(s.BLOCKNUMX, u"16");
}

TEST(ProjectFileSafetyTest, ReadOnlyFileIsUntouched) {
    ScratchDir dir;
    const auto path = dir / "ro.fprj";
    const std::string old = Project(u"TEXT=old\r\n");
    WriteBytes(path, old);
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    EXPECT_THROW(SaveProject(path, NewSettings()), UserError);
    EXPECT_EQ(ReadBytes(path), old);
}

TEST(ProjectFileSafetyTest, UnwritableFolderGivesUserError) {
    ScratchDir dir;
    try {
        SaveProject(dir / "no" / "such" / "folder.fprj", NewSettings());
        ADD_FAILURE() << "saved into a missing folder";
    } catch (const UserError& e) {
        EXPECT_NE(std::string(e.what()).find("folder.fprj"), std::string::npos);
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
    if (geteuid() == 0) return;  // root writes into read-only folders
    std::filesystem::permissions(
        dir.Path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_THROW(SaveProject(dir / "p.fprj", NewSettings()), UserError);
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_all);
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(ProjectHostileTest, OddFilesNeverCrash) {
    std::mt19937 random(1234);
    std::string binary(1 << 20, '\0');
    for (char& c : binary) c = static_cast<char>(random());
    const ProjectSettings fresh = [] {
        ProjectSettings s;
        ApplyNew(s);
        return s;
    }();
    EXPECT_EQ(LoadBytes(""), fresh);
    EXPECT_EQ(LoadBytes(binary), fresh);
    EXPECT_EQ(LoadBytes("\xFF\xFE" + binary), fresh);
    EXPECT_EQ(LoadBytes("\xFE\xFF" + binary.substr(1)), fresh);
    EXPECT_EQ(LoadBytes(Utf16LeBytes(u"[Project]\r\nVersion=V1.0\r\n", false)), fresh);
    // An odd length and lone surrogates in a real project.
    const ProjectSettings odd = LoadBytes(Project(u"TEXT=\xD800x\xDC00\r\nLIST=\xDFFF") + "\x41");
    EXPECT_EQ(odd.TEXT, u"\xD800x\xDC00");
    EXPECT_EQ(odd.LIST, Items(u"\xDFFF"));
}

TEST(ProjectHostileTest, HugeFilesAreBoundedInTimeAndSize) {
    // 50 MB of short junk lines inside the project section itself.
    std::string huge = "[Project]\nVersion=V1.0\n";
    while (huge.size() < 50'000'000) huge += "junk line without equals sign\n=\n[\n";
    huge += "TEXT=found\n";
    const auto start = std::chrono::steady_clock::now();
    const ProjectSettings s = LoadBytes(huge);
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start);
    EXPECT_EQ(s.TEXT, u"found");
    EXPECT_LT(seconds.count(), 30.0);
    ScratchDir dir;
    WriteBytes(dir / "big.fprj", "");
    std::filesystem::resize_file(dir / "big.fprj", (64u << 20) + 1);
    ProjectSettings untouched = NewSettings();
    EXPECT_THROW(LoadProject(dir / "big.fprj", untouched), UserError);
    EXPECT_EQ(untouched, NewSettings());
}

TEST(ProgramFolderTest, RuleAndSettingIni) {
    EXPECT_EQ(ChooseProgramFolder("/z", "/opt/app", true, "/x", "/home/u"), "/z");
    EXPECT_EQ(ChooseProgramFolder("", "/opt/app", true, "/x", "/home/u"), "/opt/app");
    EXPECT_EQ(ChooseProgramFolder(nullptr, "/opt/app", false, "/x", "/home/u"), "/x/zemtra");
    EXPECT_EQ(ChooseProgramFolder(nullptr, "/opt/app", false, "rel", "/home/u"),
              "/home/u/.config/zemtra");
    EXPECT_EQ(ChooseProgramFolder(nullptr, "/opt/app", false, nullptr, "/home/u"),
              "/home/u/.config/zemtra");
    ScratchDir dir;
    test::EnvGuard home("ZEMTRA_HOME", (dir / "home").c_str());
    EXPECT_EQ(SettingIniPath(), dir / "home" / "Setting.ini");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "home"));
    WriteBytes(dir / "home" / "setting.ini", "");
    EXPECT_EQ(SettingIniPath(), dir / "home" / "setting.ini");
}

}  // namespace
}  // namespace zemtra
