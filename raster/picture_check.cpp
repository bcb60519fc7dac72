// The reasons a picture file is unusable, checked from the cheapest to the full decode.
#include "raster/picture_check.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "base/character_list.h"
#include "base/unicode.h"

namespace zemtra {

std::optional<std::string> PictureFileProblem(const PictureDecoder& decoder,
                                              const std::filesystem::path& file) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    if (status.type() == fs::file_type::not_found) return "no such file";
    if (ec) return ec.message();
    if (status.type() == fs::file_type::directory) return "it is a folder";
    if (status.type() != fs::file_type::regular) return "it is not a regular file";
    if (::access(file.c_str(), R_OK) != 0) return std::string(std::strerror(errno));
    if (fs::file_size(file, ec) == 0 && !ec) return "the file is empty";
    if (!decoder.Decode(file)) {
        return "not a BMP, JPEG, GIF or PNG picture that can be read (damaged, truncated, or "
               "over 67 million pixels)";
    }
    return std::nullopt;
}

std::optional<std::string> ListPictureProblems(const PictureDecoder& decoder,
                                               const ProjectSettings& s) {
    std::string problems;
    size_t count = 0;
    for (size_t i = 0; i < s.LIST.size() && i < s.PIC.size(); ++i) {
        if (!IsPictureItem(s, i)) continue;
        const std::string path = Utf16ToUtf8(s.PIC[i]);
        const auto problem = PictureFileProblem(decoder, path);
        if (!problem) continue;
        if (++count <= 3) {
            problems += "\n  item " + std::to_string(i + 1) + ", \"" + path + "\": " + *problem;
        }
    }
    if (count == 0) return std::nullopt;
    if (count > 3) problems += "\n  and " + std::to_string(count - 3) + " more";
    return std::to_string(count) + " picture item(s) of the list cannot be read:" + problems;
}

}  // namespace zemtra
