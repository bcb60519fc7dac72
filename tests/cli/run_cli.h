// Running zemtra-cli from a test: exit code, standard output and standard error apart, and the
// same run as an unprivileged user, for the checks that root would pass by reading anything.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace zemtra::test {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs zemtra-cli with these arguments; prefix (already quoted) goes in front of it, e.g. a
// command that changes the user.
inline CliRun RunZemtraCli(const std::vector<std::string>& args, const std::string& prefix = "") {
    const ScratchDir dir;
    std::string command = prefix + ShellQuote(ZEMTRA_CLI_PATH);
    for (const auto& a : args) command += " " + ShellQuote(a);
    command += " 2>" + ShellQuote((dir / "stderr").string());
    CliRun r;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return r;
    std::array<char, 65536> buffer{};
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) r.out.append(buffer.data(), n);
    const int status = pclose(pipe);
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.err = ReadBytes(dir / "stderr");
    return r;
}

// The prefix that runs a command as the user "nobody" when the tests run as root (root passes
// every permission check); empty for any other user, whose own permissions already apply.
inline std::string AsUnprivilegedUser() {
    if (::geteuid() != 0) return "";
    return "setpriv --reuid=65534 --regid=65534 --clear-groups -- ";
}

// Whether AsUnprivilegedUser() can run commands here.
inline bool CanRunUnprivileged() {
    if (::geteuid() != 0) return true;
    return std::system("setpriv --reuid=65534 --regid=65534 --clear-groups -- true 2>/dev/null") ==
           0;
}

// A scratch folder that the unprivileged user may enter and read.
inline void OpenToEveryone(const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    fs::permissions(folder, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                fs::perms::others_read | fs::perms::others_exec);
}

}  // namespace zemtra::test
