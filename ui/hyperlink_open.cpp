// Opening the link on Linux: xdg-open, and as the fall-back the desktop's HTML handler started
// from its desktop file, both through posix_spawnp without a shell.
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "base/unicode.h"
#include "ui/hyperlink_rules.h"

extern char** environ;

namespace zemtra {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr size_t kMaxCapture = 64 * 1024;
constexpr std::streamsize kMaxDesktopFile = 1 << 20;

// A child that outlives the wait is reaped in the background, so it leaves no zombie.
void ReapLater(pid_t pid) {
    std::thread([pid] {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

// Reads the pipe until its end, the capture limit or the deadline; closes it.
std::string ReadUntil(int fd, Clock::time_point deadline) {
    std::string out;
    char buffer[4096];
    while (out.size() < kMaxCapture) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) break;
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) break;
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        out.append(buffer, static_cast<size_t>(got));
    }
    ::close(fd);
    return out;
}

// Waits for the child until the deadline; fills exited and exitCode.
void WaitUntil(pid_t pid, Clock::time_point deadline, SpawnResult& result) {
    for (;;) {
        int status = 0;
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            result.exited = true;
            result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            return;
        }
        if (done < 0 && errno != EINTR) return;  // not ours to wait for any more
        if (Clock::now() >= deadline) {
            ReapLater(pid);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

struct FileActions {
    posix_spawn_file_actions_t actions;
    FileActions() { posix_spawn_file_actions_init(&actions); }
    ~FileActions() { posix_spawn_file_actions_destroy(&actions); }
    FileActions(const FileActions&) = delete;
    FileActions& operator=(const FileActions&) = delete;
};

std::optional<std::string> ReadDesktopFile(const fs::path& path) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text(static_cast<size_t>(kMaxDesktopFile), '\0');
    in.read(text.data(), kMaxDesktopFile);
    text.resize(static_cast<size_t>(in.gcount()));
    return text;
}

// The desktop file of a desktop-file id: <folder>/<id>, or for "vendor-app.desktop" also
// <folder>/vendor/app.desktop, as desktop ids map dashes to sub-folders.
std::optional<std::string> FindDesktopFile(const std::string& id,
                                           const std::vector<std::string>& folders) {
    for (const std::string& folder : folders) {
        std::string relative = id;
        for (;;) {
            if (std::optional<std::string> text = ReadDesktopFile(fs::path(folder) / relative)) {
                return text;
            }
            const size_t dash = relative.find('-');
            if (dash == std::string::npos) break;
            relative[dash] = '/';
        }
    }
    return std::nullopt;
}

// The desktop id that xdg-mime gives for HTML, or nothing.
std::optional<std::string> HtmlHandlerId(const SpawnFunction& spawn) {
    SpawnRequest query{{"xdg-mime", "query", "default", "text/html"}, true, true};
    const SpawnResult r = spawn(query);
    if (r.startError != 0 || !r.exited || r.exitCode != 0) return std::nullopt;
    std::string id = r.output.substr(0, r.output.find('\n'));
    while (!id.empty() && (id.back() == '\r' || id.back() == ' ')) id.pop_back();
    if (id.empty() || id.find('/') != std::string::npos || id.front() == '.') return std::nullopt;
    return id;
}

}  // namespace

SpawnResult SpawnProgram(const SpawnRequest& request, int waitSeconds) {
    SpawnResult result;
    if (request.argv.empty()) {
        result.startError = EINVAL;
        return result;
    }
    std::vector<char*> argv;
    for (const std::string& a : request.argv) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    FileActions files;
    posix_spawn_file_actions_addopen(&files.actions, 0, "/dev/null", O_RDONLY, 0);
    int pipeFds[2] = {-1, -1};
    const bool capture = request.wait && request.captureOutput;
    if (capture) {
        if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
            result.startError = errno;
            return result;
        }
        posix_spawn_file_actions_adddup2(&files.actions, pipeFds[1], 1);
    }
    pid_t pid = 0;
    result.startError = posix_spawnp(&pid, argv[0], &files.actions, nullptr, argv.data(), environ);
    if (capture) ::close(pipeFds[1]);
    if (result.startError != 0) {
        if (capture) ::close(pipeFds[0]);
        return result;
    }
    if (!request.wait) {
        ReapLater(pid);
        return result;
    }
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(waitSeconds);
    if (capture) result.output = ReadUntil(pipeFds[0], deadline);
    WaitUntil(pid, deadline, result);
    return result;
}

std::vector<std::string> ApplicationFolders() {
    std::vector<std::string> folders;
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    if (dataHome != nullptr && dataHome[0] == '/') {
        folders.push_back(std::string(dataHome) + "/applications");
    } else if (home != nullptr && home[0] == '/') {
        folders.push_back(std::string(home) + "/.local/share/applications");
    }
    const char* dataDirs = std::getenv("XDG_DATA_DIRS");
    const std::string dirs =
        dataDirs != nullptr && dataDirs[0] != '\0' ? dataDirs : "/usr/local/share:/usr/share";
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        const std::string dir = dirs.substr(start, end - start);
        if (!dir.empty() && dir[0] == '/') folders.push_back(dir + "/applications");
        start = end + 1;
    }
    return folders;
}

int OutcomeOfStartError(int error) {
    switch (error) {
        case 0:
            return kOpenSucceeded;
        case ENOENT:
        case ENOTDIR:
            return kOpenFileNotFound;
        case EACCES:
        case EPERM:
            return kOpenAccessDenied;
        case ENOMEM:
        case E2BIG:
            return kOpenOutOfMemory;
        case ENOEXEC:
            return kOpenInvalidProgram;
        default:
            return kOpenOutOfResources;
    }
}

int OutcomeOfXdgOpen(const SpawnResult& result) {
    // No xdg-open at all: nothing here opens web pages, as with no browser registered.
    if (result.startError == ENOENT) return kOpenNoAssociation;
    if (result.startError != 0) return OutcomeOfStartError(result.startError);
    if (!result.exited) return kOpenSucceeded;  // still running: it has started something
    switch (result.exitCode) {
        case 0:
            return kOpenSucceeded;
        case 2:  // a file named on its command line does not exist
            return kOpenFileNotFound;
        case 3:  // no tool or handler for the address
            return kOpenNoAssociation;
        case 5:  // no permission to read the file
            return kOpenAccessDenied;
        default:  // the handler failed, or a syntax error
            return kOpenAssociationIncomplete;
    }
}

int OpenTarget(std::u16string_view address, const SpawnFunction& spawn,
               const std::vector<std::string>& applicationFolders) {
    if (!IsWebAddress(address)) return kOpenFileNotFound;
    const std::string target = Utf16ToUtf8(address);
    const int outcome = OutcomeOfXdgOpen(spawn({{"xdg-open", target}, true, false}));
    if (OpenSucceeded(outcome)) return outcome;
    const std::optional<std::string> id = HtmlHandlerId(spawn);
    if (!id) return outcome;
    const std::optional<std::string> desktop = FindDesktopFile(*id, applicationFolders);
    if (!desktop) return outcome;
    const std::optional<std::string> exec = DesktopExecLine(*desktop);
    if (!exec) return outcome;
    std::optional<std::vector<std::string>> argv = BrowserArguments(*exec, target);
    if (!argv) return outcome;
    // Like the platform's WinExec: the outcome is whether the browser started.
    const SpawnResult started = spawn({std::move(*argv), false, false});
    return OutcomeOfStartError(started.startError);
}

int OpenTarget(std::u16string_view address) {
    return OpenTarget(
        address, [](const SpawnRequest& r) { return SpawnProgram(r); }, ApplicationFolders());
}

}  // namespace zemtra
