// Killing a process at any moment while it saves Setting.ini leaves the old file or the new
// one, never a torn one: a child saves two alternating states in a loop (the project keys and
// the language choice, the two writers of Setting.ini) and is killed at random moments.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "base/character_list.h"
#include "project/project_file.h"
#include "support/test_support.h"
#include "ui/multi_language.h"

namespace zemtra {
namespace {

namespace fs = std::filesystem;

// Two states that differ in every part of the file; the long text makes each write slow
// enough for kills to land inside it.
ProjectSettings State(bool second) {
    ProjectSettings s;
    ApplyNew(s, false);
    s.TEXT = std::u16string(200000, second ? u'B' : u'A');
    s.BLOCKNUMX = second ? u"24" : u"12";
    FillCharacterList(s, second ? u"XYZ" : u"AB", true);
    return s;
}

std::u16string LanguageName(bool second) {
    return second ? u"Second" : u"First";
}

[[noreturn]] void SaveForever(const fs::path& folder) {
    CMultiLanguage languages(folder);
    const ProjectSettings states[2] = {State(false), State(true)};
    for (bool second = true;; second = !second) {
        SaveProject(folder / "Setting.ini", states[second]);
        languages.SelectLanguage(LanguageName(second));
    }
}

TEST(SaveKill, SettingIniIsAlwaysTheOldOrTheNewFile) {
    test::ScratchDir dir;
    SaveProject(dir / "Setting.ini", State(false));
    CMultiLanguage(dir.Path()).SelectLanguage(LanguageName(false));
    std::mt19937 random(20261208);
    int seenFirst = 0;
    int seenSecond = 0;
    for (int round = 0; round < 40; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) SaveForever(dir.Path());
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 40000));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);

        ProjectSettings loaded;
        ASSERT_TRUE(LoadProject(dir / "Setting.ini", loaded).isProject) << "round " << round;
        const bool second = loaded.TEXT == State(true).TEXT;
        ASSERT_EQ(loaded, State(second)) << "round " << round << ": a torn project";
        const auto language = Profile::LoadFile(dir / "Setting.ini").Get(u"Setting", u"Language");
        ASSERT_TRUE(language == LanguageName(false) || language == LanguageName(true))
            << "round " << round << ": the language choice was lost";
        (second ? seenSecond : seenFirst)++;
    }
    RecordProperty("first", seenFirst);
    RecordProperty("second", seenSecond);
    // Temporary files of killed saves are hidden (".Setting.ini.XXXXXX") and never read.
    for (const auto& entry : fs::directory_iterator(dir.Path())) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name == "Setting.ini" || name.rfind(".Setting.ini.", 0) == 0) << name;
    }
}

}  // namespace
}  // namespace zemtra
