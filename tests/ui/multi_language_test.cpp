// The language tables on real folders: first start, the folder rules, choosing and storing a
// language beside the last run's project, text lookups and hostile language folders.
#include "ui/multi_language.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "base/error.h"
#include "base/unicode.h"
#include "project/profile.h"
#include "project/project_test_util.h"
#include "support/test_support.h"
#include "ui/builtin_languages.h"

namespace zemtra {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::ScratchDir;
using test::Utf16LeBytes;
using test::WriteBytes;

const std::vector<std::u16string> kBuiltinNames = {u"English", u"简体中文", u"繁體中文"};

void WriteLanguage(const ScratchDir& dir, const std::string& file, std::u16string_view text) {
    fs::create_directories(dir / "Language");
    WriteBytes(dir.Path() / "Language" / file, Utf16LeBytes(text));
}

std::u16string StoredLanguage(const ScratchDir& dir) {
    return Profile::LoadFile(FindIgnoringCase(dir.Path(), "Setting.ini"))
        .GetString(u"Setting", u"Language", u"<none>");
}

TEST(MultiLanguageStartTest, FirstStartWritesSettingsAndTheBuiltInFiles) {
    ScratchDir dir;
    CMultiLanguage lang(dir.Path());
    EXPECT_EQ(StoredLanguage(dir), u"English");
    EXPECT_TRUE(lang.LanguageFile().empty());  // nothing to serve yet: defaults
    EXPECT_EQ(lang.GetText(u"SPECIAL_STRINGS", u"IDS_ORIENT_ROW", u"Row"), u"Row");

    EXPECT_EQ(lang.PrepareLanguages(), kBuiltinNames);
    for (const BuiltinLanguage& b : kBuiltinLanguages) {
        const std::string file = std::string(b.fileName.begin(), b.fileName.end()) + ".ini";
        const std::span<const unsigned char> bytes = BuiltinLanguageFile(b.resourceId);
        EXPECT_EQ(ReadBytes(dir.Path() / "Language" / file),
                  std::string(bytes.begin(), bytes.end()))
            << file;
    }
    EXPECT_EQ(lang.GetLanguageName(), u"English");
    EXPECT_EQ(lang.LanguageFile(), dir.Path() / "Language" / "1.English.ini");
    EXPECT_EQ(lang.GetText(u"IDD_100", u"IDD_100_Title", u""), u"About Zemtra");
    // The second start finds them and writes nothing more.
    WriteLanguage(dir, "2.Simplified Chinese.ini", u"[Setting]\r\nLanguage=Edited\r\n");
    CMultiLanguage again(dir.Path());
    EXPECT_EQ(again.PrepareLanguages(),
              (std::vector<std::u16string>{u"English", u"Edited", u"繁體中文"}));
}

TEST(MultiLanguageStartTest, KeyLessFilesCountAsEmpty) {
    ScratchDir dir;
    WriteLanguage(dir, "0.notes.ini", u"[Other]\r\nLanguage=NotThis\r\n");
    WriteLanguage(dir, "5.blank.ini", u"[Setting]\r\nLanguage=\r\n");
    WriteLanguage(dir, "6.quotes.ini", u"[Setting]\r\nLanguage=\"\"\r\n");
    WriteBytes(dir / "Language" / "7.empty.ini", "");
    CMultiLanguage lang(dir.Path());
    EXPECT_TRUE(lang.ListLanguages().empty());
    EXPECT_EQ(lang.PrepareLanguages(), kBuiltinNames);
    EXPECT_TRUE(fs::exists(dir / "Language" / "0.notes.ini"));
}

TEST(MultiLanguageStartTest, AFourthFileIsListedFourth) {
    ScratchDir dir;
    CMultiLanguage lang(dir.Path());
    lang.PrepareLanguages();
    WriteLanguage(dir, "4.Deutsch.ini",
                  u"[Setting]\r\nLanguage=Deutsch\r\n[IDD_100]\r\nIDD_100_1=OK!\r\n");
    const std::vector<std::u16string> names = lang.ListLanguages();
    ASSERT_EQ(names.size(), 4u);
    EXPECT_EQ(names[3], u"Deutsch");
    EXPECT_EQ(LanguageCommandId(3), 60003u);
    EXPECT_EQ(LanguageIndexOfCommand(60003), 3u);
    EXPECT_TRUE(lang.SelectLanguage(names[3]));
    EXPECT_EQ(lang.GetText(u"idd_100", u"IDD_100_1", u"OK"), u"OK!");  // sections ignore case
}

TEST(MultiLanguageFolderTest, OrderIgnoresCaseAndCreationOrder) {
    ScratchDir dir;
    WriteLanguage(dir, "b.INI", u"[Setting]\r\nLanguage=B\r\n");
    WriteLanguage(dir, "C.ini", u"[setting]\r\nlanguage=C\r\n");
    WriteLanguage(dir, "a.ini", u"[Setting]\r\nLanguage=A\r\n");
    WriteLanguage(dir, "a.txt", u"[Setting]\r\nLanguage=NotIni\r\n");
    WriteBytes(dir / "Language" / "utf8.ini", "[Setting]\nLanguage=D\xC3\xBC\n");
    fs::create_directories(dir / "Language" / "folder.ini");
    fs::create_symlink("missing.ini", dir / "Language" / "dangling.ini");
    fs::create_symlink("a.ini", dir / "Language" / "link.ini");
    ASSERT_EQ(::mkfifo((dir / "Language" / "pipe.ini").c_str(), 0600), 0);
    CMultiLanguage lang(dir.Path());
    EXPECT_EQ(lang.ListLanguages(), (std::vector<std::u16string>{u"A", u"B", u"C", u"A", u"Dü"}));
}

TEST(MultiLanguageSelectTest, ExactNameFirstFileWinsAndThePreviousFileStays) {
    ScratchDir dir;
    WriteLanguage(dir, "1.ini", u"[Setting]\r\nLanguage=Same\r\n[S]\r\nk=first\r\n");
    WriteLanguage(dir, "2.ini", u"[Setting]\r\nLanguage=Same\r\n[S]\r\nk=second\r\n");
    CMultiLanguage lang(dir.Path());
    EXPECT_FALSE(lang.SelectLanguage(u"English"));  // stored default, no such file
    EXPECT_TRUE(lang.LanguageFile().empty());
    EXPECT_EQ(lang.ListLanguages(), (std::vector<std::u16string>{u"Same", u"Same"}));
    EXPECT_TRUE(lang.SelectLanguage(u"Same"));
    EXPECT_EQ(lang.GetText(u"S", u"k", u"default"), u"first");
    EXPECT_FALSE(lang.SelectLanguage(u"same"));  // case counts
    EXPECT_EQ(lang.GetLanguageName(), u"same");
    EXPECT_EQ(StoredLanguage(dir), u"same");  // stored even though nothing matched
    EXPECT_EQ(lang.GetText(u"S", u"k", u"default"), u"first");
    CMultiLanguage next(dir.Path());  // the stored name matches no file: defaults everywhere
    EXPECT_EQ(next.GetLanguageName(), u"same");
    EXPECT_EQ(next.GetText(u"S", u"k", u"default"), u"default");
}

TEST(MultiLanguageSelectTest, ChoiceIsStoredBesideTheLastProject) {
    ScratchDir dir;
    const std::string project =
        "[Project]\r\nVersion=V1.0\r\nTEXT=AB\r\n\r\n[FONT]\r\nFaceName=Arial\r\n";
    WriteBytes(dir / "Setting.ini", Utf16LeBytes(Utf8ToUtf16(project)));
    CMultiLanguage lang(dir.Path());
    lang.PrepareLanguages();
    EXPECT_TRUE(lang.SelectLanguage(u"简体中文"));
    const Profile settings = Profile::LoadFile(dir / "Setting.ini");
    EXPECT_EQ(settings.GetString(u"Setting", u"Language", u""), u"简体中文");
    EXPECT_EQ(settings.GetString(u"Project", u"TEXT", u""), u"AB");
    EXPECT_EQ(settings.GetString(u"FONT", u"FaceName", u""), u"Arial");
    EXPECT_EQ(ReadBytes(dir / "Setting.ini").substr(0, 2 + project.size() * 2),
              Utf16LeBytes(Utf8ToUtf16(project)));  // the project's lines stay as they were
    EXPECT_FALSE(fs::exists(dir / "setting.ini"));

    CMultiLanguage next(dir.Path());
    EXPECT_EQ(next.GetLanguageName(), u"简体中文");
    EXPECT_EQ(next.GetText(u"IDD_100", u"IDD_100_Title", u""), u"关于 Zemtra");
}

TEST(MultiLanguageSelectTest, LowerCaseSettingsFileIsTheSameFile) {
    ScratchDir dir;
    WriteBytes(dir / "setting.ini", "[Setting]\r\nLanguage=Deutsch\r\n");
    CMultiLanguage lang(dir.Path());
    EXPECT_EQ(lang.GetLanguageName(), u"Deutsch");
    lang.SelectLanguage(u"English");
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(dir.Path())) {
        files.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(files, std::vector<std::string>{"setting.ini"});  // no second file
    EXPECT_EQ(StoredLanguage(dir), u"English");
}

TEST(MultiLanguageSelectTest, AwkwardNamesReadBackExactly) {
    ScratchDir dir;
    const std::u16string names[] = {u"\"Quoted\"", u" padded ", u"\\zemtra\\x", u"a=b;c"};
    for (const std::u16string& name : names) {
        CMultiLanguage lang(dir.Path());
        lang.SelectLanguage(name);
        CMultiLanguage next(dir.Path());
        EXPECT_EQ(next.GetLanguageName(), name);
    }
    WriteBytes(dir / "Setting.ini", "[Setting]\r\nLanguage=\r\n");
    EXPECT_EQ(CMultiLanguage(dir.Path()).GetLanguageName(), u"English");
}

TEST(MultiLanguageTextTest, LineBreaksOnlyInGetText) {
    ScratchDir dir;
    WriteLanguage(dir, "x.ini",
                  u"[Setting]\r\nLanguage=X\r\n[S]\r\ntwo=a\\nb\\\\nc\\n\r\nempty=\r\n"
                  u"[IDD_7]\r\nIDD_7_Title=Line\\nbreak\r\nIDD_7_1=\r\nIDD_7_-1=Static\r\n");
    CMultiLanguage lang(dir.Path());
    ASSERT_TRUE(lang.SelectLanguage(u"X"));
    EXPECT_EQ(lang.GetText(u"S", u"two", u""), u"a\nb\\\nc\n");
    EXPECT_EQ(lang.GetText(u"S", u"missing", u"x\\ny"), u"x\ny");
    EXPECT_EQ(lang.GetText(u"S", u"empty", u"default"), u"");  // present, though empty
    const std::vector<int32_t> ids = {1, -1, 2};
    const DialogTexts texts = lang.TranslateDialog(7, ids);
    EXPECT_EQ(texts.title, u"Line\\nbreak");  // captions stand as they are
    ASSERT_EQ(texts.controls.size(), 3u);
    EXPECT_EQ(texts.controls[0], std::nullopt);  // empty: the caption stays
    EXPECT_EQ(texts.controls[1], u"Static");
    EXPECT_EQ(texts.controls[2], std::nullopt);
    EXPECT_EQ(ExpandLineBreaks(u"\\"), u"\\");
}

TEST(MultiLanguageTextTest, NamesAndValuesAreCutLikeThePlatformReads) {
    ScratchDir dir;
    const std::u16string longName(150, u'N');
    std::u16string pairs;
    for (int i = 0; i < 600; ++i) pairs += u"😀";  // 1200 units, surrogate pairs
    WriteLanguage(dir, "long.ini",
                  u"[Setting]\r\nLanguage=" + longName + u"\r\n[S]\r\nv=" +
                      std::u16string(1500, u'v') + u"\r\np=" + pairs + u"\r\n");
    CMultiLanguage lang(dir.Path());
    const std::vector<std::u16string> names = lang.ListLanguages();
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0], std::u16string(99, u'N'));
    EXPECT_TRUE(lang.SelectLanguage(names[0]));  // the menu's entry finds its file
    EXPECT_EQ(lang.GetText(u"S", u"v", u"").size(), 999u);
    EXPECT_EQ(lang.Caption(u"S", u"v")->size(), 999u);
    EXPECT_EQ(lang.GetText(u"S", u"p", u""), pairs.substr(0, 998));  // no half pair
}

std::vector<MenuItem> MainMenu() {
    using K = MenuItem::Kind;
    MenuItem project{K::Popup, 0, u"&Project", {}};
    for (uint32_t id : {32781u, 32772u, 0u, 32774u, 32783u, 0u, 32776u}) {
        project.children.push_back(id ? MenuItem{K::Command, id, u"?", {}}
                                      : MenuItem{K::Separator, 0, u"", {}});
    }
    project.children.push_back({K::Popup, 0, u"Recent", {{K::Command, 32772u, u"&Open", {}}}});
    MenuItem language{K::Popup, 0, u"&Language", {}};
    for (uint32_t i = 0; i < 3; ++i) language.children.push_back({K::Command, 60000 + i, u"L", {}});
    MenuItem help{K::Popup, 0, u"&Help", {{K::Command, 32778u, u"&About", {}}}};
    return {project, language, help};
}

TEST(MultiLanguageMenuTest, PopupsByPositionCommandsByIdAtAnyDepth) {
    ScratchDir dir;
    CMultiLanguage lang(dir.Path());
    lang.PrepareLanguages();
    ASSERT_TRUE(lang.SelectLanguage(u"简体中文"));
    const std::vector<MenuCaption> captions = lang.TranslateMenu(MainMenu(), 131);
    const std::vector<MenuCaption> expected = {
        {{0}, u"工程(&P)"},       {{0, 0}, u"新建(&N)"},     {{0, 1}, u"打开(&O)"},
        {{0, 3}, u"保存(&S)"},    {{0, 4}, u"载入图片(&L)"}, {{0, 6}, u"退出(&E)"},
        {{0, 7, 0}, u"打开(&O)"}, {{1}, u"语言(&L)"},        {{2}, u"帮助(&H)"},
        {{2, 0}, u"关于(&A)"},
    };
    EXPECT_EQ(captions, expected);  // no MENU_131_0_7 key: the nested popup keeps its caption
}

TEST(MultiLanguageMenuTest, KeySchemeAndEmptyValues) {
    EXPECT_EQ(DialogTitleKey(102), u"IDD_102_Title");
    EXPECT_EQ(ControlKey(102, -1), u"IDD_102_-1");
    EXPECT_EQ(MenuCommandKey(131, 4294967295u), u"MENU_131_4294967295");
    EXPECT_EQ(MenuPopupKey(MenuPopupKey(MenuSection(131), 0), 3), u"MENU_131_0_3");

    ScratchDir dir;
    WriteLanguage(dir, "m.ini",
                  u"[Setting]\r\nLanguage=M\r\n[MENU_131]\r\nMENU_131_0=\r\nMENU_131_0_7=Sub\r\n"
                  u"MENU_131_32781=\r\n");
    CMultiLanguage lang(dir.Path());
    ASSERT_TRUE(lang.SelectLanguage(u"M"));
    EXPECT_EQ(lang.TranslateMenu(MainMenu(), 131), (std::vector<MenuCaption>{{{0, 7}, u"Sub"}}));
}

TEST(MultiLanguageMenuTest, OnlyTheFirstThousandCommandsAreRouted) {
    EXPECT_EQ(LanguageCommandId(0), 60000u);
    EXPECT_EQ(LanguageCommandId(999), 60999u);
    EXPECT_EQ(LanguageCommandId(1000), 61000u);
    EXPECT_TRUE(IsLanguageCommand(60000));
    EXPECT_TRUE(IsLanguageCommand(60999));
    EXPECT_FALSE(IsLanguageCommand(61000));
    EXPECT_FALSE(IsLanguageCommand(59999));
    EXPECT_EQ(LanguageIndexOfCommand(60999), 999u);
    EXPECT_EQ(LanguageIndexOfCommand(LanguageCommandId(1000)), std::nullopt);
    EXPECT_EQ(LanguageCommandId(static_cast<size_t>(-1)), 0xFFFFFFFFu);  // no wrap into 0
}

TEST(MultiLanguageExtractTest, UnknownIdsAndUnsafeNames) {
    ScratchDir dir;
    CMultiLanguage lang(dir.Path());
    EXPECT_FALSE(lang.ExtractLanguageFile(999, u"9.Empty"));
    EXPECT_EQ(
        Profile::LoadFile(dir / "Language" / "9.Empty.ini").GetString(u"Setting", u"Language", u""),
        u"9.Empty");
    EXPECT_FALSE(lang.ExtractLanguageFile(132, u"../outside"));
    EXPECT_FALSE(fs::exists(dir / "outside.ini"));
    // An empty file name stands for the stored language's name.
    EXPECT_TRUE(lang.ExtractLanguageFile(133, u""));
    EXPECT_TRUE(fs::exists(dir / "Language" / "English.ini"));
    // A folder in the way: reported as found, nothing written.
    fs::create_directories(dir / "Language" / "Busy.ini");
    EXPECT_TRUE(lang.ExtractLanguageFile(134, u"Busy"));
    EXPECT_TRUE(fs::is_directory(dir / "Language" / "Busy.ini"));
}

TEST(MultiLanguageHostileTest, UnusableFoldersAndFilesAreSkipped) {
    ScratchDir dir;
    WriteLanguage(dir, "1.ok.ini", u"[Setting]\r\nLanguage=OK\r\n");
    {  // larger than a profile may be: refused unread
        const fs::path huge = dir / "Language" / "2.huge.ini";
        WriteBytes(huge, "[Setting]\r\nLanguage=Huge\r\n");
        fs::resize_file(huge, kMaxProfileBytes + 1);
    }
    WriteBytes(dir / "Language" / "3.binary.ini", std::string("\xFF\xFE\x00\xD8[\0\n\0", 8));
    WriteBytes(dir / "Language" / "4.odd.ini", std::string("\xFF\xFE[\0S", 5));
    CMultiLanguage lang(dir.Path());
    EXPECT_EQ(lang.ListLanguages(), std::vector<std::u16string>{u"OK"});

    // A program folder that is a file: nothing can be written, nothing breaks.
    WriteBytes(dir / "file", "x");
    CMultiLanguage broken(dir / "file");
    EXPECT_TRUE(broken.PrepareLanguages().empty());
    EXPECT_EQ(broken.GetText(u"SPECIAL_STRINGS", u"IDS_ORIENT_COL", u"Column"), u"Column");
}

TEST(MultiLanguageHostileTest, TwelveHundredLanguagesInBoundedTime) {
    ScratchDir dir;
    fs::create_directories(dir / "Language");
    for (int i = 1200; i-- > 0;) {
        char name[32];
        std::snprintf(name, sizeof name, "%04d.ini", i);
        WriteBytes(dir / "Language" / name,
                   Utf16LeBytes(u"[Setting]\r\nLanguage=L" + Utf8ToUtf16(std::to_string(i)) +
                                u"\r\n[S]\r\nk=v\r\n"));
    }
    const auto begin = std::chrono::steady_clock::now();
    CMultiLanguage lang(dir.Path());
    const std::vector<std::u16string> names = lang.PrepareLanguages();
    EXPECT_TRUE(lang.SelectLanguage(u"L1100"));
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    ASSERT_EQ(names.size(), 1200u);
    EXPECT_EQ(names[1000], u"L1000");
    EXPECT_FALSE(IsLanguageCommand(LanguageCommandId(1000)));
    EXPECT_EQ(lang.LanguageFile().filename(), "1100.ini");
    EXPECT_LT(seconds, 5.0);
    RecordProperty("seconds", std::to_string(seconds));
}

// The core's errors carry their reasons as messages of their own: zemtra-cli prints the English
// with a file name's bytes as they are, the window words every part in its language.
TEST(MultiLanguageTextTest, CoreErrorsAreWordedWithTheirReasons) {
    const Message folder{Msg::ErrWriteFile,
                         {std::string("/t/%2\xFF.c"), Message{Msg::WhyFolder}, "Is a directory"}};
    const UserError error(folder);
    EXPECT_EQ(std::string(error.what()),
              "Cannot write \"/t/%2\xFF.c\": it is a folder: Is a directory");
    ASSERT_NE(error.Words(), nullptr);
    EXPECT_EQ(EnglishUtf8(ErrorArg(error)), error.what());
    const UserError plain("--matrix: 0 is outside 1..2048");
    EXPECT_EQ(plain.Words(), nullptr);
    const MessageArg plainFact = ErrorArg(plain);
    EXPECT_TRUE(plainFact.message.empty());
    EXPECT_EQ(plainFact.text, "--matrix: 0 is outside 1..2048");
    // A copy keeps the message (exceptions are copied when they cross threads).
    const UserError copy = error;
    ASSERT_NE(copy.Words(), nullptr);
    EXPECT_EQ(copy.Words()->id, Msg::ErrWriteFile);

    ScratchDir dir;
    CMultiLanguage lang(dir.Path());
    lang.PrepareLanguages();
    // English, before any language is chosen: the same words as the command line's.
    const Message picture{Msg::ErrNotCSource, {Message{Msg::WhyNoDataBits}}};
    EXPECT_EQ(lang.Text(picture), u"This is not a C source written by Zemtra: no DataBits line.");
    ASSERT_TRUE(lang.SelectLanguage(u"简体中文"));
    EXPECT_EQ(lang.Text(picture), u"这不是 Zemtra 生成的 C 源代码: 没有 DataBits 行。");
    // Facts are filled once: a "%2" in a path stays, the nested reason is worded too.
    const Message named{Msg::ErrWriteFile,
                        {std::string("/t/%2.c"), Message{Msg::WhyFolder}, "Is a directory"}};
    EXPECT_EQ(lang.Text(named), u"无法写入 \"/t/%2.c\": 它是一个文件夹: Is a directory");
    // Two levels deep: the list's picture items, each with its reason.
    const Message items{
        Msg::ErrPictureItems,
        {"2", Message{Msg::PictureItem, {"1", "/a.png", Message{Msg::WhyNoSuchFile}}},
         Message{Msg::PictureItem, {"3", "/b.png", Message{Msg::WhyFolder}}}, "", ""}};
    EXPECT_EQ(lang.Text(items),
              u"列表中有 2 个图片项无法读取:\n  第 1 项, \"/a.png\": 文件不存在"
              u"\n  第 3 项, \"/b.png\": 它是一个文件夹");
    EXPECT_EQ(EnglishText(items),
              u"2 picture item(s) of the list cannot be read:\n  item 1, "
              u"\"/a.png\": no such file\n  item 3, \"/b.png\": it is a folder");
    ASSERT_TRUE(lang.SelectLanguage(u"繁體中文"));
    EXPECT_EQ(lang.Text(Message{Msg::ErrLoadFont, {"/f.ttf", Message{Msg::WhyNoSuchFile}}}),
              u"無法載入字型 \"/f.ttf\": 檔案不存在");
}

}  // namespace
}  // namespace zemtra
