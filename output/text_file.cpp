// CStdioFileEx: byte-exact text files, UTF-16LE with a byte-order mark or the ANSI code page,
// that remember every failed write so that Close() can report it.
#include "output/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "base/code_page.h"

namespace zemtra {
namespace {

constexpr uint32_t kAccessMask = CStdioFileEx::modeWrite | CStdioFileEx::modeReadWrite;

int OpenFlags(uint32_t flags) {
    int oflags = O_CLOEXEC;
    const uint32_t access = flags & kAccessMask;
    if (access == CStdioFileEx::modeReadWrite) {
        oflags |= O_RDWR;
    } else if (access == CStdioFileEx::modeWrite) {
        oflags |= O_WRONLY;
    } else {
        oflags |= O_RDONLY;
    }
    if (flags & CStdioFileEx::modeCreate) {
        oflags |= O_CREAT;
        if (!(flags & CStdioFileEx::modeNoTruncate)) oflags |= O_TRUNC;
    }
    if (flags & CStdioFileEx::modeNoFollow) oflags |= O_NOFOLLOW;
    return oflags;
}

const char* StreamMode(uint32_t flags) {
    // fdopen never truncates; open() has already decided that.
    const uint32_t access = flags & kAccessMask;
    if (access == CStdioFileEx::modeReadWrite) return "r+b";
    return access == CStdioFileEx::modeWrite ? "wb" : "rb";
}

// Whether the file begins with the UTF-16LE mark. A write-only file cannot be read, so its mark
// counts as absent, as it does for the framework's file.
bool StartsWithMark(int fd, uint32_t flags) {
    if ((flags & kAccessMask) == CStdioFileEx::modeWrite) return false;
    unsigned char mark[2] = {};
    ssize_t got = 0;
    do {
        got = pread(fd, mark, sizeof mark, 0);
    } while (got < 0 && errno == EINTR);
    return got == 2 && mark[0] == 0xFF && mark[1] == 0xFE;
}

}  // namespace

CStdioFileEx::~CStdioFileEx() {
    // The destructor cannot report: callers that care call Close() first.
    Close();
}

bool CStdioFileEx::Open(const std::filesystem::path& path, uint32_t flags) {
    Close();
    unicode = false;
    failed_ = false;
    // The private temporary file is opened with modeNoFollow; it must stay readable by us only.
    const mode_t permissions = (flags & modeNoFollow) ? 0600 : 0644;
    int fd = -1;
    do {
        fd = ::open(path.c_str(), OpenFlags(flags | typeBinary), permissions);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return false;
    std::FILE* file = ::fdopen(fd, StreamMode(flags));
    if (file == nullptr) {
        ::close(fd);
        return false;
    }
    const bool wantsUnicode =
        (flags & modeUnicode) && ((flags & modeWrite) || (flags & modeReadWrite));
    unicode = StartsWithMark(fd, flags) || wantsUnicode;
    file_ = file;
    std::fseek(file_, 0, SEEK_SET);
    return true;
}

bool CStdioFileEx::WriteString(std::u16string_view text) {
    if (file_ == nullptr) return false;
    std::string bytes;
    if (unicode) {
        const long position = std::ftell(file_);
        if (position < 0) {
            failed_ = true;
            return false;
        }
        bytes.reserve(text.size() * 2 + 2);
        if (position == 0) bytes.append("\xFF\xFE");
        for (char16_t unit : text) {
            bytes.push_back(static_cast<char>(unit & 0xFF));
            bytes.push_back(static_cast<char>(unit >> 8));
        }
    } else {
        bytes = WideToMultiByte(AnsiCodePage(), text);
    }
    if (bytes.empty()) return true;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
        failed_ = true;
        return false;
    }
    return true;
}

bool CStdioFileEx::Close() {
    if (file_ == nullptr) return true;
    // Buffered bytes meet a full disk only here, so flush and check before closing.
    bool ok = !failed_;
    if (std::fflush(file_) != 0 || std::ferror(file_)) ok = false;
    if (std::fclose(file_) != 0) ok = false;
    file_ = nullptr;
    failed_ = false;
    return ok;
}

}  // namespace zemtra
