// Reading the temporary output file for the Output View.
#include "output/output_text.h"

#include <fcntl.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <system_error>

#include "base/unicode.h"

namespace zemtra {

std::u16string DecodeOutputText(std::string_view bytes) {
    const size_t units = bytes.size() / 2;
    size_t i = 0;
    if (units >= 1 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        i = 1;
    }
    std::u16string text;
    text.reserve(units - i);
    for (; i < units; ++i) {
        const auto lo = static_cast<unsigned char>(bytes[2 * i]);
        const auto hi = static_cast<unsigned char>(bytes[2 * i + 1]);
        const auto unit = static_cast<char16_t>(lo | hi << 8);
        if (unit == 0) break;
        text.push_back(unit);
    }
    return text;
}

std::u16string LoadOutputText(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return {};
    try {
        std::ifstream in(path, std::ios::binary);
        if (!in) return {};
        const std::string bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        if (in.bad()) return {};
        return DecodeOutputText(bytes);
    } catch (const std::exception&) {
        return {};  // a read error midway: no text rather than a part of it
    }
}

bool CreateOrEmptyFile(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    return ::close(fd) == 0;
}

bool SavesAsUtf8(std::u16string_view path, int filterIndex) {
    // A gcc that is handed UTF-16 stops at the mark: the name says what the file is for.
    const size_t dot = path.rfind(u'.');
    std::u16string ext;
    if (dot != path.npos && path.find(u'/', dot) == path.npos) ext = path.substr(dot + 1);
    for (char16_t& c : ext) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
    }
    if (ext == u"c" || ext == u"h") return true;
    if (ext == u"txt") return false;
    return filterIndex == static_cast<int>(SaveFilter::CSourceUtf8);
}

std::string CSourceFileBytes(std::u16string_view text) {
    std::string bytes = Utf16ToUtf8(text);
    std::string lf;
    lf.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        lf += bytes[i];
    }
    return lf;
}

}  // namespace zemtra
