// `zemtra-cli project save` killed with SIGKILL at random moments: the project file always
// loads as the project before the save or the one after it.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "base/unicode.h"
#include "project/project_file.h"
#include "support/test_support.h"

extern char** environ;

namespace zemtra {
namespace {

// Distinct for every version, so no two saves can be mistaken for each other.
std::string Text(int version) {
    return std::string(100000, static_cast<char>('a' + version % 26)) + std::to_string(version);
}

pid_t StartSave(const std::string& project, int version) {
    std::vector<std::string> args = {
        ZEMTRA_CLI_PATH, "project",     "save",     project,
        "--text",        Text(version), "--matrix", std::to_string(8 + version % 9) + "x12"};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    posix_spawn(&pid, ZEMTRA_CLI_PATH, nullptr, nullptr, argv.data(), environ);
    return pid;
}

TEST(CliSaveKill, ProjectIsAlwaysTheOldOrTheNewOne) {
    test::ScratchDir dir;
    const std::string project = (dir / "job.fprj").string();
    const auto start = std::chrono::steady_clock::now();
    const pid_t first = StartSave(project, 0);
    ASSERT_GT(first, 0);
    ::waitpid(first, nullptr, 0);
    // The kills are spread over the whole length of a save, start-up included.
    const auto runMicros = std::chrono::duration_cast<std::chrono::microseconds>(
                               std::chrono::steady_clock::now() - start)
                               .count();
    std::mt19937 random(4242);
    int current = 0;  // the version the file holds
    int completed = 0;
    for (int version = 1; version <= 30; ++version) {
        const pid_t pid = StartSave(project, version);
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % (runMicros * 3 / 4 + 1)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        ProjectSettings s;
        ASSERT_TRUE(LoadProject(project, s).isProject) << "version " << version;
        const std::string text = Utf16ToUtf8(s.TEXT);
        ASSERT_TRUE(text == Text(current) || text == Text(version))
            << "version " << version << ": neither the old nor the new project";
        const int holds = text == Text(version) ? version : current;
        ASSERT_EQ(Utf16ToUtf8(s.BLOCKNUMX), std::to_string(8 + holds % 9))
            << "version " << version << ": a torn project";
        if (text == Text(version)) {
            current = version;
            ++completed;
        }
    }
    RecordProperty("completed", completed);
}

}  // namespace
}  // namespace zemtra
