// Temporary file, fsync, rename: the old content stays until the new one is complete.
#include "base/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "base/error.h"

namespace zemtra {
namespace {

// Pieces are gathered up to this size before they go to the file.
constexpr size_t kBufferSize = 1 << 16;

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

AtomicFileWriter::AtomicFileWriter(std::filesystem::path path) : path_(std::move(path)) {
    // Write through a link to its target, so a linked project stays linked.
    std::error_code ec;
    target_ = path_;
    if (std::filesystem::is_symlink(path_, ec)) {
        target_ = std::filesystem::weakly_canonical(path_, ec);
        if (ec) target_ = path_;
    }
    struct stat existing {};
    const bool replacing = ::stat(target_.c_str(), &existing) == 0;
    if (replacing) {
        if (S_ISDIR(existing.st_mode)) Fail(path_, Msg::WhyFolder, EISDIR);
        if (!S_ISREG(existing.st_mode)) Fail(path_, Msg::WhyNotRegular, EINVAL);
        // A rename would get past the file's missing write permission, even for root.
        if ((existing.st_mode & S_IWUSR) == 0 || ::access(target_.c_str(), W_OK) != 0) {
            Fail(path_, Msg::WhyReadOnly, EACCES);
        }
    }
    const std::filesystem::path folder =
        target_.has_parent_path() ? target_.parent_path() : std::filesystem::path(".");
    temp_ = (folder / ("." + target_.filename().string() + ".XXXXXX")).string();
    fd_ = ::mkstemp(temp_.data());
    if (fd_ < 0) Fail(path_, Msg::WhyNoTempFile, errno);
    // Keep the permissions of the file being replaced; a new file gets the usual 0644.
    ::fchmod(fd_, replacing ? (existing.st_mode & 07777) : 0644);
}

AtomicFileWriter::~AtomicFileWriter() {
    if (fd_ >= 0) {
        ::close(fd_);
        ::unlink(temp_.c_str());
    }
}

void AtomicFileWriter::Write(std::string_view bytes) {
    if (fd_ < 0) return;
    size_ += bytes.size();
    if (buffer_.size() + bytes.size() <= kBufferSize) {
        buffer_.append(bytes);
        return;
    }
    Flush();
    if (bytes.size() >= kBufferSize) {
        if (!WriteAll(fd_, bytes)) Abandon(Msg::WhyWriteFailed, errno);
    } else {
        buffer_.append(bytes);
    }
}

void AtomicFileWriter::Flush() {
    if (!buffer_.empty() && !WriteAll(fd_, buffer_)) Abandon(Msg::WhyWriteFailed, errno);
    buffer_.clear();
}

void AtomicFileWriter::Commit() {
    if (fd_ < 0) return;
    Flush();
    if (::fsync(fd_) != 0) Abandon(Msg::WhyFlushFailed, errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temp_.c_str());
        Fail(path_, Msg::WhyCloseFailed, error);
    }
    if (::rename(temp_.c_str(), target_.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp_.c_str());
        Fail(path_, Msg::WhyRenameFailed, error);
    }
}

void AtomicFileWriter::Abandon(Msg why, int error) {
    ::close(fd_);
    fd_ = -1;
    ::unlink(temp_.c_str());
    Fail(path_, why, error);
}

void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    AtomicFileWriter file(path);
    file.Write(bytes);
    file.Commit();
}

}  // namespace zemtra
