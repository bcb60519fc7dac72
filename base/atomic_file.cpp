// Temporary file, fsync, rename: the old content stays until the new one is complete.
#include "base/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>

#include "base/error.h"

namespace zemtra {
namespace {

[[noreturn]] void Fail(const std::filesystem::path& path, Msg why, int error) {
    throw UserError(
        Message{Msg::ErrWriteFile, {path.string(), Message{why}, std::strerror(error)}});
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

}  // namespace

void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    // Write through a link to its target, so a linked project stays linked.
    std::error_code ec;
    std::filesystem::path target = path;
    if (std::filesystem::is_symlink(path, ec)) {
        target = std::filesystem::weakly_canonical(path, ec);
        if (ec) target = path;
    }
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode)) Fail(path, Msg::WhyFolder, EISDIR);
        if (!S_ISREG(existing.st_mode)) Fail(path, Msg::WhyNotRegular, EINVAL);
        // A rename would get past the file's missing write permission, even for root.
        if ((existing.st_mode & S_IWUSR) == 0 || ::access(target.c_str(), W_OK) != 0) {
            Fail(path, Msg::WhyReadOnly, EACCES);
        }
    }
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) Fail(path, Msg::WhyNoTempFile, errno);

    // Keep the permissions of the file being replaced; a new file gets the usual 0644.
    const bool replacing = ::stat(target.c_str(), &existing) == 0;
    ::fchmod(fd, replacing ? (existing.st_mode & 07777) : 0644);

    int error = 0;
    std::optional<Msg> what;
    if (!WriteAll(fd, bytes)) {
        error = errno;
        what = Msg::WhyWriteFailed;
    } else if (::fsync(fd) != 0) {
        error = errno;
        what = Msg::WhyFlushFailed;
    }
    if (::close(fd) != 0 && !what) {
        error = errno;
        what = Msg::WhyCloseFailed;
    }
    if (!what && ::rename(temp.c_str(), target.c_str()) != 0) {
        error = errno;
        what = Msg::WhyRenameFailed;
    }
    if (what) {
        ::unlink(temp.c_str());
        Fail(path, *what, error);
    }
}

}  // namespace zemtra
