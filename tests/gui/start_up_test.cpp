// The desktop program as a fresh session starts it: with no display at all it says so in one
// line, names zemtra-cli, and ends with status 1 instead of Qt's abort.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "support/test_support.h"

namespace zemtra {
namespace {

struct ProgramRun {
    int status = -1;
    std::string output;  // standard output and standard error together
};

// zemtra with only these variables in its environment (env -i), its streams captured.
ProgramRun RunWithEnvironment(const std::string& variables, const std::string& arguments = "") {
    const std::string command = "env -i " + variables + " " + test::ShellQuote(ZEMTRA_GUI_PATH) +
                                " " + arguments + " 2>&1 </dev/null";
    ProgramRun r;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return r;
    std::array<char, 4096> buffer{};
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        r.output.append(buffer.data(), n);
    const int status = pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return r;
}

TEST(StartUp, WithoutADisplayOneLineNamesTheCommandLineTool) {
    const test::ScratchDir home;
    const std::string base = "HOME=" + test::ShellQuote(home.Path().string()) +
                             " ZEMTRA_HOME=" + test::ShellQuote(home.Path().string());
    // Nothing set, and set but empty, which is no display either.
    for (const std::string& extra : {std::string(), std::string("DISPLAY= WAYLAND_DISPLAY=")}) {
        const ProgramRun r = RunWithEnvironment(base + " " + extra, test::ShellQuote("job.fprj"));
        EXPECT_EQ(r.status, 1) << r.output;
        EXPECT_EQ(std::count(r.output.begin(), r.output.end(), '\n'), 1) << r.output;
        EXPECT_NE(r.output.find("no display"), std::string::npos) << r.output;
        EXPECT_NE(r.output.find("zemtra-cli"), std::string::npos) << r.output;
        EXPECT_EQ(r.output.find("plugin"), std::string::npos) << r.output;  // not Qt's abort
    }
}

}  // namespace
}  // namespace zemtra
