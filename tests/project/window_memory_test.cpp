// The window's sections of Setting.ini and the saved form the changed state compares.
#include "project/window_memory.h"

#include <gtest/gtest.h>

#include "base/code_page.h"
#include "base/messages.h"
#include "base/unicode.h"
#include "project/project_file.h"
#include "support/test_support.h"

namespace zemtra {
namespace {

TEST(WindowMemoryTest, RoundTripsBesideTheProjectKeysAndDropsBadValues) {
    test::ScratchDir dir;
    const auto ini = dir / "Setting.ini";
    WindowMemory m;
    m.width = 1200;
    m.height = 800;
    m.maximized = true;
    m.project = u"/home/u/中文 job.fprj";
    for (int i = 0; i < 10; ++i) AddRecentProject(m.recent, u"/p/" + DecimalText(i) + u".fprj");
    AddRecentProject(m.recent, u"/p/5.fprj");  // again: to the front, once
    m.folders[FileKind::Picture] = u"/pictures";
    ProjectSettings s;
    s.BLOCKNUMX = u"24";
    SaveSettingIni(ini, s, m);
    const Profile p = Profile::LoadFile(ini);
    const WindowMemory r = ReadWindowMemory(p);
    EXPECT_EQ(r.width, 1200);
    EXPECT_EQ(r.height, 800);
    EXPECT_TRUE(r.maximized);
    EXPECT_EQ(r.project, m.project);
    ASSERT_EQ(r.recent.size(), kMaxRecentProjects);
    EXPECT_EQ(r.recent.front(), u"/p/5.fprj");
    EXPECT_EQ(r.recent[1], u"/p/9.fprj");
    EXPECT_EQ(r.recent.back(), u"/p/2.fprj");  // the oldest went
    EXPECT_EQ(r.folders.at(FileKind::Picture), u"/pictures");
    EXPECT_EQ(r.folders.count(FileKind::Font), 0u);
    ProjectSettings loaded;
    ASSERT_TRUE(ReadProjectFile(ini, loaded).isProject);  // the project keys are all there
    EXPECT_EQ(loaded.BLOCKNUMX, u"24");
    // Sizes no screen shows and empty entries give the defaults.
    Profile bad = Profile::FromBytes("[Window]\nWidth=5\nHeight=abc\n[Recent]\nFile1=\nFile2=/x\n");
    const WindowMemory d = ReadWindowMemory(bad);
    EXPECT_EQ(d.width, 0);
    EXPECT_EQ(d.height, 0);
    EXPECT_EQ(d.recent, std::vector<std::u16string>{u"/x"});
    RemoveRecentProject(m.recent, u"/p/5.fprj");
    EXPECT_EQ(m.recent.front(), u"/p/9.fprj");
}

TEST(WindowMemoryTest, SavedFormIsWhatSaveWritesAndTellsChangesApart) {
    ProjectSettings a;
    ProjectSettings b = a;
    EXPECT_EQ(SavedForm(a), SavedForm(b));
    b.LIST = {u"A"};
    EXPECT_NE(SavedForm(a), SavedForm(b));
    b = a;
    b.FONT.FontFile = u"/f.ttf";  // its two keys appear only while a file is in use
    EXPECT_EQ(SavedForm(b).size(), SavedForm(a).size() + 2);
    // Every entry is a key the file gets, with the value it gets.
    Profile written;
    WriteProject(b, written);
    for (const ProjectEntry& e : SavedForm(b)) {
        EXPECT_EQ(written.Get(e.section, e.key), e.value)
            << std::string(e.key.begin(), e.key.end());
    }
}

TEST(WindowMemoryTest, LackingCharactersAndFilledTexts) {
    // 1252 has é but neither 中 nor 文; each is named once, in order; ASCII always fits.
    EXPECT_EQ(CharactersLackingIn(1252, u"A中é文中?"), u"中文");
    EXPECT_EQ(CharactersLackingIn(936, u""), u"");
    const std::vector<std::u16string> args = {u"x%2", u"y"};
    EXPECT_EQ(FillText(u"%1-%2-%3-%", args), u"x%2-y-%3-%");  // one pass; no argument: kept
    EXPECT_EQ(EnglishText({Msg::NoDots, {u"0", u"16"}}),
              u"The matrix is 0 x 16 dots: it must be at least 1 x 1.");
}

}  // namespace
}  // namespace zemtra
