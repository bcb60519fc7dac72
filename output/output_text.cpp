// Reading the temporary output file for the Output View.
#include "output/output_text.h"

#include <fcntl.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <system_error>

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
    if (filterIndex == static_cast<int>(SaveFilter::CSourceUtf8)) return true;
    if (filterIndex == static_cast<int>(SaveFilter::UnicodeText)) return false;
    const size_t dot = path.rfind(u'.');
    if (dot == path.npos || path.find(u'/', dot) != path.npos) return false;
    std::u16string ext(path.substr(dot + 1));
    for (char16_t& c : ext) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
    }
    return ext == u"c" || ext == u"h";
}

}  // namespace zemtra
