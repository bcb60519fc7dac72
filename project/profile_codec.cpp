// The text side of the profile layer: line parsing, encoding detection and decoding, the value
// escaping, bounded reading and the case-insensitive file lookup.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "base/code_page.h"
#include "base/error.h"
#include "project/profile.h"
#include "project/profile_detail.h"

namespace zemtra {
namespace profile_detail {

std::u16string_view TrimLeft(std::u16string_view text, SpaceTest isSpace) {
    size_t b = 0;
    while (b < text.size() && isSpace(text[b])) ++b;
    return text.substr(b);
}

std::u16string_view Trim(std::u16string_view text, SpaceTest isSpace) {
    text = TrimLeft(text, isSpace);
    size_t e = text.size();
    while (e > 0 && isSpace(text[e - 1])) --e;
    return text.substr(0, e);
}

namespace {

char16_t FoldAscii(char16_t c) {
    return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c;
}

bool IsQuote(char16_t c) {
    return c == u'"' || c == u'\'';
}

bool WrappedInQuotes(std::u16string_view v) {
    return v.size() >= 2 && IsQuote(v.front()) && v.back() == v.front();
}

}  // namespace

bool NamesEqual(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

std::u16string FoldedName(std::u16string_view name) {
    std::u16string folded(name);
    for (char16_t& c : folded) c = FoldAscii(c);
    return folded;
}

std::u16string_view StripQuotes(std::u16string_view value) {
    return WrappedInQuotes(value) ? value.substr(1, value.size() - 2) : value;
}

ParsedLine ParseLine(std::u16string_view line) {
    ParsedLine parsed;
    const std::u16string_view t = Trim(line);
    if (t.empty()) return parsed;
    if (t.front() == u';') {
        parsed.kind = LineKind::Comment;
        return parsed;
    }
    if (t.front() == u'[') {
        const size_t close = t.rfind(u']');
        if (close != std::u16string_view::npos && close > 0) {
            parsed.kind = LineKind::Section;
            parsed.name = Trim(t.substr(1, close - 1));
            return parsed;
        }
    }
    parsed.kind = LineKind::Key;
    const size_t eq = t.find(u'=');
    if (eq == std::u16string_view::npos) {
        parsed.name = t;
    } else {
        parsed.name = Trim(t.substr(0, eq));
        parsed.value = Trim(t.substr(eq + 1));
    }
    return parsed;
}

namespace {

bool IsSeparator(char c) {
    return c == '\0' || c == '\r' || c == '\n';
}

std::u16string Widen(std::string_view ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

bool AllAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::u16string DecodeLine(std::string_view line, int codePage) {
    return AllAscii(line) ? Widen(line) : MultiByteToWide(codePage, line);
}

// The slow but plainly correct way: each line on its own.
std::u16string DecodeAnsiByLine(std::string_view bytes, int codePage) {
    std::u16string out;
    out.reserve(bytes.size());
    LineWalker<char> lines(bytes);
    size_t b = 0, e = 0, n = 0;
    while (lines.Next(b, e, n)) {
        out += DecodeLine(bytes.substr(b, e - b), codePage);
        out += Widen(bytes.substr(e, n - e));
    }
    return out;
}

}  // namespace

// One conversion call for the whole file: line ends become 00 bytes first, which a lead byte
// cannot take as its trail, and are put back afterwards. Each 00 of the input gives exactly one
// U+0000; if the conversion ever disagrees, the file is decoded line by line instead.
std::u16string DecodeAnsi(std::string_view bytes, int codePage) {
    if (AllAscii(bytes)) return Widen(bytes);
    std::string masked(bytes);
    size_t separators = 0;
    for (char& c : masked) {
        if (IsSeparator(c)) {
            c = '\0';
            ++separators;
        }
    }
    std::u16string out = MultiByteToWide(codePage, masked);
    if (static_cast<size_t>(std::count(out.begin(), out.end(), u'\0')) != separators) {
        return DecodeAnsiByLine(bytes, codePage);
    }
    size_t at = 0;
    for (char16_t& c : out) {
        if (c != u'\0') continue;
        while (!IsSeparator(bytes[at])) ++at;
        c = static_cast<char16_t>(static_cast<unsigned char>(bytes[at++]));
    }
    return out;
}

std::optional<std::string> ReadFileBounded(const std::filesystem::path& path, uintmax_t limit) {
    // why: the reason as a message, or the system's words.
    const auto fail = [&](MessageArg why) -> UserError {
        return UserError(Message{Msg::ErrReadFile, {path.string(), std::move(why)}});
    };
    // Non-blocking, so that a named pipe cannot stall the open; non-regular files are refused.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
        throw fail(std::strerror(errno));
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0) throw fail(std::strerror(errno));
    if (S_ISDIR(st.st_mode)) throw fail(Message{Msg::WhyFolder});
    if (!S_ISREG(st.st_mode)) throw fail(Message{Msg::WhyNotRegular});
    const Message tooLarge{Msg::WhyTooLarge, {std::to_string(limit >> 20)}};
    if (static_cast<uintmax_t>(st.st_size) > limit) throw fail(tooLarge);
    std::string bytes;
    bytes.reserve(static_cast<size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            throw fail(std::strerror(errno));
        }
        if (got == 0) break;
        bytes.append(buffer, static_cast<size_t>(got));
        if (bytes.size() > limit) throw fail(tooLarge);  // it grew while we read
    }
    return bytes;
}

}  // namespace profile_detail

using namespace profile_detail;

namespace {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool ValidUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        size_t len = 0;
        unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
        if (b < 0x80) {
            ++i;
            continue;
        } else if (b >= 0xC2 && b <= 0xDF) {
            len = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            len = 3;
            if (b == 0xE0) lo = 0xA0;
            if (b == 0xED) hi = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            len = 4;
            if (b == 0xF0) lo = 0x90;
            if (b == 0xF4) hi = 0x8F;
        } else {
            return false;
        }
        if (i + len > s.size()) return false;
        for (size_t k = 1; k < len; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            if (k == 1 ? (c < lo || c > hi) : (c < 0x80 || c > 0xBF)) return false;
        }
        i += len;
    }
    return true;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && s.substr(0, prefix.size()) == prefix;
}

}  // namespace

ProfileEncoding DetectProfileEncoding(std::string_view bytes) {
    if (StartsWith(bytes, "\xFF\xFE")) return ProfileEncoding::Utf16Le;
    if (StartsWith(bytes, "\xFE\xFF")) return ProfileEncoding::Utf16Be;
    if (StartsWith(bytes, "\xEF\xBB\xBF")) return ProfileEncoding::Utf8Bom;
    if (!AllAscii(bytes) && ValidUtf8(bytes)) return ProfileEncoding::Utf8;
    return ProfileEncoding::Ansi;
}

std::u16string EncodeValue(std::u16string_view text) {
    std::u16string out;
    const bool escape = text.find_first_of(u"\r\n") != std::u16string_view::npos ||
                        text.substr(0, kEscapeMarker.size()) == kEscapeMarker;
    if (escape) {
        out.reserve(text.size() + kEscapeMarker.size() + 16);
        out = kEscapeMarker;
        for (char16_t c : text) {
            if (c == u'\\') {
                out += u"\\\\";
            } else if (c == u'\r') {
                out += u"\\r";
            } else if (c == u'\n') {
                out += u"\\n";
            } else {
                out += c;
            }
        }
    } else {
        out = text;
    }
    const bool edgeSpace = !out.empty() && (IsSpace(out.front()) || IsSpace(out.back()));
    if (edgeSpace || WrappedInQuotes(out)) out = u'"' + out + u'"';
    return out;
}

std::u16string DecodeValue(std::u16string_view value) {
    if (value.substr(0, kEscapeMarker.size()) != kEscapeMarker) return std::u16string(value);
    const std::u16string_view rest = value.substr(kEscapeMarker.size());
    std::u16string out;
    out.reserve(rest.size());
    for (size_t i = 0; i < rest.size(); ++i) {
        const char16_t next = i + 1 < rest.size() ? rest[i + 1] : u'\0';
        if (rest[i] != u'\\' || (next != u'\\' && next != u'r' && next != u'n')) {
            out += rest[i];
            continue;
        }
        out += next == u'r' ? u'\r' : next == u'n' ? u'\n' : u'\\';
        ++i;
    }
    return out;
}

std::filesystem::path FindIgnoringCase(const std::filesystem::path& folder, std::string_view name) {
    const std::filesystem::path exact = folder / name;
    std::error_code ec;
    if (std::filesystem::exists(exact, ec)) return exact;
    std::optional<std::string> best;
    const auto folded = [](std::string_view s) {
        std::string f(s);
        for (char& c : f) {
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
        }
        return f;
    };
    const std::string want = folded(name);
    for (auto it = std::filesystem::directory_iterator(folder, ec);
         !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        const std::string candidate = it->path().filename().string();
        if (folded(candidate) == want && (!best || candidate < *best)) best = candidate;
    }
    return best ? folder / *best : exact;
}

}  // namespace zemtra
